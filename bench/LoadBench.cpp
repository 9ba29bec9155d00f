// Loading a bitmap: CDibImage against the bare read (as it is, and with its pages written first)
// and against the platform's loader.
#include <windows.h>

#include "BenchSupport.h"
#include "Benches.h"
#include "BitmapLoads.h"

void RunLoadBench(const std::string& folder, int repetitions) {
    struct Subject {
        const char* name;
        void (*load)(const char* path);
    };
    const Subject subjects[] = {
        {"bare", BareRead},
        {"touched", BareReadTouched},
        {"dibimage", LoadWithDibImage},
        {"loadimage", LoadWithPlatform},
    };
    constexpr int kSubjects = sizeof subjects / sizeof subjects[0];
    for (const BitmapSize& size : kBitmapSizes) {
        std::string path = WriteBitmapFile(folder, size);
        // Warm: the file is in the cache and every path has run once before timing.
        for (const Subject& subject : subjects) subject.load(path.c_str());
        int calls = CallsPerSample(SecondsPerCall(1, [&] { BareRead(path.c_str()); }));
        Say("load %s: %d repetitions of %d calls per subject", size.name, repetitions, calls);
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            // Each repetition starts with another subject, so that none always runs first.
            for (int turn = 0; turn < kSubjects; ++turn) {
                const Subject& subject = subjects[(repetition + turn) % kSubjects];
                double seconds = SecondsPerCall(calls, [&] { subject.load(path.c_str()); });
                Emit("load", size.name, repetition, subject.name, seconds);
            }
        }
        DeleteFileA(path.c_str());
    }
}
