// Starting, finding and ending the processes of the cases.
#include "ProgramProcess.h"

#include <tlhelp32.h>

#include <cstdio>

#include "Probe.h"

namespace {

const DWORD kExitWaitMs = 10000;
const int kStartAttempts = 10;
const DWORD kStartRetryMs = 200;

}  // namespace

ProgramProcess::ProgramProcess(const std::string& folder, const std::string& exeName, StartMode mode) {
    std::string exe = folder + "\\" + exeName;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    DWORD flags = mode == StartMode::ProbeFromStart ? CREATE_SUSPENDED : 0;
    // Wine at times refuses a new process with ERROR_INTERNAL_ERROR just after another one ended;
    // a moment later it starts it.
    for (int attempt = 1; attempt <= kStartAttempts; ++attempt) {
        if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, flags, nullptr, folder.c_str(),
                           &startup, &m_info)) {
            RemoveProbeFiles(m_info.dwProcessId);
            if (mode == StartMode::Plain || StartProbed(m_info)) return;
            std::fprintf(stderr, "the probe did not arm in %s\n", exe.c_str());
            Kill();
            CloseHandle(m_info.hThread);
            CloseHandle(m_info.hProcess);
            m_info = PROCESS_INFORMATION{};
            return;
        }
        if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == kStartAttempts) break;
        Sleep(kStartRetryMs);
    }
    std::fprintf(stderr, "cannot start %s: error %lu\n", exe.c_str(), GetLastError());
    m_info = PROCESS_INFORMATION{};
}

ProgramProcess::~ProgramProcess() {
    if (!Started()) return;
    if (Running()) Kill();
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

bool ProgramProcess::WaitForExit(DWORD milliseconds) const {
    return Started() && WaitForSingleObject(m_info.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD ProgramProcess::ExitCode() const {
    DWORD code = 0;
    if (Started()) GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

bool ProgramProcess::Kill() const {
    if (!Started()) return false;
    TerminateProcess(m_info.hProcess, 1);
    return WaitForExit(kExitWaitMs);
}

std::vector<DWORD> ProcessesNamed(const std::string& exeName) {
    std::vector<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0) found.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

std::string ProcessImage(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return "<unknown>";
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    BOOL read = QueryFullProcessImageNameA(process, 0, path, &size);
    CloseHandle(process);
    return read ? path : "<unknown>";
}

bool EndProcess(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return false;
    TerminateProcess(process, 1);
    bool ended = WaitForSingleObject(process, kExitWaitMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

bool WaitForProcessEnd(DWORD pid, DWORD milliseconds) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return true;
    bool ended = WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}
