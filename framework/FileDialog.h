// CFileDialog: the platform's open-file and save-file dialogs.
#pragma once

#include <string>
#include <vector>

#include "Wnd.h"

class FRAMEWORK_API CFileDialog : public CObject {
public:
    // `filter` lists pairs of description and pattern, each followed by '|'. With
    // OFN_ALLOWMULTISELECT the dialog has room for the names of 1,000 files.
    CFileDialog(BOOL bOpenFileDialog, const char* defaultExtension = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* pParentWnd = nullptr);

    // IDOK when the user chose a file, IDCANCEL otherwise; CommDlgExtendedError() tells why.
    INT_PTR DoModal();
    // The full path of the chosen file.
    std::string GetPathName() const;
    // The full paths of the chosen files, in the dialog's order.
    std::vector<std::string> GetPathNames() const;

private:
    BOOL m_bOpenFileDialog;
    std::string m_defaultExtension;
    std::string m_filter;  // '|' already turned into NULs
    DWORD m_flags;
    CWnd* m_pParentWnd;
    // One path; or, for several files, their folder and then their names, each ended by a NUL.
    std::vector<char> m_names;
};
