// Numeric resource ids shared by the C++ code and the resource compiler.
// Plain #defines only: the resource compiler's preprocessor reads this file too.
#ifndef TREVANO_RES_RESOURCE_H
#define TREVANO_RES_RESOURCE_H

#define IDM_ABOUTBOX 0x0010 // system-menu command of the about item
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_TREVANO_DIALOG 102
#define IDR_MAINFRAME 128
#define IDB_EMBLEM 140
#define IDC_POLYLINE_COUNT 1000
#define IDC_LOAD_DXF 1002
#define IDC_EXPORT_SECTIONS_DAT 1003
#define IDC_EXPORT_POINT_LIST 1004
#define IDC_EXPORT_SECTIONS_CSV 1005
#define IDC_INFO 1006
#define IDC_POINT_COUNT 1007

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
