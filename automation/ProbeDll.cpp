// QuorvaneProbe.dll: a hook that acts inside the probed program. It reads the system menu and
// popup menus there, where GetSystemMenu and GetMenuItemInfoA work; it puts itself in the place of
// SystemParametersInfoA in the program's import table to write down every wallpaper the program
// sets, however fast; in the place of the framework's ReadFile to make the reads of one file fail;
// and in the place of the program's EnumDisplayMonitors and GetMonitorInfoA to
// show it made-up monitors. It drops files as the shell does. Armed from the program's start, it
// writes down every Shell_NotifyIconA call and answers SHQueryUserNotificationState as told.
#include <shlobj.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <vector>

#include "Probe.h"

namespace {

using SystemParametersInfoFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);

SystemParametersInfoFunction g_original = nullptr;
HANDLE g_log = INVALID_HANDLE_VALUE;

// Item `index` of `menu`, its text in `text`.
MENUITEMINFOA ReadMenuItem(HMENU menu, int index, char (&text)[256]) {
    text[0] = '\0';
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = sizeof text;
    GetMenuItemInfoA(menu, index, TRUE, &item);
    return item;
}

void WriteSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    std::ofstream report(SystemMenuReportPath(GetCurrentProcessId()), std::ios::trunc);
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256];
        MENUITEMINFOA item = ReadMenuItem(menu, i, text);
        if (item.fType & MFT_SEPARATOR) {
            report << "----\n";
        } else {
            report << item.wID << ' ' << text << '\n';
        }
    }
}

// `window` is the popup menu window (class "#32768") that TrackPopupMenu shows.
void WritePopupMenu(HWND window) {
    auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    std::ofstream report(PopupMenuReportPath(GetCurrentProcessId()), std::ios::binary);
    int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        char text[256];
        MENUITEMINFOA item = ReadMenuItem(menu, i, text);
        report << item.wID << ' ' << item.fType << ' ' << item.fState << ' ' << text << '\n';
    }
}

BOOL WINAPI RecordingSystemParametersInfo(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) {
    if (action == SPI_SETDESKWALLPAPER && g_log != INVALID_HANDLE_VALUE) {
        std::string line =
            std::to_string(GetTickCount()) + ' ' + (pvParam ? static_cast<const char*>(pvParam) : "<null>") + '\n';
        DWORD written = 0;
        WriteFile(g_log, line.data(), DWORD(line.size()), &written, nullptr);
    }
    return g_original(action, uiParam, pvParam, winIni);
}

// Points every import slot of `module` that holds `target` at `replacement`; false when none did.
// The slots will point into this DLL, so it stays loaded when the caller's hook goes.
bool RedirectImport(HMODULE module, FARPROC target, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    bool redirected = false;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         imports.VirtualAddress && dll->Name; ++dll) {
        for (auto* slot = reinterpret_cast<void**>(base + dll->FirstThunk); *slot; ++slot) {
            if (*slot != reinterpret_cast<void*>(target)) continue;
            DWORD protection = 0;
            VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
            *slot = replacement;
            VirtualProtect(slot, sizeof *slot, protection, &protection);
            redirected = true;
        }
    }
    if (redirected) {
        HMODULE self = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           static_cast<LPCSTR>(replacement), &self);
    }
    return redirected;
}

