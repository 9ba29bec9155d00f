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
#include "PictureFiles.h"
#include "QuorvaneFiles.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"

using Entries = std::vector<std::string>;

// How long a started program may take to end after it was told to.
const DWORD kExitMs = 10000;
const char* const kPictures = "C:\\QuorvaneE2E-Pictures";

inline std::string Picture(const std::string& name) { return std::string(kPictures) + "\\" + name; }

// Two pictures of two bands, each the other's upside down, 30 pixels wide so that rows of a .bmp need padding. JPEG
// keeps a block of one colour within a few steps of it, but blurs the rows where two bands meet.
const BandedPicture kPngPicture{30, 32, {RGB(255, 0, 0), RGB(32, 192, 96)}};
const BandedPicture kJpegPicture{30, 32, {RGB(32, 192, 96), RGB(255, 0, 0)}};
const int kJpegSteps = 16;

// The colour of the picture's row `y`, or CLR_INVALID within two rows of where two bands meet.
inline COLORREF BandColor(const BandedPicture& picture, int y) {
    int first = std::max(0, y - 2), last = std::min(picture.height - 1, y + 2);
    return picture.At(first) == picture.At(last) ? picture.At(y) : CLR_INVALID;
}

// Whether `color` lies within `steps` of `expected` in red, green and blue; any colour does of CLR_INVALID.
inline bool Near(COLORREF color, COLORREF expected, int steps) {
    return expected == CLR_INVALID || (std::abs(GetRValue(color) - GetRValue(expected)) <= steps &&
                                       std::abs(GetGValue(color) - GetGValue(expected)) <= steps &&
                                       std::abs(GetBValue(color) - GetBValue(expected)) <= steps);
}

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
        RemoveFolder(kPictures);
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
