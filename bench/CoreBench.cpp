// Native micro-benchmarks of the portable cores, each beside the bare pass over the same bytes
// that it is compared with: the bitmap layout checks against copying the packed DIB they check,
// the list file reader against a memchr pass over the list's bytes, and the picture scaler
// against a summing pass over the rows it is fed.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "DibLayout.h"
#include "ListFile.h"
#include "PictureScaler.h"

namespace {

constexpr int kListEntries = 10000;
// What LoadList hands the reader at a time: the buffer of ReadFileInPieces.
constexpr std::size_t kReadPiece = 64 * 1024;
// A 24-megapixel photo shrunk for a full-HD screen, its rows handed over as the decoder gives them.
constexpr uint32_t kPhotoWidth = 6000;
constexpr uint32_t kPhotoHeight = 4000;
constexpr uint32_t kScreenWidth = 1920;
constexpr uint32_t kScreenHeight = 1080;
constexpr uint32_t kBandRows = 16;
constexpr std::size_t kPhotoStride = 4 * std::size_t(kPhotoWidth);

struct BitmapBytes {
    std::vector<uint8_t> file;
    std::vector<uint8_t> copy;  // the destination of the bare pass, touched once beforehand
};

BitmapBytes& Bitmap(int index) {
    static BitmapBytes bitmaps[3];
    BitmapBytes& bitmap = bitmaps[index];
    if (bitmap.file.empty()) {
        bitmap.file = MakeBitmapFile(kBitmapSizes[index]);
        bitmap.copy.assign(bitmap.file.size(), 1);
    }
    return bitmap;
}

const std::string& ListBytes() {
    static const std::string bytes = MakeListFile(kListEntries);
    return bytes;
}

// Baseline: the packed DIB (the file after its 14-byte header) copied once, as a read would.
void DibCopy(benchmark::State& state) {
    BitmapBytes& bitmap = Bitmap(int(state.range(0)));
    std::size_t size = bitmap.file.size() - kBitmapFileHeaderSize;
    for (auto _ : state) {
        std::memcpy(bitmap.copy.data(), bitmap.file.data() + kBitmapFileHeaderSize, size);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
    state.SetLabel(kBitmapSizes[state.range(0)].name);
}

// The checks CDibImage makes on a file: its header, then the packed DIB's layout.
void DibCheck(benchmark::State& state) {
    BitmapBytes& bitmap = Bitmap(int(state.range(0)));
    const uint8_t* file = bitmap.file.data();
    std::size_t size = bitmap.file.size() - kBitmapFileHeaderSize;
    for (auto _ : state) {
        benchmark::DoNotOptimize(file);
        DibLayout layout{};
        bool ok = HasBitmapFileHeader(file, kBitmapFileHeaderSize) &&
                  CheckPackedDib(file + kBitmapFileHeaderSize, size, &layout);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(layout);
    }
    state.SetLabel(kBitmapSizes[state.range(0)].name);
}

// Baseline: the 256-entry colour table copied once.
void PaletteCopy(benchmark::State& state) {
    BitmapBytes& bitmap = Bitmap(0);
    const uint8_t* table = bitmap.file.data() + kBitmapFileHeaderSize + kMinInfoHeaderSize;
    uint8_t copy[4 * kPaletteSize];
    for (auto _ : state) {
        benchmark::DoNotOptimize(table);
        std::memcpy(copy, table, sizeof copy);
        benchmark::DoNotOptimize(copy);
    }
}

// The logical palette of the preview, made from the colour table.
void PaletteFill(benchmark::State& state) {
    BitmapBytes& bitmap = Bitmap(0);
    const uint8_t* table = bitmap.file.data() + kBitmapFileHeaderSize + kMinInfoHeaderSize;
    PaletteColor palette[kPaletteSize];
    for (auto _ : state) {
        benchmark::DoNotOptimize(table);
        FillPalette(table, kPaletteSize, palette);
        benchmark::DoNotOptimize(palette);
    }
}

// Baseline: every line end of the list found with memchr, the least that splitting it takes.
void ListMemchrPass(benchmark::State& state) {
    const std::string& bytes = ListBytes();
    for (auto _ : state) {
        const char* data = bytes.data();
        const char* end = data + bytes.size();
        std::size_t lines = 0;
        while (const char* lineEnd = static_cast<const char*>(std::memchr(data, '\n', std::size_t(end - data)))) {
            ++lines;
            data = lineEnd + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

// Baseline: the list's bytes copied once.
void ListCopy(benchmark::State& state) {
    const std::string& bytes = ListBytes();
    std::vector<char> copy(bytes.size(), 1);
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

// All entries into a vector of strings.
void ListParse(benchmark::State& state) {
    const std::string& bytes = ListBytes();
    for (auto _ : state) {
        std::vector<std::string> entries = ParseListFile(bytes);
        benchmark::DoNotOptimize(entries.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

// The reader as LoadList drives it: 64 KiB pieces, each entry handed to a sink (here a count,
// where the program adds it to the list box).
void ListReaderPieces(benchmark::State& state) {
    const std::string& bytes = ListBytes();
    for (auto _ : state) {
        std::size_t entries = 0;
        CListFileReader reader([&entries](const std::string& entry) {
            benchmark::DoNotOptimize(entry.data());
            ++entries;
        });
        for (std::size_t at = 0; at < bytes.size(); at += kReadPiece) {
            std::size_t piece = bytes.size() - at < kReadPiece ? bytes.size() - at : kReadPiece;
            reader.Feed(bytes.data() + at, piece);
        }
        reader.Finish();
        benchmark::DoNotOptimize(entries);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

const std::vector<uint8_t>& PhotoPixels() {
    static const std::vector<uint8_t> pixels = [] {
        std::vector<uint8_t> bytes(kPhotoStride * kPhotoHeight);
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7 + i / kPhotoStride * 5);
        return bytes;
    }();
    return pixels;
}

// Baseline: every byte of the photo summed, band by band: the least a pass over the rows costs.
void ScaleBaselineSumPass(benchmark::State& state) {
    const std::vector<uint8_t>& photo = PhotoPixels();
    for (auto _ : state) {
        uint64_t sum = 0;
        for (uint32_t row = 0; row < kPhotoHeight; row += kBandRows) {
            const uint8_t* band = photo.data() + row * kPhotoStride;
            for (std::size_t i = 0; i < kBandRows * kPhotoStride; ++i) sum += band[i];
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kPhotoWidth * kPhotoHeight);
}

// The photo scaled to the screen, fed in bands; items are source pixels.
void ScalePhotoInBands(benchmark::State& state) {
    const std::vector<uint8_t>& photo = PhotoPixels();
    for (auto _ : state) {
        CPictureScaler scaler({0, 0, kPhotoWidth, kPhotoHeight}, kScreenWidth, kScreenHeight);
        for (uint32_t row = 0; row < kPhotoHeight; row += kBandRows) {
            scaler.AddRows(photo.data() + row * kPhotoStride, kPhotoStride, row, kBandRows);
        }
        benchmark::DoNotOptimize(scaler.TakePixels().data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kPhotoWidth * kPhotoHeight);
}

}  // namespace

BENCHMARK(DibCopy)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(DibCheck)->DenseRange(0, 2)->Unit(benchmark::kNanosecond);
BENCHMARK(PaletteCopy)->Unit(benchmark::kNanosecond);
BENCHMARK(PaletteFill)->Unit(benchmark::kNanosecond);
BENCHMARK(ListMemchrPass)->Unit(benchmark::kMicrosecond);
BENCHMARK(ListCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(ListParse)->Unit(benchmark::kMicrosecond);
BENCHMARK(ListReaderPieces)->Unit(benchmark::kMicrosecond);
BENCHMARK(ScaleBaselineSumPass)->Unit(benchmark::kMillisecond);
BENCHMARK(ScalePhotoInBands)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
