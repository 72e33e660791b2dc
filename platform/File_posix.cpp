// The file layer on POSIX: errno mapped to the causes of the file exception.
#include "File.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A missing file and a missing folder share ENOENT here; Windows tells them apart, and so
// does the user's message, so look at the folder the name would be in.
bool FolderOfExists(const char* pszFileName) {
    std::string path(pszFileName);
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return true;
    std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    struct stat st;
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int CauseFromErrno(int e) {
    switch (e) {
    case 0:
        return CFileException::none;
    case ENOENT:
        return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return CFileException::badPath;
    case EMFILE:
    case ENFILE:
        return CFileException::tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return CFileException::accessDenied;
    case EBADF:
        return CFileException::invalidFile;
    case EINVAL:
    case ESPIPE:
    case EOVERFLOW:
        return CFileException::badSeek;
    case EIO:
    case ENXIO:
        return CFileException::hardIO;
    case ETXTBSY:
    case EBUSY:
        return CFileException::sharingViolation;
    case ENOLCK:
    case EDEADLK:
        return CFileException::lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return CFileException::diskFull;
    default:
        return CFileException::genericException;
    }
}

} // namespace

bool CFile::OsFail(OsError& err) {
    err.code = errno;
    err.cause = CauseFromErrno(errno);
    return false;
}

bool CFile::OsOpen(const char* pszFileName, UINT nOpenFlags, std::intptr_t& hFile, OsError& err) {
    int flags = O_CLOEXEC;
    if (nOpenFlags & modeWrite) {
        flags |= O_WRONLY;
        if (nOpenFlags & modeCreate) flags |= O_CREAT | O_TRUNC;
    } else {
        flags |= O_RDONLY;
    }
    int fd;
    do
        fd = ::open(pszFileName, flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        OsFail(err);
        if (err.code == ENOENT && !FolderOfExists(pszFileName)) err.cause = CFileException::badPath;
        return false;
    }
    // A folder opens for reading here; on Windows it never opens as a file.
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        err.code = EISDIR;
        err.cause = CFileException::accessDenied;
        return false;
    }
    hFile = fd;
    return true;
}

bool CFile::OsOpenTemporary(std::intptr_t& hFile, OsError& err) {
    const char* pszFolder = std::getenv("TMPDIR");
    std::string path = pszFolder && *pszFolder ? pszFolder : "/tmp";
    path += "/.tmpXXXXXX";
    const int fd = mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0) return OsFail(err);
    ::unlink(path.c_str()); // nameless from now on: gone with its last descriptor
    hFile = fd;
    return true;
}

bool CFile::OsDuplicateReader(std::intptr_t hFile, std::intptr_t& hCopy) {
    // pread keeps no shared position: two descriptors of one file read it at once safely.
    struct stat st;
    if (fstat(static_cast<int>(hFile), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const int fd = fcntl(static_cast<int>(hFile), F_DUPFD_CLOEXEC, 0);
    if (fd < 0) return false;
    hCopy = fd;
    return true;
}

bool CFile::OsRead(std::intptr_t hFile, ULONGLONG nOffset, void* p, UINT n, UINT& nRead,
                   OsError& err) {
    ssize_t r;
    do
        r = ::pread(static_cast<int>(hFile), p, n, static_cast<off_t>(nOffset));
    while (r < 0 && errno == EINTR);
    if (r < 0 && errno == ESPIPE) { // a pipe: read in order
        do
            r = ::read(static_cast<int>(hFile), p, n);
        while (r < 0 && errno == EINTR);
    }
    if (r < 0) return OsFail(err);
    nRead = static_cast<UINT>(r);
    return true;
}

bool CFile::OsWrite(std::intptr_t hFile, const void* p, UINT n, UINT& nWritten, OsError& err) {
    ssize_t r;
    do
        r = ::write(static_cast<int>(hFile), p, n);
    while (r < 0 && errno == EINTR);
    if (r < 0) return OsFail(err);
    nWritten = static_cast<UINT>(r);
    return true;
}

bool CFile::OsSeek(std::intptr_t hFile, ULONGLONG nOffset, OsError& err) {
    if (::lseek(static_cast<int>(hFile), static_cast<off_t>(nOffset), SEEK_SET) < 0)
        return OsFail(err);
    return true;
}

bool CFile::OsLength(std::intptr_t hFile, ULONGLONG& nLength, OsError& err) {
    struct stat st;
    if (fstat(static_cast<int>(hFile), &st) != 0) return OsFail(err);
    nLength = static_cast<ULONGLONG>(st.st_size);
    return true;
}

void CFile::OsClose(std::intptr_t hFile) {
    ::close(static_cast<int>(hFile));
}
