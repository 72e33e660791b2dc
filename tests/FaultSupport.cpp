#include "FaultSupport.h"

#include "TestSupport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string RunInChild(const std::function<std::string()>& fn, int* pnStatus) {
    int fds[2];
    if (pipe(fds) != 0) return "pipe: " + std::string(std::strerror(errno));
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(126);
        const std::string result = fn();
        // One write: the pipe takes it all while the parent reads.
        _exit(write(fds[1], result.data(), result.size()) == ssize_t(result.size()) ? 0 : 125);
    }
    close(fds[1]);
    std::string text;
    char buf[4096];
    for (ssize_t r; (r = read(fds[0], buf, sizeof buf)) > 0;)
        text.append(buf, static_cast<size_t>(r));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (pnStatus) *pnStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return text;
}

SmallFileSystem::SmallFileSystem(const std::string& mountPoint, long long nBytes)
    : m_mountPoint(mountPoint) {
    fs::create_directories(mountPoint);
    const std::string options = "size=" + std::to_string(nBytes) + ",mode=1777";
    if (mount("tmpfs", mountPoint.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0)
        m_reason = "no tmpfs of our own: " + std::string(std::strerror(errno));
}

SmallFileSystem::~SmallFileSystem() {
    if (Mounted()) umount2(m_mountPoint.c_str(), MNT_DETACH);
}

SparseDrawing::SparseDrawing(const std::string& folder)
    : m_fileSystem(folder + "/tmpfs", 2 * kTailAt),
      m_path(folder + (m_fileSystem.Mounted() ? "/tmpfs" : "") + "/sparso.dxf") {
    DrawingBuilder head, tail;
    WriteWholeFile(m_path, head.BeginEntities().Polyline3D({{5, 0, 0}, {5, 1, 0}}).CrLf());
    tail.Code(999, std::string(600, 'x')).Polyline3D({{1, 0, 0}, {1, 1, 1}, {1, 2, 2}});
    std::error_code error;
    fs::resize_file(m_path, kTailAt, error); // the hole
    std::ofstream(m_path, std::ios::binary | std::ios::app) << tail.EndEntities().CrLf();
    struct stat st {};
    if (error || stat(m_path.c_str(), &st) != 0 || st.st_size <= kTailAt)
        m_reason = "the file system refuses a file of this size";
    else if (st.st_blocks * 512LL > (1LL << 24))
        m_reason = "the file system does not keep holes in files";
}
