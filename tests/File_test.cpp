#include "File.h"

#include "TestSupport.h"

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr UINT kCreate = CFile::modeCreate | CFile::modeWrite;

// Bytes that differ from their neighbours and from their position modulo 256, so that a read
// from the wrong offset shows.
std::string Pattern(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return s;
}

std::string ReadString(CFile& f, UINT n) {
    std::string s(n, '\0');
    s.resize(f.Read(s.data(), n));
    return s;
}

int OpenDescriptorCount() {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++n;
    }
    return n;
}

// Runs fn where permission bits apply: in this process when it is not privileged, otherwise in
// a child that gives up root. Returns fn's result, or -1 when no unprivileged user is at hand.
int WithPermissionBits(const std::function<int()>& fn) {
    if (geteuid() != 0) return fn();
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        const uid_t nobody = 65534;
        if (setgid(nobody) != 0 || setuid(nobody) != 0 || geteuid() == 0) _exit(255);
        _exit(fn());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

// The cause of a failed open of path, or 100 when it opened; 101 when the exception lacks the
// name.
int OpenCause(const std::string& path, UINT nFlags) {
    CFile f;
    CFileException e;
    if (f.Open(path.c_str(), nFlags, &e)) return 100;
    return e.m_strFileName == path.c_str() ? e.m_cause : 101;
}

class FileWithPattern : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = m_dir.File("data.bin");
        m_bytes = Pattern(200000);
        WriteWholeFile(m_path, m_bytes);
        ASSERT_TRUE(m_file.Open(m_path.c_str(), CFile::modeRead));
    }
    std::string Expected(size_t from, size_t n) const { return m_bytes.substr(from, n); }

    ScratchDir m_dir;
    std::string m_path, m_bytes;
    CFile m_file;
};

} // namespace

TEST(File, OpenOfMissingFileIsFileNotFound) {
    ScratchDir dir;
    std::string path = dir.File("assente.dxf");
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(path.c_str(), CFile::modeRead, &e));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(e.m_strFileName, path.c_str());
    EXPECT_EQ(e.GetErrorMessage(), (path + " non trovato.").c_str());
    EXPECT_FALSE(FileExists(path));
}

TEST(File, OpenInMissingFolderIsBadPath) {
    ScratchDir dir;
    EXPECT_EQ(OpenCause(dir.File("manca/a.dxf"), CFile::modeRead), CFileException::badPath);
    EXPECT_EQ(OpenCause(dir.File("manca/a.csv"), kCreate), CFileException::badPath);
}

TEST(File, OpenBelowAFileIsBadPath) {
    ScratchDir dir;
    WriteWholeFile(dir.File("a"), "x");
    EXPECT_EQ(OpenCause(dir.File("a/b"), CFile::modeRead), CFileException::badPath);
}

TEST(File, OpenOfAFolderIsAccessDenied) {
    ScratchDir dir;
    EXPECT_EQ(OpenCause(dir.Path(), CFile::modeRead), CFileException::accessDenied);
    EXPECT_EQ(OpenCause(dir.Path(), kCreate), CFileException::accessDenied);
}

TEST(File, OpenWithoutPermissionIsAccessDenied) {
    ScratchDir dir;
    namespace fs = std::filesystem;
    fs::permissions(dir.Path(), fs::perms::all, fs::perm_options::replace);
    std::string path = dir.File("segreto.dxf");
    WriteWholeFile(path, "contenuto");
    fs::permissions(path, fs::perms::none, fs::perm_options::replace);
    int cause = WithPermissionBits([&] { return OpenCause(path, CFile::modeRead); });
    if (cause < 0) GTEST_SKIP() << "running as root and no unprivileged user to switch to";
    EXPECT_EQ(cause, CFileException::accessDenied);
}

TEST(File, FailedCreateLeavesTheExistingFileAsItWas) {
    ScratchDir dir;
    namespace fs = std::filesystem;
    fs::permissions(dir.Path(), fs::perms::all, fs::perm_options::replace);
    std::string path = dir.File("sola-lettura.csv");
    WriteWholeFile(path, "contenuto\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
    int cause = WithPermissionBits([&] { return OpenCause(path, kCreate); });
    if (cause < 0) GTEST_SKIP() << "running as root and no unprivileged user to switch to";
    EXPECT_EQ(cause, CFileException::accessDenied);
    EXPECT_EQ(ReadWholeFile(path), "contenuto\n");
}

TEST(File, CreateMakesANewEmptyFile) {
    ScratchDir dir;
    std::string path = dir.File("nuovo.csv");
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), kCreate));
        EXPECT_EQ(f.GetLength(), 0u);
        EXPECT_EQ(f.GetFilePath(), path.c_str());
    }
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadWholeFile(path), "");
}

TEST(File, CreateEmptiesAnExistingFile) {
    ScratchDir dir;
    std::string path = dir.File("vecchio.csv");
    WriteWholeFile(path, "earlier contents, longer than the new ones\n");
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), kCreate));
        f.Write("new\n", 4);
    }
    EXPECT_EQ(ReadWholeFile(path), "new\n");
}

