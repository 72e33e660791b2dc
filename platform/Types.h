// Integer and flag types in the spelling the framework uses.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef std::int32_t INT32;
typedef std::uint32_t UINT;
typedef std::int64_t LONGLONG;
typedef std::uint64_t ULONGLONG;
typedef const char* LPCTSTR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
