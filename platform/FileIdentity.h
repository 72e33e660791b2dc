// Whether two paths name one file: the same file under another name, through a symbolic link or
// as a hard link of it. The system's own identity of each file is compared, never the strings,
// which differ for all of these.
#pragma once

// True when both paths name existing files and these are one file. A path that names nothing
// yet (a file still to be made) is the same as no other.
bool IsSameFile(const char* pszPath1, const char* pszPath2);
