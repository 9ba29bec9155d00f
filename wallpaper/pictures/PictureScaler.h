// CPictureScaler: a part of a picture scaled to a size. On a side where the target is no larger
// than the part, each target pixel is the area-weighted average of the source pixels under it; on a
// side where it is larger, it is interpolated bilinearly between the two source pixels nearest its
// centre. Fed with the picture's rows in bands, so that the whole picture is never held.
// LayOverColor: the transparent parts over a colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "PictureOrientation.h"

// Pixels are 32 bits: blue, green, red, alpha, in that byte order, with the colours
// premultiplied by alpha (as the platform's imaging component gives them).
class CPictureScaler {
public:
    // `source` lies inside the picture and holds at least one pixel; both target sides are at
    // least 1.
    CPictureScaler(const PixelRect& source, uint32_t targetWidth, uint32_t targetHeight);

    // `count` rows of the picture from row `firstRow` on, each `stride` bytes apart, starting at
    // the pixel of column 0. Bands come top-down, each after the last; rows and columns outside
    // the source part are passed over.
    void AddRows(const uint8_t* rows, std::size_t stride, uint32_t firstRow, uint32_t count);

    // Whether every row of the source part has been added.
    bool IsComplete() const;

    // The target's pixels, top-down, targetWidth a row, handed over once; source rows not yet
    // added count as 0.
    std::vector<uint32_t> TakePixels();
    uint32_t Width() const { return m_targetWidth; }
    uint32_t Height() const { return m_targetHeight; }

private:
    // One target column: `count` source pixels start inside it and count whole; the pixel that its
    // right edge cuts counts for `cutWeight` units, which the next column takes off again.
    struct ColumnSpan {
        uint32_t count;
        uint32_t cutWeight;
    };

    void AddRow(const uint8_t* pixels, uint32_t row);
    void ResampleRow(const uint8_t* pixels);
    void FinishAveragedRow(uint32_t targetRow, uint64_t cutWeight);
    uint32_t FinishChannel(std::size_t i, uint64_t cutWeight);
    uint32_t Average(uint64_t sum) const;

    PixelRect m_source;
    uint32_t m_targetWidth;
    uint32_t m_targetHeight;
    // What the area averaging gives: the target's size, or the source part's on a side where the
    // target is larger (that side is enlarged afterwards). Its pixels are the "target pixels" of
    // the averaging below.
    uint32_t m_averagedWidth;
    uint32_t m_averagedHeight;
    // Lengths in units that make every weight a whole number: a source pixel is m_unitWidth
    // units wide and an averaged pixel m_targetUnitWidth; the same for heights.
    uint32_t m_unitWidth;
    uint32_t m_targetUnitWidth;
    uint32_t m_unitHeight;
    uint32_t m_targetUnitHeight;
    uint64_t m_divisor;  // the weight of a whole target pixel: its area in units
    double m_inverseDivisor;
    std::vector<ColumnSpan> m_columns;
    // 4 sums a target pixel: the current source row at target width; the rows from the one in
    // which the last finished target row ended; the part of that row which went into it.
    std::vector<uint32_t> m_row;
    std::vector<uint64_t> m_run;
    std::vector<uint64_t> m_cut;
    uint32_t m_nextRow = 0;  // of the source part
    std::vector<uint32_t> m_averaged;
};

// Premultiplied pixels laid over an opaque colour (blue, green, red as in a COLORREF read
// backwards: 0x00RRGGBB): each becomes opaque, its alpha byte 0xFF.
void LayOverColor(std::vector<uint32_t>& pixels, uint32_t rgb);
