// CWallpaperDlg: the main dialog of the wallpaper program (template 102): the list, the
// current selection, the schedule settings and the commands.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Controls.h"
#include "Dialog.h"
#include "DisplaySettings.h"
#include "PictureSequence.h"
#include "PictureWorker.h"
#include "SettingsRecord.h"

// The program's files live in the installation folder, which only the installer creates.
constexpr char kListFilePath[] = "C:\\Quorvane\\Quorvane.LST";
constexpr char kSettingsFilePath[] = "C:\\Quorvane\\Quorvane.INI";
// Pictures that are no bitmaps become the wallpaper as this bitmap.
constexpr char kWallpaperFilePath[] = "C:\\Quorvane\\Wallpaper.bmp";
// Where the picture goes on each monitor, and the user's own desktop style values.
constexpr char kDisplayFilePath[] = "C:\\Quorvane\\Display.INI";

constexpr UINT_PTR ID_ROTATION_TIMER = 1;
// Asks again whether the user is still busy while a scheduled change is held.
constexpr UINT_PTR ID_HOLD_TIMER = 2;
// Posted by the picture worker when a preview or a wallpaper change is done.
constexpr UINT WM_PICTURE_DECODED = WM_APP + 1;
// The icon's clicks in the notification area.
constexpr UINT WM_TRAY_ICON = WM_APP + 2;

// The settings of this run; all zero until a settings file is loaded.
extern WallpaperSettings g_settings;

class CDibImage;
class CHelpDlg;
class CTrayIcon;

class CWallpaperDlg : public CDialog {
public:
    explicit CWallpaperDlg(CWnd* pParent = nullptr);
    ~CWallpaperDlg() override;

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    // Window messages and commands, in map order.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSetWallpaperNow();
    void OnAdd();
    void OnDropFiles(HDROP drop);
    void OnRemove();
    void OnSelchangeWallpaperList();
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    void OnOnceADay();
    void OnMinutes();
    void OnOncePerRun();
    void OnApplySettings();
    void OnAllowPreview();
    void OnHelpButton();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnAboutButton();
    void OnPictureDecoded();
    void OnTrayIcon(WPARAM id, LPARAM mouseMessage);
    void OnTaskbarCreated();
    void OnNextPicture();
    void OnPauseRotation();
    void OnOpenWindow();
    void OnTrayExit();
    void OnDestroy();
    // Sent to top-level windows when the taskbar is made anew (after the shell restarted).
    static UINT TaskbarCreatedMessage();

    // Adding to the list: Add Folder..., a command of the system menu, and the lines that it, Add...
    // and a drop add. A line already listed is not added again; 1001 shows the line either way.
    void OnAddFolder();
    void AddPictureLine(const std::string& path);
    void AddFolderLine(const std::string& folder);

    // The wallpaper list and its file.
    void LoadList();
    int SaveList();
    // Shows the selected entry's path in the current-selection field, and its preview.
    void ShowSelectedEntry();
    // The text of the entry at a list position; empty for a position that does not exist.
    std::string GetEntry(int index) const;
    // Whether the entry at a list position is a folder line: it ends in '\', or it named an
    // existing folder when the list was read.
    bool IsFolderLineAt(int index) const;
    bool HasFolderLine() const;
    // The pictures the rotation steps through; every folder line is walked afresh.
    std::vector<Place> ReadPictureSequence() const;
    // The text of the current-selection field 1001.
    std::string GetShownPath() const;
    // Selects a list line; for a folder line, `picture` is the one of it the preview draws.
    void SelectLine(int line, const std::string& picture);

    // The settings record, its file and the controls that show it.
    void LoadAndApplySettings();
    void LoadSettings();
    void SaveSettings();
    void ShowSettingsInControls();
    int GetFrequencyMode() const;
    int GetCurrentIndex() const;
    double GetMinutes() const;
    int GetRandomPick() const;
    int GetStartMinimized() const;
    int GetAllowPreview() const;

    // The display settings in force (m_display), their file and the desktop's style values.
    void LoadDisplaySettings();
    void ShowDisplaySettingsInControls();
    DisplaySettings GetDisplaySettingsFromControls() const;
    void SaveDisplaySettings(const DisplaySettings& settings);
    void SaveRotationPaused();
    void ApplyDisplaySettings(const DisplaySettings& settings);
    void RestoreUserStyle();
    void SetComposedStyle(WallpaperLayoutKind layout);
    int PicturesPerChange() const;

    // The rotation. A scheduled change (a tick, or the change of a start or Apply Settings) is
    // not made while the rotation is paused, and is held while the user is busy.
    void ApplySchedule();
    void RestartMinuteTimer();
    void MakeScheduledChange(ChangeKind kind);
    void OnHoldTimer();
    void MakeTick();
    void MakeNextChange();
    void ChangeToPlaces(ChangeKind kind, const std::vector<Place>& places, const std::vector<int>& picks);
    WallpaperChange NewChange(ChangeKind kind) const;
    void StartChange(const WallpaperChange& change);
    void FinishChange(const WallpaperChange& change);
    void ReportRefusal(const WallpaperChange& change);
    void HandToDesktop(const WallpaperChange& change);
    std::vector<int> PickRandomIndexes(int count, int wanted);

    // The preview and the picture buttons.
    void DrawPreview(const char* path);
    void DrawBitmapPreview(const char* path);
    void DrawPicturePreview(const char* path);
    void DrawPreviewPixels(HPALETTE palette, const UprightPicture& picture);
    void TakePreviewResult();
    void ForgetPreview();
    RECT PreviewRect();
    SIZE PreviewSize();
    void CreatePictureButtons();

    CDibImage* m_pPreviewImage;  // only while DrawPreview runs
    CHelpDlg* m_pHelpDlg;        // the help window this dialog made last; it deletes itself
    HBRUSH m_hbrDialog;
    HBRUSH m_hbrStatic;
    CListBox m_listWallpapers;
    HICON m_hIcon;
    // The path whose preview failed; not drawn, nor reported, again until the user selects.
    std::string m_failedPreviewPath;
    std::unique_ptr<CPictureWorker> m_pPictureWorker;  // from OnInitDialog on
    // The picture whose preview is kept in m_previewPicture, or asked of the worker while that
    // is empty; decoded once per selection.
    std::string m_previewPath;
    UprightPicture m_previewPicture;
    // The picture the preview draws while the folder line at its `line` is selected: the first
    // one when the user selected it, the one made the wallpaper when a change selected it.
    Place m_folderPreview;
    DisplaySettings m_display;
    std::unique_ptr<CTrayIcon> m_pTrayIcon;  // from OnInitDialog on
    std::optional<ChangeKind> m_heldChange;  // due while the user was busy
};
