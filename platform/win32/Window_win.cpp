// Windows on Win32: the calls the portable window code makes on a real window.
#include "Win32.h"

#include "App.h"
#include "Dialog.h"

CWnd::~CWnd() {
    delete m_pImpl;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) {
    HMENU hMenu = ::GetSystemMenu(m_hWnd, bRevert);
    if (!hMenu || !m_pImpl) return nullptr;
    m_pImpl->m_sysMenu.m_hMenu = hMenu;
    return &m_pImpl->m_sysMenu;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(SendMessageA(
        m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(CRect* pRect) const {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    pRect->left = rc.left;
    pRect->top = rc.top;
    pRect->right = rc.right;
    pRect->bottom = rc.bottom;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetDlgItemText(int nID, const char* lpszString) {
    ::SetDlgItemTextA(m_hWnd, nID, lpszString);
}

CString CWnd::GetDlgItemText(int nID) const {
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (!hItem) return CString();
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hItem)) + 1, '\0');
    const int nLength = GetWindowTextA(hItem, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(nLength > 0 ? nLength : 0));
    return CString(std::move(text));
}

void CWnd::SetWindowText(const char* lpszString) {
    ::SetWindowTextA(m_hWnd, lpszString);
}

// A dialog's default processing is the dialog manager's: the dialog procedure answers FALSE.
// The framework's own handling of a dialog's standard messages comes first.
LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (CDialog* pDialog = dynamic_cast<CDialog*>(this)) {
        if (message == WM_INITDIALOG) return pDialog->OnInitDialog();
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == IDOK) {
                pDialog->OnOK();
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                pDialog->OnCancel();
                return 0;
            }
        }
    }
    if (m_pImpl) m_pImpl->m_bDefault = true;
    (void)lParam;
    return 0;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {
    m_hDC = ::BeginPaint(pWnd->m_hWnd, &pWnd->m_pImpl->m_paint);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_pWnd->m_hWnd, &m_pWnd->m_pImpl->m_paint);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON hIcon) {
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

int AfxSystemMetrics(int nIndex) {
    return ::GetSystemMetrics(nIndex);
}
