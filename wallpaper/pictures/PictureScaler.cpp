// The scaler of picture rows fed in bands (area averaging to shrink, bilinear interpolation to
// enlarge), and laying premultiplied pixels over a colour.
#include "PictureScaler.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <utility>

namespace {

constexpr int kChannels = 4;
// Bilinear weights are in 4096ths: 255 times 4096 squared, plus half of that square for rounding,
// still fits in 32 bits.
constexpr uint32_t kWeightBits = 12;
constexpr uint32_t kWholeWeight = 1u << kWeightBits;

// Where one target pixel lies along an enlarged side: between source pixels `first` and `next`,
// taking `weight` 4096ths of `next` and the rest of `first`.
struct BilinearTap {
    uint32_t first;
    uint32_t next;
    uint32_t weight;
};

// The centre of target pixel x lies at (x + 0.5) * source / target - 0.5 in source pixels, that is
// ((2x + 1) * source - target) / (2 * target), held between the centres of the first and the last
// pixel. On a side kept at its length each pixel lands on itself, with weight 0.
std::vector<BilinearTap> BilinearTaps(uint32_t sourceLength, uint32_t targetLength) {
    std::vector<BilinearTap> taps(targetLength);
    const uint64_t denominator = 2 * uint64_t(targetLength);
    for (uint32_t x = 0; x < targetLength; ++x) {
        int64_t numerator = int64_t(2 * uint64_t(x) + 1) * sourceLength - targetLength;
        uint64_t at = uint64_t(std::max<int64_t>(numerator, 0));
        uint32_t first = uint32_t(at / denominator);
        if (first >= sourceLength - 1) {
            taps[x] = {sourceLength - 1, sourceLength - 1, 0};
            continue;
        }
        uint32_t weight = uint32_t((at % denominator * kWholeWeight + targetLength) / denominator);
        taps[x] = {first, first + 1, weight};
    }
    return taps;
}

// One row interpolated across to the target's width, each channel kept in 4096ths (the pixels read
// as bytes, blue first).
void SpreadRow(const uint32_t* pixels, const std::vector<BilinearTap>& columns, std::vector<uint32_t>& spread) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(pixels);
    uint32_t* out = spread.data();
    for (const BilinearTap& tap : columns) {
        const uint8_t* first = bytes + std::size_t(kChannels) * tap.first;
        const uint8_t* next = bytes + std::size_t(kChannels) * tap.next;
        const uint32_t firstWeight = kWholeWeight - tap.weight;
        for (int channel = 0; channel < kChannels; ++channel) {
            out[channel] = first[channel] * firstWeight + next[channel] * tap.weight;
        }
        out += kChannels;
    }
}

// Two spread rows interpolated down into one target row, rounded half up: rounding only once
// keeps a uniform picture exactly uniform. Written byte by byte (blue first, as the pixels lie in
// memory), the loop becomes vector code.
void BlendRows(const std::vector<uint32_t>& upper, const std::vector<uint32_t>& lower, uint32_t weight,
               uint32_t* target) {
    const uint32_t half = 1u << (2 * kWeightBits - 1);
    const uint32_t upperWeight = kWholeWeight - weight;
    uint8_t* out = reinterpret_cast<uint8_t*>(target);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        out[i] = uint8_t((upper[i] * upperWeight + lower[i] * weight + half) >> 2 * kWeightBits);
    }
}

