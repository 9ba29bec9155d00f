// A machine for the install procedure that plays the machine and the user from a script and
// writes down every call; and the pieces of call record that a run is made of.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "InstallProcedure.h"

using Calls = std::vector<std::string>;

inline Calls operator+(Calls first, const Calls& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

constexpr char kNotEnoughSpace[] =
    "WARNING! You do not have enough space to fit the program on your C: drive. If possible, delete some files "
    "from C: drive and try again.";
constexpr char kFolderFailed[] = "Destination directory could not be created.";
constexpr char kWrongPlatform[] = "You must have Windows 95 or Windows NT 4.0 or newer to continue.";
constexpr char kShortcutFailed[] = "Shortcut Copy Failed. File missing or, StartUp directory not found!";

constexpr char kWindows[] = "C:\\WINDOWS";
constexpr char kCommonStartup[] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
constexpr char kUserStartup[] = "C:\\users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";

class CScriptedMachine : public CInstallPlatform {
public:
    // The script. A yes/no question (a path exists, a copy succeeded) is answered no while
    // failures[its record] is above 0, counting down; boxes that ask take `answers` in turn.
    std::string windowsFolder = kWindows;
    int platformId = 2;
    std::map<int, std::string> shellFolders = {{kShellCommonStartup, kCommonStartup},
                                               {kShellUserStartup, kUserStartup}};
    std::map<std::string, int> failures;
    std::deque<int> answers;

    Calls calls;

    void BeginWaitCursor() override { calls.push_back("BeginWaitCursor"); }
    void EndWaitCursor() override { calls.push_back("EndWaitCursor"); }
    void SetProgressRange(int lower, int upper) override {
        calls.push_back("Range " + std::to_string(lower) + " " + std::to_string(upper));
    }
    void SetProgressStep(int step) override { calls.push_back("Step " + std::to_string(step)); }
    void StepProgress() override { calls.push_back("StepIt"); }
    void CreateFolder(const std::string& path) override { calls.push_back("CreateFolder " + path); }
    bool PathExists(const std::string& path) override { return Yes("PathExists " + path); }
    std::string WindowsFolder() override {
        calls.push_back("WindowsFolder");
        return windowsFolder;
    }
    int PlatformId() override {
        calls.push_back("PlatformId");
        return platformId;
    }
    std::string ShellFolder(int folderId) override {
        calls.push_back("ShellFolder " + std::to_string(folderId));
        return shellFolders[folderId];
    }
    bool CopyFileReplacing(const std::string& source, const std::string& destination) override {
        return Yes("Copy " + source + " -> " + destination);
    }
    int ShowMessageBox(const std::string& text, const char* caption, unsigned type) override {
        calls.push_back(Box(caption ? caption : "<application>", type, text));
        if (type != (kBoxAbortRetryIgnore | kBoxIconStop)) return 1;  // OK
        return NextAnswer();
    }
    void FlashCaption() override { calls.push_back("Flash"); }
    void Wait(unsigned milliseconds) override { calls.push_back("Wait " + std::to_string(milliseconds)); }
    void Launch(const std::string& commandLine) override { calls.push_back("Launch " + commandLine); }
    void CloseSetupWindow() override { calls.push_back("Close"); }

    static std::string Box(const std::string& caption, unsigned type, const std::string& text) {
        return "Box [" + caption + "] " + std::to_string(type) + ": " + text;
    }

    // Answers no while failures[call] is above 0, counting it down.
    virtual bool Succeeds(const std::string& call) {
        int& failing = failures[call];
        if (failing == 0) return true;
        --failing;
        return false;
    }
    // Abort once the script has no answer left.
    virtual int NextAnswer() {
        if (answers.empty()) return kAnswerAbort;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }

private:
    bool Yes(const std::string& call) {
        calls.push_back(call);
        return Succeeds(call);
    }
};

// The pieces of a run's record.

inline Calls RunStart() { return {"BeginWaitCursor", "Range 0 20", "Step 1"}; }

inline Calls SpaceWarning() { return {CScriptedMachine::Box("<application>", 0x00, kNotEnoughSpace)}; }

inline Calls InstallFolder() { return {"CreateFolder C:\\QUORVANE", "PathExists C:\\QUORVANE"}; }

inline Calls Flashes() { return {"Flash", "Wait 150", "Flash", "Wait 300"}; }

inline Calls ErrorRetryBox(const std::string& text) {
    return Flashes() + Calls{CScriptedMachine::Box("ERROR", 0x12, text)};
}

inline Calls ErrorBox(const std::string& text) { return Flashes() + Calls{CScriptedMachine::Box("ERROR", 0x10, text)}; }

inline std::string CopyCall(int row, const std::string& folder) {
    const char* name = g_installItems[row].szFileName;
    return std::string("Copy ") + name + " -> " + folder + "\\" + name;
}

// Rows first to last copied into C:\QUORVANE, each with its step of the bar.
inline Calls CopiedRows(int first, int last) {
    Calls calls;
    for (int row = first; row <= last; ++row) calls = calls + Calls{CopyCall(row, "C:\\QUORVANE"), "StepIt"};
    return calls;
}

inline Calls SuccessOutcome(const std::string& windowsFolder = kWindows) {
    return {CScriptedMachine::Box("SUCCESS", 0x00,
                                  "Installation is now complete. \nPlease read README.TXT before running Quorvane."),
            "Launch \"" + windowsFolder + "\\notepad.exe\" C:\\QUORVANE\\README.TXT", "Wait 1000",
            "Launch C:\\QUORVANE\\QUORVANE.EXE", "Close"};
}

inline Calls ErrorOutcome() {
    return ErrorBox(
               "There were errors. Installation was not successful.\n"
               "Read README.TXT file for possible causes and remedies.") +
           Calls{"Close"};
}

inline std::string FileFailed(int row) { return std::string("File Copy Failed! ") + g_installItems[row].szFileName; }
