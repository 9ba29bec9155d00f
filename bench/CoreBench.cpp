// Native micro-benchmarks of the portable cores, each beside the bare pass over the same bytes
// that it is compared with: the bitmap layout checks against copying the packed DIB they check,
// and the list file reader against a memchr pass over the list's bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "DibLayout.h"
#include "ListFile.h"

namespace {

constexpr int kListEntries = 10000;
// What LoadList hands the reader at a time: the buffer of ReadFileInPieces.
constexpr std::size_t kReadPiece = 64 * 1024;

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

}  // namespace

BENCHMARK(DibCopy)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(DibCheck)->DenseRange(0, 2)->Unit(benchmark::kNanosecond);
BENCHMARK(PaletteCopy)->Unit(benchmark::kNanosecond);
BENCHMARK(PaletteFill)->Unit(benchmark::kNanosecond);
BENCHMARK(ListMemchrPass)->Unit(benchmark::kMicrosecond);
BENCHMARK(ListCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(ListParse)->Unit(benchmark::kMicrosecond);
BENCHMARK(ListReaderPieces)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
