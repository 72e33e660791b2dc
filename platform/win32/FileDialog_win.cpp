// The common file dialogs on Win32: GetOpenFileNameA and GetSaveFileNameA.
#include "Win32.h"

#include "FileDialog.h"

#include <string>
#include <vector>

namespace {

// "description|pattern|...||" as the system wants it: every '|' a zero byte, two at the end.
std::string SystemFilter(const char* lpszFilter) {
    std::string filter;
    for (const auto& [description, pattern] : CFileDialog::ParseFilter(lpszFilter)) {
        filter.append(description.Str()).push_back('\0');
        filter.append(pattern.Str()).push_back('\0');
    }
    filter.push_back('\0');
    return filter;
}

} // namespace

INT_PTR CFileDialog::DoModal() {
    // Room for any path the system accepts with the long-path prefix.
    std::vector<char> file(32768, '\0');
    m_strFileName.Str().copy(file.data(), file.size() - 1);
    const std::string filter = SystemFilter(m_strFilter);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = AfxGetOwnerWindow(m_pParentWnd, this);
    ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : m_strDefExt.GetString();
    ofn.Flags = m_dwFlags;

    const BOOL bOk = m_bOpenFileDialog ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (!bOk) return IDCANCEL;
    m_strPathName = CString(file.data());
    return IDOK;
}
