// libFuzzer target of Display.INI (the first byte picks values, the rest is the file): the text gives back its bytes,
// the values read back as written (a user value up to its first LF), and keys Quorvane does not own keep their values.
#include "DisplaySettings.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    auto require = [](bool holds) {
        if (!holds) std::abort();
    };
    if (size == 0) return 0;
    std::string file(reinterpret_cast<const char*>(data + 1), size - 1);
    CIniText before(file);
    require(before.Text() == file);
    require(ReadDisplaySettings(WriteDisplaySettings(file, ReadDisplaySettings(file))) == ReadDisplaySettings(file));

    DisplaySettings settings{PicturePosition(data[0] % 6), (data[0] & 8) != 0, {}, {}, (data[0] & 16) != 0};
    if (data[0] & 32) settings.userTileWallpaper = file.substr(0, 5);
    if (data[0] & 64) settings.userWallpaperStyle = file.substr(file.size() / 2, 5);
    std::string written = WriteDisplaySettings(file, settings);
    require(WriteDisplaySettings(written, settings) == written);
    for (std::optional<std::string>* user : {&settings.userTileWallpaper, &settings.userWallpaperStyle}) {
        if (*user) *user = (*user)->substr(0, (*user)->find('\n'));
    }
    require(ReadDisplaySettings(written) == settings);
    for (const char* section : {"Display", "Rotation", "Other"}) {
        require(CIniText(written).Get(section, "Other") == before.Get(section, "Other"));
    }
    return 0;
}
