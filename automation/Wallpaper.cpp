// Reading, writing and watching the wallpaper value of the user profile in the registry.
#include "Wallpaper.h"

#include <cstdlib>

#include "DialogDriver.h"
#include "Probe.h"
#include "QuorvaneFiles.h"

namespace {

const char* const kDesktopKey = "Control Panel\\Desktop";
const char* const kWallpaperValue = "Wallpaper";
const DWORD kPollMs = 2;

const DWORD kAnyType = RRF_RT_ANY | RRF_NOEXPAND;

// The values a case may change, which the desktop reads with the wallpaper.
const char* const kKeptValues[] = {kWallpaperValue, "TileWallpaper", "WallpaperStyle"};

// The value's type and bytes; false when it is missing.
bool ReadValue(const char* name, DWORD* type, std::string* bytes) {
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, name, kAnyType, type, nullptr, &size)) return false;
    bytes->assign(size, '\0');
    LONG status = RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, name, kAnyType, type, &(*bytes)[0], &size);
    bytes->resize(size);
    return status == ERROR_SUCCESS;
}

void WriteValue(const char* name, DWORD type, const std::string& bytes) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, name, type, bytes.data(), DWORD(bytes.size()));
}

}  // namespace

std::string DesktopWallpaper() {
    DWORD type = 0;
    std::string bytes;
    if (!ReadValue(kWallpaperValue, &type, &bytes)) return "<no value>";
    return bytes.c_str();
}

void SetDesktopWallpaper(const std::string& text) {
    WriteValue(kWallpaperValue, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

std::string NextWallpaperAfter(const std::string& marker, DWORD milliseconds) {
    SetDesktopWallpaper(marker);
    DWORD start = GetTickCount();
    std::string value = DesktopWallpaper();
    while (value == marker && GetTickCount() - start < milliseconds) {
        Sleep(kPollMs);
        value = DesktopWallpaper();
    }
    return value;
}

bool StartWallpaperProbe(HWND window) {
    std::string record = WallpaperRecordPath(ProcessOf(window));
    return SendToProbe(window, StartWallpaperRecordMessage()) && FileExists(record);
}

// A line still being written has no line end yet and is left for the next look.
std::vector<WallpaperChange> ProbedWallpapers(DWORD pid) {
    std::vector<WallpaperChange> changes;
    std::string bytes;
    ReadBytes(WallpaperRecordPath(pid), &bytes);
    for (size_t at = 0, end; (end = bytes.find('\n', at)) != std::string::npos; at = end + 1) {
        std::string line = bytes.substr(at, end - at);
        changes.push_back({line.substr(line.find(' ') + 1), DWORD(std::strtoul(line.c_str(), nullptr, 10))});
    }
    return changes;
}

std::optional<std::string> DesktopValue(const char* name) {
    DWORD type = REG_SZ;
    std::string bytes;
    if (!ReadValue(name, &type, &bytes)) return std::nullopt;
    return bytes.substr(0, bytes.find('\0'));
}

void SetDesktopValue(const char* name, const std::optional<std::string>& text) {
    if (text) {
        WriteValue(name, REG_SZ, text->c_str() + std::string(1, '\0'));
    } else {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, name);
    }
}

KeptDesktopWallpaper::KeptDesktopWallpaper() {
    for (const char* name : kKeptValues) {
        Value value;
        value.name = name;
        value.existed = ReadValue(name, &value.type, &value.bytes);
        m_values.push_back(value);
    }
}

KeptDesktopWallpaper::~KeptDesktopWallpaper() {
    for (const Value& value : m_values) {
        if (value.existed) {
            WriteValue(value.name, value.type, value.bytes);
        } else {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, value.name);
        }
    }
}

WallpaperRecorder::WallpaperRecorder() : m_startMs(GetTickCount()), m_thread(&WallpaperRecorder::Record, this) {}

WallpaperRecorder::~WallpaperRecorder() {
    m_stop = true;
    m_thread.join();
}

void WallpaperRecorder::Record() {
    std::string last = DesktopWallpaper();
    while (!m_stop) {
        std::string value = DesktopWallpaper();
        if (value != last) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_changes.push_back(Change{value, GetTickCount() - m_startMs});
            last = value;
        }
        Sleep(kPollMs);
    }
}

std::vector<WallpaperRecorder::Change> WallpaperRecorder::WaitForChanges(size_t count, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_changes.size() >= count || GetTickCount() - start >= milliseconds) return m_changes;
        }
        Sleep(kPollMs);
    }
}

size_t ChangesInListOrder(const std::vector<WallpaperChange>& record, const std::vector<std::string>& entries) {
    size_t inOrder = 0;
    while (inOrder < record.size() && record[inOrder].value == entries[inOrder % entries.size()]) ++inOrder;
    return inOrder;
}

double MeanPeriodMs(const std::vector<WallpaperChange>& record) {
    return record.size() > 1 ? double(record.back().atMs - record.front().atMs) / double(record.size() - 1) : 0.0;
}
