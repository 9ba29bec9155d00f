// The help window with its topics, and the about box with its background and blinking icon.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

#include "DialogDriver.h"
#include "QuorvaneCase.h"
#include "QuorvaneProcess.h"
#include "ScreenPixels.h"

namespace {

const int kHelpButton = 1019;
const int kAboutButton = 1023;
const UINT kAboutCommand = 0x0010;
const char* const kHelpTitle = "Quorvane Help";
const char* const kAboutTitle = "About Quorvane";
const int kHelpPane = 1031;
const int kAboutIcon = 1028;

const char* const kWelcomeHeading = "Welcome to Quorvane";
const char* const kWelcomePhrase = "Quorvane changes your desktop wallpaper on a schedule.";
const char* const kOpenFailed = "Help file open failed.";

struct Topic {
    int button;
    const char* heading;  // the first line of the shipped topic file
};
const Topic kTopics[] = {
    {1022, "Overview"},        {1030, "Setting Up"},       {1023, "Creating A List"}, {1024, "Removing Item"},
    {1025, "Preview Options"}, {1026, "Update Frequency"}, {1027, "Pick Order"},      {1028, "More Help"},
};

// A folder of the prefix holding the program without its topic files: the program, our framework
// and the C runtime that it loads from its own folder.
const char* const kBareFolder = "C:\\QuorvaneE2E-NoTopics";
const char* const kProgramFiles[] = {"Quorvane.EXE", "MFC42.DLL", "Msvcrt.dll"};

const DWORD kWindowMs = 5000;
const DWORD kSendMs = 5000;

std::vector<HWND> WindowsTitled(DWORD pid, const std::string& title) {
    std::vector<HWND> titled;
    for (HWND window : VisibleWindows(pid)) {
        if (WindowCaption(window) == title) titled.push_back(window);
    }
    return titled;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The rich-text pane; it shares ID 1031 with the frame it was laid over, which comes first.
HWND HelpPane(HWND help) {
    for (HWND child = GetWindow(help, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == kHelpPane && lstrcmpiA(ClassOf(child).c_str(), "Static") != 0) return child;
    }
    return nullptr;
}

std::string PaneText(HWND help) {
    HWND pane = HelpPane(help);
    if (!pane) return "<no pane>";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(pane, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendMs, &length);
    std::string text(length + 1, '\0');
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(pane, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, kSendMs,
                        &ignored);
    return text.c_str();
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

bool HasSystemMenu(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU) != 0; }

// True once the modal box is gone and its owner takes input again.
bool AboutBoxEnded(HWND about, HWND dialog) {
    return WaitUntil([&] { return !IsWindow(about) && IsWindowEnabled(dialog); }, kWindowMs);
}

// The four 1-pixel bands along the inside of the edges of `rect`.
std::vector<RECT> EdgeBands(const RECT& rect) {
    return {RECT{rect.left, rect.top, rect.right, rect.top + 1},
            RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom},
            RECT{rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1},
            RECT{rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}};
}

class HelpAboutTest : public QuorvaneCase {
protected:
    void TearDown() override {
        m_app.reset();
        for (const char* name : kProgramFiles) DeleteFileA((std::string(kBareFolder) + "\\" + name).c_str());
        RemoveDirectoryA(kBareFolder);
        QuorvaneCase::TearDown();
    }

    HWND Start() {
        m_app.emplace();
        return m_app->MainWindow();
    }

    // Starts a copy of the program in a folder without topic files, which is also its working directory.
    HWND StartWithoutTopics() {
        CreateDirectoryA(kBareFolder, nullptr);
        for (const char* name : kProgramFiles) {
            std::string from = DistFolder() + "\\" + name;
            std::string to = std::string(kBareFolder) + "\\" + name;
            if (FileExists(from) && !CopyFileA(from.c_str(), to.c_str(), FALSE)) {
                ADD_FAILURE() << "cannot copy " << from << ": error " << GetLastError();
            }
        }
        m_app.emplace(kBareFolder);
        return m_app->MainWindow();
    }

    // Presses Help and returns the help window it shows.
    HWND OpenHelp(HWND dialog) {
        EXPECT_TRUE(Click(dialog, kHelpButton));
        HWND help = WaitForWindow(m_app->Id(), kHelpTitle, 0, kWindowMs);
        EXPECT_NE(help, nullptr) << "no \"" << kHelpTitle << "\" window after Help";
        return help;
    }

