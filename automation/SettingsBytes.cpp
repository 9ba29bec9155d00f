// Byte-level building and reading of the settings record.
#include "SettingsBytes.h"

#include <cstring>
#include <random>

namespace {

void Put(std::string& bytes, size_t offset, const void* value) { std::memcpy(&bytes[offset], value, 4); }

}  // namespace

std::string SettingsRecord(const Settings& settings) {
    std::string bytes(kRecordSize, '\0');
    Put(bytes, kFrequencyModeAt, &settings.frequencyMode);
    Put(bytes, kCurrentIndexAt, &settings.currentIndex);
    Put(bytes, kMinutesAt, &settings.minutes);
    bytes.replace(kSaveDateAt, settings.saveDate.size() + 1 + settings.dateTail.size(),
                  settings.saveDate + '\0' + settings.dateTail);
    Put(bytes, kRandomPickAt, &settings.randomPick);
    Put(bytes, kStartMinimizedAt, &settings.startMinimized);
    Put(bytes, kAllowPreviewAt, &settings.allowPreview);
    return bytes;
}

std::string SavedRecord(std::string bytes, int32_t currentIndex, const std::string& today) {
    Put(bytes, kCurrentIndexAt, &currentIndex);
    bytes.replace(kSaveDateAt, today.size() + 1, today + '\0');
    return bytes;
}

int32_t Int32At(const std::string& bytes, size_t offset) {
    int32_t value = 0;
    if (offset + 4 <= bytes.size()) std::memcpy(&value, &bytes[offset], 4);
    return value;
}

float FloatAt(const std::string& bytes, size_t offset) {
    float value = 0;
    if (offset + 4 <= bytes.size()) std::memcpy(&value, &bytes[offset], 4);
    return value;
}

std::string SaveDateOf(const std::string& bytes) {
    if (bytes.size() <= kSaveDateAt) return "";
    return std::string(bytes.c_str() + kSaveDateAt);
}

std::string NoiseBytes(size_t size) {
    std::mt19937 generator(152);
    std::string bytes;
    for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(generator() & 0xFF);
    return bytes;
}
