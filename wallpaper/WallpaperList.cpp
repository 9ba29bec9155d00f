// The main dialog's wallpaper list: the list file, Remove, the selection and the sequence of
// pictures its lines stand for.
#include "WallpaperDlg.h"

#include <string>
#include <vector>

#include "FileStore.h"
#include "ListFile.h"
#include "SystemFolderLister.h"
#include "res/resource.h"

void CWallpaperDlg::LoadList() {
    m_listWallpapers.SendMessage(WM_SETREDRAW, FALSE);
    CListFileReader reader([this](const std::string& entry) {
        int index = m_listWallpapers.AddString(entry.c_str());
        if (!EndsWithBackslash(entry) && IsFolderLine(entry)) m_listWallpapers.SendMessage(LB_SETITEMDATA, WPARAM(index), 1);
    });
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

// Lines added after the list was read are folder lines only in the '\' form.
bool CWallpaperDlg::IsFolderLineAt(int index) const {
    return m_listWallpapers.SendMessage(LB_GETITEMDATA, WPARAM(index)) == 1 || EndsWithBackslash(GetEntry(index));
}

bool CWallpaperDlg::HasFolderLine() const {
    for (int index = 0; index < m_listWallpapers.GetCount(); ++index) {
        if (IsFolderLineAt(index)) return true;
    }
    return false;
}

std::vector<Place> CWallpaperDlg::ReadPictureSequence() const {
    std::vector<ListLine> lines;
    for (int index = 0; index < m_listWallpapers.GetCount(); ++index) {
        lines.push_back(ListLine{GetEntry(index), IsFolderLineAt(index)});
    }
    CSystemFolderLister lister;
    return PictureSequence(lines, lister);
}

std::string CWallpaperDlg::GetShownPath() const {
    char path[260] = "";
    GetDlgItemText(IDC_CURRENT_SELECTION, path, sizeof path);
    return path;
}

void CWallpaperDlg::SelectLine(int line, const std::string& picture) {
    m_listWallpapers.SetCurSel(line);
    m_folderPreview = Place{picture, line};
}

void CWallpaperDlg::OnRemove() {
    m_listWallpapers.DeleteString(UINT(m_listWallpapers.GetCurSel()));
    SaveList();
}

// The user chose an entry: its preview is made afresh, and one that failed before may be tried
// again. A folder line is walked afresh for the first picture the preview draws.
void CWallpaperDlg::OnSelchangeWallpaperList() {
    ForgetPreview();
    int selected = m_listWallpapers.GetCurSel();
    if (selected != LB_ERR && IsFolderLineAt(selected)) {
        std::string line = GetEntry(selected);
        SelectLine(selected, FirstPictureOf(line));
        SetDlgItemText(IDC_CURRENT_SELECTION, line.c_str());
    }
    ShowSelectedEntry();
}

// Shows the selected line in 1001, but leaves a picture of a selected folder line there. A
// folder line's preview is the picture its selection found; a repaint never walks the folder.
void CWallpaperDlg::ShowSelectedEntry() {
    int selected = m_listWallpapers.GetCurSel();
    std::string line = selected == LB_ERR ? "" : GetEntry(selected);
    std::string preview = line;
    if (selected != LB_ERR && IsFolderLineAt(selected)) {
        bool known = m_folderPreview.line == selected && IsInFolder(m_folderPreview.path, line);
        preview = known ? m_folderPreview.path : "";
        if (IsInFolder(GetShownPath(), line)) line = GetShownPath();
    }
    SetDlgItemText(IDC_CURRENT_SELECTION, line.c_str());
    if (!preview.empty() && g_settings.allowPreview) DrawPreview(preview.c_str());
}
