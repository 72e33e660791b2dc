// The common file dialogs, open and save.
#pragma once

#include "Dialog.h"

#include <utility>
#include <vector>

class CFileDialog : public CDialog {
public:
    // lpszFilter: "description|pattern|description|pattern||". lpszDefExt is added to a name
    // typed without an extension.
    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                const char* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    // Shows the dialog, then paints its owner at once: the owner's window is seen whole again
    // before the command that asked for a name starts its work, which may take seconds.
    INT_PTR DoModal() override;
    // The full path chosen; empty until the dialog ended with IDOK.
    CString GetPathName() const { return m_strPathName; }
    // The folder of the path chosen.
    CString GetFolderPath() const;

    // The filter's (description, pattern) pairs in order.
    static std::vector<std::pair<CString, CString>> ParseFilter(const char* lpszFilter);
    // The name with ".ext" added when its last component has no extension of its own.
    static CString AddDefaultExtension(const CString& path, const CString& ext);

    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFileName;
    DWORD m_dwFlags;
    CString m_strFilter;
    CString m_strPathName;
    // The folder the dialog opens in; the one the program started in when empty.
    CString m_strInitialDir;
};