    // Runs `open` and returns the about box it shows.
    HWND OpenAbout(const std::function<void()>& open) {
        open();
        HWND about = WaitForWindow(m_app->Id(), kAboutTitle, IDOK, kWindowMs);
        EXPECT_NE(about, nullptr) << "no \"" << kAboutTitle << "\" box";
        return about;
    }

    HWND OpenAboutWithButton(HWND dialog) {
        return OpenAbout([&] { PostClick(dialog, kAboutButton); });
    }

    std::optional<QuorvaneProcess> m_app;
};

}  // namespace

TEST_F(HelpAboutTest, HelpOpensOnTheWelcomeTopicAndASecondPressKeepsTheOneWindow) {
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    HWND help = OpenHelp(dialog);
    ASSERT_NE(help, nullptr);
    std::string welcome = PaneText(help);
    EXPECT_EQ(FirstLine(welcome), kWelcomeHeading);
    EXPECT_NE(welcome.find(kWelcomePhrase), std::string::npos) << "pane begins \"" << welcome.substr(0, 120) << "\"";

    EXPECT_TRUE(Click(help, kTopics[0].button));
    EXPECT_TRUE(Click(dialog, kHelpButton));
    std::vector<HWND> helpWindows = WindowsTitled(m_app->Id(), kHelpTitle);
    EXPECT_EQ(helpWindows, std::vector<HWND>{help}) << helpWindows.size() << " help windows after the second press";
    EXPECT_EQ(FirstLine(PaneText(help)), kTopics[0].heading) << "the second press changed the topic";
}

TEST_F(HelpAboutTest, EachTopicButtonShowsItsTopic) {
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    HWND help = OpenHelp(dialog);
    ASSERT_NE(help, nullptr);
    std::string previous = PaneText(help);
    for (const Topic& topic : kTopics) {
        SCOPED_TRACE("topic button " + std::to_string(topic.button));
        EXPECT_TRUE(Click(help, topic.button));
        std::string text = PaneText(help);
        EXPECT_EQ(FirstLine(text), topic.heading);
        EXPECT_NE(text, previous) << "the pane did not change";
        EXPECT_GT(text.size(), 200u) << "pane text \"" << text << "\"";
        previous = text;
    }
}

TEST_F(HelpAboutTest, OverviewIsFoundUnderItsShippedLetterCase) {
    std::vector<std::string> shipped = FilesIn(DistFolder());
    auto ships = [&](const char* name) { return std::find(shipped.begin(), shipped.end(), name) != shipped.end(); };
    ASSERT_TRUE(ships("Ovw.aid")) << "no Ovw.aid in " << DistFolder();
    ASSERT_FALSE(ships("ovw.aid")) << "the overview topic is shipped in lower case";
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    HWND help = OpenHelp(dialog);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(Click(help, kTopics[0].button));
    EXPECT_EQ(FirstLine(PaneText(help)), "Overview");
}

TEST_F(HelpAboutTest, WithNoTopicFilesANewWindowIsEmptyAndTopicsSayOpenFailed) {
    HWND dialog = StartWithoutTopics();
    ASSERT_NE(dialog, nullptr);
    for (const std::string& name : FilesIn(kBareFolder)) ASSERT_EQ(name.find(".aid"), std::string::npos) << name;
    HWND help = OpenHelp(dialog);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(PaneText(help), "");
    for (const Topic& topic : kTopics) {
        EXPECT_TRUE(Click(help, topic.button));
        EXPECT_EQ(PaneText(help), kOpenFailed) << "after topic button " << topic.button;
    }
    EXPECT_TRUE(m_app->Running());
}

TEST_F(HelpAboutTest, ClosingTheMainWindowClosesTheHelpWindow) {
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    HWND help = OpenHelp(dialog);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(GetWindow(help, GW_OWNER), dialog) << "the help window is not owned by the main window";
    PostClose(dialog);
    EXPECT_TRUE(m_app->WaitForExit(kExitMs)) << "still running after WM_CLOSE";
    EXPECT_FALSE(IsWindow(help));
}

