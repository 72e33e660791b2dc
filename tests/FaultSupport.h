// Helpers for the tests of failing files: children that run as another user, a small file
// system that fills up, a drawing of several gigabytes.
#pragma once

#include <functional>
#include <string>

// Runs fn in a child process and returns the text it returned; pnStatus gets the child's exit
// status, 128 + the signal when one ended it. When running as root, the child becomes "nobody"
// (65534) first, so that permission bits count.
std::string RunInChild(const std::function<std::string()>& fn, int* pnStatus = nullptr);

// A tmpfs of nBytes, writable by everyone, mounted on a new folder and unmounted again at the
// end. Mounting needs root and a system that allows it; Reason() says why it is not mounted.
class SmallFileSystem {
public:
    SmallFileSystem(const std::string& mountPoint, long long nBytes);
    ~SmallFileSystem();
    bool Mounted() const { return m_reason.empty(); }
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_mountPoint, m_reason;
};

// A drawing of several GB that is mostly a hole: a polyline at x 5 with two vertices, zero
// bytes up to 4.5 GiB (past what 32 bits can count), then a polyline at x 1 with three vertices
// behind a comment long enough for a search chunk to start inside it. It lies on a tmpfs of its
// own when one can be mounted: ext4 fills the page cache with zero pages on the first read of
// a hole, ten times slower than tmpfs, which hands out its one zero page.
class SparseDrawing {
public:
    explicit SparseDrawing(const std::string& folder);
    // False, with the reason, when the file system cannot hold such a file without writing it.
    bool Ready() const { return m_reason.empty(); }
    const std::string& Reason() const { return m_reason; }
    const std::string& Path() const { return m_path; }
    static constexpr long long kTailAt = 9LL << 29;

private:
    SmallFileSystem m_fileSystem;
    std::string m_path, m_reason;
};
