// The probe's record of Shell_NotifyIconA calls, the icon's callback, its popup menu, and the
// notification state handed to the probe.
#include "NotifyIcon.h"

#include <cstdlib>
#include <iterator>
#include <sstream>

#include "DialogDriver.h"
#include "Probe.h"
#include "QuorvaneFiles.h"

namespace {

DWORD NotifyIconMessage(const std::string& name) {
    for (DWORD message = 0; message < std::size(kNotifyIconMessageNames); ++message) {
        if (name == kNotifyIconMessageNames[message]) return message;
    }
    return std::strtoul(name.c_str(), nullptr, 10);
}

// The line of one call, its tip as many characters as the line says; false at the end of the
// record or at a line still being written.
bool ReadNotifyIconRecord(std::istream& in, NotifyIconRecord* record) {
    std::string message;
    uintptr_t window = 0;
    size_t tipLength = 0;
    if (!(in >> record->tick >> message >> record->id >> window >> record->callbackMessage >> record->flags >>
          tipLength) ||
        in.get() != ' ') {
        return false;
    }
    record->tip.assign(tipLength, '\0');
    in.read(&record->tip[0], std::streamsize(tipLength));
    record->message = NotifyIconMessage(message);
    record->window = reinterpret_cast<HWND>(window);
    return in && in.get() == '\n';
}

BOOL CALLBACK FindPopupMenu(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32768" || ProcessOf(window) != found->first || !IsWindowVisible(window)) {
        return TRUE;
    }
    found->second = window;
    return FALSE;
}

// A key press as the keyboard makes it, posted to the menu window: the menu's own message loop
// takes it from the queue of its thread, whichever window has the focus.
bool PressKey(HWND menu, WORD virtualKey) {
    LPARAM scanCode = LPARAM(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    return PostMessageA(menu, WM_KEYDOWN, virtualKey, scanCode | 1) &&
           PostMessageA(menu, WM_KEYUP, virtualKey, scanCode | 1 | 0xC0000000);
}

}  // namespace

std::vector<NotifyIconRecord> NotifyIconRecords(DWORD pid) {
    std::string bytes;
    std::vector<NotifyIconRecord> records;
    if (!ReadBytes(NotifyIconRecordPath(pid), &bytes)) return records;
    std::istringstream in(bytes);
    for (NotifyIconRecord record; ReadNotifyIconRecord(in, &record);) records.push_back(record);
    return records;
}

// The shell lets the program come to the foreground, as it needs to for its menu.
bool ClickNotifyIcon(const NotifyIconRecord& icon, UINT mouseMessage) {
    AllowSetForegroundWindow(ProcessOf(icon.window));
    return PostMessageA(icon.window, icon.callbackMessage, icon.id, mouseMessage) != 0;
}

HWND WaitForPopupMenu(DWORD pid, DWORD milliseconds) {
    std::pair<DWORD, HWND> found{pid, nullptr};
    WaitUntil([&] { return !EnumWindows(&FindPopupMenu, reinterpret_cast<LPARAM>(&found)); }, milliseconds, 10);
    return found.second;
}

// Under Wine a menu's items can be read only inside its own process, so the probe reads them.
std::vector<PopupMenuItem> PopupMenuItems(HWND menu) {
    std::string report = PopupMenuReportPath(ProcessOf(menu));
    DeleteFileA(report.c_str());
    std::vector<PopupMenuItem> items;
    std::string bytes;
    if (!SendToProbe(menu, ReadPopupMenuMessage()) || !ReadBytes(report, &bytes)) return items;
    DeleteFileA(report.c_str());
    std::istringstream in(bytes);
    PopupMenuItem item;
    UINT type = 0, state = 0;
    while (in >> item.id >> type >> state && in.get() == ' ' && std::getline(in, item.text)) {
        item.separator = type & MFT_SEPARATOR;
        item.enabled = !(state & MFS_DISABLED);
        item.checked = state & MFS_CHECKED;
        items.push_back(item);
    }
    return items;
}

// Home selects the first item that is not a separator, and each Down the next such item.
bool ChoosePopupMenuItem(HWND menu, const std::string& text) {
    int downs = 0;
    for (const PopupMenuItem& item : PopupMenuItems(menu)) {
        if (item.separator) continue;
        if (item.text == text) {
            if (!item.enabled || !PressKey(menu, VK_HOME)) return false;
            for (int i = 0; i < downs; ++i) PressKey(menu, VK_DOWN);
            return PressKey(menu, VK_RETURN);
        }
        ++downs;
    }
    return false;
}

bool ClosePopupMenu(HWND menu) { return PressKey(menu, VK_ESCAPE); }

// Replaced whole, so that the probe never reads a file half written.
bool SetNotificationState(DWORD pid, QUERY_USER_NOTIFICATION_STATE state) {
    std::string path = NotificationStatePath(pid);
    WriteBytes(path + ".new", std::to_string(int(state)));
    return MoveFileExA((path + ".new").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool UseRealNotificationState(DWORD pid) {
    std::string path = NotificationStatePath(pid);
    return DeleteFileA(path.c_str()) || !FileExists(path);
}
