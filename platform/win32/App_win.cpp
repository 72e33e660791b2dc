// The application on Win32: the entry routine, the application's name, resources, message
// boxes and the hourglass.
#include "Win32.h"

#include "App.h"

#include <cstdlib>

namespace {

// The executable's file name without folder and extension.
CString ModuleBaseName() {
    char szPath[MAX_PATH + 1] = {};
    const DWORD dwLength = GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    CString path(szPath, static_cast<int>(dwLength));
    int nName = 0, nDot = -1;
    for (int i = 0; i < path.GetLength(); ++i) {
        if (path[i] == '\\' || path[i] == '/') {
            nName = i + 1;
            nDot = -1;
        } else if (path[i] == '.') {
            nDot = i;
        }
    }
    return path.Mid(nName, (nDot >= 0 ? nDot : path.GetLength()) - nName);
}

HCURSOR g_hCursorBeforeWait = nullptr;

} // namespace

HINSTANCE AfxGetResourceHandle() {
    return GetModuleHandleA(nullptr);
}

HWND AfxGetOwnerWindow(const CWnd* pParent, const CWnd* pSelf) {
    if (pParent && pParent->m_hWnd) return pParent->m_hWnd;
    // Like the framework: a window without a parent of its own belongs to the main window,
    // which stays disabled while it runs.
    const CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd && pApp->m_pMainWnd != pSelf) return pApp->m_pMainWnd->m_hWnd;
    return nullptr;
}

void CWinApp::BeginWaitCursor() {
    if (m_nWaitCursorCount++ == 0) g_hCursorBeforeWait = GetCursor();
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void CWinApp::EndWaitCursor() {
    if (m_nWaitCursorCount == 0) return;
    if (--m_nWaitCursorCount == 0)
        SetCursor(g_hCursorBeforeWait ? g_hCursorBeforeWait : LoadCursorA(nullptr, IDC_ARROW));
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

BOOL AfxLoadString(UINT nID, CString& str) {
    char szBuffer[256] = {};
    const int nLength = LoadStringA(AfxGetResourceHandle(), nID, szBuffer, sizeof szBuffer);
    str = CString(szBuffer, nLength);
    return nLength > 0;
}

int AfxMessageBox(const char* lpszText, UINT nType, UINT) {
    const CWinApp* pApp = AfxGetApp();
    const CString caption =
        pApp && !pApp->m_strAppName.IsEmpty() ? pApp->m_strAppName : ModuleBaseName();
    // Owned by the window the user is working in, which stays disabled while the box is up.
    return MessageBoxA(GetActiveWindow(), lpszText, caption, nType | MB_OK);
}

int AfxWinMain(int, char**) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return -1;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    if (pApp->m_strAppName.IsEmpty()) pApp->m_strAppName = ModuleBaseName();
    // The program's InitInstance returns FALSE: no message loop, the process ends.
    pApp->InitInstance();
    return pApp->ExitInstance();
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return AfxWinMain(__argc, __argv);
}
