// The 152-byte settings record of Quorvane.INI: building one for a case and reading fields back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

const size_t kRecordSize = 152;
const size_t kFrequencyModeAt = 0;
const size_t kCurrentIndexAt = 4;
const size_t kMinutesAt = 8;
const size_t kSaveDateAt = 12;
const size_t kRandomPickAt = 140;
const size_t kStartMinimizedAt = 144;
const size_t kAllowPreviewAt = 148;

struct Settings {
    int32_t frequencyMode = 0;
    int32_t currentIndex = 0;
    float minutes = 0;
    int32_t randomPick = 0;
    int32_t startMinimized = 0;
    int32_t allowPreview = 0;
    std::string saveDate = "";  // up to its NUL
    std::string dateTail = "";  // bytes after the date's NUL, up to 127 - date length
};

// The record's bytes.
std::string SettingsRecord(const Settings& settings);
// The record as a save of the program leaves it: `currentIndex` and `today`'s date written over.
std::string SavedRecord(std::string bytes, int32_t currentIndex, const std::string& today);

// The 32-bit little-endian integer at `offset`; 0 past the end.
int32_t Int32At(const std::string& bytes, size_t offset);
float FloatAt(const std::string& bytes, size_t offset);
// The save date's text: the bytes from offset 12 up to its NUL.
std::string SaveDateOf(const std::string& bytes);

// `size` bytes that look like nothing, the same on every run.
std::string NoiseBytes(size_t size);
