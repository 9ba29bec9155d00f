// Hooking QuorvaneProbe.dll into another process for one message.
#include "Probe.h"

bool SendToProbe(HWND window, UINT message) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dll = path;
    dll = dll.substr(0, dll.find_last_of('\\') + 1) + "QuorvaneProbe.dll";
    HMODULE probe = LoadLibraryA(dll.c_str());
    auto hookProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeHook")));
    HHOOK hook = hookProc
                     ? SetWindowsHookExA(WH_CALLWNDPROC, hookProc, probe, GetWindowThreadProcessId(window, nullptr))
                     : nullptr;
    DWORD_PTR result = 0;
    bool answered = hook && SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    if (hook) UnhookWindowsHookEx(hook);
    if (probe) FreeLibrary(probe);
    return answered;
}
