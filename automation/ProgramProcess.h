// Programs the cases start, and the processes that the programs start in turn, found by name.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// As a user starts a program, or with QuorvaneProbe.dll armed in it before its first line runs
// (see StartProbed).
enum class StartMode { Plain, ProbeFromStart };

// A program started from a folder of the case's choosing, with that folder as its working
// directory, the way a user starts a program from the folder it lies in; ended with its owner.
class ProgramProcess {
public:
    // Starts `folder`\`exeName`; says on stderr why when it cannot (with ProbeFromStart, also when
    // the probe did not arm: the process is ended then).
    ProgramProcess(const std::string& folder, const std::string& exeName, StartMode mode = StartMode::Plain);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }
    bool WaitForExit(DWORD milliseconds) const;
    bool Running() const { return Started() && !WaitForExit(0); }
    DWORD ExitCode() const;
    // TerminateProcess, then a bounded wait for the end; true once it has ended.
    bool Kill() const;

private:
    PROCESS_INFORMATION m_info{};
};

// The running processes whose executable is named `exeName` (letter case ignored), from a
// Toolhelp snapshot.
std::vector<DWORD> ProcessesNamed(const std::string& exeName);
// The full path of the process's executable, or "<unknown>" when it cannot be read.
std::string ProcessImage(DWORD pid);
// Ends the process and waits a bounded time for it to go; false when it is still there.
bool EndProcess(DWORD pid);
// Waits for the process to end by itself; true when it has (or was not there).
bool WaitForProcessEnd(DWORD pid, DWORD milliseconds);