TEST(File, WritesFollowThePosition) {
    ScratchDir dir;
    std::string path = dir.File("w.bin");
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), kCreate));
        f.Write("abc", 3);
        f.Write("def", 3);
        EXPECT_EQ(f.GetPosition(), 6u);
        EXPECT_EQ(f.GetLength(), 6u);
        EXPECT_EQ(f.Seek(1, CFile::begin), 1u);
        f.Write("X", 1);
        EXPECT_EQ(f.GetPosition(), 2u);
        f.SeekToEnd();
        f.Write("!", 1);
        f.Write("", 0);
    }
    EXPECT_EQ(ReadWholeFile(path), "aXcdef!");
}

TEST(File, WriteToAFullDiskIsDiskFullNamingTheFile) {
    CFile f;
    ASSERT_TRUE(f.Open("/dev/full", kCreate));
    try {
        f.Write("0.000000e+000\n", 14);
        f.Close(); // at the latest, the bytes still in the buffer fail here
        FAIL() << "the write did not fail";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_strFileName, "/dev/full");
        EXPECT_EQ(e.GetErrorMessage(), "Disco pieno durante l'accesso a /dev/full.");
    }
}

TEST(File, WriteToAFileOpenForReadingThrows) {
    ScratchDir dir;
    std::string path = dir.File("r.txt");
    WriteWholeFile(path, "abc");
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
    EXPECT_THROW(
        {
            f.Write("x", 1);
            f.Flush();
        },
        CFileException);
    EXPECT_EQ(ReadWholeFile(path), "abc");
}

TEST(File, WriteLargerThanTheBufferFailsAtOnce) {
    CFile f;
    ASSERT_TRUE(f.Open("/dev/full", kCreate));
    const std::string big(1 << 17, 'x');
    EXPECT_THROW(f.Write(big.data(), static_cast<UINT>(big.size())), CFileException);
}

TEST(File, SmallWritesReachTheFileAtClose) {
    ScratchDir dir;
    const std::string path = dir.File("w.txt");
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), kCreate));
    std::string expected;
    for (int i = 0; i < 20000; ++i) { // crosses the buffer several times
        const std::string line = std::to_string(i) + "\n";
        f.Write(line.data(), static_cast<UINT>(line.size()));
        expected += line;
    }
    EXPECT_EQ(f.GetPosition(), expected.size());
    EXPECT_EQ(f.GetLength(), expected.size());
    f.Write("end\n", 4);
    f.Close();
    EXPECT_EQ(ReadWholeFile(path), expected + "end\n");
}

TEST(File, CloseReleasesTheDescriptorWhenTheLastBytesFail) {
    const int nBefore = OpenDescriptorCount();
    {
        CFile f;
        ASSERT_TRUE(f.Open("/dev/full", kCreate));
        f.Write("abc", 3);
        EXPECT_THROW(f.Close(), CFileException);
        EXPECT_FALSE(f.IsOpen());
    }
    EXPECT_EQ(OpenDescriptorCount(), nBefore);
}

TEST(File, OperationsOnAClosedFileThrowInvalidFile) {
    CFile f;
    char c;
    try {
        f.Read(&c, 1);
        FAIL() << "the read did not fail";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::invalidFile);
    }
    EXPECT_THROW(f.Seek(0, CFile::begin), CFileException);
    EXPECT_THROW(f.GetLength(), CFileException);
    EXPECT_THROW(f.Write("x", 1), CFileException);
}

TEST_F(FileWithPattern, LengthAndStartingPosition) {
    EXPECT_EQ(m_file.GetLength(), 200000u);
    EXPECT_EQ(m_file.GetPosition(), 0u);
    EXPECT_EQ(m_file.GetFilePath(), m_path.c_str());
}

TEST_F(FileWithPattern, ReadsInSequenceAcrossTheBufferBoundary) {
    EXPECT_EQ(ReadString(m_file, 65000), Expected(0, 65000));
    EXPECT_EQ(ReadString(m_file, 1000), Expected(65000, 1000));
    EXPECT_EQ(m_file.GetPosition(), 66000u);
    EXPECT_EQ(ReadString(m_file, 500), Expected(66000, 500));
}

TEST_F(FileWithPattern, OneReadLargerThanTheBuffer) {
    m_file.Seek(3, CFile::begin);
    EXPECT_EQ(ReadString(m_file, 199990), Expected(3, 199990));
    EXPECT_EQ(m_file.GetPosition(), 199993u);
}

TEST_F(FileWithPattern, SeeksBackwardsAndForwards) {
    EXPECT_EQ(ReadString(m_file, 500), Expected(0, 500));
    EXPECT_EQ(m_file.Seek(10, CFile::begin), 10u);
    EXPECT_EQ(ReadString(m_file, 5), Expected(10, 5));
    EXPECT_EQ(m_file.Seek(150000, CFile::begin), 150000u);
    EXPECT_EQ(ReadString(m_file, 1000), Expected(150000, 1000));
    EXPECT_EQ(m_file.Seek(-100000, CFile::current), 51000u);
    EXPECT_EQ(ReadString(m_file, 20000), Expected(51000, 20000));
    EXPECT_EQ(m_file.Seek(-7, CFile::current), 70993u);
    EXPECT_EQ(ReadString(m_file, 7), Expected(70993, 7));
    EXPECT_EQ(m_file.Seek(65530, CFile::begin), 65530u);
    EXPECT_EQ(ReadString(m_file, 12), Expected(65530, 12));
}

