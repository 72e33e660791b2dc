// A file's identity on Win32: the serial number of its volume and its file index, as
// GetFileInformationByHandle gives them for the file that a name opens, through any link.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "FileIdentity.h"

namespace {

// False when the name opens nothing. Opening asks for no access and shares everything, so that
// a file another program holds open is still recognised; backup semantics let a folder open.
bool Identify(const char* pszPath, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE h = CreateFileA(pszPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool bKnown = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    return bKnown;
}

} // namespace

bool IsSameFile(const char* pszPath1, const char* pszPath2) {
    BY_HANDLE_FILE_INFORMATION info1, info2;
    if (!Identify(pszPath1, info1) || !Identify(pszPath2, info2)) return false;
    return info1.dwVolumeSerialNumber == info2.dwVolumeSerialNumber &&
           info1.nFileIndexHigh == info2.nFileIndexHigh &&
           info1.nFileIndexLow == info2.nFileIndexLow;
}
