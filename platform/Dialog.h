// Modal dialogs built from the dialog templates of the resources, and their data exchange.
#pragma once

#include "Window.h"

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate; // TRUE: from the controls to the members
    CDialog* m_pDlgWnd;
    BOOL m_bFailed = FALSE;
};

// An integer edit box: written with "%ld", read back with the same form.
void DDX_Text(CDataExchange* pDX, int nIDC, INT32& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog until it ends; IDOK, IDCANCEL or the value given to EndDialog.
    virtual INT_PTR DoModal();
    // Exchanges toward the controls; TRUE puts the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // Reads the controls back, then ends with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    INT_PTR m_nModalResult = -1;
};
