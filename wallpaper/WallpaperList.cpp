// The main dialog's wallpaper list: the list file, Add, Remove and the selection.
#include "WallpaperDlg.h"

#include <string>
#include <vector>

#include "FileDialog.h"
#include "FileStore.h"
#include "ListFile.h"
#include "res/resource.h"

void CWallpaperDlg::LoadList() {
    m_listWallpapers.SendMessage(WM_SETREDRAW, FALSE);
    CListFileReader reader([this](const std::string& entry) { m_listWallpapers.AddString(entry.c_str()); });
    ReadFileInPieces(kListFilePath, [&reader](const char* data, std::size_t size) { reader.Feed(data, size); });
    reader.Finish();
    m_listWallpapers.SendMessage(WM_SETREDRAW, TRUE);
}

// 0 when the file was written, -1 when it could not be; nothing is shown either way.
int CWallpaperDlg::SaveList() {
    int count = m_listWallpapers.GetCount();
    std::vector<std::string> entries;
    for (int index = 0; index < count; ++index) entries.push_back(GetEntry(index));
    return ReplaceFileContent(kListFilePath, FormatListFile(entries)) ? 0 : -1;
}

std::string CWallpaperDlg::GetEntry(int index) const {
    int length = m_listWallpapers.GetTextLen(index);
    if (length == LB_ERR) return "";
    std::string entry(size_t(length), '\0');
    m_listWallpapers.GetText(index, &entry[0]);
    return entry.c_str();
}

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

void CWallpaperDlg::OnRemove() {
    m_listWallpapers.DeleteString(UINT(m_listWallpapers.GetCurSel()));
    SaveList();
}

// The user chose an entry: its preview is made afresh, and one that failed before may be tried again.
void CWallpaperDlg::OnSelchangeWallpaperList() {
    ForgetPreview();
    ShowSelectedEntry();
}

void CWallpaperDlg::ShowSelectedEntry() {
    int selected = m_listWallpapers.GetCurSel();
    std::string path = selected == LB_ERR ? "" : GetEntry(selected);
    SetDlgItemText(IDC_CURRENT_SELECTION, path.c_str());
    if (selected != LB_ERR && g_settings.allowPreview) DrawPreview(path.c_str());
}
