#include "TrevanoApp.h"

#include "TrevanoDlg.h"
#include "TrevanoResources.h"

// clang-format off
BEGIN_MESSAGE_MAP(CTrevanoApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()
// clang-format on

CTrevanoApp theApp;

// Before the framework opens a window: a window layer without a resource compiler reads the
// dialogs, the string and the images from this table; the Win32 layer reads the same from the
// executable.
CTrevanoApp::CTrevanoApp() {
    AfxSetResources(&g_trevanoResources);
}

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
