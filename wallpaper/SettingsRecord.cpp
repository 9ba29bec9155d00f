// The settings record's bytes and its presentation in the main dialog.
#include "SettingsRecord.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// The minutes field is read with a 32-byte buffer and a count of 30.
constexpr std::size_t kMinutesTextLength = 29;
}  // namespace

void ReadSettingsRecord(WallpaperSettings& settings, std::string_view fileBytes) {
    std::memcpy(&settings, fileBytes.data(), std::min(fileBytes.size(), kSettingsRecordSize));
}

std::string SettingsRecordBytes(const WallpaperSettings& settings) {
    return std::string(reinterpret_cast<const char*>(&settings), kSettingsRecordSize);
}

void StampSaveDate(WallpaperSettings& settings, const char* today) {
    std::size_t length = std::min(std::strlen(today), sizeof settings.saveDate - 1);
    std::memcpy(settings.saveDate, today, length);
    settings.saveDate[length] = '\0';
}

double ParseMinutes(const std::string& text) {
    return std::atof(text.substr(0, kMinutesTextLength).c_str());
}

std::string FormatMinutes(float minutes) {
    char text[64];
    std::snprintf(text, sizeof text, "%0.2f", double(minutes));
    return text;
}

SettingsView ShowSettings(WallpaperSettings& settings) {
    if (settings.frequencyMode != FREQ_MINUTES && settings.frequencyMode != FREQ_ONCE_A_DAY) {
        settings.frequencyMode = FREQ_ONCE_PER_RUN;
    }
    return SettingsView{
        FormatMinutes(settings.minutes),
        FrequencyMode(settings.frequencyMode),
        settings.frequencyMode == FREQ_MINUTES,
        settings.randomPick == 1,
        settings.startMinimized != 0,
        settings.allowPreview != 0,
    };
}

FrequencyMode FrequencyFromButtons(bool minutesChecked, bool onceADayChecked) {
    if (minutesChecked) return FREQ_MINUTES;
    return onceADayChecked ? FREQ_ONCE_A_DAY : FREQ_ONCE_PER_RUN;
}
