// The install manifest, the fixed figures of an install and the about box's space lines.
#include "InstallManifest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "SpaceText.h"

namespace {

struct ExpectedRow {
    const char* fileName;
    const char* description;
};

const ExpectedRow kExpectedRows[] = {
    {"QVshort.lnk", "ShortCut to Quorvane"},
    {"Quorvane.EXE", "Main program"},
    {"Quorvane.LST", "Image List"},
    {"Add.aid", "Help File"},
    {"Freq.aid", "Help File"},
    {"More.aid", "Help File"},
    {"Ovw.aid", "Help File"},
    {"Pick.aid", "Help File"},
    {"Preview.aid", "Help File"},
    {"Rem.aid", "Help File"},
    {"Setup.aid", "Help File"},
    {"Welcome.aid", "Help File"},
    {"MFC42.DLL", "System DLL File"},
    {"Msvcrt.dll", "System DLL File"},
    {"README.TXT", "Quick Information"},
    {"Forest.BMP", "Sample Wallpaper"},
    {"NightSky.BMP", "Sample Wallpaper"},
    {"Rainbow.BMP", "Sample Wallpaper"},
    {"Skull.BMP", "Sample Wallpaper"},
    {"Ivy.BMP", "Sample Wallpaper"},
};

}  // namespace

TEST(InstallManifest, HoldsTwentyRows) {
    EXPECT_EQ(GetInstallItemCount(), 20);
}

TEST(InstallManifest, NamesEveryFileWithItsDescriptionInOrder) {
    ASSERT_EQ(std::size(kExpectedRows), std::size_t(GetInstallItemCount()));
    for (int row = 0; row < GetInstallItemCount(); ++row) {
        EXPECT_STREQ(g_installItems[row].szFileName, kExpectedRows[row].fileName) << "row " << row;
        EXPECT_STREQ(g_installItems[row].szDescription, kExpectedRows[row].description) << "row " << row;
    }
}

TEST(InstallManifest, RowsHaveTheFixedFieldWidths) {
    EXPECT_EQ(sizeof g_installItems[0].szFileName, 256u);
    EXPECT_EQ(sizeof g_installItems[0].szDescription, 100u);
    EXPECT_EQ(sizeof(InstallItem), 356u);
}

TEST(InstallManifest, FixedFigures) {
    EXPECT_STREQ(INSTALL_DIR, "C:\\QUORVANE");
    EXPECT_EQ(REQUIRED_SPACE, 22000000u);
    EXPECT_STREQ(STARTUP_PATH_95, "\\Start Menu\\Programs\\StartUp");
    EXPECT_STREQ(STARTUP_PATH_NT, "\\Profiles\\All Users\\Start Menu\\Programs\\StartUp");
    EXPECT_STREQ(PROGRAM_COMMAND, "C:\\QUORVANE\\QUORVANE.EXE");
}

TEST(InstallSpaceText, ShowsTheAvailableSpaceWithEveryDigit) {
    EXPECT_EQ(AvailableSpaceLine(0), "Available space: 0 Bytes");
    EXPECT_EQ(AvailableSpaceLine(21999999), "Available space: 21999999 Bytes");
    EXPECT_EQ(AvailableSpaceLine(4294967296ull), "Available space: 4294967296 Bytes");
    EXPECT_EQ(AvailableSpaceLine(1099511627776ull + 5), "Available space: 1099511627781 Bytes");
    EXPECT_EQ(AvailableSpaceLine(UINT64_MAX), "Available space: 18446744073709551615 Bytes");
}

TEST(InstallSpaceText, ShowsTheRequiredSpace) {
    EXPECT_EQ(RequiredSpaceLine(), "Required space: 22000000 Bytes");
}
