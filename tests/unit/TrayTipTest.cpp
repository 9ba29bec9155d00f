// The tip of the icon in the notification area.
#include "TrayTip.h"

#include <gtest/gtest.h>

TEST(TrayTip, NamesThePictureSetCutToWhatATipHolds) {
    const std::string longName(200, 'x');
    for (auto [path, tip] : {std::pair<std::string, std::string>{"", "Quorvane"},
                             {"C:\\Pictures\\Sea.jpg", "Quorvane: Sea.jpg"},
                             {"Z:/home/a\\b/Dusk.png", "Quorvane: Dusk.png"},
                             {"Plain.bmp", "Quorvane: Plain.bmp"},
                             {"C:\\" + longName, "Quorvane: " + longName.substr(0, 117)}}) {
        EXPECT_EQ(TrayTip(path), tip) << path;
    }
}
