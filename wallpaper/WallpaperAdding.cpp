// The main dialog's ways of adding to the list: Add....
#include "WallpaperDlg.h"

#include <string>

#include "FileDialog.h"
#include "res/resource.h"

namespace {
// Bitmaps stay the first filter, chosen when the dialog opens.
constexpr char kAddFilter[] =
    "Bitmap Files (*.bmp)|*.bmp|"
    "Pictures (*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff)|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff|";
}  // namespace

void CWallpaperDlg::OnAdd() {
    CFileDialog dialog(TRUE, "*.bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kAddFilter);
    if (dialog.DoModal() != IDOK) return;
    std::string path = dialog.GetPathName();
    SetDlgItemText(IDC_CURRENT_SELECTION, path.c_str());
    if (!path.empty() && m_listWallpapers.FindString(-1, path.c_str()) == LB_ERR) {
        m_listWallpapers.AddString(path.c_str());
    }
    SaveList();
}