TEST_F(FileWithPattern, ReadsAtAndPastTheEndReturnZero) {
    EXPECT_EQ(m_file.Seek(-10, CFile::end), 199990u);
    EXPECT_EQ(ReadString(m_file, 20), Expected(199990, 10));
    EXPECT_EQ(m_file.GetPosition(), 200000u);
    char c = 'z';
    EXPECT_EQ(m_file.Read(&c, 1), 0u);
    EXPECT_EQ(c, 'z');
    EXPECT_EQ(m_file.Seek(300000, CFile::begin), 300000u);
    EXPECT_EQ(m_file.Read(&c, 1), 0u);
    EXPECT_EQ(m_file.GetPosition(), 300000u);
    // Back inside, the file reads again.
    m_file.SeekToBegin();
    EXPECT_EQ(ReadString(m_file, 4), Expected(0, 4));
}

TEST_F(FileWithPattern, SeekBeforeTheStartIsBadSeek) {
    m_file.Seek(100, CFile::begin);
    try {
        m_file.Seek(-101, CFile::current);
        FAIL() << "the seek did not fail";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::badSeek);
    }
    EXPECT_EQ(m_file.GetPosition(), 100u);
}

TEST_F(FileWithPattern, ReadInPlaceHandsOutTheBytes) {
    m_file.Seek(65000, CFile::begin);
    UINT nRead = 0;
    const char* p = m_file.ReadInPlace(1000, nRead);
    ASSERT_EQ(nRead, 1000u);
    EXPECT_EQ(std::string(p, nRead), Expected(65000, 1000));
    EXPECT_EQ(m_file.GetPosition(), 66000u);
    p = m_file.ReadInPlace(500, nRead);
    ASSERT_EQ(nRead, 500u);
    EXPECT_EQ(std::string(p, nRead), Expected(66000, 500));
}

TEST_F(FileWithPattern, ReadInPlaceGivesAtMostOneBufferAndStopsAtTheEnd) {
    UINT nRead = 0;
    const char* p = m_file.ReadInPlace(100000, nRead);
    ASSERT_EQ(nRead, 65536u);
    EXPECT_EQ(std::string(p, nRead), Expected(0, 65536));
    m_file.Seek(199999, CFile::begin);
    p = m_file.ReadInPlace(10, nRead);
    ASSERT_EQ(nRead, 1u);
    EXPECT_EQ(p[0], m_bytes[199999]);
    m_file.ReadInPlace(10, nRead);
    EXPECT_EQ(nRead, 0u);
}

TEST_F(FileWithPattern, ReopenClosesTheFirstFile) {
    int nBefore = OpenDescriptorCount();
    ASSERT_TRUE(m_file.Open(m_path.c_str(), CFile::modeRead));
    EXPECT_EQ(OpenDescriptorCount(), nBefore);
    EXPECT_EQ(m_file.GetPosition(), 0u);
    EXPECT_EQ(ReadString(m_file, 3), Expected(0, 3));
}

TEST(File, DestructorAndCloseReleaseTheDescriptor) {
    ScratchDir dir;
    std::string path = dir.File("a.txt");
    WriteWholeFile(path, "abc");
    int nBefore = OpenDescriptorCount();
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
        EXPECT_EQ(OpenDescriptorCount(), nBefore + 1);
    }
    EXPECT_EQ(OpenDescriptorCount(), nBefore);
    CFile g;
    ASSERT_TRUE(g.Open(path.c_str(), CFile::modeRead));
    g.Close();
    EXPECT_FALSE(g.IsOpen());
    EXPECT_EQ(OpenDescriptorCount(), nBefore);
    g.Close();
    EXPECT_EQ(OpenDescriptorCount(), nBefore);
}

TEST(File, FailedOpenLeavesNoDescriptorBehind) {
    ScratchDir dir;
    int nBefore = OpenDescriptorCount();
    CFile f;
    EXPECT_FALSE(f.Open(dir.Path().c_str(), CFile::modeRead));
    EXPECT_FALSE(f.Open(dir.File("missing").c_str(), CFile::modeRead));
    EXPECT_EQ(OpenDescriptorCount(), nBefore);
}

TEST(File, WrappedHandleStaysOpen) {
    ScratchDir dir;
    std::string path = dir.File("a.txt");
    WriteWholeFile(path, "abc");
    int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    {
        CFile f(fd, "wrapped");
        char buf[3];
        EXPECT_EQ(f.Read(buf, 3), 3u);
        EXPECT_EQ(std::string(buf, 3), "abc");
    }
    EXPECT_NE(fcntl(fd, F_GETFD), -1);
    ::close(fd);
}
