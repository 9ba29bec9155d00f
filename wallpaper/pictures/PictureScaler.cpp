// The area-averaging scaler of picture rows fed in bands, and laying premultiplied pixels over a colour.
#include "PictureScaler.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

constexpr int kChannels = 4;

}  // namespace

// Measured in units of 1/gcd of the two lengths, every pixel edge falls on a whole unit, so the
// weights are exact integers and a uniform picture sums to exactly its value times the divisor.
CPictureScaler::CPictureScaler(const PixelRect& source, uint32_t targetWidth, uint32_t targetHeight)
    : m_source(source),
      m_targetWidth(targetWidth),
      m_targetHeight(targetHeight),
      m_unitWidth(targetWidth / std::gcd(source.width, targetWidth)),
      m_targetUnitWidth(source.width / std::gcd(source.width, targetWidth)),
      m_unitHeight(targetHeight / std::gcd(source.height, targetHeight)),
      m_targetUnitHeight(source.height / std::gcd(source.height, targetHeight)),
      m_divisor(uint64_t(m_targetUnitWidth) * m_targetUnitHeight),
      m_inverseDivisor(1.0 / double(m_divisor)),
      m_columns(targetWidth),
      m_row(std::size_t(kChannels) * targetWidth),
      m_run(std::size_t(kChannels) * targetWidth),
      m_cut(std::size_t(kChannels) * targetWidth),
      m_target(std::size_t(targetWidth) * targetHeight) {
    uint64_t cutPixel = 0;
    for (uint32_t column = 0; column < targetWidth; ++column) {
        uint64_t end = uint64_t(column + 1) * m_targetUnitWidth;
        m_columns[column] = {uint32_t(end / m_unitWidth - cutPixel), uint32_t(end % m_unitWidth)};
        cutPixel = end / m_unitWidth;
    }
    // The last column ends on the row's end, where there is no pixel to cut: its last whole
    // pixel stands in, cut at its full width.
    m_columns.back().count -= 1;
    m_columns.back().cutWeight = m_unitWidth;
}

void CPictureScaler::AddRows(const uint8_t* rows, std::size_t stride, uint32_t firstRow, uint32_t count) {
    uint64_t begin = std::max(firstRow, m_source.y);
    uint64_t end = std::min<uint64_t>(uint64_t(firstRow) + count, uint64_t(m_source.y) + m_source.height);
    for (uint64_t row = begin; row < end; ++row) {
        const uint8_t* pixels = rows + (row - firstRow) * stride + std::size_t(kChannels) * m_source.x;
        AddRow(pixels, uint32_t(row - m_source.y));
    }
}

bool CPictureScaler::IsComplete() const { return m_nextRow == m_source.height; }

// A target row is finished by the source row in which it ends, cut that many units from the
// source row's top. A part kept at its own size (a centred part of a large photo, a picture no
// larger than the screen) is copied as it is.
void CPictureScaler::AddRow(const uint8_t* pixels, uint32_t row) {
    if (m_source.width == m_targetWidth && m_source.height == m_targetHeight) {
        std::memcpy(m_target.data() + std::size_t(row) * m_targetWidth, pixels, std::size_t(kChannels) * m_targetWidth);
        m_nextRow = row + 1;
        return;
    }
    ResampleRow(pixels);
    uint64_t start = uint64_t(row) * m_unitHeight;
    uint64_t end = start + m_unitHeight;
    for (uint64_t targetRow = start / m_targetUnitHeight; (targetRow + 1) * m_targetUnitHeight <= end; ++targetRow) {
        FinishTargetRow(uint32_t(targetRow), (targetRow + 1) * m_targetUnitHeight - start);
    }
    m_nextRow = row + 1;
}

