// The EXIF orientation read from a JPEG's marker segments and its TIFF block, and the turning of
// pixels it asks for, both worked out from three flips of the stored picture.
#include "PictureOrientation.h"

#include <cstring>

namespace {

constexpr uint8_t kMarkerStart = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kApp1 = 0xE1;
constexpr uint8_t kExifStart[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::size_t kExifStartSize = sizeof kExifStart;
constexpr std::size_t kTiffHeaderSize = 8;
constexpr std::size_t kIfdEntrySize = 12;
constexpr uint32_t kOrientationTag = 274;
constexpr uint32_t kShortType = 3;

// A marker segment: its marker code and the bytes after its length field.
struct Segment {
    uint8_t marker;
    const uint8_t* payload;
    std::size_t payloadSize;
};

// Restart markers, TEM, SOI and EOI stand alone, with no length field after them.
bool StandsAlone(uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= kEndOfImage);
}

// Reads the segment whose marker starts at `at` and moves `at` past it. False when no marker
// starts there, or the data ends before the segment does.
bool ReadSegment(const uint8_t* data, std::size_t size, std::size_t& at, Segment& segment) {
    if (at >= size || data[at] != kMarkerStart) return false;
    while (at < size && data[at] == kMarkerStart) ++at;  // FF bytes may pad before the marker code
    if (at == size) return false;
    segment = Segment{data[at], data + at + 1, 0};
    ++at;
    if (StandsAlone(segment.marker)) return true;
    if (size - at < 2) return false;
    std::size_t length = std::size_t(data[at]) << 8 | data[at + 1];  // counts its own two bytes
    if (length < 2 || length > size - at) return false;
    segment.payload = data + at + 2;
    segment.payloadSize = length - 2;
    at += length;
    return true;
}

bool IsExifBlock(const Segment& segment) {
    return segment.marker == kApp1 && segment.payloadSize >= kExifStartSize &&
           std::memcmp(segment.payload, kExifStart, kExifStartSize) == 0;
}

uint32_t Uint16At(const uint8_t* at, bool bigEndian) {
    return bigEndian ? uint32_t(at[0]) << 8 | at[1] : uint32_t(at[1]) << 8 | at[0];
}

uint32_t Uint32At(const uint8_t* at, bool bigEndian) {
    uint32_t first = Uint16At(at, bigEndian);
    uint32_t second = Uint16At(at + 2, bigEndian);
    return bigEndian ? first << 16 | second : second << 16 | first;
}

// The orientation in one 12-byte IFD entry (tag, type, count, value), or 0 when the entry is
// another tag. A SHORT value sits in the first two bytes of the value field.
int OrientationInEntry(const uint8_t* entry, bool bigEndian) {
    if (Uint16At(entry, bigEndian) != kOrientationTag) return 0;
    bool isShort = Uint16At(entry + 2, bigEndian) == kShortType && Uint32At(entry + 4, bigEndian) >= 1;
    uint32_t value = Uint16At(entry + 8, bigEndian);
    return isShort && value >= 1 && value <= 8 ? int(value) : kUpright;
}

// The TIFF block: "II*\0" (little-endian) or "MM\0*" (big-endian), the offset of IFD0 from the
// block's start, then IFD0's entry count and entries, all of which must lie in the block.
int OrientationInTiff(const uint8_t* tiff, std::size_t size) {
    if (size < kTiffHeaderSize) return kUpright;
    bool bigEndian = std::memcmp(tiff, "MM\0*", 4) == 0;
    if (!bigEndian && std::memcmp(tiff, "II*\0", 4) != 0) return kUpright;
    uint32_t ifd = Uint32At(tiff + 4, bigEndian);
    if (ifd > size || size - ifd < 2) return kUpright;
    uint32_t entryCount = Uint16At(tiff + ifd, bigEndian);
    if ((size - ifd - 2) / kIfdEntrySize < entryCount) return kUpright;
    for (uint32_t entry = 0; entry < entryCount; ++entry) {
        int orientation = OrientationInEntry(tiff + ifd + 2 + entry * kIfdEntrySize, bigEndian);
        if (orientation != 0) return orientation;
    }
    return kUpright;
}

// How the upright picture is read from the stored one: at upright (x, y), take (a, b) = (x, y),
// or (y, x) when transposed; the stored pixel is column a, or width - 1 - a when mirroredX, of
// row b, or height - 1 - b when mirroredY.
struct Flips {
    bool transposed;
    bool mirroredX;
    bool mirroredY;
};

// The tag names where the stored row 0 and column 0 show: 6 puts row 0 on the right and column 0
// on top, so the picture is turned clockwise; 8 puts row 0 on the left and column 0 at the
// bottom (anticlockwise); 5 puts row 0 on the left and column 0 on top (the main diagonal); 7
// puts row 0 on the right and column 0 at the bottom (the other diagonal).
Flips FlipsOf(int orientation) {
    switch (orientation) {
        case 2:
            return {false, true, false};
        case 3:
            return {false, true, true};
        case 4:
            return {false, false, true};
        case 5:
            return {true, false, false};
        case 6:
            return {true, false, true};
        case 7:
            return {true, true, true};
        case 8:
            return {true, true, false};
        default:
            return {false, false, false};
    }
}

}  // namespace

int ReadExifOrientation(const uint8_t* data, std::size_t size) {
    if (size < 2 || data[0] != kMarkerStart || data[1] != kStartOfImage) return kUpright;
    std::size_t at = 2;
    Segment segment;
    while (ReadSegment(data, size, at, segment) && segment.marker != kStartOfScan && segment.marker != kEndOfImage) {
        if (IsExifBlock(segment)) {
            return OrientationInTiff(segment.payload + kExifStartSize, segment.payloadSize - kExifStartSize);
        }
    }
    return kUpright;
}

bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

PixelRect StoredRect(const PixelRect& upright, uint32_t storedWidth, uint32_t storedHeight, int orientation) {
    Flips flips = FlipsOf(orientation);
    PixelRect stored = upright;
    if (flips.transposed) stored = PixelRect{upright.y, upright.x, upright.height, upright.width};
    if (flips.mirroredX) stored.x = storedWidth - stored.x - stored.width;
    if (flips.mirroredY) stored.y = storedHeight - stored.y - stored.height;
    return stored;
}

std::vector<uint32_t> TurnUpright(std::vector<uint32_t> pixels, uint32_t width, uint32_t height, int orientation) {
    if (orientation < 2 || orientation > 8 || pixels.size() != std::size_t(width) * height) return pixels;
    Flips flips = FlipsOf(orientation);
    // Steps through the stored pixels, in pixels, for one step along a and along b.
    int64_t stepA = flips.mirroredX ? -1 : 1;
    int64_t stepB = flips.mirroredY ? -int64_t(width) : int64_t(width);
    int64_t first = (flips.mirroredX ? int64_t(width) - 1 : 0) + (flips.mirroredY ? (int64_t(height) - 1) * width : 0);
    int64_t stepX = flips.transposed ? stepB : stepA;
    int64_t stepY = flips.transposed ? stepA : stepB;
    uint32_t uprightWidth = flips.transposed ? height : width;
    uint32_t uprightHeight = flips.transposed ? width : height;
    std::vector<uint32_t> upright(pixels.size());
    std::size_t to = 0;
    for (uint32_t y = 0; y < uprightHeight; ++y) {
        int64_t from = first + y * stepY;
        for (uint32_t x = 0; x < uprightWidth; ++x, from += stepX) upright[to++] = pixels[std::size_t(from)];
    }
    return upright;
}
