// libFuzzer target of the install procedure: a fake machine whose answers come from the input
// (free space, the install folder, the Windows folder, the platform id, each copy, each box),
// and a watch over every call that holds the procedure to its rules whatever fails and
// whatever the user presses.
#include "InstallProcedure.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
// A box that could not be shown answers 0.
constexpr int kAnswerNone = 0;

constexpr char kNotEnoughSpacePrefix[] = "WARNING! You do not have enough space";
constexpr char kFolderFailed[] = "Destination directory could not be created.";
constexpr char kWrongPlatformPrefix[] = "You must have Windows 95";
constexpr char kShortcutFailed[] = "Shortcut Copy Failed. File missing or, StartUp directory not found!";
constexpr char kFileFailed[] = "File Copy Failed! ";
constexpr char kErrorsOutcomePrefix[] = "There were errors.";
constexpr char kSuccessPrefix[] = "Installation is now complete.";

// A run that made no progress at all still makes a few dozen calls; a whole one about 110.
constexpr int kMaxCallsPerRun = 200;

[[noreturn]] void Fail(const char* rule) {
    std::fprintf(stderr, "install procedure broke a rule: %s\n", rule);
    std::abort();
}

void Require(bool holds, const char* rule) {
    if (!holds) Fail(rule);
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::string(prefix).size(), prefix) == 0;
}

