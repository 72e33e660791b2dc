#include "TrevanoApp.h"

#include "TrevanoDlg.h"

// clang-format off
BEGIN_MESSAGE_MAP(CTrevanoApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()
// clang-format on

CTrevanoApp theApp;

BOOL CTrevanoApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    {
        CTrevanoDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    // No message loop follows: the program ends with its dialog.
    return FALSE;
}
