// The demo story's steps: the installer's window and its SUCCESS box, then the installed
// Quorvane with its preview, help window and about box, a picture added through Add..., a folder
// added through Add Folder..., the wallpapers it rotates, a picture filling the screen, and the
// icon in the notification area: Next Picture, and the rotation paused and resumed.
#include "DemoSteps.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "DialogDriver.h"
#include "MainDialog.h"
#include "MessageBoxes.h"
#include "NotifyIcon.h"
#include "OpenFileDialog.h"
#include "ProgramProcess.h"
#include "QuorvaneFiles.h"
#include "ScreenPixels.h"
#include "SetupWindow.h"
#include "ShellLink.h"
#include "Wallpaper.h"

namespace {

// What the story waits for, and how long at most.
const DWORD kWindowMs = 15000;
const DWORD kInstallMs = 30000;
const DWORD kEndMs = 15000;
const DWORD kNotepadMs = 5000;
// A full round of nine wallpapers at 3 s each, with room to spare.
const DWORD kWallpaperMs = 40000;
// Time for a window that was just shown or changed to be painted before its picture is taken.
const DWORD kPaintMs = 400;
// The headless story's rotation interval (0.05 minutes), a time longer than it, and one longer
// than two of them.
const DWORD kIntervalMs = 3000;
const DWORD kQuietMs = 4000;
const DWORD kTwoIntervalsMs = 2 * kIntervalMs + kPaintMs;

// What the installer installs.
const char* const kInstallFolder = "C:\\QUORVANE";
const char* const kInstalledProgram = "C:\\QUORVANE\\QUORVANE.EXE";
const char* const kShortcutName = "QVshort.lnk";
// The bitmap that Quorvane writes from a picture that is not a bitmap, for the desktop to show,
// and the bitmap of the whole screen that it composes for a picture position such as Fill.
const char* const kConvertedWallpaper = "C:\\Quorvane\\Wallpaper.bmp";
// The picture position box and the file that keeps what Apply Settings applied; no file, or no
// key, stands for "System setting".
const int kPicturePosition = 1030;
const char* const kDisplayFile = "C:\\Quorvane\\Display.INI";
const char* const kDefaultPosition = "System setting";
// The desktop's style values: a composed wallpaper is tiled from the top-left.
const char* const kTileWallpaper = "TileWallpaper";
const char* const kWallpaperStyle = "WallpaperStyle";
// Written into the wallpaper value before Set Wallpaper Now, so that its change is seen even when
// it sets the same bitmap file as the change before.
const char* const kBeforeSetNow = "<before Set Wallpaper Now>";

// Quorvane's windows beyond its main dialog (MainDialog.h).
const int kPreviewFrame = 1017;
const int kHelpButton = 1019;
const int kAboutButton = 1023;
const char* const kHelpCaption = "Quorvane Help";
const int kHelpOverview = 1022;
const char* const kAboutCaption = "About Quorvane";
const int kAboutIcon = 1028;
// The system menu's Add Folder... command.
const WPARAM kAddFolderCommand = 0x0020;
// Quorvane's icon in the notification area, as it adds it on its main dialog, and two items of the
// icon's menu; the pause is kept in the display settings file as [Rotation] Paused.
const UINT kIconId = 1;
const UINT kIconCallbackMessage = WM_APP + 2;
const char* const kNextPicture = "Next Picture";
const char* const kPauseRotation = "Pause Rotation";

// ----- what a step writes for the demo script

std::string Format(const char* format, ...) {
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

void Done(const std::string& text) { std::printf("done: %s\n", text.c_str()); }

int Fail(const std::string& text) {
    std::printf("fail: %s\n", text.c_str());
    return 1;
}

std::string Geometry(const RECT& rect) {
    return Format("%ldx%ld+%ld+%ld", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
}

RECT Screen() {
    RECT screen{};
    GetWindowRect(GetDesktopWindow(), &screen);
    return screen;
}

// The picture shows `rect`, as far as it lies on the screen.
void Area(const RECT& rect) {
    RECT shown{};
    RECT screen = Screen();
    IntersectRect(&shown, &rect, &screen);
    std::printf("area: %s\n", Geometry(shown).c_str());
}

// Within the picture of `area`, the picture `file` fills `part`: "shows" as the desktop shows a
// bitmap or the preview stretches it, "fills" scaled to cover the part and cut to its middle.
void Shows(const RECT& part, const RECT& area, const std::string& file, const char* kind = "shows") {
    RECT relative = part;
    OffsetRect(&relative, -area.left, -area.top);
    std::printf("%s: %s %s\n", kind, Geometry(relative).c_str(), file.c_str());
}

// ----- finding and working windows

// The picture buttons stand over hidden template buttons of the same ID: the visible one is the
// one a user clicks.
HWND VisibleChild(HWND window, int id) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

// A click on a button. Sent, it returns once the handler is done; posted, the step goes on at
// once, as it must when the handler shows a modal window.
bool PressButton(HWND window, int id, bool waitForHandler) {
    HWND button = VisibleChild(window, id);
    if (!button) return false;
    return waitForHandler ? Deliver(button, BM_CLICK) : PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

// While the rotation runs, every change paints the new wallpaper over the whole desktop, windows
// included, and they paint themselves again only a moment later. A window's picture is therefore
// taken just after a change, as far as can be from the next one; when nothing changes within the
// bound (no rotation), it is taken at once.
void AfterNextWallpaperChange() {
    std::string before = DesktopWallpaper();
    WaitUntil([&] { return DesktopWallpaper() != before; }, kQuietMs);
    Sleep(kPaintMs);
}

// Makes the window the active one, as a user's click would, so that its picture shows it with an
// active caption; a window that does not come to the front is pictured as it is. A window that is
// in front already is not activated again, and after the desktop painted over it Wine may draw
// its caption as inactive: it is told once more that it is active.
void BringToFront(HWND window) {
    SetForegroundWindow(window);
    if (WaitUntil([&] { return GetForegroundWindow() == window; }, kPaintMs)) {
        Deliver(window, WM_NCACTIVATE, TRUE);
    }
}

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> NotepadWindows() {
    std::vector<HWND> found;
    for (HWND window : VisibleWindows(kAnyProcess)) {
        if (lstrcmpiA(ClassName(window).c_str(), "Notepad") == 0) found.push_back(window);
    }
    return found;
}

// The help window's text pane is the rich edit control made over the frame of the same ID.
HWND RichEditChild(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string name = ClassName(child);
        CharUpperA(&name[0]);
        if (name.find("RICHEDIT") != std::string::npos) return child;
    }
    return nullptr;
}

std::string WindowText(HWND window) {
    char text[4096] = "";
    Deliver(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string FirstLine(const std::string& text) {
    size_t end = text.find_first_of("\r\n");
    return text.substr(0, end);
}

// The main window "Quorvane" of the installed program, or nullptr.
HWND FindInstalledProgram() {
    HWND window = FindVisibleWindow(kAnyProcess, "Quorvane", kWallpaperList);
    if (!window) return nullptr;
    return lstrcmpiA(ProcessImage(ProcessOf(window)).c_str(), kInstalledProgram) == 0 ? window : nullptr;
}

HWND WaitForInstalledProgram(DWORD milliseconds) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindInstalledProgram()) != nullptr; }, milliseconds);
    return window;
}

std::string FileName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The line of the main window's list whose file name is `file`, or -1.
int EntryIndex(HWND main, const std::string& file) {
    std::vector<std::string> entries = ListEntries(main, kWallpaperList);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (lstrcmpiA(FileName(entries[i]).c_str(), file.c_str()) == 0) return static_cast<int>(i);
    }
    return -1;
}

