// A file's identity on POSIX: its device and its inode, as stat gives them through any link.
#include "FileIdentity.h"

#include <sys/stat.h>

bool IsSameFile(const char* pszPath1, const char* pszPath2) {
    struct stat st1, st2;
    if (stat(pszPath1, &st1) != 0 || stat(pszPath2, &st2) != 0) return false;
    return st1.st_dev == st2.st_dev && st1.st_ino == st2.st_ino;
}
