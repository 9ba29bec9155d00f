// The picture files of the picture benchmarks, and the steps that they time or weigh: the
// program's decode for the preview and its wallpaper copy, and the platform's decodes they are
// compared with.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PictureDecode.h"
#include "PicturePosition.h"
#include "WallpaperLayout.h"

struct PictureFile {
    const char* name;          // as scripts/bench.sh names it in the work folder
    bool largerThanScreen;     // its memory is weighed too
    bool decodesInSeconds;     // measured with fewer repetitions
};

// The files scripts/bench.sh puts into the work folder: one photograph-like scene of the full-HD
// size as a JPEG and a PNG, and larger ones as JPEGs.
extern const PictureFile kPictureFiles[4];

// The photo of the composed-wallpaper benchmarks, 6000 x 4000, as scripts/bench.sh names it.
extern const char kCompositionPicture[];

// The bench's screen, one monitor of 1920 x 1080, and a monitor of 1280 x 1024 left of it.
constexpr ScreenRect kPrimaryMonitor{0, 0, 1920, 1080};
constexpr ScreenRect kLeftMonitor{-1280, 0, 0, 1024};

// At most a few repetitions for a picture whose every decode takes seconds under Wine.
int RepetitionsFor(const PictureFile& file, int repetitions);

// A picture decoded whole: top-down 32-bit BGR rows, width * 4 bytes each, in memory that
// nothing wrote before the decode.
struct DecodedPicture {
    std::unique_ptr<BYTE[]> pixels;
    UINT width = 0;
    UINT height = 0;
};

// The platform's imaging component: the first frame converted to 32-bit BGR and copied out whole
// into new memory.
DecodedPicture DecodeWhole32(const wchar_t* path);

// The time baseline: DecodeWhole32, its pixels dropped.
void PlatformDecode(const wchar_t* path);

// The memory baseline: the first frame converted to 24-bit BGR and copied out in bands of 16
// rows into one band buffer, which is the least a decode to a bitmap holds beyond the platform's own.
void BandedDecode24(const wchar_t* path);

// The preview's decode as CPictureWorker makes it: the whole picture shrunk to width x height,
// over the desktop's colour.
UprightPicture DecodePreview(const char* path, SIZE size);

// The wallpaper change's decode and write, as CPictureWorker makes it for a picture.
void WriteCopy(const char* path, const std::string& bitmapPath);

// The worker's change for a position Quorvane composes, with one picture for every monitor, as
// CPictureWorker::MakeComposedChange makes it, for the monitors given (the worker asks
// DisplayMonitors for them).
void WriteComposedChange(PicturePosition position, const char* path, std::vector<ScreenRect> monitors,
                         const std::string& bitmapPath);

// The desktop's style made Fill (WallpaperStyle 10, TileWallpaper 0) for the object's life, then
// the values it found put back: the style of most photos, and the one whose copy is the whole
// picture shrunk, where the prefix's own (none set: Center) copies a part at its own size.
class CFillStyle {
public:
    CFillStyle();
    ~CFillStyle();
    CFillStyle(const CFillStyle&) = delete;
    CFillStyle& operator=(const CFillStyle&) = delete;

private:
    struct SavedValue {
        const char* name;
        bool present;
        std::string text;
    };

    SavedValue m_style;
    SavedValue m_tile;
};

// Width times height of the written bitmap, from its header.
uint64_t BitmapFilePixels(const std::string& bitmapPath);

std::wstring Wide(const std::string& text);
