// The file layer on Win32: GetLastError mapped to the causes of the file exception. Paths are
// 8-bit strings in the process code page, which the manifest makes UTF-8.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "File.h"

namespace {

HANDLE AsHandle(std::intptr_t hFile) {
    return reinterpret_cast<HANDLE>(hFile);
}

int CauseFromLastError(DWORD dwError) {
    switch (dwError) {
    case NO_ERROR:
        return CFileException::none;
    case ERROR_FILE_NOT_FOUND:
        return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
        return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
        return CFileException::accessDenied;
    case ERROR_INVALID_HANDLE:
        return CFileException::invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return CFileException::removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return CFileException::directoryFull;
    case ERROR_NEGATIVE_SEEK:
        return CFileException::badSeek;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return CFileException::lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return CFileException::diskFull;
    case ERROR_HANDLE_EOF:
        return CFileException::endOfFile;
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_CRC:
    case ERROR_BAD_LENGTH:
    case ERROR_SEEK:
    case ERROR_NOT_DOS_DISK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_WRONG_DISK:
    case ERROR_IO_DEVICE:
        return CFileException::hardIO;
    default:
        return CFileException::genericException;
    }
}

} // namespace

bool CFile::OsFail(OsError& err) {
    const DWORD dwError = GetLastError();
    err.code = static_cast<long>(dwError);
    err.cause = CauseFromLastError(dwError);
    return false;
}

bool CFile::OsOpen(const char* pszFileName, UINT nOpenFlags, std::intptr_t& hFile, OsError& err) {
    const bool bWrite = (nOpenFlags & modeWrite) != 0;
    const DWORD dwAccess = bWrite ? GENERIC_WRITE : GENERIC_READ;
    // A file being written is nobody else's until it is closed; one being read may be read by
    // others at the same time.
    const DWORD dwShare = bWrite ? 0 : FILE_SHARE_READ;
    const DWORD dwCreation = (nOpenFlags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder never opens, which is ERROR_ACCESS_DENIED.
    HANDLE h = CreateFileA(pszFileName, dwAccess, dwShare, nullptr, dwCreation,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return OsFail(err);
    hFile = reinterpret_cast<std::intptr_t>(h);
    return true;
}

bool CFile::OsOpenTemporary(std::intptr_t& hFile, OsError& err) {
    char szFolder[MAX_PATH + 1], szPath[MAX_PATH + 1];
    const DWORD nFolder = GetTempPathA(sizeof szFolder, szFolder);
    if (nFolder == 0 || nFolder > sizeof szFolder) return OsFail(err);
    if (!GetTempFileNameA(szFolder, "tmp", 0, szPath)) return OsFail(err);
    // The system removes it when the handle closes, also when the process ends abruptly.
    HANDLE h = CreateFileA(szPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        OsFail(err);
        DeleteFileA(szPath);
        return false;
    }
    hFile = reinterpret_cast<std::intptr_t>(h);
    return true;
}

bool CFile::OsDuplicateReader(std::intptr_t hFile, std::intptr_t& hCopy) {
    HANDLE h = AsHandle(hFile);
    if (GetFileType(h) != FILE_TYPE_DISK) return false;
    HANDLE hProcess = GetCurrentProcess();
    HANDLE hDuplicate = nullptr;
    if (!DuplicateHandle(hProcess, h, hProcess, &hDuplicate, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return false;
    hCopy = reinterpret_cast<std::intptr_t>(hDuplicate);
    return true;
}

bool CFile::OsRead(std::intptr_t hFile, ULONGLONG nOffset, void* p, UINT n, UINT& nRead,
                   OsError& err) {
    HANDLE h = AsHandle(hFile);
    DWORD dwRead = 0;
    if (GetFileType(h) == FILE_TYPE_DISK) {
        // The offset goes with the read, not through the handle's file pointer, which a second
        // reader of the file (a duplicate handle, on another thread) shares.
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(nOffset);
        at.OffsetHigh = static_cast<DWORD>(nOffset >> 32);
        if (!ReadFile(h, p, n, &dwRead, &at) && GetLastError() != ERROR_HANDLE_EOF)
            return OsFail(err);
        nRead = static_cast<UINT>(dwRead);
        return true;
    }
    // A pipe or a console has no position: read it in order.
    if (!ReadFile(h, p, n, &dwRead, nullptr)) {
        if (GetLastError() == ERROR_BROKEN_PIPE) { // the writer is gone: the end of the input
            nRead = 0;
            return true;
        }
        return OsFail(err);
    }
    nRead = static_cast<UINT>(dwRead);
    return true;
}

bool CFile::OsWrite(std::intptr_t hFile, const void* p, UINT n, UINT& nWritten, OsError& err) {
    DWORD dwWritten = 0;
    if (!WriteFile(AsHandle(hFile), p, n, &dwWritten, nullptr)) return OsFail(err);
    nWritten = static_cast<UINT>(dwWritten);
    return true;
}

bool CFile::OsSeek(std::intptr_t hFile, ULONGLONG nOffset, OsError& err) {
    LARGE_INTEGER where;
    where.QuadPart = static_cast<LONGLONG>(nOffset);
    if (!SetFilePointerEx(AsHandle(hFile), where, nullptr, FILE_BEGIN)) return OsFail(err);
    return true;
}

bool CFile::OsLength(std::intptr_t hFile, ULONGLONG& nLength, OsError& err) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(AsHandle(hFile), &size)) return OsFail(err);
    nLength = static_cast<ULONGLONG>(size.QuadPart);
    return true;
}

void CFile::OsClose(std::intptr_t hFile) {
    CloseHandle(AsHandle(hFile));
}
