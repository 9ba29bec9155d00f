// The display settings file Display.INI: its text as the Windows profile functions read it, and
// Quorvane's own keys in it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PicturePosition.h"

// The lines of an INI file, read as GetPrivateProfileStringA reads them and changed one line at
// a time, so that the text of other features and of the user stays byte for byte.
//   - A line ends in LF or CR LF; the last line may have no end.
//   - After the blanks (spaces, tabs and CRs) at its start, a line that begins with '[' and holds a
//     ']' starts a section named by the text between the '[' and the last ']', blanks trimmed.
//   - Any other line that holds a '=' and does not begin with ';' is a key line of the section
//     above it: the key is the text before the first '=', the value the text after it, both with
//     their blanks trimmed; a value in a matching pair of double or single quotes loses them.
//     Key lines above the first section belong to none.
//   - Names of sections and keys are compared with the ASCII letters folded. The first section
//     of a name counts, and within it the first key line of a name.
// Section and key names given to the functions are plain names: no blanks at their ends, no
// line break, no ']' in a section name nor '=' in a key.
class CIniText {
public:
    explicit CIniText(std::string_view bytes);

    // The value of the key, if its section holds it.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Gives the key this value, which Get then returns. The value is written up to its first
    // line feed, in double quotes where it would read back otherwise. An existing key line
    // keeps its text up to the value; a new one goes after the section's last key line, and a
    // new section at the end of the file, after a blank line unless the file is empty or
    // already ends in one.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Removes the line Get takes the key's value from, if there is one.
    void Remove(std::string_view section, std::string_view key);

    // The file's bytes: lines not changed as they were read, new lines ending in CR LF.
    std::string Text() const;

private:
    struct Line {
        std::string text;
        std::string end;  // "\r\n", "\n", or "" for a last line without one
    };

    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKey(std::string_view section, std::string_view key) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::size_t LastKeyLine(std::size_t header) const;
    void InsertLine(std::size_t at, std::string text);
    void AppendSection(std::string_view section);

    std::vector<Line> m_lines;
};

// The position's name, as the window lists it and Display.INI keeps it: "System setting", "Fill", ...
std::string_view NameOfPosition(PicturePosition position);

// Quorvane's values in Display.INI: [Display] Position, EachMonitor, UserTileWallpaper and
// UserWallpaperStyle, and [Rotation] Paused. They are read and written together: a feature
// reads the file, changes its own values and writes them all back.
struct DisplaySettings {
    PicturePosition position = PicturePosition::SystemSetting;
    bool eachMonitor = false;
    // The user's own desktop values from before Quorvane first changed them; absent when the
    // user had none.
    std::optional<std::string> userTileWallpaper;
    std::optional<std::string> userWallpaperStyle;
    bool rotationPaused = false;
};

bool operator==(const DisplaySettings& a, const DisplaySettings& b);

// The values a display settings file holds. A missing file is empty bytes. A value that is
// missing, unknown or damaged is left at its default, and spoils none of the others: a position
// is one of its names in any letter case, a flag is 0 or 1, and a user value is any text.
DisplaySettings ReadDisplaySettings(std::string_view fileBytes);

// The file's new bytes: Quorvane's keys given these values, an absent user value's key removed,
// and every other section and key kept as it was.
std::string WriteDisplaySettings(std::string_view fileBytes, const DisplaySettings& settings);
