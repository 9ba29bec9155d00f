// The help window with its topics, and the about box with its background and blinking icon, from its button and the
// system menu.
#include <algorithm>
#include <functional>

#include "QuorvaneCase.h"
#include "ScreenPixels.h"
#include "SystemMenu.h"

namespace {

const int kHelpButton = 1019, kAboutButton = 1023, kHelpPane = 1031, kAboutIcon = 1028;
const char* const kHelpTitle = "Quorvane Help";
const DWORD kWindowMs = 5000;

// Each topic button and the first line of its shipped topic file.
const std::pair<int, const char*> kTopics[] = {
    {1022, "Overview"},        {1030, "Setting Up"},       {1023, "Creating A List"}, {1024, "Removing Item"},
    {1025, "Preview Options"}, {1026, "Update Frequency"}, {1027, "Pick Order"},      {1028, "More Help"},
};

// The rich-text pane's text; the pane shares ID 1031 with the frame it was laid over, which comes first.
std::string PaneText(HWND help) {
    HWND pane = GetDlgItem(help, kHelpPane);
    while (pane && (GetDlgCtrlID(pane) != kHelpPane || pane == GetDlgItem(help, kHelpPane)))
        pane = GetWindow(pane, GW_HWNDNEXT);
    DWORD_PTR length = 0, ignored = 0;
    SendMessageTimeoutA(pane, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWindowMs, &length);
    std::string text(length + 1, '\0');
    SendMessageTimeoutA(pane, WM_GETTEXT, text.size(), LPARAM(&text[0]), SMTO_ABORTIFHUNG, kWindowMs, &ignored);
    return pane ? text.c_str() : "<no pane>";
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

class HelpAboutTest : public QuorvaneCase {
protected:
    HWND OpenHelp() {
        EXPECT_TRUE(Click(dialog, kHelpButton));
        HWND help = WaitForWindow(app->Id(), kHelpTitle, 0, kWindowMs);
        EXPECT_NE(help, nullptr) << "no \"" << kHelpTitle << "\" window after Help";
        return help;
    }

    // Opens the about box with `open`: it has the icon and no system menu, and the main window waits for it.
    HWND OpenAbout(const std::function<void()>& open) {
        open();
        HWND about = WaitForWindow(app->Id(), "About Quorvane", IDOK, kWindowMs);
        EXPECT_NE(about, nullptr) << "no about box";
        EXPECT_EQ(GetWindowLongA(about, GWL_STYLE) & WS_SYSMENU, 0) << "the about box has a system menu";
        EXPECT_FALSE(IsWindowEnabled(dialog)) << "the main window takes input while the box is open";
        EXPECT_NE(GetDlgItem(about, kAboutIcon), nullptr);
        return about;
    }

    // True once the modal box is gone and its owner takes input again.
    bool Ended(HWND about) {
        return WaitUntil([&] { return !IsWindow(about) && IsWindowEnabled(dialog); }, kWindowMs);
    }
};

}  // namespace

TEST_F(HelpAboutTest, HelpShowsWelcomeThenEachTopicInOneWindowOwnedByTheMainWindow) {
    ASSERT_TRUE(Start());
    HWND help = OpenHelp();
    ASSERT_NE(help, nullptr);
    std::string text = PaneText(help);
    EXPECT_EQ(FirstLine(text), "Welcome to Quorvane");
    EXPECT_NE(text.find("Quorvane changes your desktop wallpaper on a schedule."), std::string::npos) << text;
    for (auto [button, heading] : kTopics) {
        std::string previous = text;
        EXPECT_TRUE(Click(help, button));
        text = PaneText(help);
        EXPECT_EQ(FirstLine(text), heading) << "topic button " << button;
        EXPECT_NE(text, previous) << "the pane did not change on topic button " << button;
        EXPECT_GT(text.size(), 200u) << "pane text \"" << text << "\"";
    }
    EXPECT_TRUE(Click(dialog, kHelpButton));
    EXPECT_EQ(VisibleWindows(app->Id()).size(), 2u) << "windows after the second press of Help";
    EXPECT_EQ(PaneText(help), text) << "the second press changed the topic";
    EXPECT_EQ(GetWindow(help, GW_OWNER), dialog) << "the help window's owner";
    Close();
    EXPECT_FALSE(IsWindow(help));
}

TEST_F(HelpAboutTest, WithNoTopicFilesANewWindowIsEmptyAndTopicsSayOpenFailed) {
    // The picture folder, holding the program, our framework and the C runtime but no topic files.
    for (std::string name : {"Quorvane.EXE", "MFC42.DLL", "Msvcrt.dll"}) {
        std::string from = DistFolder() + "\\" + name;
        EXPECT_TRUE(!FileExists(from) || CopyFileA(from.c_str(), Picture(name).c_str(), FALSE)) << from;
    }
    ASSERT_NE(dialog = app.emplace(kPictures).MainWindow(), nullptr);
    HWND help = OpenHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(PaneText(help), "");
    for (auto [button, heading] : kTopics) {
        EXPECT_TRUE(Click(help, button));
        EXPECT_EQ(PaneText(help), "Help file open failed.") << "after topic button " << button << ", " << heading;
    }
    EXPECT_TRUE(app->Running());
}

TEST_F(HelpAboutTest, AboutBoxFromItsButtonOrTheSystemMenuBlinksOverItsOwnBackgroundAndClosesWithOkEnterOrEsc) {
    ASSERT_TRUE(Start());
    std::vector<std::string> items = SystemMenuItems(dialog);
    ASSERT_GE(items.size(), 4u) << "the system menu could not be read";
    EXPECT_EQ(Entries(items.end() - 4, items.end()),
              (Entries{"----", "32 Add &Folder...", "----", "16 &About Quorvane..."}));

    HWND about = OpenAbout([&] { PostClick(dialog, kAboutButton); });
    ASSERT_NE(about, nullptr);
    RECT box = WindowRectOnScreen(about), client = ClientRectOnScreen(about);
    // No pixel of the dialog grey along the inside of the client area's edges.
    auto face = [](COLORREF pixel) { return pixel == GetSysColor(COLOR_BTNFACE); };
    auto grey = [&] {
        ScreenShot shot(client);
        return shot.Count(client, face) - shot.Count(Shrunk(client, 1), face);
    };
    WaitUntil([&] { return grey() == 0; }, kWindowMs);
    EXPECT_EQ(grey(), 0) << "pixels of the dialog grey along the edges of " << RectText(client);

    RECT icon = WindowRectOnScreen(GetDlgItem(about, kAboutIcon));
    icon.right = icon.left + GetSystemMetrics(SM_CXICON);
    icon.bottom = icon.top + GetSystemMetrics(SM_CYICON);
    Sleep(300);                      // the first ticks draw over the static control's own picture
    std::vector<ScreenShot> images;  // each distinct one once
    int changes = 0;
    for (size_t last = 0, start = GetTickCount(); GetTickCount() - start < 1000; Sleep(10)) {
        ScreenShot shot(icon);
        size_t at = std::find(images.begin(), images.end(), shot) - images.begin();
        if (at == images.size()) images.push_back(shot);
        changes += at != last;
        last = at;
    }
    EXPECT_EQ(images.size(), 2u) << "distinct images of the icon in a second";
    EXPECT_NEAR(changes, 10, 4) << "changes in a second, one every 100 ms expected";
    EXPECT_TRUE(Click(about, IDOK));
    EXPECT_TRUE(Ended(about)) << "after OK";

    ASSERT_NE(about = OpenAbout([&] { PostClick(dialog, kAboutButton); }), nullptr);
    EXPECT_TRUE(PressEnter(about));
    EXPECT_TRUE(Ended(about)) << "after Enter";
    ASSERT_NE(about = OpenAbout([&] { PostMessageA(dialog, WM_SYSCOMMAND, 0x0010, 0); }), nullptr);
    EXPECT_EQ(RectText(WindowRectOnScreen(about)), RectText(box)) << "from the system menu";
    EXPECT_TRUE(PressEscape(about));
    EXPECT_TRUE(Ended(about)) << "after Esc";
}
