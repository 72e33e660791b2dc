// The window framework's types and constants, with the values and types of the Win32 headers,
// so that the program's own code reads the same on every platform. A Windows back end file
// includes <windows.h> before any framework header; the guards then leave its definitions be.
#pragma once

#include "Types.h"

#if defined(_WIN64)
typedef unsigned long long WPARAM;
typedef long long LPARAM;
typedef long long LRESULT;
typedef long long INT_PTR;
typedef unsigned long long UINT_PTR;
#elif defined(_WIN32)
typedef unsigned int WPARAM;
typedef long LPARAM;
typedef long LRESULT;
typedef int INT_PTR;
typedef unsigned int UINT_PTR;
#else
typedef unsigned long WPARAM;
typedef long LPARAM;
typedef long LRESULT;
typedef long INT_PTR;
typedef unsigned long UINT_PTR;
#endif
typedef unsigned long DWORD;

// Handles are opaque; each back end says what stands behind them.
typedef struct HWND__* HWND;
typedef struct HICON__* HICON;
typedef HICON HCURSOR;
typedef struct HDC__* HDC;
typedef struct HMENU__* HMENU;

#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif
#ifndef MB_OK
#define MB_OK 0x00000000L
#endif
#ifndef MB_ICONSTOP
#define MB_ICONSTOP 0x00000010L
#endif
#ifndef MB_ICONEXCLAMATION
#define MB_ICONEXCLAMATION 0x00000030L
#endif
#ifndef MB_ICONMASK
#define MB_ICONMASK 0x000000F0L
#endif
#ifndef MB_SYSTEMMODAL
#define MB_SYSTEMMODAL 0x00001000L
#endif
#ifndef MF_STRING
#define MF_STRING 0x00000000L
#endif
#ifndef MF_SEPARATOR
#define MF_SEPARATOR 0x00000800L
#endif
#ifndef SC_CLOSE
#define SC_CLOSE 0xF060
#endif
#ifndef ICON_SMALL
#define ICON_SMALL 0
#endif
#ifndef ICON_BIG
#define ICON_BIG 1
#endif
#ifndef WM_PAINT
#define WM_PAINT 0x000F
#endif
#ifndef WM_ICONERASEBKGND
#define WM_ICONERASEBKGND 0x0027
#endif
#ifndef WM_QUERYDRAGICON
#define WM_QUERYDRAGICON 0x0037
#endif
#ifndef WM_SETICON
#define WM_SETICON 0x0080
#endif
#ifndef WM_COMMAND
#define WM_COMMAND 0x0111
#endif
#ifndef WM_SYSCOMMAND
#define WM_SYSCOMMAND 0x0112
#endif
#ifndef BN_CLICKED
#define BN_CLICKED 0
#endif
#ifndef SM_CXICON
#define SM_CXICON 11
#endif
#ifndef SM_CYICON
#define SM_CYICON 12
#endif
#ifndef OFN_OVERWRITEPROMPT
#define OFN_OVERWRITEPROMPT 0x00000002
#endif
#ifndef OFN_HIDEREADONLY
#define OFN_HIDEREADONLY 0x00000004
#endif
#ifndef OFN_FILEMUSTEXIST
#define OFN_FILEMUSTEXIST 0x00001000
#endif
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
