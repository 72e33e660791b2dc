// Modal dialogs on Win32: DialogBoxParamA on the templates of the resources, and a dialog
// procedure that hands every message to the message map.
#include "Win32.h"

#include "Dialog.h"
#include "DialogStyles.h"

// The templates are read as data on the other platforms through these names.
static_assert(kStylePopup == WS_POPUP);
static_assert(kStyleChild == WS_CHILD);
static_assert(kStyleVisible == WS_VISIBLE);
static_assert(kStyleDisabled == WS_DISABLED);
static_assert(kStyleCaption == WS_CAPTION);
static_assert(kStyleBorder == WS_BORDER);
static_assert(kStyleSysMenu == WS_SYSMENU);
static_assert(kStyleThickFrame == WS_THICKFRAME);
static_assert(kStyleGroup == WS_GROUP && kStyleGroup == WS_MINIMIZEBOX);
static_assert(kStyleTabStop == WS_TABSTOP && kStyleTabStop == WS_MAXIMIZEBOX);
static_assert(kExStyleAppWindow == WS_EX_APPWINDOW);
static_assert(kDialogStyleSetFont == DS_SETFONT);
static_assert(kDialogStyleModalFrame == DS_MODALFRAME);
static_assert(kDialogStyleCenter == DS_CENTER);
static_assert(kButtonTypeMask == BS_TYPEMASK);
static_assert(kButtonStylePushButton == BS_PUSHBUTTON);
static_assert(kButtonStyleDefPushButton == BS_DEFPUSHBUTTON);
static_assert(kButtonStyleGroupBox == BS_GROUPBOX);
static_assert(kEditStyleLeft == ES_LEFT);
static_assert(kEditStyleMultiLine == ES_MULTILINE);
static_assert(kEditStyleAutoHScroll == ES_AUTOHSCROLL);
static_assert(kEditStyleReadOnly == ES_READONLY);
static_assert(kStaticTypeMask == SS_TYPEMASK);
static_assert(kStaticStyleLeft == SS_LEFT);
static_assert(kStaticStyleIcon == SS_ICON);
static_assert(kStaticStyleBitmap == SS_BITMAP);
static_assert(kStaticStyleNoPrefix == SS_NOPREFIX);

namespace {

// Messages whose answer is the dialog procedure's own return value rather than
// DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* pDialog = nullptr;
    if (message == WM_INITDIALOG) {
        pDialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        pDialog->m_hWnd = hWnd;
    } else {
        pDialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hWnd, DWLP_USER));
    }
    if (!pDialog) return FALSE; // the messages before WM_INITDIALOG

    // Messages nest (a handler sends one, or opens a modal box): each keeps its own answer.
    CWndImpl& impl = *pDialog->m_pImpl;
    const bool bOuterDefault = impl.m_bDefault;
    impl.m_bDefault = false;
    const LRESULT lResult = pDialog->WindowProc(message, wParam, lParam);
    const bool bDefault = impl.m_bDefault;
    impl.m_bDefault = bOuterDefault;

    if (bDefault) return FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(lResult);
    SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}

} // namespace

INT_PTR CDialog::DoModal() {
    CWndImpl* pOuterImpl = m_pImpl;
    CWndImpl impl;
    m_pImpl = &impl;
    m_nModalResult = -1;
    const INT_PTR nResult = DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                            AfxGetOwnerWindow(m_pParentWnd, this), DialogProc,
                                            reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    m_pImpl = pOuterImpl;
    return nResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_hWnd) ::EndDialog(m_hWnd, nResult);
}
