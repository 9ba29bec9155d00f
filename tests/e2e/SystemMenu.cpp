// Reads a system menu through QuorvaneE2EProbe.dll, hooked into the window's process, which reports into a file.
#include "SystemMenu.h"

#include <fstream>

#include "SystemMenuProbe.h"

namespace {

const DWORD kSendMs = 5000;

std::string ProbeDllPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    return exe.substr(0, exe.find_last_of('\\') + 1) + "QuorvaneE2EProbe.dll";
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

std::vector<std::string> SystemMenuItems(HWND window) {
    HMODULE probe = LoadLibraryA(ProbeDllPath().c_str());
    auto hookProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "SystemMenuHook")));
    if (!hookProc) return {};
    DWORD pid = 0;
    DWORD thread = GetWindowThreadProcessId(window, &pid);
    std::string report = SystemMenuReportPath(pid);
    DeleteFileA(report.c_str());
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, hookProc, probe, thread);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, ReadSystemMenuMessage(), 0, 0, SMTO_ABORTIFHUNG, kSendMs, &result);
    UnhookWindowsHookEx(hook);
    FreeLibrary(probe);
    std::vector<std::string> items = ReadLines(report);
    DeleteFileA(report.c_str());
    return items;
}
