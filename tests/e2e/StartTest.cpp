// Start-up: what the controls show with no files, with saved settings files of any length, and with bad ones.
#include "QuorvaneCase.h"

namespace {

class StartTest : public QuorvaneCase {
protected:
    // The frequency ticked, the minutes box, and the ticked boxes: "once a day 1.23 (box off), random, preview".
    std::string Shown() {
        std::string shown;
        const char* const modes[] = {"minutes", "once a day", "once per run"};
        for (int i = 0; i < 3; ++i) shown += CheckState(dialog, kFreqMinutes + i) == BST_CHECKED ? modes[i] : "";
        shown += " " + ControlText(dialog, kMinutes) + (ControlEnabled(dialog, kMinutes) ? "" : " (box off)");
        const std::pair<int, const char*> boxes[] = {
            {kRandomPick, ", random"}, {kStartMinimized, ", minimized"}, {kAllowPreview, ", preview"}};
        for (auto [id, name] : boxes) shown += CheckState(dialog, id) == BST_CHECKED ? name : "";
        return shown + (IsIconic(dialog) ? ", iconic" : "");
    }
};

std::string Record(const Settings& saved, size_t length) {
    return (SettingsRecord(saved) + std::string(48, '\xFF')).substr(0, length);
}

}  // namespace

TEST_F(StartTest, ControlsShowTheSavedSettingsAndTheFilesStayAsTheyWere) {
    const std::string noFile = "<no file>", noFolder = "<no folder>";
    struct Row {
        std::string settings;
        std::string shown;  // empty: not looked at
        bool readOnly = false;
    };
    const Row rows[] = {
        {noFile, "minutes 0.00"},
        {noFolder, "minutes 0.00"},
        {Record(Settings{1, 0, 1.23f, 1, 0, 1}, 152), "once a day 1.23 (box off), random, preview"},
        {Record(Settings{1, 0, 1.23f, 1, 0, 1}, 152), "minutes 0.00", true},  // a read-only file is not loaded
        {Record(Settings{0, 0, 0, 2}, 152), "minutes 0.00"},
        {Record(Settings{0, 0, 0, 0, 1}, 152), "minutes 0.00, minimized, iconic"},
        {Record(Settings{7, 0, 3}, 152), "once per run 3.00 (box off)"},
        {Record(Settings{1, 0, 2.5f, 1, 1, 1}, 12), "once a day 2.50 (box off)"},
        {Record(Settings{2, 0, 4.5f, 1}, 200), "once per run 4.50 (box off), random"},
        {"", "minutes 0.00"},
        {"\x01", ""},
        {NoiseBytes(kRecordSize), ""},
        {NoiseBytes(5000), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(&row - rows));
        MakeEmptyQuorvaneFolder();
        if (row.settings == noFolder) RemoveQuorvaneFolder();
        if (row.settings[0] != '<') WriteBytes(kSettingsFile, row.settings);
        if (row.readOnly) SetReadOnly(kSettingsFile, true);
        ASSERT_TRUE(Start());
        EXPECT_TRUE(Settle(dialog));
        EXPECT_TRUE(app->Running());
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{});
        EXPECT_EQ(row.shown.empty() ? "" : Shown(), row.shown);
        EXPECT_EQ(FolderExists(kQuorvaneFolder), row.settings != noFolder);
        EXPECT_EQ(FilesIn(kQuorvaneFolder), row.settings[0] == '<' ? Entries{} : Entries{"Quorvane.INI"});
        EXPECT_EQ(ReadBytes(kSettingsFile), row.settings[0] == '<' ? "" : row.settings);
    }
}
