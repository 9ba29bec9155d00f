// The base of every installer case: the prefix as wineboot makes it before and after each case,
// and driving the installer's window.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "ProgramProcess.h"
#include "ShellLink.h"

const char* const kInstallFolder = "C:\\QUORVANE";
// The programs an install starts.
const char* const kEditor = "notepad.exe";
const char* const kWallpaperProgram = "Quorvane.EXE";

// A message box in one line: "<caption>: <text> [<buttons>(, icon)]".
std::string BoxInOneLine(HWND box);

// Before a case no text editor or wallpaper program runs and C:\QUORVANE is gone; afterwards the
// programs the installer started are ended and the prefix is as it was.
class SetupCase : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts `folder`\setup.exe; the setup window once it shows, or nullptr.
    HWND StartSetup(const std::string& folder);
    // Makes the folder and the missing levels above it; all go again, with their files, after the case.
    void MakeFolder(const std::string& path);

    std::unique_ptr<ProgramProcess> m_setup;
    HWND m_window = nullptr;
    // The folders MakeFolder made, outermost first.
    std::vector<std::string> m_madeFolders;
};
