// Display.INI read as the profile functions read it, and written back keeping what Quorvane does not own.
#include "DisplaySettings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

// The values in one line, e.g. "Fit each paused tile=[0] style=[10]".
static std::string Shown(const DisplaySettings& s) {
    const char* const names[] = {"System setting", "Fill", "Fit", "Stretch", "Center", "Tile"};
    return names[int(s.position)] + std::string(s.eachMonitor ? " each" : "") + (s.rotationPaused ? " paused" : "") +
           (s.userTileWallpaper ? " tile=[" + *s.userTileWallpaper + "]" : "") +
           (s.userWallpaperStyle ? " style=[" + *s.userWallpaperStyle + "]" : "");
}

TEST(DisplaySettingsRead, TakesEachValueOnItsOwnAsTheProfileFunctionsDo) {
    using Row = std::pair<std::string, std::string>;  // the file, its values shown
    for (const auto& [file, shown] : {
             Row{"", "System setting"},
             Row{"[Display]\r\nPosition=Fit\r\nEachMonitor=1\r\n[Rotation]\r\nPaused=1\r\n", "Fit each paused"},
             Row{"[dISPLAY]\nposition=sTRETCH\nEACHMONITOR=1\n[rotation]\npaused=1\r", "Stretch each paused"},
             Row{" \t[ Display ] ;x\n \tPosition \t=  Center \t\nUserTileWallpaper = \n", "Center tile=[]"},
             Row{"[Display]\nPosition=\"Tile\"\nUserTileWallpaper=' 1 '\nUserWallpaperStyle=\"\n", "Tile tile=[ 1 ] style=[\"]"},
             Row{"[Display]\n;Position=Fit\n  ; EachMonitor=1\nEachMonitor\nPosition=Fill\n", "Fill"},
             Row{"[Display]\nPosition=Fit\nposition=Fill\nEachMonitor=1\nEachMonitor=0\n", "Fit each"},
             Row{"[Display]\nEachMonitor=1\n[Display]\nPosition=Fit\n", "System setting each"},
             Row{"Position=Fit\n[Other]\nPosition=Fill\n[Display]\nPaused=1\n[Rotation]\nEachMonitor=1\n", "System setting"},
             Row{"[Display]\nPosition=Fit Fill\nEachMonitor=1\n[Rotation]\nPaused=2", "System setting each"},
             Row{"[Display]\nPosition=FIT\nEachMonitor=yes\nUserTileWallpaper=1\n[Rotation]\nPaused=01", "Fit tile=[1]"},
             Row{"[Display]\r\nPosition=System SETTING\r\nEachMonitor=0\r\n[Rotation]\r\nPaused=0\r\n", "System setting"},
         }) {
        EXPECT_EQ(Shown(ReadDisplaySettings(file)), shown) << testing::PrintToString(file);
    }
}

// Each row also checks that writing the same values again changes nothing.
TEST(DisplaySettingsWrite, ChangesOnlyQuorvanesKeysLineByLine) {
    using P = PicturePosition;
    const std::string added = "Position=System setting\r\nEachMonitor=0\r\n", rotation = "[Rotation]\r\nPaused=0\r\n";
    using Row = std::tuple<std::string, DisplaySettings, std::string>;  // the file before, the values, the file after
    for (const auto& [before, settings, after] : {
             Row{"", {}, "[Display]\r\n" + added + "\r\n" + rotation},
             Row{"; mine\nStray=1\n[Other]\nPosition=Fit\n[display]\n position = Fit \nOther=x\n\n[Rotation]\r\nPaused=0\r\nK=V",
                 {P::Fill, true, "1", {}, true}, "; mine\nStray=1\n[Other]\nPosition=Fit\n[display]\n position = Fill\nOther=x\n"
                 "EachMonitor=1\r\nUserTileWallpaper=1\r\n\n[Rotation]\r\nPaused=1\r\nK=V"},
             Row{"[Display]\nUserTileWallpaper=1\nUserTileWallpaper=0\nUserWallpaperStyle=2\n[Display]\nUserTileWallpaper=1\n\n",
                 {P::Tile, false, {}, "10", false}, "[Display]\nUserWallpaperStyle=10\nPosition=Tile\r\nEachMonitor=0\r\n"
                 "[Display]\nUserTileWallpaper=1\n\n" + rotation},
             Row{"[Rotation]\nPaused=1\n[Display]\nEachMonitor=1", {P::Center, false, " 2", "\"6\"\nX=1", false},
                 "[Rotation]\nPaused=0\n[Display]\nEachMonitor=0\r\nPosition=Center\r\nUserTileWallpaper=\" 2\"\r\n"
                 "UserWallpaperStyle=\"\"6\"\"\r\n"},
             Row{"[Other]\r\nA=1", {}, "[Other]\r\nA=1\r\n\r\n[Display]\r\n" + added + "\r\n" + rotation},
             Row{"[Display]\n ;note=below\n", {}, "[Display]\n" + added + " ;note=below\n\r\n" + rotation},
         }) {
        EXPECT_EQ(WriteDisplaySettings(before, settings), after) << testing::PrintToString(before);
        EXPECT_EQ(WriteDisplaySettings(after, settings), after) << testing::PrintToString(before);
    }
}