// Chooses the line `name` of the drop-down list `id` and tells the dialog, as the drop-down does
// when its user picks a line; false when it holds no such line.
bool ChooseDropDownLine(HWND dialog, int id, const std::string& name) {
    std::vector<std::string> lines = ComboEntries(dialog, id);
    auto line = std::find(lines.begin(), lines.end(), name);
    if (line == lines.end()) return false;
    HWND dropDown = GetDlgItem(dialog, id);
    return Deliver(dropDown, CB_SETCURSEL, WPARAM(line - lines.begin())) &&
           Deliver(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(dropDown));
}

std::string SavedPosition() {
    char position[64] = "";
    GetPrivateProfileStringA("Display", "Position", kDefaultPosition, position, sizeof position, kDisplayFile);
    return position;
}

std::string DesktopValueText(const char* name) { return DesktopValue(name).value_or("<none>"); }

// As the user does, chooses the picture position `name` and presses Apply Settings; says what
// did not happen, or nothing.
std::string ApplyPosition(HWND main, const std::string& name) {
    if (!ChooseDropDownLine(main, kPicturePosition, name)) {
        return Format("the picture position box holds no \"%s\"", name.c_str());
    }
    if (!PressButton(main, kApplySettings, true)) return "Apply Settings could not be pressed";
    std::string shown = ControlText(main, kPicturePosition);
    std::string saved = SavedPosition();
    if (shown != name || saved != name) {
        return Format("after Apply Settings the picture position box shows \"%s\" and %s keeps \"%s\"",
                      shown.c_str(), kDisplayFile, saved.c_str());
    }
    return "";
}

// The list entry that the wallpaper value `value` stands for: a bitmap entry is the value itself;
// for any other picture the value names the bitmap Quorvane wrote, and Current Wallpaper
// Selection names the entry.
std::string ShownEntry(HWND main, const std::string& value) {
    if (lstrcmpiA(value.c_str(), kConvertedWallpaper) != 0 || !main) return value;
    return ControlText(main, kCurrentSelection);
}

// What the desktop shows: the wallpaper value and the list entry it stands for. Two pictures in turn
// that are not bitmaps leave the same value, so a change is seen in either.
struct ShownWallpaper {
    std::string value;
    std::string entry;
    bool operator!=(const ShownWallpaper& other) const { return value != other.value || entry != other.entry; }
    // The entry, and the bitmap that stands for it where that is not the entry itself.
    std::string Described() const { return entry == value ? value : entry + " (as " + value + ")"; }
};

ShownWallpaper CurrentWallpaper(HWND main) {
    std::string value = DesktopWallpaper();
    return ShownWallpaper{value, ShownEntry(main, value)};
}