// Each source row is spread across once: consecutive target rows mostly share their two rows.
std::vector<uint32_t> EnlargeBilinearly(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height,
                                        uint32_t targetWidth, uint32_t targetHeight) {
    const std::vector<BilinearTap> columns = BilinearTaps(width, targetWidth);
    const std::vector<BilinearTap> rows = BilinearTaps(height, targetHeight);
    std::vector<uint32_t> upper(std::size_t(kChannels) * targetWidth);
    std::vector<uint32_t> lower(upper.size());
    uint32_t upperRow = height;  // no row yet
    uint32_t lowerRow = height;
    std::vector<uint32_t> target(std::size_t(targetWidth) * targetHeight);
    for (uint32_t y = 0; y < targetHeight; ++y) {
        const BilinearTap& tap = rows[y];
        if (tap.first != upperRow && tap.first == lowerRow) {
            std::swap(upper, lower);
            std::swap(upperRow, lowerRow);
        }
        if (tap.first != upperRow) {
            SpreadRow(pixels.data() + std::size_t(tap.first) * width, columns, upper);
            upperRow = tap.first;
        }
        if (tap.next != lowerRow) {
            SpreadRow(pixels.data() + std::size_t(tap.next) * width, columns, lower);
            lowerRow = tap.next;
        }
        BlendRows(upper, lower, tap.weight, target.data() + std::size_t(y) * targetWidth);
    }
    return target;
}

}  // namespace

// Measured in units of 1/gcd of the two lengths, every pixel edge falls on a whole unit, so the
// weights are exact integers and a uniform picture sums to exactly its value times the divisor.
CPictureScaler::CPictureScaler(const PixelRect& source, uint32_t targetWidth, uint32_t targetHeight)
    : m_source(source),
      m_targetWidth(targetWidth),
      m_targetHeight(targetHeight),
      m_averagedWidth(std::min(source.width, targetWidth)),
      m_averagedHeight(std::min(source.height, targetHeight)),
      m_unitWidth(m_averagedWidth / std::gcd(source.width, m_averagedWidth)),
      m_targetUnitWidth(source.width / std::gcd(source.width, m_averagedWidth)),
      m_unitHeight(m_averagedHeight / std::gcd(source.height, m_averagedHeight)),
      m_targetUnitHeight(source.height / std::gcd(source.height, m_averagedHeight)),
      m_divisor(uint64_t(m_targetUnitWidth) * m_targetUnitHeight),
      m_inverseDivisor(1.0 / double(m_divisor)),
      m_columns(m_averagedWidth),
      m_row(std::size_t(kChannels) * m_averagedWidth),
      m_run(std::size_t(kChannels) * m_averagedWidth),
      m_cut(std::size_t(kChannels) * m_averagedWidth),
      m_averaged(std::size_t(m_averagedWidth) * m_averagedHeight) {
    uint64_t cutPixel = 0;
    for (uint32_t column = 0; column < m_averagedWidth; ++column) {
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

std::vector<uint32_t> CPictureScaler::TakePixels() {
    if (m_averagedWidth == m_targetWidth && m_averagedHeight == m_targetHeight) return std::move(m_averaged);
    std::vector<uint32_t> averaged = std::move(m_averaged);
    return EnlargeBilinearly(averaged, m_averagedWidth, m_averagedHeight, m_targetWidth, m_targetHeight);
}

// An averaged row is finished by the source row in which it ends, cut that many units from the
// source row's top. A part kept at its own size (a centred part of a large photo, a picture no
// larger than the screen, or one enlarged on both sides) is copied as it is.
void CPictureScaler::AddRow(const uint8_t* pixels, uint32_t row) {
    if (m_source.width == m_averagedWidth && m_source.height == m_averagedHeight) {
        std::memcpy(m_averaged.data() + std::size_t(row) * m_averagedWidth, pixels,
                    std::size_t(kChannels) * m_averagedWidth);
        m_nextRow = row + 1;
        return;
    }
    ResampleRow(pixels);
    uint64_t start = uint64_t(row) * m_unitHeight;
    uint64_t end = start + m_unitHeight;
    for (uint64_t targetRow = start / m_targetUnitHeight; (targetRow + 1) * m_targetUnitHeight <= end; ++targetRow) {
        FinishAveragedRow(uint32_t(targetRow), (targetRow + 1) * m_targetUnitHeight - start);
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
void CPictureScaler::FinishAveragedRow(uint32_t targetRow, uint64_t cutWeight) {
    uint32_t* target = m_averaged.data() + std::size_t(targetRow) * m_averagedWidth;
    for (std::size_t column = 0, i = 0; column < m_averagedWidth; ++column, i += kChannels) {
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
