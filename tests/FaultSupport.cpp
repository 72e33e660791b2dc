#include "FaultSupport.h"

#include "TestSupport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

LoadOutcome LoadDrawing(const std::string& path) {
    LoadOutcome outcome;
    CDxfFile file;
    CFileException error;
    if (!file.Open(path.c_str(), CFile::modeRead, &error)) {
        outcome.openError = error.GetErrorMessage().Str();
        return outcome;
    }
    outcome.bOpened = true;
    CPolylineList list;
    LoadPolylines(file, list, outcome.nPolylineCount, outcome.nPointCount);
    outcome.nListCount = list.GetCount();
    outcome.nVertexSum = 0;
    for (INT32 i = 1; i <= list.GetCount(); ++i) {
        CPolyline& polyline = *list.GetAt(i);
        outcome.nVertexSum += polyline.GetCount();
        auto& points = outcome.polylines.emplace_back();
        for (INT32 k = 1; k <= polyline.GetCount(); ++k) {
            const CVector3& p = polyline.GetVertex(k)->m_Point;
            points.push_back({p.X(), p.Y(), p.Z()});
        }
    }
    return outcome;
}

void BecomeUnprivilegedInChild() {
    if (geteuid() != 0) return;
    const uid_t nobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0) _exit(126);
}

std::string RunInChild(const std::function<std::string()>& fn, bool bUnprivileged, int* pnStatus) {
    int fds[2];
    if (pipe(fds) != 0) return "pipe: " + std::string(std::strerror(errno));
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (bUnprivileged) BecomeUnprivilegedInChild();
        std::string result;
        try {
            result = fn();
        } catch (const CException& e) {
            result = "exception: " + e.GetErrorMessage().Str();
        }
        for (size_t n = 0; n < result.size();) {
            ssize_t w = write(fds[1], result.data() + n, result.size() - n);
            if (w <= 0) _exit(125);
            n += static_cast<size_t>(w);
        }
        _exit(0);
    }
    close(fds[1]);
    std::string text;
    char buf[4096];
    for (ssize_t r; (r = read(fds[0], buf, sizeof buf)) != 0;) {
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) break;
        text.append(buf, static_cast<size_t>(r));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (pnStatus) *pnStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return text;
}

void OpenToEveryone(const std::string& folder) {
    chmod(folder.c_str(), 0755);
}

int OpenDescriptorCount() {
    int n = 0;
    std::error_code ec;
    for (auto it = fs::directory_iterator("/proc/self/fd", ec); it != fs::directory_iterator();
         it.increment(ec))
        ++n;
    return n - 1; // the iterator's own descriptor
}

SmallFileSystem::SmallFileSystem(const std::string& mountPoint, long long nBytes)
    : m_mountPoint(mountPoint) {
    if (geteuid() != 0) {
        m_reason = "mounting a tmpfs needs root";
        return;
    }
    fs::create_directories(mountPoint);
    const std::string options = "size=" + std::to_string(nBytes) + ",mode=0755";
    if (mount("tmpfs", mountPoint.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        m_reason = "mount of a tmpfs refused: " + std::string(std::strerror(errno));
        return;
    }
    m_bMounted = true;
}

SmallFileSystem::~SmallFileSystem() {
    if (m_bMounted) umount2(m_mountPoint.c_str(), MNT_DETACH);
}

std::string CliCounts(int nPolylines, int nPoints) {
    return "Numero Polyline: " + std::to_string(nPolylines) +
           "\nNumero di punti: " + std::to_string(nPoints) + "\n";
}

SparseDrawing::SparseDrawing(const std::string& folder)
    : m_fileSystem(folder + "/tmpfs", 2 * kTailAt) {
    m_path = (m_fileSystem.Mounted() ? folder + "/tmpfs" : folder) + "/sparso.dxf";
    DrawingBuilder head, tail;
    head.BeginEntities().Polyline3D({{5, 0, 0}, {5, 1, 0}});
    tail.Code(999, std::string(600, 'x')).Polyline3D({{1, 0, 0}, {1, 1, 1}, {1, 2, 2}});
    tail.EndEntities();
    WriteWholeFile(m_path, head.CrLf());
    const std::string tailBytes = tail.CrLf();
    int fd = open(m_path.c_str(), O_WRONLY);
    bool bOk = fd >= 0 && ftruncate(fd, kTailAt) == 0 &&
               pwrite(fd, tailBytes.data(), tailBytes.size(), kTailAt) ==
                   static_cast<ssize_t>(tailBytes.size());
    struct stat st {};
    bOk = bOk && fstat(fd, &st) == 0;
    if (fd >= 0) close(fd);
    if (!bOk)
        m_reason =
            "the file system refuses a file of this size: " + std::string(std::strerror(errno));
    else if (st.st_blocks * 512LL > (1LL << 24))
        m_reason = "the file system does not keep holes in files";
    m_bReady = m_reason.empty();
}

bool CliRunsUnprivileged() {
    CliRun run{BecomeUnprivilegedInChild};
    return RunCli({"--version"}, nullptr, nullptr, &run) == 0;
}

void FillList(CPolylineList& list, int nPolylines, int nVertices) {
    CVector3 point;
    for (int i = 1; i <= nPolylines; ++i) {
        list.AddNew();
        for (int k = 1; k <= nVertices; ++k) {
            point.Set(i, k, i + k);
            list.GetAt(list.GetCount())->AddPoint(point);
        }
    }
}

std::string GridDrawing(int nPolylines, int nVertices) {
    DrawingBuilder b;
    b.BeginEntities();
    for (int i = 1; i <= nPolylines; ++i) {
        b.Polyline(8);
        for (int k = 1; k <= nVertices; ++k)
            b.Vertex(i, k, i + k);
        b.Seqend();
    }
    return b.EndEntities().CrLf();
}