// The width and height that a .bmp file's header gives, or 0 x 0.
SIZE BitmapSize(const std::string& path) {
    std::string header = ReadBytes(path).substr(0, 26);
    if (header.size() < 26 || header.compare(0, 2, "BM") != 0) return SIZE{0, 0};
    auto number = [&](size_t at) {
        int32_t value = 0;
        std::memcpy(&value, header.data() + at, sizeof value);
        return value;
    };
    return SIZE{std::abs(number(18)), std::abs(number(22))};
}

// The shortcut in each StartUp folder the shell opens at log-on; what a former run left behind
// is cleared by the fresh install state.
std::vector<std::string> StartupShortcuts() {
    std::vector<std::string> shortcuts;
    for (const std::string& folder : ShellStartupFolders()) shortcuts.push_back(folder + "\\" + kShortcutName);
    return shortcuts;
}

// The picture of the whole screen, where the desktop shows the wallpaper's bitmap in its middle, as
// it places it with "System setting"; it must be the list's picture.
void ShowsWallpaper(const ShownWallpaper& wallpaper) {
    SIZE size = BitmapSize(wallpaper.value);
    RECT screen = Screen();
    int left = (screen.right - screen.left - size.cx) / 2;
    int top = (screen.bottom - screen.top - size.cy) / 2;
    RECT picture{left, top, left + size.cx, top + size.cy};
    Area(screen);
    Shows(picture, screen, FileName(wallpaper.entry));
}

std::string RotationPaused() {
    char paused[8] = "";
    GetPrivateProfileStringA("Rotation", "Paused", "<none>", paused, sizeof paused, kDisplayFile);
    return paused;
}

// The menu's items as the user reads them, a checked one marked.
std::string MenuText(const std::vector<PopupMenuItem>& items) {
    std::string text;
    for (const PopupMenuItem& item : items) {
        if (item.separator) continue;
        text += (text.empty() ? "" : ", ") + item.text + (item.checked ? " (checked)" : "");
    }
    return text;
}

bool IsChecked(const std::vector<PopupMenuItem>& items, const std::string& text) {
    return std::any_of(items.begin(), items.end(),
                       [&](const PopupMenuItem& item) { return item.text == text && item.checked; });
}

// A right click on Quorvane's icon in the notification area, as the user makes it: its menu, or
// nullptr. The shell tells the icon's window of a click with the icon's callback message. Which icon
// Quorvane added can be read only by the probe armed from the program's start, and setup.exe starts
// it; so the click is delivered as the shell delivers it for the icon Quorvane adds: to its main
// dialog, with uID 1 and the callback message WM_APP + 2 (the shell's version 0: wParam the uID,
// lParam the mouse message).
HWND OpenIconMenu(HWND main) {
    NotifyIconRecord icon;
    icon.window = main;
    icon.id = kIconId;
    icon.callbackMessage = kIconCallbackMessage;
    return ClickNotifyIcon(icon, WM_RBUTTONUP) ? WaitForPopupMenu(ProcessOf(main), kWindowMs) : nullptr;
}

// As the user does, `choice` chosen in the icon's menu, whose items are given in `items`; says what
// did not happen, or nothing. Once in about a hundred uses under Wine the menu could not be read
// again for the choice right after its items were read; nothing was chosen then, and the right
// click is made once more.
std::string ChooseInIconMenu(HWND main, const std::string& choice, std::vector<PopupMenuItem>* items) {
    HWND menu = nullptr;
    for (int click = 1; click <= 2; ++click) {
        menu = OpenIconMenu(main);
        if (!menu) return Format("no menu showed within %lu ms of a right click on the icon", kWindowMs);
        *items = PopupMenuItems(menu);
        if (ChoosePopupMenuItem(menu, choice)) break;
        ClosePopupMenu(menu);
        WaitUntilGone(menu, kWindowMs);
        std::string failed = Format("the icon's menu (%s) had no \"%s\" to choose", MenuText(*items).c_str(),
                                    choice.c_str());
        if (click == 2) return failed;
        std::printf("again: %s\n", failed.c_str());
    }
    if (!WaitUntilGone(menu, kWindowMs)) return Format("the icon's menu stayed after \"%s\"", choice.c_str());
    return "";
}

// ----- the steps

// The prefix as before the first install: no install folder, no StartUp shortcut, no wallpaper,
// and none of the style values that a composed wallpaper leaves when a story stopped before it put
// the desktop's own back (wineboot makes none). The prefix is used as wineboot made it; the NT
// 4.0 profile folders that older stories made are removed again where they are empty.
int FreshInstallState(const std::vector<std::string>&) {
    RemoveFolder(kInstallFolder);
    SetDesktopValue(kTileWallpaper, std::nullopt);
    SetDesktopValue(kWallpaperStyle, std::nullopt);
    for (const std::string& shortcut : StartupShortcuts()) DeleteFileA(shortcut.c_str());
    for (int level = 5; level > 0; --level) RemoveDirectoryA(Nt4StartupFolder(level).c_str());
    // Told to the desktop as well: it keeps the wallpaper it loaded at its start, perhaps one of a
    // former run's samples, until a setting change makes it load the wallpaper again.
    char none[] = "";
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, none, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    SetDesktopWallpaper("");
    if (FolderExists(kInstallFolder)) return Fail(Format("%s could not be removed", kInstallFolder));
    for (const std::string& shortcut : StartupShortcuts()) {
        if (FileExists(shortcut)) return Fail(Format("%s could not be removed", shortcut.c_str()));
    }
    Done(Format("fresh install state: no %s, no StartUp shortcut, no wallpaper", kInstallFolder));
    return 0;
}

