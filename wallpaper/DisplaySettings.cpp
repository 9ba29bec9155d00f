// Reading and changing the lines of Display.INI, and Quorvane's values in it.
#include "DisplaySettings.h"

#include <algorithm>
#include <utility>

#include "FoldedText.h"

namespace {

// A CR that does not end a line is a blank too, as the profile functions take it.
constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kNewLine = "\r\n";

struct PositionName {
    PicturePosition position;
    std::string_view name;
};

constexpr PositionName kPositionNames[] = {
    {PicturePosition::SystemSetting, "System setting"},
    {PicturePosition::Fill, "Fill"},
    {PicturePosition::Fit, "Fit"},
    {PicturePosition::Stretch, "Stretch"},
    {PicturePosition::Center, "Center"},
    {PicturePosition::Tile, "Tile"},
};

std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view text = TrimBlanks(line);
    std::size_t close = text.rfind(']');
    if (text.empty() || text[0] != '[' || close == std::string_view::npos) return std::nullopt;
    return TrimBlanks(text.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::size_t valueStart;  // where the value's text begins in the line
};

// A line that starts a section is no key line, however many '=' it holds.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    std::string_view text = TrimBlanks(line);
    std::size_t equals = line.find('=');
    if (SectionName(line) || text.empty() || text[0] == ';' || equals == std::string_view::npos) return std::nullopt;
    std::size_t valueStart = line.find_first_not_of(kBlanks, equals + 1);
    return KeyLine{TrimBlanks(line.substr(0, equals)), std::min(valueStart, line.size())};
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view ValueRead(std::string_view written) {
    std::string_view value = TrimBlanks(written);
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The text to write for a value: its first line, quoted when reading would trim or unquote it.
std::string ValueWritten(std::string_view value) {
    value = value.substr(0, value.find('\n'));
    if (ValueRead(value) == value) return std::string(value);
    return '"' + std::string(value) + '"';
}

PicturePosition PositionNamed(std::string_view name) {
    for (const PositionName& entry : kPositionNames) {
        if (EqualFolded(entry.name, name)) return entry.position;
    }
    return PicturePosition::SystemSetting;
}

void SetOrRemove(CIniText& ini, std::string_view section, std::string_view key,
                 const std::optional<std::string>& value) {
    if (value) {
        ini.Set(section, key, *value);
        return;
    }
    // A second key line of the name would be read in the removed one's place.
    while (ini.Get(section, key)) ini.Remove(section, key);
}

}  // namespace

std::string_view NameOfPosition(PicturePosition position) {
    for (const PositionName& entry : kPositionNames) {
        if (entry.position == position) return entry.name;
    }
    return kPositionNames[0].name;
}

CIniText::CIniText(std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t lineFeed = bytes.find('\n');
        std::string_view line = bytes.substr(0, lineFeed);
        std::size_t endSize = lineFeed == std::string_view::npos ? 0 : 1;
        if (endSize == 1 && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            endSize = 2;
        }
        m_lines.push_back({std::string(line), std::string(bytes.substr(line.size(), endSize))});
        bytes.remove_prefix(line.size() + endSize);
    }
}

std::optional<std::string> CIniText::Get(std::string_view section, std::string_view key) const {
    std::optional<std::size_t> at = FindKey(section, key);
    if (!at) return std::nullopt;
    std::string_view line = m_lines[*at].text;
    return std::string(ValueRead(line.substr(ParseKeyLine(line)->valueStart)));
}

void CIniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string written = ValueWritten(value);
    if (std::optional<std::size_t> at = FindKey(section, key)) {
        std::string& text = m_lines[*at].text;
        text = text.substr(0, ParseKeyLine(text)->valueStart) + written;
        return;
    }
    std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        AppendSection(section);
        header = m_lines.size() - 1;
    }
    InsertLine(LastKeyLine(*header) + 1, std::string(key) + "=" + written);
}

void CIniText::Remove(std::string_view section, std::string_view key) {
    if (std::optional<std::size_t> at = FindKey(section, key)) m_lines.erase(m_lines.begin() + std::ptrdiff_t(*at));
}

std::string CIniText::Text() const {
    std::string bytes;
    for (const Line& line : m_lines) bytes += line.text + line.end;
    return bytes;
}

std::optional<std::size_t> CIniText::FindSection(std::string_view section) const {
    for (std::size_t at = 0; at < m_lines.size(); ++at) {
        std::optional<std::string_view> name = SectionName(m_lines[at].text);
        if (name && EqualFolded(*name, section)) return at;
    }
    return std::nullopt;
}

std::optional<std::size_t> CIniText::FindKey(std::string_view section, std::string_view key) const {
    std::optional<std::size_t> header = FindSection(section);
    if (!header) return std::nullopt;
    std::size_t end = SectionEnd(*header);
    for (std::size_t at = *header + 1; at < end; ++at) {
        std::optional<KeyLine> keyLine = ParseKeyLine(m_lines[at].text);
        if (keyLine && EqualFolded(keyLine->key, key)) return at;
    }
    return std::nullopt;
}

std::size_t CIniText::SectionEnd(std::size_t header) const {
    std::size_t at = header + 1;
    while (at < m_lines.size() && !SectionName(m_lines[at].text)) ++at;
    return at;
}

// The section's header when it holds no key line.
std::size_t CIniText::LastKeyLine(std::size_t header) const {
    std::size_t last = header;
    std::size_t end = SectionEnd(header);
    for (std::size_t at = header + 1; at < end; ++at) {
        if (ParseKeyLine(m_lines[at].text)) last = at;
    }
    return last;
}

void CIniText::InsertLine(std::size_t at, std::string text) {
    if (at > 0 && m_lines[at - 1].end.empty()) m_lines[at - 1].end = kNewLine;
    m_lines.insert(m_lines.begin() + std::ptrdiff_t(at), Line{std::move(text), std::string(kNewLine)});
}

void CIniText::AppendSection(std::string_view section) {
    if (!m_lines.empty() && !TrimBlanks(m_lines.back().text).empty()) InsertLine(m_lines.size(), "");
    InsertLine(m_lines.size(), "[" + std::string(section) + "]");
}

bool operator==(const DisplaySettings& a, const DisplaySettings& b) {
    return a.position == b.position && a.eachMonitor == b.eachMonitor && a.userTileWallpaper == b.userTileWallpaper &&
           a.userWallpaperStyle == b.userWallpaperStyle && a.rotationPaused == b.rotationPaused;
}

DisplaySettings ReadDisplaySettings(std::string_view fileBytes) {
    CIniText ini(fileBytes);
    DisplaySettings settings;
    settings.position = PositionNamed(ini.Get("Display", "Position").value_or(""));
    settings.eachMonitor = ini.Get("Display", "EachMonitor") == "1";
    settings.userTileWallpaper = ini.Get("Display", "UserTileWallpaper");
    settings.userWallpaperStyle = ini.Get("Display", "UserWallpaperStyle");
    settings.rotationPaused = ini.Get("Rotation", "Paused") == "1";
    return settings;
}

std::string WriteDisplaySettings(std::string_view fileBytes, const DisplaySettings& settings) {
    CIniText ini(fileBytes);
    ini.Set("Display", "Position", NameOfPosition(settings.position));
    ini.Set("Display", "EachMonitor", settings.eachMonitor ? "1" : "0");
    SetOrRemove(ini, "Display", "UserTileWallpaper", settings.userTileWallpaper);
    SetOrRemove(ini, "Display", "UserWallpaperStyle", settings.userWallpaperStyle);
    ini.Set("Rotation", "Paused", settings.rotationPaused ? "1" : "0");
    return ini.Text();
}
