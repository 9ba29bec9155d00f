// libFuzzer target of the install procedure: the machine and the user answer from the input,
// and the procedure must make exactly the calls that its rules give for those answers, press
// after press. A run that never ends grows the record until the fuzzer's memory limit stops it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ScriptedMachine.h"

namespace {

// The input, one byte per question; once it runs out, each question gets `whenOut`.
struct CInput {
    const uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    uint8_t Next(uint8_t whenOut) { return at < size ? data[at++] : whenOut; }
};

// What a byte answers; an exhausted input gives a machine where all goes well, and Abort.
const int kAnswers[] = {kAnswerAbort, kAnswerRetry, kAnswerIgnore, 1, 0, 2, 6, -1};
const int kPlatformIds[] = {2, 2, 2, 1, 1, 0, 3, -1};
const std::string kWindowsFolders[] = {kWindows, "D:\\WINNT", "", "C:\\" + std::string(300, 'W')};

template <typename T, std::size_t N>
T Pick(CInput& input, const T (&choices)[N]) {
    return choices[input.Next(0) % N];
}
bool Yes(CInput& input) { return input.Next(1) % 8 != 0; }
// A byte divisible by 4 (not an exhausted input): the shell names no such folder.
std::string ShellFolder(CInput& input, const std::string& folder) { return input.Next(1) % 4 ? folder : ""; }
uint64_t Space(CInput& input) {
    uint8_t mode = input.Next(2) % 4;
    uint64_t space = 0;
    for (int i = 0; mode == 0 && i < 8; ++i) space = space << 8 | input.Next(0);
    return mode == 0 ? space : mode == 1 ? REQUIRED_SPACE - 1 : mode == 2 ? REQUIRED_SPACE : UINT64_MAX;
}

class CFuzzedMachine : public CScriptedMachine {
public:
    explicit CFuzzedMachine(CInput& input) : m_input(input) {}
    std::string WindowsFolder() override {
        windowsFolder = Pick(m_input, kWindowsFolders);
        return CScriptedMachine::WindowsFolder();
    }
    int PlatformId() override {
        platformId = Pick(m_input, kPlatformIds);
        return CScriptedMachine::PlatformId();
    }
    std::string ShellFolder(int id) override { return ::ShellFolder(m_input, CScriptedMachine::ShellFolder(id)); }
    bool Succeeds(const std::string&) override { return ::Yes(m_input); }
    int NextAnswer() override { return Pick(m_input, kAnswers); }
    CInput& m_input;
};

// The calls that the rules give, asking the input the same questions in the same order.
class CRules {
public:
    explicit CRules(CInput& input) : m_input(input) {}

    Calls calls;

    // One press: a new run after each Retry.
    void Press(uint64_t space) {
        for (Next next = kRestart; next == kRestart; calls.push_back("EndWaitCursor")) {
            calls = calls + RunStart();
            next = Run(space);
        }
    }

private:
    enum Next { kGoOn, kEnd, kRestart };

    Next Run(uint64_t space) {
        if (space < REQUIRED_SPACE) return calls = calls + SpaceWarning(), kEnd;
        calls = calls + InstallFolder();
        if (!Yes(m_input)) return Failed(kFolderFailed);
        calls = calls + Calls{"WindowsFolder", "PlatformId"};
        std::string windows = Pick(m_input, kWindowsFolders);
        int id = Pick(m_input, kPlatformIds);
        if (id != 1 && id != 2) return calls = calls + ErrorBox(kWrongPlatform), kEnd;
        bool clean = id == 1 ? Place(windows + STARTUP_PATH_95) : PlaceOnNT(windows);
        Next next = clean ? kGoOn : Failed(kShortcutFailed);
        for (int row = 1; row < GetInstallItemCount() && next == kGoOn; ++row) {
            if (!Copy(row, INSTALL_DIR)) clean = false, next = Failed(FileFailed(row));
        }
        if (next != kGoOn) return next;
        calls = calls + (clean ? SuccessOutcome(windows) : ErrorOutcome());
        return kEnd;
    }

    bool PlaceOnNT(const std::string& windows) {
        calls.push_back("PathExists " + windows + PROGRAMS_PATH_NT4);
        if (Yes(m_input)) return Place(windows + STARTUP_PATH_NT);
        calls.push_back("ShellFolder 24");
        if (Place(ShellFolder(m_input, kCommonStartup))) return true;
        calls.push_back("ShellFolder 7");
        return Place(ShellFolder(m_input, kUserStartup));
    }

    bool Place(const std::string& folder) {
        if (folder.empty()) return false;
        calls.push_back("CreateFolder " + folder);
        return Copy(0, folder);
    }

    bool Copy(int row, const std::string& folder) {
        calls.push_back(CopyCall(row, folder));
        bool copied = Yes(m_input);
        if (copied) calls.push_back("StepIt");
        return copied;
    }

    // The install folder's box ends the run on Ignore too.
    Next Failed(const std::string& text) {
        calls = calls + ErrorRetryBox(text);
        int answer = Pick(m_input, kAnswers);
        if (answer == kAnswerRetry) return kRestart;
        return answer == kAnswerIgnore && text != kFolderFailed ? kGoOn : kEnd;
    }

    CInput& m_input;
};

}  // namespace

// The first byte says how many presses of Install (1 to 4) share the machine; each press then
// reads its free space and the answers to its questions from the bytes that follow.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CInput input{data, size}, asked{data, size};
    int presses = input.Next(0) % 4 + 1;
    asked.Next(0);
    CFuzzedMachine machine(input);
    CRules rules(asked);
    for (int press = 0; press < presses; ++press) {
        CInstallProcedure(machine, Space(input)).Run();
        rules.Press(Space(asked));
        const Calls &got = machine.calls, &want = rules.calls;
        auto [g, w] = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
        if (g == got.end() && w == want.end()) continue;
        std::fprintf(stderr, "install procedure broke a rule at call %zu: got [%s], expected [%s]\n",
                     std::size_t(g - got.begin()), g == got.end() ? "none" : g->c_str(),
                     w == want.end() ? "none" : w->c_str());
        std::abort();
    }
    return 0;
}
