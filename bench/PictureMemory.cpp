// The peak memory of the program's picture decodes against a banded 24-bit decode of the same
// file, each measured in a process of its own: QuorvaneBench.exe starts itself once per subject
// and reads back that process's peak working set.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "BenchSupport.h"
#include "Benches.h"
#include "PictureSubjects.h"
#include "PreviewDialog.h"

namespace {

constexpr DWORD kWaitMs = 300000;

// The subjects, in the order a repetition starts them; the first is the baseline.
constexpr const char* kSubjects[] = {"decode24", "wallpaper", "wallpaper-fill", "preview"};
constexpr int kSubjectCount = int(std::size(kSubjects));

void RunSubject(HWND dialog, const std::string& folder, const std::string& subject, const std::string& path) {
    if (subject == "decode24") {
        BandedDecode24(Wide(path).c_str());
    } else if (subject == "wallpaper") {
        WriteCopy(path.c_str(), folder + "\\Wallpaper.bmp");
    } else if (subject == "wallpaper-fill") {
        CFillStyle fill;
        WriteCopy(path.c_str(), folder + "\\Wallpaper.bmp");
    } else if (subject == "preview") {
        DecodePreview(path.c_str(), PreviewSize(dialog));
    } else {
        Fail("no such memory subject: " + subject);
    }
}

std::string OwnPath() {
    char path[MAX_PATH] = "";
    if (!GetModuleFileNameA(nullptr, path, sizeof path)) Fail("cannot find QuorvaneBench.exe's own path");
    return path;
}

// Everything the started process writes to its standard output, until it ends.
std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    return text;
}

// Starts QuorvaneBench.exe for one subject and returns the peak working set it reports.
double PeakOfSubject(const std::string& folder, const char* subject, const std::string& path) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) Fail("cannot make a pipe");
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string command = "\"" + OwnPath() + "\" \"" + folder + "\" - 1 memory " + subject + " \"" + path + "\"";
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        Fail("cannot start " + command);
    }
    CloseHandle(writeEnd);
    std::string output = ReadAll(readEnd);
    CloseHandle(readEnd);
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.hProcess, kWaitMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exitCode) || exitCode != 0) {
        Fail("the memory subject failed: " + command);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return std::strtod(output.c_str(), nullptr);
}

}  // namespace

int MeasurePeakMemory(const std::string& folder, const std::string& subject, const std::string& path) {
    // The program decodes in a process that shows its dialog: every subject's process shows the
    // preview dialog first, so that the subjects differ in their decode alone.
    CComApartment apartment;
    HWND dialog = ShowPreviewDialog();
    RunSubject(dialog, folder, subject, path);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) Fail("no memory counters");
    std::printf("%llu\n", static_cast<unsigned long long>(counters.PeakWorkingSetSize));
    return 0;
}

void RunPictureMemoryBench(const std::string& folder, int repetitions) {
    for (const PictureFile& file : kPictureFiles) {
        if (!file.largerThanScreen) continue;
        std::string path = folder + "\\" + file.name;
        int fileRepetitions = RepetitionsFor(file, repetitions);
        Say("peak memory %s: %d repetitions, a process per subject", file.name, fileRepetitions);
        for (int repetition = 0; repetition < fileRepetitions; ++repetition) {
            for (int turn = 0; turn < kSubjectCount; ++turn) {
                const char* subject = kSubjects[(repetition + turn) % kSubjectCount];
                Emit("peakmemory", file.name, repetition, subject, PeakOfSubject(folder, subject, path));
            }
        }
    }
    DeleteFileA((folder + "\\Wallpaper.bmp").c_str());
}
