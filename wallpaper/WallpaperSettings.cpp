// The main dialog's settings: the record g_settings, its file, and the controls that show it.
#include "WallpaperDlg.h"

#include <time.h>

#include <string>

#include "FileStore.h"
#include "res/resource.h"

WallpaperSettings g_settings;

int CWallpaperDlg::GetFrequencyMode() const {
    return FrequencyFromButtons(IsDlgButtonChecked(IDC_FREQ_MINUTES), IsDlgButtonChecked(IDC_FREQ_ONCE_A_DAY));
}

// The place of the path shown in the current-selection field, in the sequence of pictures; 0 when
// none matches. A list without folder lines is searched by the list box itself, as it always was.
int CWallpaperDlg::GetCurrentIndex() const {
    std::string path = GetShownPath();
    int index = HasFolderLine() ? FindPlace(ReadPictureSequence(), path) : m_listWallpapers.FindString(-1, path.c_str());
    return index < 0 ? 0 : index;
}

double CWallpaperDlg::GetMinutes() const {
    char text[32] = "";
    GetDlgItemText(IDC_MINUTES, text, 30);
    return ParseMinutes(text);
}

int CWallpaperDlg::GetRandomPick() const {
    return IsDlgButtonChecked(IDC_RANDOM_PICK) ? 1 : 0;
}

int CWallpaperDlg::GetStartMinimized() const {
    return IsDlgButtonChecked(IDC_START_MINIMIZED) ? 1 : 0;
}

int CWallpaperDlg::GetAllowPreview() const {
    return IsDlgButtonChecked(IDC_ALLOW_PREVIEW) ? 1 : 0;
}

void CWallpaperDlg::SaveSettings() {
    g_settings.frequencyMode = GetFrequencyMode();
    g_settings.currentIndex = GetCurrentIndex();
    g_settings.minutes = float(GetMinutes());
    g_settings.randomPick = GetRandomPick();
    char today[128] = "";
    _strdate(today);
    StampSaveDate(g_settings, today);
    g_settings.startMinimized = GetStartMinimized();
    g_settings.allowPreview = GetAllowPreview();
    ReplaceFileContent(kSettingsFilePath, SettingsRecordBytes(g_settings));
}

void CWallpaperDlg::LoadAndApplySettings() {
    LoadList();
    LoadSettings();
    ShowSettingsInControls();
    ApplySchedule();
}

// A read-only settings file is not loaded: the program may not write back what it loaded.
void CWallpaperDlg::LoadSettings() {
    std::string bytes;
    if (IsReadOnlyFile(kSettingsFilePath)) return;
    if (!ReadFileStart(kSettingsFilePath, kSettingsRecordSize, bytes)) return;
    ReadSettingsRecord(g_settings, bytes);
}

void CWallpaperDlg::ShowSettingsInControls() {
    SettingsView view = ShowSettings(g_settings);
    SetDlgItemText(IDC_MINUTES, view.minutesText.c_str());
    CheckRadioButton(IDC_FREQ_MINUTES, IDC_FREQ_ONCE_PER_RUN, IDC_FREQ_MINUTES + view.checkedFrequency);
    GetDlgItem(IDC_MINUTES)->EnableWindow(view.minutesEnabled);
    CheckDlgButton(IDC_RANDOM_PICK, view.randomPickTicked ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_START_MINIMIZED, view.startMinimizedTicked ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_ALLOW_PREVIEW, view.allowPreviewTicked ? BST_CHECKED : BST_UNCHECKED);
}
