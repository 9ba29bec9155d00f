// libFuzzer target of the photo orientation: any bytes give an orientation of 1 to 8 with nothing
// read outside them, and a small picture set upright comes back whole by the opposite turn, each
// upright rectangle taken from the stored rectangle that StoredRect names.
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "PictureOrientation.h"

namespace {

constexpr uint32_t kMostSide = 16;

void Require(bool condition) {
    if (!condition) std::abort();
}

// The quarter turns undo each other; every other orientation undoes itself.
int Opposite(int orientation) {
    return orientation == 6 ? 8 : orientation == 8 ? 6 : orientation;
}

// Every pixel of `rect` in the upright picture comes from inside `from`, which is as large; the
// pixels are distinct, so `from` holds those pixels and no others.
void CheckStoredRect(const std::vector<uint32_t>& upright, uint32_t uprightWidth, const PixelRect& rect,
                     uint32_t storedWidth, uint32_t storedHeight, const PixelRect& from) {
    Require(from.x + from.width <= storedWidth && from.y + from.height <= storedHeight);
    Require(from.width * from.height == rect.width * rect.height);
    for (uint32_t y = rect.y; y < rect.y + rect.height; ++y) {
        for (uint32_t x = rect.x; x < rect.x + rect.width; ++x) {
            uint32_t storedAt = upright[y * uprightWidth + x];
            uint32_t storedX = storedAt % storedWidth, storedY = storedAt / storedWidth;
            Require(storedX >= from.x && storedX < from.x + from.width);
            Require(storedY >= from.y && storedY < from.y + from.height);
        }
    }
}

// Six bytes give the sides (1 to 16), an orientation (0 to 9, so both sides of the range) and a
// rectangle of the upright picture. Each stored pixel holds its own index.
void CheckTurning(const uint8_t* bytes) {
    uint32_t width = bytes[0] % kMostSide + 1, height = bytes[1] % kMostSide + 1;
    int orientation = bytes[2] % 10;
    std::vector<uint32_t> stored(width * height);
    std::iota(stored.begin(), stored.end(), 0u);
    std::vector<uint32_t> upright = TurnUpright(stored, width, height, orientation);
    uint32_t uprightWidth = SwapsSides(orientation) ? height : width;
    uint32_t uprightHeight = SwapsSides(orientation) ? width : height;
    Require(TurnUpright(upright, uprightWidth, uprightHeight, Opposite(orientation)) == stored);
    std::vector<uint32_t> cutShort(stored.begin(), stored.end() - 1);
    Require(TurnUpright(cutShort, width, height, orientation) == cutShort);
    PixelRect rect{bytes[3] % uprightWidth, bytes[4] % uprightHeight, 0, 0};
    rect.width = bytes[5] % (uprightWidth - rect.x) + 1;
    rect.height = bytes[5] / kMostSide % (uprightHeight - rect.y) + 1;
    CheckStoredRect(upright, uprightWidth, rect, width, height, StoredRect(rect, width, height, orientation));
}

}  // namespace

// The whole input is read as a JPEG from a buffer of exactly its size; its first six bytes also
// describe a picture to turn.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::vector<uint8_t> exact(data, data + size);
    int orientation = ReadExifOrientation(exact.data(), exact.size());
    Require(orientation >= 1 && orientation <= 8);
    if (size >= 6) CheckTurning(data);
    return 0;
}
