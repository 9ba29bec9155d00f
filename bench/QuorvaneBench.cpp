// QuorvaneBench.exe: the Windows-side benchmarks, run under Wine by scripts/bench.sh.
//   QuorvaneBench.exe <work folder> <program folder> <repetitions> [load|preview|picture|picture-memory|composition|composition-memory|folder|startup ...]
// Result lines go to stdout (see Emit), progress to stderr. The picture memory benchmark starts
// the program again for each measurement, as
//   QuorvaneBench.exe <work folder> - 1 memory <subject> <picture file>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "BenchSupport.h"
#include "Benches.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        Say("usage: QuorvaneBench.exe <work folder> <program folder> <repetitions> "
            "[load|preview|picture|picture-memory|composition|composition-memory|folder|startup ...]");
        return 2;
    }
    if (argc == 7 && std::strcmp(argv[4], "memory") == 0) return MeasurePeakMemory(argv[1], argv[5], argv[6]);
    std::string workFolder = argv[1];
    std::string programFolder = argv[2];
    int repetitions = std::atoi(argv[3]);
    if (repetitions < 1) repetitions = 1;
    CreateDirectoryA(workFolder.c_str(), nullptr);

    auto wanted = [&](const char* name) {
        if (argc == 4) return true;
        for (int i = 4; i < argc; ++i) {
            if (std::strcmp(argv[i], name) == 0) return true;
        }
        return false;
    };
    if (wanted("load")) RunLoadBench(workFolder, repetitions);
    if (wanted("preview")) RunPreviewBench(workFolder, repetitions);
    if (wanted("picture")) RunPictureBench(workFolder, repetitions);
    if (wanted("picture-memory")) RunPictureMemoryBench(workFolder, repetitions);
    if (wanted("composition")) RunCompositionBench(workFolder, repetitions);
    if (wanted("composition-memory")) RunCompositionMemoryBench(workFolder, repetitions);
    if (wanted("folder")) RunFolderBench(workFolder, repetitions);
    if (wanted("startup")) RunStartupBench(workFolder, programFolder, repetitions);
    return 0;
}