int AwaitSetup(const std::vector<std::string>&) {
    HWND setup = WaitForWindow(kAnyProcess, kSetupCaption, kSetupFileList, kWindowMs);
    if (!setup) return Fail(Format("the setup window \"%s\" did not show within %lu ms", kSetupCaption, kWindowMs));
    int files = ListCount(setup, kSetupFileList);
    std::string folder = ControlText(setup, kSetupFolder);
    if (files != 20 || folder != kInstallFolder) {
        return Fail(Format("the setup window lists %d files for \"%s\"", files, folder.c_str()));
    }
    BringToFront(setup);
    Repaint(setup, true);
    Sleep(kPaintMs);
    Done(Format("%s shows its window: %d files to install into %s", ProcessImage(ProcessOf(setup)).c_str(), files,
                folder.c_str()));
    Area(WindowRectOnScreen(setup));
    return 0;
}

int Install(const std::vector<std::string>&) {
    HWND setup = FindVisibleWindow(kAnyProcess, kSetupCaption, kSetupFileList);
    if (!setup) return Fail("there is no setup window to press Install on");
    DWORD pid = ProcessOf(setup);
    if (!PressButton(setup, kSetupInstall, false)) return Fail("the setup window has no Install button");
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindMessageBox(pid)) != nullptr; }, kInstallMs);
    if (!box) return Fail(Format("no message box within %lu ms of pressing Install", kInstallMs));
    std::string caption = WindowCaption(box);
    std::string text = MessageBoxText(box);
    if (caption != "SUCCESS") return Fail(Format("the installer says \"%s\": %s", caption.c_str(), text.c_str()));
    LRESULT progress = 0;
    Deliver(GetDlgItem(setup, kSetupProgress), PBM_GETPOS, 0, 0, &progress);
    Repaint(setup, true);
    Sleep(kPaintMs);
    Done(Format("Install pressed: the bar stands at %d of 20 and the installer says SUCCESS: \"%s\"", int(progress),
                FirstLine(text).c_str()));
    RECT area{};
    RECT setupArea = WindowRectOnScreen(setup);
    RECT boxArea = WindowRectOnScreen(box);
    UnionRect(&area, &setupArea, &boxArea);
    Area(area);
    return 0;
}

int ConfirmSuccess(const std::vector<std::string>&) {
    HWND box = WaitForMessageBox(kAnyProcess, "SUCCESS", 0);
    if (!box) return Fail("there is no SUCCESS box to press OK on");
    DWORD pid = ProcessOf(box);
    AnswerMessageBox(box, IDOK);
    if (!WaitUntilGone(box, kWindowMs)) return Fail("the SUCCESS box is still shown after OK");
    if (!WaitForProcessEnd(pid, kEndMs)) return Fail(Format("setup.exe is still running %lu ms after OK", kEndMs));
    Done("OK pressed: the installer closed its window and ended");
    return 0;
}

int AwaitProgram(const std::vector<std::string>&) {
    HWND main = WaitForInstalledProgram(kWindowMs);
    if (!main) return Fail(Format("the main window of %s did not show within %lu ms", kInstalledProgram, kWindowMs));
    int entries = ListCount(main, kWallpaperList);
    std::string minutes = ControlText(main, kMinutes);
    std::string notepad = "no notepad window showed";
    std::vector<HWND> editors;
    WaitUntil([&] { return !(editors = NotepadWindows()).empty(); }, kNotepadMs);
    for (HWND editor : editors) {
        notepad = "notepad showed \"" + WindowCaption(editor) + "\" and was closed";
        PostClose(editor);
        if (!WaitUntilGone(editor, kWindowMs)) return Fail("notepad did not close");
    }
    Done(Format("the installer started %s: its list holds %d samples, minutes %s (no rotation yet); %s",
                kInstalledProgram, entries, minutes.c_str(), notepad.c_str()));
    return entries == 5 ? 0 : Fail(Format("the installed list holds %d entries instead of 5", entries));
}

// set-interval <minutes> [<seconds to wait for the program>]: as the user does, types the minutes,
// picks "Minute(s) " and presses "Apply Settings".
int SetInterval(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Fail("set-interval needs the minutes");
    const std::string& minutes = arguments[0];
    DWORD waitMs = arguments.size() > 1 ? std::strtoul(arguments[1].c_str(), nullptr, 10) * 1000 : kWindowMs;
    HWND main = WaitForInstalledProgram(waitMs);
    if (!main) return Fail(Format("the main window of %s did not show", kInstalledProgram));
    SetControlText(main, kMinutes, minutes);
    if (CheckState(main, kFreqMinutes) != BST_CHECKED) ClickCheckBox(main, kFreqMinutes);
    if (!PressButton(main, kApplySettings, true)) return Fail("Apply Settings could not be pressed");
    std::string shown = ControlText(main, kMinutes);
    if (std::atof(shown.c_str()) != std::atof(minutes.c_str()) || CheckState(main, kFreqMinutes) != BST_CHECKED) {
        return Fail(Format("after Apply Settings the minutes box shows \"%s\"", shown.c_str()));
    }
    if (!FileExists(kSettingsFile)) return Fail(Format("Apply Settings wrote no %s", kSettingsFile));
    Done(
        Format("typed %s into the minutes box with \"Minute(s)\" checked and pressed Apply Settings: %s saved, "
               "the wallpaper now changes every %.1f s",
               minutes.c_str(), kSettingsFile, std::atof(shown.c_str()) * 60.0));
    return 0;
}

