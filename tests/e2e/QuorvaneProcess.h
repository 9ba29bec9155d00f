// A running copy of Quorvane.EXE, started from the dist folder and always ended with its owner.
#pragma once

#include <windows.h>

#include <string>

// Where Quorvane.EXE is staged, as a Windows path; set once from the command line.
void SetDistFolder(const std::string& folder);
const std::string& DistFolder();

class QuorvaneProcess {
public:
    // Starts the program; says on stderr why when it cannot.
    QuorvaneProcess();
    // Starts the Quorvane.EXE of `folder`, with `folder` as its working directory.
    explicit QuorvaneProcess(const std::string& folder);
    ~QuorvaneProcess();
    QuorvaneProcess(const QuorvaneProcess&) = delete;
    QuorvaneProcess& operator=(const QuorvaneProcess&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }

    // The visible main dialog "Quorvane" once start-up is over, or nullptr after a bounded wait.
    HWND MainWindow() const;
    bool WaitForExit(DWORD milliseconds) const;
    bool Running() const { return !WaitForExit(0); }

private:
    PROCESS_INFORMATION m_info{};
};
