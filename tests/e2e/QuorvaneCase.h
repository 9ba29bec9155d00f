// The base of every case of the wallpaper program: C:\Quorvane empty and a picture folder when a case begins, both gone
// when it ends.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "MainDialog.h"
#include "QuorvaneFiles.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"

using Entries = std::vector<std::string>;

// How long a started program may take to end after it was told to.
const DWORD kExitMs = 10000;
const char* const kPictures = "C:\\QuorvaneE2E-Pictures";

inline std::string Picture(const std::string& name) { return std::string(kPictures) + "\\" + name; }

// The settings record `saved`, dated `saveDate` (MM/DD/YY; empty: never saved).
inline std::string DatedRecord(Settings saved, const std::string& saveDate) {
    saved.saveDate = saveDate;
    return SettingsRecord(saved);
}

class QuorvaneCase : public testing::Test {
protected:
    void SetUp() override {
        MakeEmptyQuorvaneFolder();
        CreateDirectoryA(kPictures, nullptr);
    }
    void TearDown() override {
        app.reset();
        for (const std::string& name : FilesIn(kPictures)) DeleteFileA(Picture(name).c_str());
        RemoveDirectoryA(kPictures);
        RemoveQuorvaneFolder();
    }

    // Starts the program on the files as they are; false when its main window does not show.
    bool Start() {
        app.reset();
        app.emplace();
        return (dialog = app->MainWindow()) != nullptr;
    }

    bool StartOn(const Entries& list, const std::string& settings) {
        LayOutQuorvaneFiles(list, settings);
        return Start();
    }

    // The close box, which saves the settings; waits for the program to end.
    void Close() {
        PostClose(dialog);
        EXPECT_TRUE(app->WaitForExit(kExitMs)) << "still running after WM_CLOSE";
    }

    // The program's visible top-level windows other than its main dialog: its message boxes.
    std::vector<HWND> OtherWindows() {
        std::vector<HWND> others = VisibleWindows(app->Id());
        others.erase(std::remove(others.begin(), others.end(), dialog), others.end());
        return others;
    }

    std::optional<QuorvaneProcess> app;
    HWND dialog = nullptr;  // the program's main dialog
};