// show-preview <sample name>: ticks "Allow preview" and selects the sample in the list.
int ShowPreview(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Fail("show-preview needs a sample's name");
    std::string file = arguments[0] + ".BMP";
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    if (CheckState(main, kAllowPreview) != BST_CHECKED) ClickCheckBox(main, kAllowPreview);
    if (CheckState(main, kAllowPreview) != BST_CHECKED) return Fail("\"Allow preview\" did not become ticked");
    int index = EntryIndex(main, file);
    if (index < 0) return Fail(Format("the list holds no %s", file.c_str()));
    // A paint erases the dialog's background after drawing the preview, so the window is painted
    // first and the selection, which draws the preview by itself, comes last.
    AfterNextWallpaperChange();
    BringToFront(main);
    Repaint(main, true);
    SelectEntry(main, kWallpaperList, index);
    Sleep(kPaintMs);
    std::string entry = ListEntry(main, kWallpaperList, index);
    std::string selection = ControlText(main, kCurrentSelection);
    if (lstrcmpiA(selection.c_str(), entry.c_str()) != 0) {
        return Fail(Format("the current selection shows \"%s\" instead of %s", selection.c_str(), entry.c_str()));
    }
    Done(Format("\"Allow preview\" ticked and %s selected: the main window shows its path and its preview",
                entry.c_str()));
    RECT area = WindowRectOnScreen(main);
    Area(area);
    RECT preview = WindowRectOnScreen(GetDlgItem(main, kPreviewFrame));
    InflateRect(&preview, -3, -3);
    Shows(preview, area, file);
    return 0;
}

int OpenHelp(const std::vector<std::string>&) {
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    if (!PressButton(main, kHelpButton, true)) return Fail("the Help button could not be pressed");
    HWND help = WaitForWindow(ProcessOf(main), kHelpCaption, kHelpOverview, kWindowMs);
    if (!help) return Fail(Format("the window \"%s\" did not show", kHelpCaption));
    HWND pane = RichEditChild(help);
    if (!pane) return Fail("the help window has no text pane");
    std::string text;
    if (!WaitUntil([&] { return !(text = WindowText(pane)).empty(); }, kWindowMs)) {
        return Fail("the help window's pane stayed empty");
    }
    AfterNextWallpaperChange();
    BringToFront(help);
    Repaint(help, true);
    Sleep(kPaintMs);
    Done(Format("Help pressed: the help window shows its topics and the welcome page \"%s\"", FirstLine(text).c_str()));
    Area(WindowRectOnScreen(help));
    return 0;
}

int OpenAbout(const std::vector<std::string>&) {
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    std::string helpClosed;
    if (HWND help = FindVisibleWindow(ProcessOf(main), kHelpCaption, kHelpOverview)) {
        PostClose(help);
        if (!WaitUntilGone(help, kWindowMs)) return Fail("the help window did not close");
        helpClosed = "the help window closed; ";
    }
    if (!PressButton(main, kAboutButton, false)) return Fail("the About button could not be pressed");
    HWND about = WaitForWindow(ProcessOf(main), kAboutCaption, kAboutIcon, kWindowMs);
    if (!about) return Fail(Format("the box \"%s\" did not show", kAboutCaption));
    AfterNextWallpaperChange();
    Repaint(about, true);
    Sleep(kPaintMs);
    Done(helpClosed + "About pressed: the about box shows its artwork and blinking icon");
    Area(WindowRectOnScreen(about));
    return 0;
}

int CloseAbout(const std::vector<std::string>&) {
    HWND about = FindVisibleWindow(kAnyProcess, kAboutCaption, kAboutIcon);
    if (!about) return Fail("there is no about box to close");
    PostMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    if (!WaitUntilGone(about, kWindowMs)) return Fail("the about box is still shown after OK");
    Done("OK pressed: the about box closed");
    return 0;
}

// add-picture <path>: as the user does, presses Add..., types the path into the open-file dialog
// and presses Open; the picture joins the end of the list.
int AddPicture(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Fail("add-picture needs the picture's path");
    const std::string& path = arguments[0];
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    int before = ListCount(main, kWallpaperList);
    if (!PressButton(main, kAdd, false)) return Fail("the Add... button could not be pressed");
    HWND fileDialog = WaitForOpenFileDialog(ProcessOf(main));
    if (!fileDialog) return Fail("no open-file dialog showed after Add...");
    if (!ChooseFile(fileDialog, path)) return Fail(Format("the open-file dialog stayed after %s", path.c_str()));
    if (!WaitUntil([&] { return ListCount(main, kWallpaperList) == before + 1; }, kWindowMs)) {
        return Fail(Format("the list holds %d entries after the Add, not %d", ListCount(main, kWallpaperList),
                           before + 1));
    }
    std::string last = ListEntry(main, kWallpaperList, before);
    std::string selection = ControlText(main, kCurrentSelection);
    if (lstrcmpiA(last.c_str(), path.c_str()) != 0 || lstrcmpiA(selection.c_str(), path.c_str()) != 0) {
        return Fail(Format("after the Add the last entry is \"%s\" and the current selection \"%s\"", last.c_str(),
                           selection.c_str()));
    }
    Done(Format("Add... pressed and %s chosen in the open-file dialog: it joined the list as entry %d and the "
                "current selection shows it",
                path.c_str(), before + 1));
    return 0;
}

