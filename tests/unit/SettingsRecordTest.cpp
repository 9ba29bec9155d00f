// The settings record's bytes, and how the main dialog reads and shows its fields.
#include "SettingsRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

TEST(SettingsRecordBytes, LaysTheFieldsOutAtTheirOffsets) {
    WallpaperSettings settings{FREQ_ONCE_A_DAY, 7, 1.5f, {}, 2, 3, 0x04030201};
    std::memset(settings.saveDate, 'q', sizeof settings.saveDate);
    StampSaveDate(settings, "03/05/98");
    std::string bytes = SettingsRecordBytes(settings);
    ASSERT_EQ(bytes.size(), 152u);
    using Expected = std::pair<std::size_t, std::string>;
    for (auto [offset, expected] :
         {Expected{0, {"\1\0\0\0\7\0\0\0\0\0\xc0\x3f", 12}}, Expected{12, {"03/05/98\0q", 10}},
          Expected{139, {"q\2\0\0\0\3\0\0\0\1\2\3\4", 13}}}) {
        EXPECT_EQ(bytes.substr(offset, expected.size()), expected) << "offset " << offset;
    }
    StampSaveDate(settings, std::string(300, 'd').c_str());
    EXPECT_EQ(std::strlen(settings.saveDate), 127u);
}

TEST(SettingsRecordRead, ReplacesOnlyTheBytesTheFileHoldsUpToTheRecordsEnd) {
    WallpaperSettings settings{0, 0x01010101, 2.0f, {}, 0, 0, 0};
    ReadSettingsRecord(settings, std::string("\x01\x00\x00\x00\x05\x00", 6));
    ReadSettingsRecord(settings, "");
    EXPECT_EQ(settings.frequencyMode, 1);
    EXPECT_EQ(settings.currentIndex, 0x01010005);  // two bytes from the file, two kept
    EXPECT_EQ(settings.minutes, 2.0f);
    std::string written = SettingsRecordBytes(WallpaperSettings{}).replace(148, 1, "\1");
    ReadSettingsRecord(settings, written + std::string(1000, '\xff'));
    EXPECT_EQ(SettingsRecordBytes(settings), written);
}

TEST(SettingsMinutes, ReadsTheLeadingNumberOfTheFirst29CharactersAndShowsTwoDecimals) {
    using Parsed = std::pair<std::string, double>;
    for (auto [text, minutes] :
         {Parsed{"15", 15.0}, Parsed{"15 apples", 15.0}, Parsed{"apples", 0.0}, Parsed{"", 0.0}, Parsed{"-3.5", -3.5},
          Parsed{"0.004", 0.004}, Parsed{std::string(28, '0') + "12", 1.0}}) {
        EXPECT_EQ(ParseMinutes(text), minutes) << "\"" << text << "\"";
    }
    using Shown = std::pair<float, std::string>;
    for (auto [minutes, text] :
         {Shown{0.0f, "0.00"}, Shown{float(1.234), "1.23"}, Shown{float(0.004), "0.00"}, Shown{-2.5f, "-2.50"},
          Shown{1440.0f, "1440.00"}, Shown{3.4e38f, "339999995214436424907732413799364296704.00"}}) {
        EXPECT_EQ(FormatMinutes(minutes), text);
    }
}

// The ticks are those of the minutes edit being enabled, "Random pick", "Start Minimized"
// and "Allow preview".
TEST(SettingsView, ShowsEachRecordInTheControlsAndReadsTheRadioButtons) {
    using Row = std::tuple<int32_t, int32_t, int32_t, int32_t, FrequencyMode, std::string>;
    for (auto [mode, randomPick, startMinimized, allowPreview, shown, ticks] :
         {Row{0, 0, 0, 0, FREQ_MINUTES, "1000"}, Row{1, 1, 1, 1, FREQ_ONCE_A_DAY, "0111"},
          Row{2, 2, -5, 256, FREQ_ONCE_PER_RUN, "0011"}, Row{3, -1, 0, 0, FREQ_ONCE_PER_RUN, "0000"},
          Row{-1, 0, 0, 0, FREQ_ONCE_PER_RUN, "0000"}}) {
        WallpaperSettings settings{mode, 0, 0.5f, {}, randomPick, startMinimized, allowPreview};
        SettingsView view = ShowSettings(settings);
        std::string got{char('0' + view.minutesEnabled), char('0' + view.randomPickTicked),
                        char('0' + view.startMinimizedTicked), char('0' + view.allowPreviewTicked)};
        EXPECT_EQ(view.minutesText + " " + std::to_string(view.checkedFrequency) + " " + got,
                  "0.50 " + std::to_string(shown) + " " + ticks)
            << "frequencyMode " << mode;
        EXPECT_EQ(settings.frequencyMode, shown) << "kept in the record";
        EXPECT_EQ(settings.randomPick, randomPick);
    }
    EXPECT_EQ((std::vector<int>{FrequencyFromButtons(true, false), FrequencyFromButtons(true, true),
                                FrequencyFromButtons(false, true), FrequencyFromButtons(false, false)}),
              (std::vector<int>{FREQ_MINUTES, FREQ_MINUTES, FREQ_ONCE_A_DAY, FREQ_ONCE_PER_RUN}));
}
