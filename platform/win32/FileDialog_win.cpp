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

// The folder the process started in: the common dialogs move the working folder to the last
// one chosen, so it is taken before the first of them opens.
const std::string& StartFolder() {
    static const std::string folder = [] {
        char sz[MAX_PATH + 1] = "";
        const DWORD n = GetCurrentDirectoryA(sizeof sz, sz);
        return n > 0 && n < sizeof sz ? std::string(sz) : std::string();
    }();
    return folder;
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
    const std::string& folder = m_strInitialDir.IsEmpty() ? StartFolder() : m_strInitialDir.Str();
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();

    const BOOL bOk = m_bOpenFileDialog ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    // The owner is painted now, not when the command's work is done.
    if (ofn.hwndOwner) UpdateWindow(ofn.hwndOwner);
    if (!bOk) return IDCANCEL;
    m_strPathName = CString(file.data());
    return IDOK;
}

CString CFileDialog::GetFolderPath() const {
    const std::string& path = m_strPathName.Str();
    const size_t nSlash = path.find_last_of("\\/");
    if (nSlash == std::string::npos) return CString();
    // A drive's root keeps its backslash: "C:" alone is the drive's working folder.
    const bool bRoot = nSlash == 0 || (nSlash == 2 && path[1] == ':');
    return m_strPathName.Left(static_cast<int>(bRoot ? nSlash + 1 : nSlash));
}
