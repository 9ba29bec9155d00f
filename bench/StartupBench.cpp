// Start-up and idle memory: Quorvane.EXE against the minimal dialog program and against the
// same program showing Quorvane's dialog template, started in turn from the same folder, with
// list files of several lengths; and Quorvane.EXE with a list of folder lines against one of
// picture lines.
#include <windows.h>
#include <psapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "BenchSupport.h"
#include "Benches.h"
#include "GdiObjects.h"
#include "SettingsRecord.h"

namespace {

constexpr DWORD kWaitMs = 30000;
const int kEntryCounts[] = {0, 1000, 10000};
// The list length at which the idle programs' memory is read.
constexpr int kMemoryEntries = 1000;
// How long a started program is left alone before its memory is read.
constexpr DWORD kSettleMs = 250;
// The folder lines' list: this many folders of this many pictures each.
constexpr int kLineFolders = 10;
constexpr int kPicturesPerLineFolder = 1000;

const char kProgramFolder[] = "C:\\Quorvane";
const char kListFile[] = "C:\\Quorvane\\Quorvane.LST";
const char kSettingsFile[] = "C:\\Quorvane\\Quorvane.INI";

struct Program {
    const char* name;
    std::string exe;
};

// Between two looks at the started program: each look asks the server about every control, so
// looking more often would take time from the program being measured.
constexpr DWORD kPollMs = 2;

template <typename Condition>
bool WaitUntil(Condition&& done) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kWaitMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

struct DialogSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16] = "";
    if (processId == search->processId && IsWindowVisible(window) &&
        GetClassNameA(window, className, sizeof className) && std::strcmp(className, "#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleDialogOf(DWORD processId) {
    DialogSearch search{processId, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK MatchUnpaintedChild(HWND child, LPARAM lParam) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

// True when neither the dialog nor any of its visible controls waits for a paint.
bool Painted(HWND dialog) {
    if (GetUpdateRect(dialog, nullptr, FALSE)) return false;
    bool waiting = false;
    EnumChildWindows(dialog, MatchUnpaintedChild, reinterpret_cast<LPARAM>(&waiting));
    return !waiting;
}

struct StartTimes {
    double answering;  // input idle, the dialog visible and answering a message
    double painted;    // and neither the dialog nor a control of it waiting for a paint
};

// Starts the program and returns once its dialog is shown, answers a message, and is painted:
// the moment a user sees all of it. The times count from the CreateProcess call.
PROCESS_INFORMATION StartAndAwaitIdle(const Program& program, const std::string& folder, StartTimes* times) {
    std::string commandLine = "\"" + program.exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    double start = Now();
    if (!CreateProcessA(program.exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
        Fail("cannot start " + program.exe);
    }
    WaitForInputIdle(info.hProcess, kWaitMs);
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = VisibleDialogOf(info.dwProcessId)) != nullptr; })) {
        Fail(std::string(program.name) + " showed no dialog");
    }
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &answer)) {
        Fail(std::string(program.name) + " did not answer");
    }
    times->answering = Now() - start;
    if (!WaitUntil([&] { return Painted(dialog); })) Fail(std::string(program.name) + " did not paint");
    times->painted = Now() - start;
    return info;
}

void End(PROCESS_INFORMATION& info) {
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, kWaitMs);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

void EmitMemory(const Program& program, const PROCESS_INFORMATION& info, int repetition) {
    Sleep(kSettleMs);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        Fail("cannot read the memory of " + program.exe);
    }
    std::string entries = std::to_string(kMemoryEntries);
    // Windows fills both with the commit charge; Wine fills only PagefileUsage, with the
    // process's anonymous resident memory.
    SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    Emit("private", entries, repetition, program.name, double(privateBytes));
    Emit("workingset", entries, repetition, program.name, double(counters.WorkingSetSize));
    Emit("gdi", entries, repetition, program.name, double(GdiObjectsOf(info.dwProcessId).count));
    Emit("user", entries, repetition, program.name, double(GetGuiResources(info.hProcess, GR_USEROBJECTS)));
}