// add-folder <path>: as the user does, chooses Add Folder... in the window's menu, types the
// folder into the folder picker and presses its button; the folder joins the end of the list.
int AddFolder(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Fail("add-folder needs the folder's path");
    const std::string line = arguments[0] + "\\";
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    int before = ListCount(main, kWallpaperList);
    PostMessageA(main, WM_SYSCOMMAND, kAddFolderCommand, 0);
    if (!ChooseFolder(ProcessOf(main), arguments[0])) {
        return Fail(Format("no folder picker took %s after Add Folder...", arguments[0].c_str()));
    }
    if (!WaitUntil([&] { return ListCount(main, kWallpaperList) == before + 1; }, kWindowMs)) {
        return Fail(Format("the list holds %d entries after Add Folder..., not %d", ListCount(main, kWallpaperList),
                           before + 1));
    }
    std::string last = ListEntry(main, kWallpaperList, before);
    if (lstrcmpiA(last.c_str(), line.c_str()) != 0) {
        return Fail(Format("after Add Folder... the last entry is \"%s\", not \"%s\"", last.c_str(), line.c_str()));
    }
    Done(Format("Add Folder... chosen in the window menu and %s picked in the folder picker: it joined the list as "
                "entry %d, and the rotation shows the pictures in it",
                arguments[0].c_str(), before + 1));
    return 0;
}

int ShowDesktop(const std::vector<std::string>&) {
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (!WaitUntil([&] { return IsIconic(main) != FALSE; }, kWindowMs)) return Fail("the main window did not minimize");
    Done("the main window minimized: the desktop is free for the wallpaper");
    return 0;
}

// await-wallpaper <file name | any>: waits until the rotation makes the list's picture of that
// name (or, for "any", the next picture) the wallpaper. Only a change counts, not a picture
// already shown: its picture is then taken at the start of the few seconds it stays, not at their
// end.
int AwaitWallpaper(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Fail("await-wallpaper needs a picture's file name");
    bool anyPicture = arguments[0] == "any";
    std::string file = arguments[0];
    HWND main = FindInstalledProgram();
    DWORD start = GetTickCount();
    std::string value;
    std::string entry;
    std::string before = DesktopWallpaper();
    bool changed = false;
    auto shown = [&] {
        value = DesktopWallpaper();
        entry = ShownEntry(main, value);
        if (anyPicture) {
            file = FileName(entry);
            return value != before && FileExists(value);
        }
        bool isWanted = lstrcmpiA(FileName(entry).c_str(), file.c_str()) == 0;
        if (!isWanted) changed = true;
        return isWanted && changed;
    };
    if (!WaitUntil(shown, kWallpaperMs)) {
        return Fail(Format("the wallpaper did not change to %s within %lu ms (it is \"%s\")", file.c_str(),
                           kWallpaperMs, value.c_str()));
    }
    DWORD waited = GetTickCount() - start;
    Sleep(kPaintMs);
    ShownWallpaper wallpaper{value, entry};
    Done(Format("the rotation made %s the wallpaper (after %.1f s of waiting)", wallpaper.Described().c_str(),
                waited / 1000.0));
    ShowsWallpaper(wallpaper);
    return 0;
}

// fill-with <file name>: as the user does, chooses "Fill" as the picture position and presses
// Apply Settings, then selects the list's line of that picture and presses Set Wallpaper Now.
// Quorvane composes a bitmap of the whole screen with the picture covering it, tiled from the
// top-left. Apply Settings starts the rotation's interval afresh, so the picture is taken before
// the next change.
int FillWith(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Fail("fill-with needs a picture's file name");
    const std::string& file = arguments[0];
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    int line = EntryIndex(main, file);
    if (line < 0) return Fail(Format("the list holds no %s", file.c_str()));
    std::string failed = ApplyPosition(main, "Fill");
    if (!failed.empty()) return Fail(failed);
    SelectEntry(main, kWallpaperList, line);
    SetDesktopWallpaper(kBeforeSetNow);
    DWORD start = GetTickCount();
    if (!PressButton(main, kSetWallpaperNow, true)) return Fail("Set Wallpaper Now could not be pressed");
    std::string value;
    if (!WaitUntil([&] { return (value = DesktopWallpaper()) != kBeforeSetNow; }, kWindowMs)) {
        return Fail(Format("Set Wallpaper Now set no wallpaper within %lu ms", kWindowMs));
    }
    DWORD waited = GetTickCount() - start;
    RECT screen = Screen();
    SIZE size = BitmapSize(value);
    std::string entry = ShownEntry(main, value);
    std::string tile = DesktopValueText(kTileWallpaper);
    std::string style = DesktopValueText(kWallpaperStyle);
    if (lstrcmpiA(value.c_str(), kConvertedWallpaper) != 0 || size.cx != screen.right - screen.left ||
        size.cy != screen.bottom - screen.top || lstrcmpiA(FileName(entry).c_str(), file.c_str()) != 0 ||
        tile != "1" || style != "0") {
        return Fail(Format("after Set Wallpaper Now the wallpaper is %s (%ld x %ld) for %s, %s %s, %s %s",
                           value.c_str(), size.cx, size.cy, entry.c_str(), kTileWallpaper, tile.c_str(),
                           kWallpaperStyle, style.c_str()));
    }
    Sleep(kPaintMs);
    Done(Format("\"Fill\" chosen as the picture position and Apply Settings pressed (%s keeps it), %s selected "
                "and Set Wallpaper Now pressed: Quorvane composed %s of %ld x %ld, the picture covering the whole "
                "screen, and the desktop tiles it (after %.1f s of waiting)",
                kDisplayFile, entry.c_str(), value.c_str(), size.cx, size.cy, waited / 1000.0));
    Area(screen);
    Shows(screen, screen, file, "fills");
    return 0;
}

