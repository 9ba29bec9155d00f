// The main dialog's display settings: where the picture goes on each monitor and whether each
// monitor gets a picture of its own, their file Display.INI, and the desktop's style values that
// a composed wallpaper needs, the user's own kept and put back.
#include "WallpaperDlg.h"

#include <functional>
#include <iterator>
#include <optional>

#include "DesktopWallpaper.h"
#include "FileStore.h"
#include "WallpaperComposer.h"
#include "res/resource.h"

namespace {

constexpr char kTileWallpaper[] = "TileWallpaper";
constexpr char kWallpaperStyle[] = "WallpaperStyle";

struct StyleValues {
    const char* tileWallpaper;
    const char* wallpaperStyle;
};

// A bitmap of the virtual screen is tiled from the primary's top-left, or spanned.
constexpr StyleValues kTiledStyle = {"1", "0"};
constexpr StyleValues kSpanStyle = {"0", "22"};

bool HoldsStyle(const StyleValues& style) {
    return ReadDesktopValue(kTileWallpaper) == std::optional<std::string>(style.tileWallpaper) &&
           ReadDesktopValue(kWallpaperStyle) == std::optional<std::string>(style.wallpaperStyle);
}

// The desktop holds the values of a composed wallpaper: Quorvane set them.
bool HoldsComposedStyle() {
    return HoldsStyle(kTiledStyle) || HoldsStyle(kSpanStyle);
}

bool HasUserStyle(const DisplaySettings& settings) {
    return settings.userTileWallpaper || settings.userWallpaperStyle;
}

// The file's bytes, empty when there is none; none when it exists but cannot be read, so that
// a save never writes over what it could not read.
std::optional<std::string> ReadDisplayFile() {
    std::string bytes;
    if (GetFileAttributesA(kDisplayFilePath) == INVALID_FILE_ATTRIBUTES) return bytes;
    auto append = [&bytes](const char* data, std::size_t size) { bytes.append(data, size); };
    if (!ReadFileInPieces(kDisplayFilePath, append)) return std::nullopt;
    return bytes;
}

// Changes the values of the file as it is now, whose other keys and sections stay. No file
// stands for the defaults, so they make none.
void UpdateDisplayFile(const std::function<void(DisplaySettings&)>& change) {
    std::optional<std::string> bytes = ReadDisplayFile();
    if (!bytes) return;
    DisplaySettings saved = ReadDisplaySettings(*bytes);
    change(saved);
    if (bytes->empty() && saved == DisplaySettings{}) return;
    ReplaceFileContent(kDisplayFilePath, WriteDisplaySettings(*bytes, saved));
}

}  // namespace

void CWallpaperDlg::LoadDisplaySettings() {
    m_display = ReadDisplaySettings(ReadDisplayFile().value_or(""));
    for (PicturePosition position : kPicturePositions) {
        std::string name(NameOfPosition(position));
        SendDlgItemMessageA(m_hWnd, IDC_PICTURE_POSITION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    ShowDisplaySettingsInControls();
    if (m_display.position == PicturePosition::SystemSetting && HasUserStyle(m_display)) {
        RestoreUserStyle();
        SaveDisplaySettings(m_display);
    }
}

void CWallpaperDlg::ShowDisplaySettingsInControls() {
    SendDlgItemMessageA(m_hWnd, IDC_PICTURE_POSITION, CB_SETCURSEL, WPARAM(m_display.position), 0);
    CheckDlgButton(IDC_EACH_MONITOR, m_display.eachMonitor ? BST_CHECKED : BST_UNCHECKED);
}

// The kept values of the user and the pause come from the settings in force.
DisplaySettings CWallpaperDlg::GetDisplaySettingsFromControls() const {
    DisplaySettings settings = m_display;
    LRESULT chosen = SendDlgItemMessageA(m_hWnd, IDC_PICTURE_POSITION, CB_GETCURSEL, 0, 0);
    if (chosen >= 0 && chosen < LRESULT(std::size(kPicturePositions))) settings.position = kPicturePositions[chosen];
    settings.eachMonitor = IsDlgButtonChecked(IDC_EACH_MONITOR) == BST_CHECKED;
    return settings;
}

void CWallpaperDlg::SaveDisplaySettings(const DisplaySettings& settings) {
    UpdateDisplayFile([&settings](DisplaySettings& saved) {
        saved.position = settings.position;
        saved.eachMonitor = settings.eachMonitor;
        saved.userTileWallpaper = settings.userTileWallpaper;
        saved.userWallpaperStyle = settings.userWallpaperStyle;
    });
}

void CWallpaperDlg::SaveRotationPaused() {
    UpdateDisplayFile([this](DisplaySettings& saved) { saved.rotationPaused = m_display.rotationPaused; });
}

// The settings take effect. Going back to the desktop's own style puts back the user's values
// once Quorvane has changed them: kept in the file, or set by a composed position of this run.
void CWallpaperDlg::ApplyDisplaySettings(const DisplaySettings& settings) {
    bool composedBefore = m_display.position != PicturePosition::SystemSetting;
    m_display = settings;
    if (settings.position == PicturePosition::SystemSetting && (HasUserStyle(settings) || composedBefore)) {
        RestoreUserStyle();
    }
    SaveDisplaySettings(m_display);
}

// A value the user did not have is deleted again; with none kept, only Quorvane's own values go.
void CWallpaperDlg::RestoreUserStyle() {
    if (HasUserStyle(m_display) || HoldsComposedStyle()) {
        WriteDesktopValue(kTileWallpaper, m_display.userTileWallpaper);
        WriteDesktopValue(kWallpaperStyle, m_display.userWallpaperStyle);
    }
    m_display.userTileWallpaper.reset();
    m_display.userWallpaperStyle.reset();
}

// The user's own values are kept before Quorvane first changes them, and only then.
void CWallpaperDlg::SetComposedStyle(WallpaperLayoutKind layout) {
    if (!HasUserStyle(m_display) && !HoldsComposedStyle()) {
        m_display.userTileWallpaper = ReadDesktopValue(kTileWallpaper);
        m_display.userWallpaperStyle = ReadDesktopValue(kWallpaperStyle);
        SaveDisplaySettings(m_display);
    }
    const StyleValues& style = layout == WallpaperLayoutKind::Span ? kSpanStyle : kTiledStyle;
    WriteDesktopValue(kTileWallpaper, std::string(style.tileWallpaper));
    WriteDesktopValue(kWallpaperStyle, std::string(style.wallpaperStyle));
}

// A composed position with a picture on each monitor shows one picture for each.
int CWallpaperDlg::PicturesPerChange() const {
    bool each = m_display.position != PicturePosition::SystemSetting && m_display.eachMonitor;
    return each ? int(DisplayMonitors().size()) : 1;
}