// The fuzzer's bytes, one question at a time; once they run out, every answer is the one of
// a machine where all goes well and a user who presses Abort.
class CInputBytes {
public:
    CInputBytes(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Next(uint8_t* byte) {
        if (m_at >= m_size) return false;
        *byte = m_data[m_at++];
        return true;
    }

private:
    const uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// Plays the machine and the user from the input, and checks each call against what the run
// has done so far.
class CFuzzedPlatform : public CInstallPlatform {
public:
    explicit CFuzzedPlatform(CInputBytes& input) : m_input(input) {}

    // One press of Install: a fresh procedure, as the setup window makes one per press.
    void Press(uint64_t availableSpace) {
        m_runs = 0;
        m_retries = 0;
        m_outcomes = 0;
        m_stackMark = nullptr;
        m_availableSpace = availableSpace;
        CInstallProcedure(*this, availableSpace).Run();
        Require(m_depth == 0, "the wait cursor is back to normal when Install returns");
        Require(m_runs >= 1, "a press makes at least one run");
        Require(m_runs <= m_retries + 1, "a new run follows only a Retry");
        Require(m_outcomes <= 1, "a press has at most one outcome");
        Require(!m_pendingRestart, "a Retry is followed by a new run");
        Require(m_steps == m_copiesDone, "the bar stepped once per successful copy of the last run");
    }

    void BeginWaitCursor() override {
        Call();
        Require(m_depth == 0, "the wait cursor is not shown twice");
        ++m_depth;
        // Every run starts at the same depth of the stack: a Retry does not nest a run.
        void* mark = __builtin_frame_address(0);
        if (!m_stackMark) m_stackMark = mark;
        Require(mark == m_stackMark, "every run of a press starts at the same stack depth");
        Require(m_runs == 0 || m_pendingRestart, "a new run starts only after a Retry");
        m_pendingRestart = false;
        ++m_runs;
        m_callsThisRun = 1;  // this call
        m_rangeSet = false;
        m_stepSet = false;
        m_steps = 0;
        m_copiesDone = 0;
        m_nextRow = 0;
        m_copyFailed = false;
        m_folderMade = false;
        m_platformKnown = false;
        m_startupMade = false;
        m_lastCopyOk = false;
        m_outcomeShown = false;
        m_closed = false;
        m_launches = 0;
        m_flashes = 0;
        m_afterAbort = false;
        m_awaitingFolderCheck = false;
    }

    void EndWaitCursor() override {
        Call();
        Require(m_depth == 1, "the wait cursor ends once per run");
        --m_depth;
        Require(!m_outcomeShown || m_closed, "the window closes after an outcome");
        Require(!m_outcomeShown || !m_copyFailed || m_launches == 0, "a failed install launches nothing");
        Require(!m_outcomeShown || m_copyFailed || m_launches == 2, "a clean install launches the editor and the program");
        Require(m_flashes == 0, "the caption is not left inverted");
        Require(m_steps == m_copiesDone, "the bar stepped once per successful copy of the run");
    }

    void SetProgressRange(int lower, int upper) override {
        InRun();
        Require(!m_rangeSet && m_callsThisRun == 2, "the range is set first in a run");
        Require(lower == 0 && upper == GetInstallItemCount(), "the range is one step per file");
        m_rangeSet = true;
    }

    void SetProgressStep(int step) override {
        InRun();
        Require(m_rangeSet && !m_stepSet && step == 1, "the step is 1, set once after the range");
        m_stepSet = true;
    }

    // The one call that may follow a successful copy, and must.
    void StepProgress() override {
        Require(m_lastCopyOk, "the bar steps only right after a successful copy");
        m_lastCopyOk = false;
        InRun();
        ++m_steps;
        Require(m_steps <= GetInstallItemCount(), "the bar never steps past its range");
    }

    void CreateFolder(const std::string& path) override {
        InRun();
        Require(m_stepSet, "no folder before the bar is ready");
        Require(m_availableSpace >= REQUIRED_SPACE, "no folder is made without the space");
        if (path == INSTALL_DIR) {
            Require(!m_folderMade && !m_platformKnown, "the install folder is made once, first");
            m_awaitingFolderCheck = true;
            return;
        }
        Require(m_folderMade && m_platformKnown && path == m_startupFolder, "then the StartUp folder");
        m_startupMade = true;
    }

    bool PathExists(const std::string& path) override {
        InRun();
        Require(m_awaitingFolderCheck && path == INSTALL_DIR, "only the install folder is looked for");
        m_awaitingFolderCheck = false;
        uint8_t byte = 0;
        bool exists = !m_input.Next(&byte) || (byte & 1) == 0;
        m_folderMade = exists;
        if (!exists) m_expectedBox = kFolderFailed;
        return exists;
    }

    std::string WindowsFolder() override {
        InRun();
        Require(m_folderMade, "the Windows folder is asked after the install folder is there");
        uint8_t byte = 0;
        if (!m_input.Next(&byte)) byte = 0;
        switch (byte % 4) {
            case 0: m_windowsFolder = "C:\\WINDOWS"; break;
            case 1: m_windowsFolder = "D:\\WINNT"; break;
            case 2: m_windowsFolder = ""; break;
            default: m_windowsFolder = "C:\\" + std::string(300, 'W'); break;
        }
        return m_windowsFolder;
    }

    int PlatformId() override {
        InRun();
        Require(m_folderMade, "the platform is asked after the install folder is there");
        static const int kIds[] = {2, 2, 2, 1, 1, 0, 3, -1};
        uint8_t byte = 0;
        int id = m_input.Next(&byte) ? kIds[byte % 8] : 2;
        m_platformKnown = id == 1 || id == 2;
        m_startupMade = false;
        if (id == 1) m_startupFolder = m_windowsFolder + STARTUP_PATH_95;
        if (id == 2) m_startupFolder = m_windowsFolder + STARTUP_PATH_NT;
        if (!m_platformKnown) m_expectedBoxPrefix = kWrongPlatformPrefix;
        return id;
    }

    bool CopyFileReplacing(const std::string& source, const std::string& destination) override {
        InRun();
        Require(m_startupMade, "copies come after both folders");
        Require(m_expectedBox.empty() && m_expectedBoxPrefix.empty(), "no copy while a box is due");
        Require(m_nextRow < GetInstallItemCount(), "no row is copied past the last");
        const char* name = g_installItems[m_nextRow].szFileName;
        std::string folder = m_nextRow == 0 ? m_startupFolder : INSTALL_DIR;
        Require(source == name && destination == folder + "\\" + name, "rows are copied in order, to their folder");
        m_copyRow = m_nextRow++;
        uint8_t byte = 0;
        bool ok = !m_input.Next(&byte) || byte % 8 != 0;
        m_lastCopyOk = ok;
        if (ok) {
            ++m_copiesDone;
        } else {
            m_copyFailed = true;
            m_expectedBox = m_copyRow == 0 ? std::string(kShortcutFailed) : kFileFailed + std::string(name);
        }
        return ok;
    }

    int ShowMessageBox(const std::string& text, const char* caption, unsigned type) override {
        InRun();
        Require(!m_afterAbort, "nothing is shown after the run ended");
        std::string title = caption ? caption : "";
        bool asks = type == (kBoxAbortRetryIgnore | kBoxIconStop);
        if (StartsWith(text, kNotEnoughSpacePrefix)) {
            Require(m_availableSpace < REQUIRED_SPACE && !caption && type == kBoxOk && m_callsThisRun == 4,
                    "the space warning comes first, alone, with the application's name");
        } else if (StartsWith(text, kSuccessPrefix)) {
            Require(title == "SUCCESS" && type == kBoxOk, "the success box");
            Require(!m_copyFailed && m_copiesDone == GetInstallItemCount(), "success only when every copy succeeded");
            Require(!m_outcomeShown, "one outcome per run");
            m_outcomeShown = true;
            ++m_outcomes;
        } else if (StartsWith(text, kErrorsOutcomePrefix)) {
            Require(title == "ERROR" && type == (kBoxOk | kBoxIconStop) && m_flashes == 4, "the errors box");
            Require(m_copyFailed && m_nextRow == GetInstallItemCount(), "errors reported only at the end of a run with a failed copy");
            Require(!m_outcomeShown, "one outcome per run");
            m_outcomeShown = true;
            ++m_outcomes;
        } else if (StartsWith(text, kWrongPlatformPrefix)) {
            Require(m_expectedBoxPrefix == kWrongPlatformPrefix && title == "ERROR" &&
                        type == (kBoxOk | kBoxIconStop) && m_flashes == 4,
                    "the wrong platform box right after the platform id");
            m_expectedBoxPrefix.clear();
            m_afterAbort = true;
        } else {
            Require(text == m_expectedBox && title == "ERROR" && asks && m_flashes == 4,
                    "an Abort, Retry, Ignore box names what failed, after two flashes");
            m_expectedBox.clear();
        }
        m_flashes = 0;

        static const int kAnswers[] = {kAnswerAbort, kAnswerRetry, kAnswerIgnore, kAnswerOk,
                                       kAnswerNone,  kAnswerCancel, kAnswerYes,  -1};
        uint8_t byte = 0;
        int answer = m_input.Next(&byte) ? kAnswers[byte % 8] : kAnswerAbort;
        if (asks) {
            bool folderBox = text == kFolderFailed;
            if (answer == kAnswerRetry) {
                ++m_retries;
                m_pendingRestart = true;
                m_afterAbort = true;
            } else if (answer != kAnswerIgnore || folderBox) {
                m_afterAbort = true;
            }
        } else if (StartsWith(text, kNotEnoughSpacePrefix)) {
            m_afterAbort = true;
        }
        return answer;
    }

    void FlashCaption() override {
        InRun();
        Require(m_flashes == 0 || m_flashes == 2, "the caption flashes twice, a wait after each");
        ++m_flashes;
    }

    void Wait(unsigned milliseconds) override {
        InRun();
        if (m_outcomeShown) {
            Require(m_launches == 1 && milliseconds == 1000, "a second between the two launches");
            return;
        }
        Require((m_flashes == 1 && milliseconds == 150) || (m_flashes == 3 && milliseconds == 300),
                "the waits between flashes");
        ++m_flashes;
    }

    void Launch(const std::string& commandLine) override {
        InRun();
        Require(m_outcomeShown && !m_copyFailed, "launches only after SUCCESS");
        Require(!m_closed, "launches before the window closes");
        if (m_launches == 0) {
            Require(commandLine == EditorCommand(m_windowsFolder), "the editor first");
        } else {
            Require(m_launches == 1 && commandLine == PROGRAM_COMMAND, "then the program, once");
        }
        ++m_launches;
    }

    void CloseSetupWindow() override {
        InRun();
        Require(m_outcomeShown && !m_closed, "the window closes once, after the outcome");
        Require(m_copyFailed || m_launches == 2, "after both launches");
        m_closed = true;
    }

private:
    void Call() {
        Require(!m_lastCopyOk, "a successful copy is followed by a step of the bar");
        Require(++m_callsThisRun <= kMaxCallsPerRun, "a run ends");
    }

    void InRun() {
        Call();
        Require(m_depth == 1, "every step runs under the wait cursor");
        Require(!m_closed, "nothing happens after the window closed");
        Require(!m_pendingRestart, "a Retry ends the run at once");
    }

    CInputBytes& m_input;

    // Of the press.
    int m_depth = 0;
    int m_runs = 0;
    int m_retries = 0;
    int m_outcomes = 0;
    bool m_pendingRestart = false;
    void* m_stackMark = nullptr;
    uint64_t m_availableSpace = 0;

    // Of the current run.
    int m_callsThisRun = 0;
    bool m_rangeSet = false;
    bool m_stepSet = false;
    int m_steps = 0;
    int m_copiesDone = 0;
    int m_nextRow = 0;
    int m_copyRow = -1;
    bool m_lastCopyOk = false;
    bool m_copyFailed = false;
    bool m_awaitingFolderCheck = false;
    bool m_folderMade = false;
    bool m_platformKnown = false;
    bool m_startupMade = false;
    bool m_outcomeShown = false;
    bool m_closed = false;
    bool m_afterAbort = false;
    int m_launches = 0;
    int m_flashes = 0;
    std::string m_windowsFolder;
    std::string m_startupFolder;
    std::string m_expectedBox;
    std::string m_expectedBoxPrefix;
};

uint64_t AvailableSpace(CInputBytes& input) {
    uint8_t mode = 0;
    if (!input.Next(&mode)) return REQUIRED_SPACE;
    switch (mode % 4) {
        case 0: {
            uint64_t space = 0;
            for (int i = 0; i < 8; ++i) {
                uint8_t byte = 0;
                input.Next(&byte);
                space = space << 8 | byte;
            }
            return space;
        }
        case 1: return REQUIRED_SPACE - 1;
        case 2: return REQUIRED_SPACE;
        default: return UINT64_MAX;
    }
}

}  // namespace

// The first byte says how many presses of Install (1 to 4) share the machine; each press
// then reads its free space and the answers to its questions from the bytes that follow.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CInputBytes input(data, size);
    uint8_t presses = 0;
    input.Next(&presses);
    CFuzzedPlatform platform(input);
    for (int press = 0; press <= presses % 4; ++press) platform.Press(AvailableSpace(input));
    return 0;
}