void StartWallpaperRecord() {
    if (g_original) return;
    FARPROC target = GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoA");
    g_original = reinterpret_cast<SystemParametersInfoFunction>(reinterpret_cast<void*>(target));
    g_log = CreateFileA(WallpaperRecordPath(GetCurrentProcessId()).c_str(), FILE_APPEND_DATA,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    RedirectImport(GetModuleHandleA(nullptr), target, reinterpret_cast<void*>(&RecordingSystemParametersInfo));
}

// Every read of more than a header from a file named "*Unreadable*" fails, as a read of a byte range
// that another process locked fails on Windows (Wine does not enforce such locks on reads).
BOOL WINAPI FailingReadFile(HANDLE file, void* buffer, DWORD count, DWORD* got, OVERLAPPED* overlapped) {
    char path[MAX_PATH] = "";
    if (count > 64 && GetFinalPathNameByHandleA(file, path, MAX_PATH, 0) && std::strstr(path, "Unreadable")) {
        SetLastError(ERROR_LOCK_VIOLATION);
        return FALSE;
    }
    return ReadFile(file, buffer, count, got, overlapped);
}

// The framework does the program's file reads.
void FailUnreadableReads() {
    if (HMODULE framework = GetModuleHandleA("MFC42.DLL")) {
        RedirectImport(framework, GetProcAddress(GetModuleHandleA("kernel32.dll"), "ReadFile"),
                       reinterpret_cast<void*>(&FailingReadFile));
    }
}

// The DROPFILES header, then the paths; GPTR's zeros end them.
void DropFiles(HWND window) {
    std::ifstream list(DropListPath(GetCurrentProcessId()), std::ios::binary);
    std::string paths(std::istreambuf_iterator<char>(list), {});
    auto* drop = static_cast<DROPFILES*>(GlobalAlloc(GPTR, sizeof(DROPFILES) + paths.size() + 1));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(drop + 1, paths.data(), paths.size());
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

// The made-up monitors, the primary first; none: the real ones. The program asks from more than one thread.
std::mutex g_monitorsMutex;
std::vector<RECT> g_monitors;

std::vector<RECT> FakeMonitorList() {
    std::lock_guard<std::mutex> lock(g_monitorsMutex);
    return g_monitors;
}

// Real monitor handles are 32-bit values (under Wine the first monitor is 1), so the made-up
// monitor i has the handle 2^40 + i.
const uintptr_t kFirstFakeMonitor = uintptr_t(1) << 40;

HMONITOR FakeMonitorHandle(size_t index) { return reinterpret_cast<HMONITOR>(kFirstFakeMonitor + index); }

BOOL WINAPI FakeEnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC proc, LPARAM data) {
    std::vector<RECT> monitors = FakeMonitorList();
    if (monitors.empty()) return EnumDisplayMonitors(dc, clip, proc, data);
    for (size_t i = 0; i < monitors.size(); ++i) {
        if (!proc(FakeMonitorHandle(i), nullptr, &monitors[i], data)) break;
    }
    return TRUE;
}

BOOL WINAPI FakeGetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
    std::vector<RECT> monitors = FakeMonitorList();
    size_t index = reinterpret_cast<uintptr_t>(monitor) - kFirstFakeMonitor;
    if (index >= monitors.size()) return GetMonitorInfoA(monitor, info);
    info->rcMonitor = monitors[index];
    info->rcWork = monitors[index];
    info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

// Takes the monitors of MonitorListPath, removes the file, and puts the fakes in the program's
// import slots (the second time they are there already).
void FakeMonitors() {
    std::string path = MonitorListPath(GetCurrentProcessId());
    std::vector<RECT> monitors;
    std::ifstream list(path);
    for (RECT monitor; list >> monitor.left >> monitor.top >> monitor.right >> monitor.bottom;) {
        monitors.push_back(monitor);
    }
    list.close();
    {
        std::lock_guard<std::mutex> lock(g_monitorsMutex);
        g_monitors = monitors;
    }
    DeleteFileA(path.c_str());
    HMODULE program = GetModuleHandleA(nullptr);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    RedirectImport(program, GetProcAddress(user32, "EnumDisplayMonitors"),
                   reinterpret_cast<void*>(&FakeEnumDisplayMonitors));
    RedirectImport(program, GetProcAddress(user32, "GetMonitorInfoA"), reinterpret_cast<void*>(&FakeGetMonitorInfoA));
}

using ShellNotifyIconFunction = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
using QueryNotificationStateFunction = HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*);

