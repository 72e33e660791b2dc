// The Win32 headers as the back end sees them, included before any framework header. The
// framework's members share names with the system's A/W macros (SendMessage, LoadIcon, ...);
// those macros go, so that a member is the same symbol here as in the portable code, and the
// back end calls the A functions by their own names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#undef AppendMenu
#undef DefWindowProc
#undef GetDlgItemText
#undef LoadIcon
#undef SendMessage
#undef SetDlgItemText
#undef SetWindowText

// The framework's GetSystemMetrics is its own function to the portable code, which never sees
// windows.h (Metrics_win.cpp defines it); here the name is the system's, redeclared.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
#include "Window.h"
#pragma GCC diagnostic pop

// What the back end keeps for one window while it exists.
class CWndImpl {
public:
    // Set when the message being handled goes on to the dialog manager's own processing.
    bool m_bDefault = false;
    PAINTSTRUCT m_paint{};
    CMenu m_sysMenu;
};

// The module whose resources the program uses: the executable.
HINSTANCE AfxGetResourceHandle();
// The window that owns a new modal window: the given one, else the active main window.
HWND AfxGetOwnerWindow(const CWnd* pParent, const CWnd* pSelf);
// The system's GetSystemMetrics, for the framework's function of the same name.
int AfxSystemMetrics(int nIndex);
