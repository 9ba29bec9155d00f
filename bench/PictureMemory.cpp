// The peak memory of the program's picture decodes and composed wallpapers against a banded
// 24-bit decode of the same file, each measured in a process of its own: QuorvaneBench.exe starts
// itself once per subject and reads back that process's peak working set.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Benches.h"
#include "PictureSubjects.h"
#include "PreviewDialog.h"
#include "WallpaperComposer.h"

namespace {

constexpr DWORD kWaitMs = 300000;

// The subjects of each benchmark, in the order a repetition starts them; the first is the baseline.
const std::vector<const char*> kPictureSubjects = {"decode24", "wallpaper", "wallpaper-fill", "preview"};
const std::vector<const char*> kCompositionSubjects = {"decode24", "wallpaper", "composed-fill", "two-monitors"};

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
    } else if (subject == "composed-fill") {
        WriteComposedChange(PicturePosition::Fill, path.c_str(), DisplayMonitors(), folder + "\\Wallpaper.bmp");
    } else if (subject == "two-monitors") {
        WriteComposedChange(PicturePosition::Fill, path.c_str(), {kPrimaryMonitor, kLeftMonitor},
                            folder + "\\Wallpaper.bmp");
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

// Every repetition starts each subject's process once for the picture `name` of the folder.
void MeasureSubjects(const std::string& folder, const char* name, const std::vector<const char*>& subjects,
                     int repetitions) {
    std::string path = folder + "\\" + name;
    Say("peak memory %s: %d repetitions, a process per subject", name, repetitions);
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        for (size_t turn = 0; turn < subjects.size(); ++turn) {
            const char* subject = subjects[(size_t(repetition) + turn) % subjects.size()];
            Emit("peakmemory", name, repetition, subject, PeakOfSubject(folder, subject, path));
        }
    }
    DeleteFileA((folder + "\\Wallpaper.bmp").c_str());
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
        if (file.largerThanScreen) MeasureSubjects(folder, file.name, kPictureSubjects, RepetitionsFor(file, repetitions));
    }
}

void RunCompositionMemoryBench(const std::string& folder, int repetitions) {
    MeasureSubjects(folder, kCompositionPicture, kCompositionSubjects, repetitions);
}