ShellNotifyIconFunction g_shellNotifyIcon = nullptr;
QueryNotificationStateFunction g_queryNotificationState = nullptr;
HANDLE g_notifyIconLog = INVALID_HANDLE_VALUE;

std::string NotifyIconMessageName(DWORD message) {
    return message < std::size(kNotifyIconMessageNames) ? kNotifyIconMessageNames[message] : std::to_string(message);
}

// The tip counts only with NIF_TIP.
std::string NotifyIconTip(const NOTIFYICONDATAA& data) {
    return data.uFlags & NIF_TIP ? std::string(data.szTip, strnlen(data.szTip, sizeof data.szTip)) : "";
}

BOOL WINAPI RecordingShellNotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
    if (data) {
        std::string tip = NotifyIconTip(*data);
        std::string line = std::to_string(GetTickCount()) + ' ' + NotifyIconMessageName(message) + ' ' +
                           std::to_string(data->uID) + ' ' + std::to_string(reinterpret_cast<uintptr_t>(data->hWnd)) +
                           ' ' + std::to_string(data->uCallbackMessage) + ' ' + std::to_string(data->uFlags) + ' ' +
                           std::to_string(tip.size()) + ' ' + tip + '\n';
        DWORD written = 0;
        WriteFile(g_notifyIconLog, line.data(), DWORD(line.size()), &written, nullptr);
    }
    return g_shellNotifyIcon(message, data);
}

// The number in NotificationStatePath, read at every call; without the file, the real answer.
HRESULT WINAPI AnsweringQueryNotificationState(QUERY_USER_NOTIFICATION_STATE* state) {
    HANDLE file = CreateFileA(NotificationStatePath(GetCurrentProcessId()).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return g_queryNotificationState(state);
    char number[16] = "";
    DWORD got = 0;
    ReadFile(file, number, sizeof number - 1, &got, nullptr);
    CloseHandle(file);
    *state = QUERY_USER_NOTIFICATION_STATE(std::atoi(number));
    return S_OK;
}

// Runs while the loader loads this DLL into the program, before the program's first line, when
// the driver asked for it with ProbeArmPath. shell32 is loaded then, as the program imports it.
void ArmIfAsked() {
    DWORD pid = GetCurrentProcessId();
    if (GetFileAttributesA(ProbeArmPath(pid).c_str()) == INVALID_FILE_ATTRIBUTES) return;
    HMODULE program = GetModuleHandleA(nullptr);
    HMODULE shell32 = GetModuleHandleA("shell32.dll");
    FARPROC notifyIcon = GetProcAddress(shell32, "Shell_NotifyIconA");
    FARPROC queryState = GetProcAddress(shell32, "SHQueryUserNotificationState");
    g_shellNotifyIcon = reinterpret_cast<ShellNotifyIconFunction>(reinterpret_cast<void*>(notifyIcon));
    g_queryNotificationState = reinterpret_cast<QueryNotificationStateFunction>(reinterpret_cast<void*>(queryState));
    g_notifyIconLog = CreateFileA(NotifyIconRecordPath(pid).c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    RedirectImport(program, notifyIcon, reinterpret_cast<void*>(&RecordingShellNotifyIcon));
    RedirectImport(program, queryState, reinterpret_cast<void*>(&AnsweringQueryNotificationState));
    DeleteFileA(ProbeArmPath(pid).c_str());
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) ArmIfAsked();
    return TRUE;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == ReadSystemMenuMessage()) WriteSystemMenu(call->hwnd);
    if (code == HC_ACTION && call->message == StartWallpaperRecordMessage()) StartWallpaperRecord();
    if (code == HC_ACTION && call->message == FailUnreadableReadsMessage()) FailUnreadableReads();
    if (code == HC_ACTION && call->message == DropFilesMessage()) DropFiles(call->hwnd);
    if (code == HC_ACTION && call->message == FakeMonitorsMessage()) FakeMonitors();
    if (code == HC_ACTION && call->message == ReadPopupMenuMessage()) WritePopupMenu(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