// choose-position <position>: as the user does, chooses the picture position and presses Apply
// Settings. "System setting" puts the desktop's own style values back.
int ChoosePosition(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Fail("choose-position needs a picture position");
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    std::string failed = ApplyPosition(main, arguments[0]);
    if (!failed.empty()) return Fail(failed);
    Done(Format("\"%s\" chosen as the picture position and Apply Settings pressed: %s keeps it, and the desktop's "
                "style values are %s %s, %s %s",
                arguments[0].c_str(), kDisplayFile, kTileWallpaper, DesktopValueText(kTileWallpaper).c_str(),
                kWallpaperStyle, DesktopValueText(kWallpaperStyle).c_str()));
    return 0;
}

// icon-next-picture: just after a change of the rotation, as far as can be from the next, "Next
// Picture" in the icon's menu: the place after Current Wallpaper Selection's picture becomes the
// wallpaper at once, well before half the rotation's interval has passed.
int IconNextPicture(const std::vector<std::string>&) {
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    // A tick may show the picture shown already (the lighthouse after it filled the screen), so
    // the next one is waited for too.
    ShownWallpaper before = CurrentWallpaper(main);
    if (!WaitUntil([&] { return CurrentWallpaper(main) != before; }, kTwoIntervalsMs)) {
        return Fail(Format("the rotation made no change within %lu ms", kTwoIntervalsMs));
    }
    DWORD rotated = GetTickCount();
    before = CurrentWallpaper(main);
    std::vector<PopupMenuItem> items;
    std::string failed = ChooseInIconMenu(main, kNextPicture, &items);
    if (!failed.empty()) return Fail(failed);
    ShownWallpaper after;
    const DWORD atOnceMs = kIntervalMs / 2;
    bool changed = WaitUntil([&] { return (after = CurrentWallpaper(main)) != before; }, atOnceMs);
    double sinceRotation = (GetTickCount() - rotated) / 1000.0;
    if (!changed || sinceRotation >= atOnceMs / 1000.0) {
        return Fail(Format("\"%s\" left %s the wallpaper for %.1f s after the rotation's change (now %s)",
                           kNextPicture, before.Described().c_str(), sinceRotation, after.Described().c_str()));
    }
    Sleep(kPaintMs);
    Done(Format("a right click on the notification-area icon opened its menu (%s), and \"%s\" made %s the "
                "wallpaper at once, %.1f s after the rotation's last change",
                MenuText(items).c_str(), kNextPicture, after.Described().c_str(), sinceRotation));
    ShowsWallpaper(after);
    return 0;
}

// icon-pause: "Pause Rotation" in the icon's menu: the display settings file keeps the pause at
// once, and the desktop keeps its picture over two periods of the minute timer.
int IconPause(const std::vector<std::string>&) {
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    std::vector<PopupMenuItem> items;
    std::string failed = ChooseInIconMenu(main, kPauseRotation, &items);
    if (!failed.empty()) return Fail(failed);
    if (!WaitUntil([] { return RotationPaused() == "1"; }, kWindowMs)) {
        return Fail(Format("after \"%s\" %s keeps Paused=%s", kPauseRotation, kDisplayFile, RotationPaused().c_str()));
    }
    ShownWallpaper paused = CurrentWallpaper(main);
    ShownWallpaper now;
    if (WaitUntil([&] { return (now = CurrentWallpaper(main)) != paused; }, kTwoIntervalsMs)) {
        return Fail(Format("the paused rotation changed %s to %s", paused.Described().c_str(), now.Described().c_str()));
    }
    Done(Format("\"%s\" chosen in the icon's menu: %s keeps Paused=1, and %s is still the wallpaper %.1f s later, "
                "two periods of the minute timer",
                kPauseRotation, kDisplayFile, paused.Described().c_str(), kTwoIntervalsMs / 1000.0));
    ShowsWallpaper(paused);
    return 0;
}

