// The icon in the notification area: added at start and removed at the end whichever way it comes, its tip, its
// menu (Next Picture, Pause Rotation, Open Quorvane, Exit), and changes held while the user is busy.
#include "DialogDriver.h"
#include "NotifyIcon.h"
#include "QuorvaneCase.h"
#include "Wallpaper.h"

namespace {

const Entries kList = {Picture("A.bmp"), Picture("B.bmp"), Picture("C.bmp")};
const std::string kMarker = Picture("Marker.bmp");
const char* const kDisplayFile = "C:\\Quorvane\\Display.INI";
const int kAbout = 1023;
const int kOncePerRun = 2;
const DWORD kChangeMs = 10000;
// A tick every 0.6 s, which the minutes box shows as it is.
const Settings kTicking{0, 0, 0.01f};

struct MenuState {
    std::vector<std::string> enabled;
    bool pauseChecked;
};

class TrayTest : public QuorvaneCase {
protected:
    void SetUp() override {
        QuorvaneCase::SetUp();
        for (const std::string& path : kList) WriteBitmap(path);
    }

    bool StartProbed(const Settings& settings) {
        LayOutQuorvaneFiles(kList, SettingsRecord(settings));
        return Restart();
    }

    // Started on the files as they are, the probe in place before its first line.
    bool Restart() {
        app.reset();
        app.emplace(StartMode::ProbeFromStart);
        return app->Started() && (dialog = app->MainWindow()) != nullptr;
    }

    std::vector<NotifyIconRecord> Records() { return NotifyIconRecords(app->Id()); }

    // A right click on the icon: the menu's enabled items and Pause Rotation's tick; then the item chosen, or Escape.
    MenuState UseMenu(const std::string& choice = "") {
        std::vector<NotifyIconRecord> records = Records();
        MenuState state{{}, false};
        if (records.empty() || !ClickNotifyIcon(records.front(), WM_RBUTTONUP)) return state;
        HWND menu = WaitForPopupMenu(app->Id());
        for (const PopupMenuItem& item : PopupMenuItems(menu)) {
            if (item.enabled) state.enabled.push_back(item.text);
            if (item.text == "Pause Rotation") state.pauseChecked = item.checked;
        }
        if (choice.empty()) {
            ClosePopupMenu(menu);  // it may have closed already, as the window behind it changed
        } else {
            EXPECT_TRUE(ChoosePopupMenuItem(menu, choice)) << choice;
        }
        return state;
    }

    // Whether the wallpaper stays the marker for `milliseconds`.
    bool StaysUnchanged(DWORD milliseconds) {
        SetDesktopWallpaper(kMarker);
        return !WaitUntil([] { return DesktopWallpaper() != kMarker; }, milliseconds);
    }

    KeptDesktopWallpaper kept;
};

}  // namespace

TEST_F(TrayTest, TheIconComesAtStartNamesThePictureSetAndGoesWhicheverWayTheProgramEnds) {
    const Entries allItems = {"Next Picture", "Pause Rotation", "Open Quorvane", "Exit"};
    struct Row {
        const char* ending;
        bool saves;
    } rows[] = {{"Exit", true}, {"close box", true}, {"Escape", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ending);
        ASSERT_TRUE(StartProbed(Settings{kOncePerRun}));
        WaitUntil([&] { return Records().size() >= 2; }, kChangeMs);
        std::vector<NotifyIconRecord> records = Records();
        ASSERT_GE(records.size(), 2u);
        EXPECT_EQ(records[0].message, DWORD(NIM_ADD));
        EXPECT_EQ(records[0].tip, "Quorvane");
        EXPECT_EQ(records[1].tip, "Quorvane: B.bmp") << "the start's change";
        const std::string list = ReadBytes("C:\\Quorvane\\Quorvane.LST");
        const std::string record = ReadBytes("C:\\Quorvane\\Quorvane.INI");

        if (row.ending == std::string("Exit")) {
            PostClick(dialog, kAbout);
            HWND about = WaitForWindow(app->Id(), "About Quorvane", IDOK, 5000);
            EXPECT_EQ(UseMenu().enabled, Entries{"Open Quorvane"}) << "while the about box is open";
            PressEscape(about);
            EXPECT_EQ(UseMenu("Exit").enabled, allItems);
        } else if (row.ending == std::string("close box")) {
            PostClose(dialog);
        } else {
            PressEscape(dialog);
        }
        ASSERT_TRUE(app->WaitForExit(kExitMs));
        EXPECT_EQ(Records().back().message, DWORD(NIM_DELETE)) << "the icon stayed";
        EXPECT_EQ(ReadBytes("C:\\Quorvane\\Quorvane.LST"), list);
        EXPECT_EQ(ReadBytes("C:\\Quorvane\\Quorvane.INI") != record, row.saves) << "the record";
    }
}

TEST_F(TrayTest, NextPictureSetsThePlaceAfter1001InListOrderAndAnOtherAtRandomEvenWhileTheUserIsBusy) {
    for (int random : {0, 1}) {
        SCOPED_TRACE(random ? "at random" : "in list order");
        Settings settings;
        settings.randomPick = random;
        ASSERT_TRUE(StartProbed(settings));
        ASSERT_TRUE(SetNotificationState(app->Id(), QUNS_BUSY));
        for (int step = 0; step < 4; ++step) {
            std::string before = ControlText(dialog, kCurrentSelection);
            SetDesktopWallpaper(kMarker);
            UseMenu("Next Picture");
            WaitUntil([] { return DesktopWallpaper() != kMarker; }, kChangeMs);
            std::string after = ControlText(dialog, kCurrentSelection);
            EXPECT_EQ(DesktopWallpaper(), after);
            if (random) {
                EXPECT_NE(after, before);
            } else {
                EXPECT_EQ(after, kList[size_t(step + 1) % kList.size()]);
            }
        }
        Close();
    }
}

TEST_F(TrayTest, APausedRotationMakesNoChangeAndStaysPausedAfterARestartUntilResumed) {
    ASSERT_TRUE(StartProbed(kTicking));
    UseMenu("Pause Rotation");
    EXPECT_TRUE(WaitUntil([] { return ReadBytes(kDisplayFile).find("Paused=1") != std::string::npos; }, 5000));
    EXPECT_TRUE(StaysUnchanged(2000)) << "a tick changed the paused rotation";
    Close();
    ASSERT_TRUE(Restart());
    EXPECT_TRUE(StaysUnchanged(2000)) << "the pause was not kept";
    EXPECT_TRUE(UseMenu("Pause Rotation").pauseChecked);
    EXPECT_NE(NextWallpaperAfter(kMarker, kChangeMs), kMarker) << "no change after Resume";
    EXPECT_NE(ReadBytes(kDisplayFile).find("Paused=0"), std::string::npos);
}

TEST_F(TrayTest, AChangeDueWhileTheUserIsBusyIsHeldAndFollowsOnceTheStateEnds) {
    ASSERT_TRUE(StartProbed(kTicking));
    ASSERT_TRUE(SetNotificationState(app->Id(), QUNS_RUNNING_D3D_FULL_SCREEN));
    EXPECT_TRUE(StaysUnchanged(2000)) << "a tick changed the wallpaper over a full-screen program";
    ASSERT_TRUE(SetNotificationState(app->Id(), QUNS_ACCEPTS_NOTIFICATIONS));
    EXPECT_NE(NextWallpaperAfter(kMarker, 5000 + kChangeMs), kMarker) << "the held change did not follow";
}
