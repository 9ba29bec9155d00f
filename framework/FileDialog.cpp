// The platform's file dialogs.
#include "FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "WinApp.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_defaultExtension(defaultExtension ? defaultExtension : ""),
      m_filter(filter ? filter : ""),
      m_flags(flags),
      m_pParentWnd(pParentWnd),
      m_path{} {
    std::replace(m_filter.begin(), m_filter.end(), '|', '\0');
    if (fileName) lstrcpynA(m_path, fileName, MAX_PATH);
}

INT_PTR CFileDialog::DoModal() {
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner ? owner->m_hWnd : nullptr;
    ofn.hInstance = AfxGetInstanceHandle();
    ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    ofn.lpstrFile = m_path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER;
    BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    return chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const {
    return m_path;
}
