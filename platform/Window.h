// Windows and their message maps: the part of the window framework that the program's dialogs
// are written against. The back ends (qt/, win32/) provide what touches a real window; the
// message-map lookup and the handling of errors that escape a command are shared (Window.cpp).
#pragma once

#include "String.h"
#include "WinDefs.h"

class CCmdTarget;
class CWnd;
typedef void (CCmdTarget::*AFX_PMSG)();

// How the handler of an entry is called.
enum AfxSig : UINT {
    AfxSig_vv,  // void ()            commands, WM_PAINT
    AfxSig_vwl, // void (UINT, LPARAM) WM_SYSCOMMAND
    AfxSig_hv,  // HCURSOR ()         WM_QUERYDRAGICON
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // WM_COMMAND, WM_SYSCOMMAND, ...; 0 ends the table
    UINT nCode;    // BN_CLICKED for commands
    UINT nID;      // the control, for commands
    AfxSig nSig;
    AFX_PMSG pfn;
};

// A handler of another signature travels in the table as AFX_PMSG and is cast back to its own
// type by the dispatch, which the language allows; GCC warns on both casts all the same.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
#endif
template <class Handler> AFX_PMSG AfxToMessageHandler(Handler pfn) {
    return reinterpret_cast<AFX_PMSG>(pfn);
}
template <class Handler> Handler AfxFromMessageHandler(AFX_PMSG pfn) {
    return reinterpret_cast<Handler>(pfn);
}
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

struct AFX_MSGMAP {
    const AFX_MSGMAP* pBaseMap;
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    virtual const AFX_MSGMAP* GetMessageMap() const { return &messageMap; }
    // The first entry for the message, searched from the class up its bases; null when none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

protected:
    static const AFX_MSGMAP messageMap;
};

// The tables read best one entry a line.
// clang-format off
#define DECLARE_MESSAGE_MAP()                                                                  \
protected:                                                                                     \
    static const AFX_MSGMAP messageMap;                                                        \
    const AFX_MSGMAP* GetMessageMap() const override { return &messageMap; }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                 \
    const AFX_MSGMAP theClass::messageMap = {                                                  \
        &baseClass::messageMap, []() {                                                         \
            using ThisClass [[maybe_unused]] = theClass;                                       \
            static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                                      \
    {0, 0, 0, AfxSig_vv, nullptr}                                                              \
    }                                                                                          \
    ;                                                                                          \
    return entries;                                                                            \
    }()                                                                                        \
    }                                                                                          \
    ;

#define ON_BN_CLICKED(id, memberFxn)                                                           \
    {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), AfxSig_vv,                                 \
     static_cast<AFX_PMSG>(&ThisClass::memberFxn)},
#define ON_COMMAND(id, memberFxn)                                                              \
    {WM_COMMAND, 0, static_cast<UINT>(id), AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::memberFxn)},
#define ON_WM_SYSCOMMAND()                                                                     \
    {WM_SYSCOMMAND, 0, 0, AfxSig_vwl,                                                          \
     AfxToMessageHandler(static_cast<void (CWnd::*)(UINT, LPARAM)>(&ThisClass::OnSysCommand))},
#define ON_WM_PAINT()                                                                          \
    {WM_PAINT, 0, 0, AfxSig_vv, static_cast<AFX_PMSG>(static_cast<void (CWnd::*)()>(          \
                                    &ThisClass::OnPaint))},
#define ON_WM_QUERYDRAGICON()                                                                  \
    {WM_QUERYDRAGICON, 0, 0, AfxSig_hv,                                                        \
     AfxToMessageHandler(static_cast<HCURSOR (CWnd::*)()>(&ThisClass::OnQueryDragIcon))},
// clang-format on

struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class CWndImpl; // what a back end keeps for one window

class CMenu {
public:
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    HMENU m_hMenu = nullptr;
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The window's system menu, or null when it has none.
    CMenu* GetSystemMenu(BOOL bRevert);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL IsIconic() const;
    void GetClientRect(CRect* pRect) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SetDlgItemText(int nID, const char* lpszString);
    CString GetDlgItemText(int nID) const;
    void SetWindowText(const char* lpszString);

    // Handlers a message map can name; the framework's own versions do the default processing.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // Entry from the back end for every message of the window: the message map first, then
    // the default processing. An exception that escapes a handler is shown to the user, and the
    // message counts as handled.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    CWndImpl* m_pImpl = nullptr;

protected:
    // The default processing of the message being handled.
    LRESULT Default();
    // The platform's default processing of a message.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } m_current{0, 0, 0};
};

// A paint context for a window, open from construction to destruction.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon);

    HDC m_hDC = nullptr;
    CWnd* m_pWnd;
};

int GetSystemMetrics(int nIndex);

// Shows a message box captioned with the application's name; nType holds the icon and
// MB_SYSTEMMODAL. Returns the button pressed (IDOK).
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// Shows an exception that escaped a command as the framework does: file errors with the stop
// icon, exhausted memory system-modal with the exclamation icon.
void AfxReportException(const class CException& e);
void AfxReportOutOfMemory();