// icon-resume: "Pause Rotation", checked while paused, chosen again in the icon's menu: the display
// settings file keeps Paused=0, and the rotation's next tick changes the picture.
int IconResume(const std::vector<std::string>&) {
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    ShownWallpaper before = CurrentWallpaper(main);
    std::vector<PopupMenuItem> items;
    std::string failed = ChooseInIconMenu(main, kPauseRotation, &items);
    if (!failed.empty()) return Fail(failed);
    if (!IsChecked(items, kPauseRotation)) {
        return Fail(Format("the paused rotation's menu (%s) shows \"%s\" unchecked", MenuText(items).c_str(),
                           kPauseRotation));
    }
    DWORD chosen = GetTickCount();
    if (!WaitUntil([] { return RotationPaused() == "0"; }, kWindowMs)) {
        return Fail(Format("after \"%s\" again %s keeps Paused=%s", kPauseRotation, kDisplayFile,
                           RotationPaused().c_str()));
    }
    ShownWallpaper after;
    if (!WaitUntil([&] { return (after = CurrentWallpaper(main)) != before; }, kQuietMs)) {
        return Fail(Format("the resumed rotation left %s within %lu ms", before.Described().c_str(), kQuietMs));
    }
    DWORD waited = GetTickCount() - chosen;
    Sleep(kPaintMs);
    Done(Format("\"%s\", checked in the icon's menu, chosen again: %s keeps Paused=0, and the rotation made %s "
                "the wallpaper (after %.1f s of waiting)",
                kPauseRotation, kDisplayFile, after.Described().c_str(), waited / 1000.0));
    ShowsWallpaper(after);
    return 0;
}

int CloseProgram(const std::vector<std::string>&) {
    HWND main = FindInstalledProgram();
    if (!main) return Fail("Quorvane's main window is not there");
    DWORD pid = ProcessOf(main);
    PostClose(main);
    if (!WaitForProcessEnd(pid, kEndMs)) return Fail(Format("Quorvane still runs %lu ms after its close box", kEndMs));
    Done(Format("the close box saved the settings to %s and Quorvane ended", kSettingsFile));
    return 0;
}

// The shell's work at log-on: opens every shortcut in the StartUp folders, as it does when a
// user logs on, and waits for the installed program to come up with the settings it saved.
int LogOn(const std::vector<std::string>&) {
    if (FindInstalledProgram()) return Fail("Quorvane still runs before the log-on");
    std::string opened;
    for (const std::string& shortcut : StartupShortcuts()) {
        if (!FileExists(shortcut)) continue;
        std::string folder = shortcut.substr(0, shortcut.find_last_of('\\'));
        auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, "open", shortcut.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL));
        if (result <= 32) return Fail(Format("the shell could not open %s (%d)", shortcut.c_str(), int(result)));
        opened += (opened.empty() ? "" : ", ") + shortcut;
    }
    if (opened.empty()) return Fail("no StartUp folder of the shell holds the shortcut");
    HWND main = WaitForInstalledProgram(kWindowMs);
    if (!main) return Fail(Format("%s did not bring up %s within %lu ms", opened.c_str(), kInstalledProgram, kWindowMs));
    std::string minutes = ControlText(main, kMinutes);
    if (std::atof(minutes.c_str()) <= 0 || CheckState(main, kFreqMinutes) != BST_CHECKED) {
        return Fail(Format("after the log-on Quorvane shows minutes \"%s\", not the saved settings", minutes.c_str()));
    }
    Done(Format("logged on: the shell opened %s and Quorvane came up with its saved settings (every %s minutes)",
                opened.c_str(), minutes.c_str()));
    return 0;
}

using Step = int (*)(const std::vector<std::string>&);

const std::map<std::string, Step>& Steps() {
    static const std::map<std::string, Step> steps = {
        {"fresh-install-state", FreshInstallState},
        {"await-setup", AwaitSetup},
        {"install", Install},
        {"confirm-success", ConfirmSuccess},
        {"await-program", AwaitProgram},
        {"set-interval", SetInterval},
        {"show-preview", ShowPreview},
        {"open-help", OpenHelp},
        {"open-about", OpenAbout},
        {"close-about", CloseAbout},
        {"add-picture", AddPicture},
        {"add-folder", AddFolder},
        {"show-desktop", ShowDesktop},
        {"await-wallpaper", AwaitWallpaper},
        {"fill-with", FillWith},
        {"choose-position", ChoosePosition},
        {"icon-next-picture", IconNextPicture},
        {"icon-pause", IconPause},
        {"icon-resume", IconResume},
        {"close-program", CloseProgram},
        {"log-on", LogOn},
    };
    return steps;
}

}  // namespace

int RunDemoStep(const std::string& name, const std::vector<std::string>& arguments) {
    auto step = Steps().find(name);
    if (step == Steps().end()) return 2;
    int status = step->second(arguments);
    std::fflush(stdout);
    return status;
}

const char* DemoStepUsage() {
    return "  fresh-install-state\n"
           "  await-setup\n"
           "  install\n"
           "  confirm-success\n"
           "  await-program\n"
           "  set-interval <minutes> [<seconds to wait for the program>]\n"
           "  show-preview <sample>\n"
           "  open-help\n"
           "  open-about\n"
           "  close-about\n"
           "  add-picture <path>\n"
           "  add-folder <path>\n"
           "  show-desktop\n"
           "  await-wallpaper <file name | any>\n"
           "  fill-with <file name>\n"
           "  choose-position <position>\n"
           "  icon-next-picture\n"
           "  icon-pause\n"
           "  icon-resume\n"
           "  close-program\n"
           "  log-on\n";
}
