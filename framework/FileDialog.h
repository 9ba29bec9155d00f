// CFileDialog: the platform's open-file and save-file dialogs.
#pragma once

#include <string>

#include "Wnd.h"

class FRAMEWORK_API CFileDialog : public CObject {
public:
    // `filter` lists pairs of description and pattern, each followed by '|'.
    CFileDialog(BOOL bOpenFileDialog, const char* defaultExtension = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* pParentWnd = nullptr);

    // IDOK when the user chose a file, IDCANCEL otherwise.
    INT_PTR DoModal();
    // The full path of the chosen file.
    std::string GetPathName() const;

private:
    BOOL m_bOpenFileDialog;
    std::string m_defaultExtension;
    std::string m_filter;  // '|' already turned into NULs
    DWORD m_flags;
    CWnd* m_pParentWnd;
    char m_path[MAX_PATH];
};
