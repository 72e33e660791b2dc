// The window framework's shared half: message maps, data exchange, the dialog defaults, the
// file dialog's filter and extension rules, and how errors that escape a command are shown.
#include "App.h"
#include "Dialog.h"
#include "FileDialog.h"
#include "FileException.h"

#include <cstdlib>
#include <new>

const AFX_MSGMAP CCmdTarget::messageMap = {
    nullptr, []() {
        static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, AfxSig_vv, nullptr}};
        return entries;
    }()};

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const {
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pBaseMap)
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nMessage != 0; ++p)
            if (p->nMessage == nMessage && p->nCode == nCode && p->nID == nID) return p;
    return nullptr;
}

// --- CWnd -----------------------------------------------------------------------------------

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    UINT nCode = 0, nID = 0;
    if (message == WM_COMMAND) {
        nID = static_cast<UINT>(wParam & 0xFFFF);
        nCode = static_cast<UINT>((wParam >> 16) & 0xFFFF);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message, nCode, nID);
    if (!pEntry) return FALSE;
    *pResult = 0;
    switch (pEntry->nSig) {
    case AfxSig_vv:
        (this->*pEntry->pfn)();
        break;
    case AfxSig_vwl:
        (this->*AfxFromMessageHandler<void (CWnd::*)(UINT, LPARAM)>(pEntry->pfn))(
            static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_hv:
        *pResult = reinterpret_cast<LRESULT>(
            (this->*AfxFromMessageHandler<HCURSOR (CWnd::*)()>(pEntry->pfn))());
        break;
    }
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const CurrentMessage previous = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    try {
        if (!OnWndMsg(message, wParam, lParam, &result))
            result = DefWindowProc(message, wParam, lParam);
    } catch (const CMemoryException&) {
        AfxReportOutOfMemory();
    } catch (const std::bad_alloc&) {
        AfxReportOutOfMemory();
    } catch (const CException& e) {
        AfxReportException(e);
    }
    m_current = previous;
    return result;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}

void CWnd::OnPaint() {
    Default();
}

HCURSOR CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(Default());
}

void AfxReportException(const CException& e) {
    AfxMessageBox(e.GetErrorMessage(), MB_ICONSTOP | MB_OK);
}

void AfxReportOutOfMemory() {
    AfxMessageBox(CMemoryException().GetErrorMessage(),
                  MB_ICONEXCLAMATION | MB_SYSTEMMODAL | MB_OK);
}

int CFileException::ReportError(UINT nType) const {
    return AfxMessageBox(GetErrorMessage(), nType | MB_OK);
}

// --- CDialog --------------------------------------------------------------------------------

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void DDX_Text(CDataExchange* pDX, int nIDC, INT32& value) {
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format("%ld", static_cast<long>(value));
        pDX->m_pDlgWnd->SetDlgItemText(nIDC, text);
        return;
    }
    // Read back with the form it was written in: optional blanks, a sign, decimal digits.
    const CString text = pDX->m_pDlgWnd->GetDlgItemText(nIDC);
    const char* p = text.GetString();
    char* pEnd = nullptr;
    long v = std::strtol(p, &pEnd, 10);
    while (pEnd && (*pEnd == ' ' || *pEnd == '\t'))
        ++pEnd;
    if (pEnd == p || *pEnd != '\0' || v < INT32_MIN || v > INT32_MAX) {
        AfxMessageBox("Immettere un intero.", MB_ICONEXCLAMATION | MB_OK);
        pDX->m_bFailed = TRUE;
        return;
    }
    value = static_cast<INT32>(v);
}

// --- CFileDialog ----------------------------------------------------------------------------

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt),
      m_strFileName(lpszFileName), m_dwFlags(dwFlags), m_strFilter(lpszFilter) {}

std::vector<std::pair<CString, CString>> CFileDialog::ParseFilter(const char* lpszFilter) {
    std::vector<std::pair<CString, CString>> pairs;
    if (!lpszFilter) return pairs;
    const CString filter(lpszFilter);
    int nStart = 0;
    for (;;) {
        int nBar1 = filter.Find('|', nStart);
        if (nBar1 <= nStart) break; // "||" or the end: the list is over
        int nBar2 = filter.Find('|', nBar1 + 1);
        if (nBar2 < 0) break;
        pairs.emplace_back(filter.Mid(nStart, nBar1 - nStart),
                           filter.Mid(nBar1 + 1, nBar2 - nBar1 - 1));
        nStart = nBar2 + 1;
    }
    return pairs;
}

CString CFileDialog::AddDefaultExtension(const CString& path, const CString& ext) {
    if (ext.IsEmpty()) return path;
    int nName = 0;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '/' || path[i] == '\\') nName = i + 1;
    if (path.Find('.', nName) >= 0) return path;
    return path + "." + ext;
}

// --- CWinApp --------------------------------------------------------------------------------

namespace {
CWinApp* g_pApp = nullptr;
}

// clang-format off
BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()
// clang-format on

CWinApp::CWinApp(const char* lpszAppName) : m_strAppName(lpszAppName) {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

BOOL CWinApp::Enable3dControlsStatic() {
    return TRUE;
} // controls are three-dimensional anyway

void CWinApp::OnHelp() {}

void AfxEnableControlContainer() {} // no dialog of the program holds an ActiveX control
