// The windows of the framework on Qt: handles, the system menu, icons, control texts, painting,
// and the default processing of the messages the program's dialogs leave to the framework.
#include "App.h"
#include "Dialog.h"
#include "DialogStyles.h"
#include "WindowImpl_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {

// The items a dialog's system menu starts with. A dialog cannot be sized, minimised or
// maximised, and the window manager moves it; what is left is closing it.
void FillDefaultSystemMenu(CMenuImpl& menu) {
    menu.items.clear();
    menu.items.push_back({MF_STRING, SC_CLOSE, QStringLiteral("&Chiudi\tAlt+F4")});
}

QWidget* ControlOf(const CWndImpl* pImpl, int nID) {
    if (!pImpl) return nullptr;
    auto it = pImpl->controls.find(nID);
    return it == pImpl->controls.end() ? nullptr : it->second;
}

} // namespace

QWidget* ModalParentWidget() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (CWinApp* pApp = AfxGetApp(); pApp && pApp->m_pMainWnd)
        if (QWidget* w = WidgetOf(pApp->m_pMainWnd->m_hWnd); w && w->isVisible()) return w;
    return nullptr;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem) {
    auto* pMenu = reinterpret_cast<CMenuImpl*>(m_hMenu);
    if (!pMenu) return FALSE;
    pMenu->items.push_back({nFlags, nIDNewItem, ToQString(lpszNewItem)});
    return TRUE;
}

CWnd::~CWnd() = default;

CMenu* CWnd::GetSystemMenu(BOOL bRevert) {
    if (!m_pImpl || !(m_pImpl->dwStyle & kStyleSysMenu)) return nullptr;
    if (bRevert || !m_pImpl->bSystemMenuReady) {
        FillDefaultSystemMenu(m_pImpl->systemMenuItems);
        m_pImpl->systemMenu.m_hMenu = reinterpret_cast<HMENU>(&m_pImpl->systemMenuItems);
        m_pImpl->bSystemMenuReady = true;
    }
    return bRevert ? nullptr : &m_pImpl->systemMenu;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

BOOL CWnd::IsIconic() const {
    const QWidget* w = WidgetOf(m_hWnd);
    return w && w->isMinimized();
}

void CWnd::GetClientRect(CRect* pRect) const {
    const QWidget* w = WidgetOf(m_hWnd);
    *pRect = CRect{};
    if (!w) return;
    pRect->right = w->width();
    pRect->bottom = w->height();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
}

void CWnd::SetDlgItemText(int nID, const char* lpszString) {
    QWidget* c = ControlOf(m_pImpl, nID);
    const QString text = ToQString(lpszString);
    if (auto* edit = qobject_cast<QLineEdit*>(c))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(c))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(c))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(c))
        group->setTitle(text);
}

CString CWnd::GetDlgItemText(int nID) const {
    QWidget* c = ControlOf(m_pImpl, nID);
    if (auto* edit = qobject_cast<QLineEdit*>(c)) return ToCString(edit->text());
    if (auto* button = qobject_cast<QAbstractButton*>(c)) return ToCString(button->text());
    if (auto* label = qobject_cast<QLabel*>(c)) return ToCString(label->text());
    if (auto* group = qobject_cast<QGroupBox*>(c)) return ToCString(group->title());
    return CString();
}

void CWnd::SetWindowText(const char* lpszString) {
    if (QWidget* w = WidgetOf(m_hWnd)) w->setWindowTitle(ToQString(lpszString));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    auto* pDialog = dynamic_cast<CDialog*>(this);
    switch (message) {
    case WM_COMMAND:
        // A dialog's own buttons: the ones without a map entry end it.
        if (pDialog && (wParam & 0xFFFF) == IDOK) pDialog->OnOK();
        if (pDialog && (wParam & 0xFFFF) == IDCANCEL) pDialog->OnCancel();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & kSysCommandMask) == SC_CLOSE) SendMessage(kMessageClose);
        return 0;
    case kMessageClose:
        // Closing a dialog is pressing its cancel button.
        if (pDialog) SendMessage(WM_COMMAND, IDCANCEL, 0);
        return 0;
    case WM_PAINT:
        if (m_pImpl && m_pImpl->pWidget) m_pImpl->pWidget->PaintDefault();
        return 0;
    case WM_ICONERASEBKGND:
        if (m_pImpl && m_pImpl->pWidget)
            m_pImpl->pWidget->EraseIconBackground(reinterpret_cast<QPainter*>(wParam));
        return 1;
    case WM_SETICON: {
        if (!m_pImpl) return 0;
        HICON& slot = wParam == ICON_BIG ? m_pImpl->hIconBig : m_pImpl->hIconSmall;
        HICON previous = slot;
        slot = reinterpret_cast<HICON>(lParam);
        // Qt keeps one icon per window and picks the size it needs from it.
        HICON shown = m_pImpl->hIconBig ? m_pImpl->hIconBig : m_pImpl->hIconSmall;
        if (m_pImpl->pWidget) m_pImpl->pWidget->setWindowIcon(shown ? *IconOf(shown) : QIcon());
        return reinterpret_cast<LRESULT>(previous);
    }
    default:
        return 0;
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {
    CDialogWidget* w = pWnd->m_pImpl ? pWnd->m_pImpl->pWidget : nullptr;
    // A painter on a widget exists only while the widget handles its paint event.
    if (w && w->IsPainting()) m_hDC = reinterpret_cast<HDC>(new QPainter(w));
}

CPaintDC::~CPaintDC() {
    delete reinterpret_cast<QPainter*>(m_hDC);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON hIcon) {
    auto* painter = reinterpret_cast<QPainter*>(m_hDC);
    if (!painter || !hIcon) return FALSE;
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    painter->drawPixmap(x, y, IconOf(hIcon)->pixmap(cx, cy));
    return TRUE;
}

int GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    default:
        return 0;
    }
}
