// A running copy of Quorvane.EXE, started from the dist folder and always ended with its owner.
#pragma once

#include <windows.h>

#include <string>

#include "ProgramProcess.h"

// Where Quorvane.EXE is staged, as a Windows path; set once from the command line.
void SetDistFolder(const std::string& folder);
const std::string& DistFolder();

class QuorvaneProcess : public ProgramProcess {
public:
    // Starts the Quorvane.EXE of the dist folder; says on stderr why when it cannot.
    explicit QuorvaneProcess(StartMode mode = StartMode::Plain);
    // Starts the Quorvane.EXE of `folder`, with `folder` as its working directory.
    explicit QuorvaneProcess(const std::string& folder, StartMode mode = StartMode::Plain);

    // The visible main dialog "Quorvane" once start-up is over, or nullptr after `milliseconds`.
    HWND MainWindow(DWORD milliseconds = 15000) const;
    // The close box of the main dialog, then a bounded wait for the end; true once it has ended.
    bool Close(DWORD milliseconds = 15000) const;
};