// The files of a user who rotates every 30 minutes with the preview on: no change at start.
void WriteProgramFiles(const std::string& list) {
    CreateDirectoryA(kProgramFolder, nullptr);
    WallpaperSettings settings{};
    settings.frequencyMode = FREQ_MINUTES;
    settings.minutes = 30.0f;
    settings.allowPreview = 1;
    StampSaveDate(settings, "01/01/24");
    std::string record = SettingsRecordBytes(settings);
    if (!WriteWholeFile(kSettingsFile, record.data(), record.size()) ||
        !WriteWholeFile(kListFile, list.data(), list.size())) {
        Fail("cannot write the files in C:\\Quorvane");
    }
}

// One line for each folder: the folder line, or the folder's first picture.
std::string ListOfLines(const std::vector<std::string>& folders, bool asFolderLines) {
    std::string list;
    for (const std::string& folder : folders) {
        list += asFolderLines ? folder + "\\" : folder + "\\" + PictureName(0);
        list += "\r\n";
    }
    return list;
}

// Starts the program with `list` as its list file, and ends it once its dialog is shown and painted.
StartTimes StartWithList(const Program& program, const std::string& appFolder, const std::string& list) {
    WriteProgramFiles(list);
    StartTimes times{};
    PROCESS_INFORMATION info = StartAndAwaitIdle(program, appFolder, &times);
    End(info);
    return times;
}

// Quorvane.EXE with 10 folder lines of 1,000 pictures each against 10 picture lines, one of each
// folder. In the minutes mode no change is due at start, so no folder needs walking.
void MeasureFolderLines(const std::string& folder, const Program& quorvane, const std::string& appFolder,
                        int repetitions) {
    struct Lines {
        const char* subject;
        std::string list;
    };
    std::vector<std::string> folders = MakePictureFolders(folder + "\\lines", kLineFolders, kPicturesPerLineFolder);
    const Lines lists[] = {{"folder-lines", ListOfLines(folders, true)}, {"picture-lines", ListOfLines(folders, false)}};
    for (const Lines& lines : lists) StartWithList(quorvane, appFolder, lines.list);
    Say("startup with %d folder lines of %d pictures: %d repetitions", kLineFolders, kPicturesPerLineFolder,
        repetitions);
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        // Each repetition starts with the other list.
        for (int turn = 0; turn < 2; ++turn) {
            const Lines& lines = lists[(repetition + turn) % 2];
            StartTimes times = StartWithList(quorvane, appFolder, lines.list);
            Emit("startup", "folder-lines", repetition, lines.subject, times.answering);
            Emit("painted", "folder-lines", repetition, lines.subject, times.painted);
        }
    }
}

}  // namespace

void RunStartupBench(const std::string& folder, const std::string& appFolder, int repetitions) {
    const Program quorvane{"quorvane", appFolder + "\\Quorvane.EXE"};
    const Program minimal{"minimal", appFolder + "\\MinimalDialog.exe"};
    const Program sameTemplate{"template", appFolder + "\\TemplateDialog.exe"};
    const Program* programs[] = {&quorvane, &minimal, &sameTemplate};
    constexpr int kPrograms = 3;
    // A start-up is one short sample that the machine's load can stretch many times over, so
    // start-ups get twice the repetitions.
    const int startRepetitions = 2 * repetitions;

    // The first starts load Wine's libraries and the programs' files into the cache.
    WriteProgramFiles(MakeListFile(kMemoryEntries));
    for (int warm = 0; warm < 2; ++warm) {
        for (const Program* program : programs) {
            StartTimes times{};
            PROCESS_INFORMATION info = StartAndAwaitIdle(*program, appFolder, &times);
            End(info);
        }
    }

    for (int entries : kEntryCounts) {
        WriteProgramFiles(MakeListFile(entries));
        Say("startup with %d entries: %d repetitions", entries, startRepetitions);
        for (int repetition = 0; repetition < startRepetitions; ++repetition) {
            // The programs take turns at starting first.
            for (int turn = 0; turn < kPrograms; ++turn) {
                const Program& program = *programs[(repetition + turn) % kPrograms];
                StartTimes times{};
                PROCESS_INFORMATION info = StartAndAwaitIdle(program, appFolder, &times);
                Emit("startup", std::to_string(entries), repetition, program.name, times.answering);
                Emit("painted", std::to_string(entries), repetition, program.name, times.painted);
                if (entries == kMemoryEntries) EmitMemory(program, info, repetition);
                End(info);
            }
        }
    }
    MeasureFolderLines(folder, quorvane, appFolder, startRepetitions);
}
