// Hooking QuorvaneProbe.dll into another process, for one message or from the process's start.
#include "Probe.h"

#include "DialogDriver.h"
#include "QuorvaneFiles.h"

namespace {

const DWORD kArmMs = 10000;

// QuorvaneProbe.dll, found beside this program.
std::string ProbeDllPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dll = path;
    return dll.substr(0, dll.find_last_of('\\') + 1) + "QuorvaneProbe.dll";
}

}  // namespace

void RemoveProbeFiles(DWORD pid) {
    DeleteFileA(NotifyIconRecordPath(pid).c_str());
    DeleteFileA(NotificationStatePath(pid).c_str());
}

// The probe's path is written into the process, and an APC queued to its main thread loads it
// there: a new process runs its main thread's APCs once the loader has loaded and initialised the
// program's imports, before the program's entry point, on Windows and under Wine 8 alike. The DLL
// arms itself while it loads, told by ProbeArmPath. LoadLibraryA lies at the same address in every
// process of the session. (A remote thread loads the DLL too, but under Wine that thread then
// initialises the whole process, the imports' DllMains included, before the main thread runs.)
bool StartProbed(const PROCESS_INFORMATION& process) {
    std::string dll = ProbeDllPath();
    std::string armPath = ProbeArmPath(process.dwProcessId);
    WriteBytes(armPath, "");
    void* remotePath =
        VirtualAllocEx(process.hProcess, nullptr, dll.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    FARPROC loadLibrary = GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
    bool queued = remotePath &&
                  WriteProcessMemory(process.hProcess, remotePath, dll.c_str(), dll.size() + 1, nullptr) &&
                  QueueUserAPC(reinterpret_cast<PAPCFUNC>(reinterpret_cast<void*>(loadLibrary)), process.hThread,
                               reinterpret_cast<ULONG_PTR>(remotePath));
    ResumeThread(process.hThread);
    bool armed = queued && WaitUntil([&] { return !FileExists(armPath); }, kArmMs, 10);
    DeleteFileA(armPath.c_str());
    if (armed) VirtualFreeEx(process.hProcess, remotePath, 0, MEM_RELEASE);
    return armed;
}

bool SendToProbe(HWND window, UINT message) {
    HMODULE probe = LoadLibraryA(ProbeDllPath().c_str());
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
