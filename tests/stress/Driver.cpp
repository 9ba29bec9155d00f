// Process and window driving for the stress programs.
#include "Driver.h"

#include <cstdio>
#include <cstdlib>

#include "Probe.h"

namespace {

const DWORD kEndMs = 15000;

struct WindowSearch {
    DWORD pid;
    HWND except;
    bool needsList;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->pid || window == search->except || !IsWindowVisible(window)) return TRUE;
    if (search->needsList) {
        char caption[64] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (std::string(caption) != "Quorvane" || !GetDlgItem(window, kWallpaperList)) return TRUE;
    }
    search->found = window;
    return FALSE;
}

// The folder of this driver, where the probe DLL lies.
std::string DriverFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds, DWORD pollMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= milliseconds) return false;
        Sleep(pollMs);
    }
    return true;
}

double NowMs() {
    static LARGE_INTEGER frequency{}, start{};
    if (!frequency.QuadPart) {
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

QuorvaneCopy::QuorvaneCopy(const std::string& distFolder) {
    std::string exe = distFolder + "\\Quorvane.EXE";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, distFolder.c_str(),
                        &startup, &m_info)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", exe.c_str(), GetLastError());
        m_info = PROCESS_INFORMATION{};
    }
}

QuorvaneCopy::~QuorvaneCopy() {
    if (!Started()) return;
    if (Running()) Kill();
    if (m_hook) UnhookWindowsHookEx(m_hook);
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
    DeleteFileA(WallpaperLogPath(m_info.dwProcessId).c_str());
}

bool QuorvaneCopy::WaitForExit(DWORD milliseconds) const {
    return Started() && WaitForSingleObject(m_info.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD QuorvaneCopy::ExitCode() const {
    DWORD code = 0;
    if (Started()) GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

HWND QuorvaneCopy::MainWindow(DWORD milliseconds) {
    if (m_dialog && IsWindow(m_dialog)) return m_dialog;
    if (!Started()) return nullptr;
    WindowSearch search{Id(), nullptr, true, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || !Running();
        },
        milliseconds, 10);
    m_dialog = search.found;
    return m_dialog;
}

bool QuorvaneCopy::Kill() {
    if (!Started()) return false;
    TerminateProcess(m_info.hProcess, 1);
    return WaitForExit(kEndMs);
}

bool QuorvaneCopy::Close(DWORD milliseconds) {
    HWND dialog = MainWindow(0);
    if (!dialog) return false;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return WaitForExit(milliseconds);
}

bool QuorvaneCopy::StartWallpaperRecord() {
    HWND dialog = MainWindow();
    if (!dialog) return false;
    HMODULE probe = LoadLibraryA((DriverFolder() + "\\QuorvaneStressProbe.dll").c_str());
    auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "WallpaperProbeHook")));
    if (!hook) return false;
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, hook, probe, GetWindowThreadProcessId(dialog, nullptr));
    if (!m_hook) return false;
    Send(dialog, StartRecordingMessage(), 0, 0);
    return WaitUntil([&] { return GetFileAttributesA(WallpaperLogPath(Id()).c_str()) != INVALID_FILE_ATTRIBUTES; },
                     5000);
}

std::vector<std::pair<DWORD, std::string>> QuorvaneCopy::WallpaperRecord() const {
    std::vector<std::pair<DWORD, std::string>> record;
    HANDLE file = CreateFileA(WallpaperLogPath(Id()).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return record;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    // A line still being written has no line end yet and is left for the next look.
    size_t at = 0;
    for (size_t end; (end = bytes.find('\n', at)) != std::string::npos; at = end + 1) {
        std::string line = bytes.substr(at, end - at);
        size_t space = line.find(' ');
        record.emplace_back(DWORD(std::strtoul(line.c_str(), nullptr, 10)), line.substr(space + 1));
    }
    return record;
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer, DWORD milliseconds) {
    DWORD_PTR result = 0;
    bool answered = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, milliseconds, &result) != 0;
    if (answer) *answer = LRESULT(result);
    return answered;
}

bool Click(HWND dialog, int id, DWORD milliseconds) {
    return Send(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)), nullptr, milliseconds);
}

void PostClick(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

bool Settle(HWND dialog, DWORD milliseconds) { return Send(dialog, WM_NULL, 0, 0, nullptr, milliseconds); }

void Repaint(HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(dialog);
    Settle(dialog);
}

std::string ControlText(HWND dialog, int id) {
    char text[1024] = "";
    Send(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, LPARAM(text));
    return text;
}

bool SetControlText(HWND dialog, int id, const std::string& text) {
    return Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, LPARAM(text.c_str()));
}

int ListCount(HWND dialog) {
    LRESULT count = -1;
    Send(GetDlgItem(dialog, kWallpaperList), LB_GETCOUNT, 0, 0, &count);
    return int(count);
}

bool SelectQuietly(HWND dialog, int index) {
    return Send(GetDlgItem(dialog, kWallpaperList), LB_SETCURSEL, WPARAM(index), 0);
}

void PostSelect(HWND dialog, int index) {
    HWND list = GetDlgItem(dialog, kWallpaperList);
    PostMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kWallpaperList, LBN_SELCHANGE), LPARAM(list));
}

HWND OtherVisibleWindow(DWORD pid, HWND except) {
    WindowSearch search{pid, except, false, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
