// The settings record: its 152-byte layout as stored in Quorvane.INI, and how the main
// dialog's controls show it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum FrequencyMode : int32_t {
    FREQ_MINUTES = 0,
    FREQ_ONCE_A_DAY = 1,
    FREQ_ONCE_PER_RUN = 2,
};

// The file is the record's raw bytes, little-endian, with no padding.
struct WallpaperSettings {
    int32_t frequencyMode;
    int32_t currentIndex;    // list position of the entry shown when saved
    float minutes;           // interval in minute mode
    char saveDate[128];      // "MM/DD/YY" and a NUL; the bytes after the NUL mean nothing
    int32_t randomPick;      // non-zero: random order
    int32_t startMinimized;  // non-zero: minimize at start-up
    int32_t allowPreview;    // non-zero: preview on selection
};

constexpr std::size_t kSettingsRecordSize = 152;
static_assert(sizeof(WallpaperSettings) == kSettingsRecordSize, "the settings record is 152 bytes");
static_assert(offsetof(WallpaperSettings, minutes) == 8, "minutes is at offset 8");
static_assert(offsetof(WallpaperSettings, saveDate) == 12, "saveDate is at offset 12");
static_assert(offsetof(WallpaperSettings, randomPick) == 140, "randomPick is at offset 140");
static_assert(offsetof(WallpaperSettings, allowPreview) == 148, "allowPreview is at offset 148");

// Reads a settings file over the record: a shorter file replaces only as many leading bytes
// as it holds, and bytes past the record are ignored. No field is checked here.
void ReadSettingsRecord(WallpaperSettings& settings, std::string_view fileBytes);

// The 152 bytes of the settings file.
std::string SettingsRecordBytes(const WallpaperSettings& settings);

// Puts today's date text and its NUL at the start of saveDate; the bytes after it are kept.
void StampSaveDate(WallpaperSettings& settings, const char* today);

// The minutes a user typed: the leading number of the first 29 characters, 0.0 for no number.
double ParseMinutes(const std::string& text);

// The minutes as the minutes field shows them: two decimals.
std::string FormatMinutes(float minutes);

// How the main dialog shows a record.
struct SettingsView {
    std::string minutesText;
    FrequencyMode checkedFrequency;
    bool minutesEnabled;
    bool randomPickTicked;
    bool startMinimizedTicked;
    bool allowPreviewTicked;
};

// The controls' state for a record. A frequencyMode other than 0, 1 and 2 is shown, and
// kept in the record, as FREQ_ONCE_PER_RUN.
SettingsView ShowSettings(WallpaperSettings& settings);

// The frequency the radio buttons select; with none checked, FREQ_ONCE_PER_RUN.
FrequencyMode FrequencyFromButtons(bool minutesChecked, bool onceADayChecked);
