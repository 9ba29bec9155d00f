// The platform's file dialogs.
#include "FileDialog.h"

#include <commdlg.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "WinApp.h"

namespace {
constexpr size_t kMultiSelectFiles = 1000;
}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_defaultExtension(defaultExtension ? defaultExtension : ""),
      m_filter(filter ? filter : ""),
      m_flags(flags),
      m_pParentWnd(pParentWnd),
      m_names(flags & OFN_ALLOWMULTISELECT ? kMultiSelectFiles * MAX_PATH : MAX_PATH) {
    std::replace(m_filter.begin(), m_filter.end(), '|', '\0');
    if (fileName) lstrcpynA(m_names.data(), fileName, MAX_PATH);
}

INT_PTR CFileDialog::DoModal() {
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner ? owner->m_hWnd : nullptr;
    ofn.hInstance = AfxGetInstanceHandle();
    ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    ofn.lpstrFile = m_names.data();
    ofn.nMaxFile = DWORD(m_names.size());
    ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER;
    BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    return chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const {
    return m_names.data();
}

// A name the dialog gives after the folder may be a full path of its own (one typed in quotes),
// which PathCombineA takes as it is.
std::vector<std::string> CFileDialog::GetPathNames() const {
    std::vector<std::string> strings;
    const char* end = m_names.data() + m_names.size();
    for (const char* text = m_names.data(); text < end && *text; text += strings.back().size() + 1) {
        strings.emplace_back(text, strnlen(text, size_t(end - text)));
    }
    if (strings.size() < 2) return strings;
    std::vector<std::string> paths;
    for (size_t i = 1; i < strings.size(); ++i) {
        char path[MAX_PATH] = "";
        if (PathCombineA(path, strings[0].c_str(), strings[i].c_str())) paths.emplace_back(path);
    }
    return paths;
}
