// The application object and the start-up around it. The one global object derived from
// CWinApp registers itself on construction; the back end's entry routine then initialises the
// window system and calls InitInstance, and the process ends when that returns FALSE.
#pragma once

#include "Window.h"

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The hourglass, counted: the cursor comes back at the last End.
    void BeginWaitCursor();
    void EndWaitCursor();
    // The icon resource nIDResource of the program.
    HICON LoadIcon(UINT nIDResource) const;
    BOOL Enable3dControlsStatic();
    // The framework's help command; the program provides no help content.
    void OnHelp();

    // The executable's file name without extension unless given; captions every message box.
    CString m_strAppName;
    CWnd* m_pMainWnd = nullptr;
    int m_nWaitCursorCount = 0;

protected:
    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
void AfxEnableControlContainer();
// Loads a string resource; FALSE and an empty string when there is none.
BOOL AfxLoadString(UINT nID, CString& str);

// The hourglass for the lifetime of the object.
class CWaitCursor {
public:
    CWaitCursor() { AfxGetApp()->BeginWaitCursor(); }
    ~CWaitCursor() { AfxGetApp()->EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// The entry routine of the back end, called by main or WinMain.
int AfxWinMain(int argc, char** argv);