TEST_F(HelpAboutTest, AboutButtonOpensABoxWithoutSystemMenuThatClosesWithOkEnterOrEsc) {
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    const std::pair<const char*, std::function<bool(HWND)>> closings[] = {
        {"OK", [](HWND about) { return Click(about, IDOK); }},
        {"Enter", PressEnter},
        {"Esc", PressEscape},
    };
    for (const auto& closing : closings) {
        SCOPED_TRACE(std::string("closed with ") + closing.first);
        HWND about = OpenAboutWithButton(dialog);
        ASSERT_NE(about, nullptr);
        EXPECT_FALSE(HasSystemMenu(about)) << "style 0x" << std::hex << GetWindowLongA(about, GWL_STYLE);
        EXPECT_FALSE(IsWindowEnabled(dialog)) << "the main window takes input while the box is open";
        EXPECT_TRUE(closing.second(about));
        EXPECT_TRUE(AboutBoxEnded(about, dialog)) << "the box is still open";
    }
}

TEST_F(HelpAboutTest, SystemMenuItemOpensTheSameAboutBox) {
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    HWND fromButton = OpenAboutWithButton(dialog);
    ASSERT_NE(fromButton, nullptr);
    RECT buttonBox = WindowRectOnScreen(fromButton);
    EXPECT_TRUE(Click(fromButton, IDOK));
    ASSERT_TRUE(AboutBoxEnded(fromButton, dialog));

    HWND about = OpenAbout([&] { PostMessageA(dialog, WM_SYSCOMMAND, kAboutCommand, 0); });
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(HasSystemMenu(about)) << "style 0x" << std::hex << GetWindowLongA(about, GWL_STYLE);
    EXPECT_NE(GetDlgItem(about, kAboutIcon), nullptr);
    EXPECT_EQ(RectText(WindowRectOnScreen(about)), RectText(buttonBox));
    EXPECT_TRUE(Click(about, IDOK));
    EXPECT_TRUE(AboutBoxEnded(about, dialog));
}

TEST_F(HelpAboutTest, AboutBackgroundCoversTheWholeClientArea) {
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    HWND about = OpenAboutWithButton(dialog);
    ASSERT_NE(about, nullptr);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    RECT client = ClientRectOnScreen(about);
    auto isFace = [&](COLORREF pixel) { return pixel == face; };
    int facePixels = 0;
    int edgePixels = 0;
    std::string corners;
    WaitUntil(
        [&] {
            ScreenShot shot(client);
            facePixels = 0;
            edgePixels = 0;
            for (const RECT& band : EdgeBands(client)) {
                facePixels += shot.Count(band, isFace);
                edgePixels += PixelCount(band);
            }
            corners = ColorText(shot.At(client.left, client.top)) + " " +
                      ColorText(shot.At(client.right - 1, client.top)) + " " +
                      ColorText(shot.At(client.left, client.bottom - 1)) + " " +
                      ColorText(shot.At(client.right - 1, client.bottom - 1));
            return facePixels == 0;
        },
        kWindowMs);
    EXPECT_EQ(facePixels, 0) << "pixels of the dialog grey " << ColorText(face) << " among the " << edgePixels
                             << " along the edges of the client area " << RectText(client) << "; corners " << corners;
}

TEST_F(HelpAboutTest, AboutIconAlternatesBetweenTwoImagesEveryHundredMilliseconds) {
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    HWND about = OpenAboutWithButton(dialog);
    ASSERT_NE(about, nullptr);
    RECT icon = WindowRectOnScreen(GetDlgItem(about, kAboutIcon));
    icon.right = icon.left + GetSystemMetrics(SM_CXICON);
    icon.bottom = icon.top + GetSystemMetrics(SM_CYICON);
    Sleep(300);  // the first ticks draw over the static control's own picture

    const DWORD kWatchMs = 1000;
    std::vector<ScreenShot> images;
    int changes = 0;
    std::optional<ScreenShot> last;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kWatchMs) {
        ScreenShot shot(icon);
        if (last && !(shot == *last)) ++changes;
        if (std::find(images.begin(), images.end(), shot) == images.end()) images.push_back(shot);
        last = shot;
        Sleep(10);
    }
    std::printf("icon at %s: %zu distinct images, %d changes in %lu ms\n", RectText(icon).c_str(), images.size(),
                changes, kWatchMs);
    EXPECT_EQ(images.size(), 2u) << "distinct images of the icon in " << kWatchMs << " ms";
    EXPECT_GE(changes, 6) << "changes in " << kWatchMs << " ms (one every 100 ms expected)";
    EXPECT_LE(changes, 14) << "changes in " << kWatchMs << " ms (one every 100 ms expected)";
}