// Each target column is the whole pixels that start in it, plus the part of the pixel its right
// edge cuts, less the part of the pixel its left edge cuts (which the column before took). So a
// source pixel costs one addition a channel, and a target pixel two multiplications. The row is
// added to the run of rows at once, and kept for the target rows that end in it.
void CPictureScaler::ResampleRow(const uint8_t* pixels) {
    const uint32_t wholeWeight = m_unitWidth;
    const uint8_t* pixel = pixels;
    uint32_t cutBlue = 0, cutGreen = 0, cutRed = 0, cutAlpha = 0;
    uint32_t* out = m_row.data();
    uint64_t* run = m_run.data();
    for (const ColumnSpan& span : m_columns) {
        uint32_t blue = 0, green = 0, red = 0, alpha = 0;
        for (const uint8_t* end = pixel + std::size_t(kChannels) * span.count; pixel < end; pixel += kChannels) {
            // One load a pixel; shifts split it (little-endian, blue lowest), which also keeps the
            // compiler from vectorizing these runs of a few pixels into something slower.
            uint32_t word;
            std::memcpy(&word, pixel, sizeof word);
            blue += word & 0xFF;
            green += word >> 8 & 0xFF;
            red += word >> 16 & 0xFF;
            alpha += word >> 24;
        }
        uint32_t nextCutBlue = span.cutWeight * pixel[0];
        uint32_t nextCutGreen = span.cutWeight * pixel[1];
        uint32_t nextCutRed = span.cutWeight * pixel[2];
        uint32_t nextCutAlpha = span.cutWeight * pixel[3];
        blue = wholeWeight * blue + nextCutBlue - cutBlue;
        green = wholeWeight * green + nextCutGreen - cutGreen;
        red = wholeWeight * red + nextCutRed - cutRed;
        alpha = wholeWeight * alpha + nextCutAlpha - cutAlpha;
        cutBlue = nextCutBlue;
        cutGreen = nextCutGreen;
        cutRed = nextCutRed;
        cutAlpha = nextCutAlpha;
        out[0] = blue;
        out[1] = green;
        out[2] = red;
        out[3] = alpha;
        run[0] += blue;
        run[1] += green;
        run[2] += red;
        run[3] += alpha;
        out += kChannels;
        run += kChannels;
    }
}

// The same sum as across a row, down the columns: the rows of the run before the current one
// whole, less the part of the first that the target row before took, plus the part of the
// current row above the cut. The current row then starts the next run.
void CPictureScaler::FinishTargetRow(uint32_t targetRow, uint64_t cutWeight) {
    uint32_t* target = m_target.data() + std::size_t(targetRow) * m_targetWidth;
    for (std::size_t column = 0, i = 0; column < m_targetWidth; ++column, i += kChannels) {
        target[column] = FinishChannel(i, cutWeight) | FinishChannel(i + 1, cutWeight) << 8 |
                         FinishChannel(i + 2, cutWeight) << 16 | FinishChannel(i + 3, cutWeight) << 24;
    }
}

uint32_t CPictureScaler::FinishChannel(std::size_t i, uint64_t cutWeight) {
    uint64_t cut = cutWeight * m_row[i];
    uint64_t sum = m_unitHeight * (m_run[i] - m_row[i]) + cut - m_cut[i];
    m_cut[i] = cut;
    m_run[i] = m_row[i];
    return Average(sum);
}

// The sum over the divisor, rounded half up. A division each would cost more than all the
// additions; the reciprocal comes within one below the quotient, and the remainder settles it.
uint32_t CPictureScaler::Average(uint64_t sum) const {
    uint64_t rounded = sum + m_divisor / 2;
    uint64_t quotient = uint64_t(int64_t(double(int64_t(rounded)) * m_inverseDivisor));
    if (rounded - quotient * m_divisor >= m_divisor) ++quotient;
    return uint32_t(quotient);
}

void LayOverColor(std::vector<uint32_t>& pixels, uint32_t rgb) {
    for (uint32_t& pixel : pixels) {
        uint32_t transparency = 255 - (pixel >> 24);
        uint32_t opaque = 0xFF000000;
        for (int shift = 0; shift < 24; shift += 8) {
            uint32_t color = (pixel >> shift & 0xFF) + ((rgb >> shift & 0xFF) * transparency + 127) / 255;
            // A colour above its alpha (not truly premultiplied) would carry into the next byte.
            opaque |= std::min<uint32_t>(color, 255) << shift;
        }
        pixel = opaque;
    }
}
