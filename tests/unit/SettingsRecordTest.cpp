// The settings record's bytes, and how the main dialog reads and shows its fields.
#include "SettingsRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

WallpaperSettings Zeroed() {
    WallpaperSettings settings;
    std::memset(&settings, 0, sizeof settings);
    return settings;
}

int32_t Int32At(const std::string& bytes, size_t offset) {
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

}  // namespace

TEST(SettingsRecordBytes, LaysTheFieldsOutAtTheirOffsets) {
    WallpaperSettings settings = Zeroed();
    settings.frequencyMode = FREQ_ONCE_A_DAY;
    settings.currentIndex = 7;
    settings.minutes = 1.5f;
    StampSaveDate(settings, "03/05/98");
    settings.randomPick = 1;
    settings.startMinimized = 1;
    settings.allowPreview = 1;

    std::string bytes = SettingsRecordBytes(settings);
    ASSERT_EQ(bytes.size(), 152u);
    EXPECT_EQ(Int32At(bytes, 0), 1);
    EXPECT_EQ(Int32At(bytes, 4), 7);
    EXPECT_EQ(bytes.substr(8, 4), std::string("\x00\x00\xc0\x3f", 4));  // 1.5f, little-endian
    EXPECT_EQ(bytes.substr(12, 9), std::string("03/05/98\0", 9));
    EXPECT_EQ(Int32At(bytes, 140), 1);
    EXPECT_EQ(Int32At(bytes, 144), 1);
    EXPECT_EQ(Int32At(bytes, 148), 1);
}

TEST(SettingsRecordRead, ReplacesOnlyTheBytesTheFileHolds) {
    WallpaperSettings settings = Zeroed();
    settings.allowPreview = 1;
    settings.minutes = 2.0f;

    ReadSettingsRecord(settings, std::string("\x01\x00\x00\x00\x05\x00", 6));
    EXPECT_EQ(settings.frequencyMode, 1);
    EXPECT_EQ(settings.currentIndex, 5);  // two bytes from the file, two kept
    EXPECT_EQ(settings.minutes, 2.0f);
    EXPECT_EQ(settings.allowPreview, 1);

    ReadSettingsRecord(settings, "");
    EXPECT_EQ(settings.frequencyMode, 1);
}

TEST(SettingsRecordRead, IgnoresBytesPastTheRecord) {
    WallpaperSettings written = Zeroed();
    written.randomPick = 1;
    written.allowPreview = 1;
    WallpaperSettings read = Zeroed();
    ReadSettingsRecord(read, SettingsRecordBytes(written) + std::string(1000, '\xff'));
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);
}

TEST(SettingsRecordDate, StampsTheDateAndKeepsTheBytesAfterIt) {
    WallpaperSettings settings = Zeroed();
    std::memset(settings.saveDate, 'q', sizeof settings.saveDate);
    StampSaveDate(settings, "12/06/26");
    EXPECT_EQ(std::string(settings.saveDate, 10), std::string("12/06/26\0q", 10));
    EXPECT_EQ(settings.saveDate[127], 'q');

    StampSaveDate(settings, std::string(300, 'd').c_str());
    EXPECT_EQ(std::strlen(settings.saveDate), 127u);
}

TEST(SettingsMinutes, ReadsTheLeadingNumberOfTheFirst29Characters) {
    EXPECT_EQ(ParseMinutes("15"), 15.0);
    EXPECT_EQ(ParseMinutes("15 apples"), 15.0);
    EXPECT_EQ(ParseMinutes("apples"), 0.0);
    EXPECT_EQ(ParseMinutes(""), 0.0);
    EXPECT_EQ(ParseMinutes("-3.5"), -3.5);
    EXPECT_EQ(ParseMinutes("0.004"), 0.004);
    EXPECT_EQ(ParseMinutes(std::string(28, '0') + "12"), 1.0);  // only "000...01" is read
}

TEST(SettingsMinutes, ShowsTwoDecimalsOfTheStoredValue) {
    EXPECT_EQ(FormatMinutes(0.0f), "0.00");
    EXPECT_EQ(FormatMinutes(float(1.234)), "1.23");
    EXPECT_EQ(FormatMinutes(float(0.004)), "0.00");
    EXPECT_EQ(FormatMinutes(-2.5f), "-2.50");
    EXPECT_EQ(FormatMinutes(1440.0f), "1440.00");
    EXPECT_EQ(FormatMinutes(3.4e38f).size(), 42u);
}

TEST(SettingsView, ShowsTheAllZeroRecordAsMinuteModeWithNothingTicked) {
    WallpaperSettings settings = Zeroed();
    SettingsView view = ShowSettings(settings);
    EXPECT_EQ(view.minutesText, "0.00");
    EXPECT_EQ(view.checkedFrequency, FREQ_MINUTES);
    EXPECT_TRUE(view.minutesEnabled);
    EXPECT_FALSE(view.randomPickTicked);
    EXPECT_FALSE(view.startMinimizedTicked);
    EXPECT_FALSE(view.allowPreviewTicked);
}

TEST(SettingsView, EnablesTheMinutesOnlyInMinuteMode) {
    WallpaperSettings settings = Zeroed();
    settings.frequencyMode = FREQ_ONCE_A_DAY;
    EXPECT_FALSE(ShowSettings(settings).minutesEnabled);
    settings.frequencyMode = FREQ_ONCE_PER_RUN;
    EXPECT_FALSE(ShowSettings(settings).minutesEnabled);
}

TEST(SettingsView, ShowsAnUnknownFrequencyAsOncePerRunAndKeepsIt) {
    for (int32_t mode : {3, -1, 7, 0x7fffffff}) {
        WallpaperSettings settings = Zeroed();
        settings.frequencyMode = mode;
        EXPECT_EQ(ShowSettings(settings).checkedFrequency, FREQ_ONCE_PER_RUN) << mode;
        EXPECT_EQ(settings.frequencyMode, FREQ_ONCE_PER_RUN) << mode;
    }
}

TEST(SettingsView, TicksRandomPickOnlyForExactlyOneAndTheOthersForAnyNonZero) {
    WallpaperSettings settings = Zeroed();
    settings.randomPick = 2;
    settings.startMinimized = -5;
    settings.allowPreview = 256;
    SettingsView view = ShowSettings(settings);
    EXPECT_FALSE(view.randomPickTicked);
    EXPECT_TRUE(view.startMinimizedTicked);
    EXPECT_TRUE(view.allowPreviewTicked);
    EXPECT_EQ(settings.randomPick, 2);
}

TEST(SettingsFrequency, ReadsTheRadioButtonsInOrder) {
    EXPECT_EQ(FrequencyFromButtons(true, false), FREQ_MINUTES);
    EXPECT_EQ(FrequencyFromButtons(true, true), FREQ_MINUTES);
    EXPECT_EQ(FrequencyFromButtons(false, true), FREQ_ONCE_A_DAY);
    EXPECT_EQ(FrequencyFromButtons(false, false), FREQ_ONCE_PER_RUN);
}
