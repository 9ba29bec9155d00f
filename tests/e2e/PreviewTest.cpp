// The main dialog's pictures: the preview as the screen shows it, bad and unreadable files, picture buttons, colours.
#include "GdiObjects.h"
#include "MessageBoxes.h"
#include "Probe.h"
#include "ProcessFigures.h"
#include "QuorvaneCase.h"
#include "ScreenPixels.h"

namespace {

const int kPreviewFrame = 1017;
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(32, 192, 96), kBlack = RGB(0, 0, 0);
// kQuietMs: how long a repaint is given to bring a message box back.
const DWORD kDrawMs = 3000, kBoxMs = 5000, kQuietMs = 500;
const std::string kPreviewOff = SettingsRecord(Settings{}), kPreviewOn = SettingsRecord(Settings{0, 0, 0, 0, 0, 1});

RECT Frame(HWND dialog) { return WindowRectOnScreen(GetDlgItem(dialog, kPreviewFrame)); }

// The pixels of `color` inside the frame less 3 pixels on each side, and on those 3 pixels.
std::pair<int, int> Pixels(HWND dialog, COLORREF color) {
    ScreenShot shot(Frame(dialog));
    auto inColor = [&](COLORREF pixel) { return pixel == color; };
    int inside = shot.Count(Shrunk(Frame(dialog), 3), inColor);
    return {inside, shot.Count(Frame(dialog), inColor) - inside};
}

std::pair<int, int> Filled(HWND dialog) { return {PixelCount(Shrunk(Frame(dialog), 3)), 0}; }

void ExpectFilled(HWND dialog, COLORREF color, const char* when) {
    WaitUntil([&] { return Pixels(dialog, color) == Filled(dialog); }, kDrawMs);
    EXPECT_EQ(Pixels(dialog, color), Filled(dialog)) << when << ": pixels of the colour inside, on the border";
}

// The pixels inside the frame (less 3 pixels on each side) off the colour of the picture's row drawn there by more than
// `steps`, and the pixels on those 3 pixels within `steps` of one of the picture's colours.
std::pair<int, int> PixelsOff(HWND dialog, const BandedPicture& picture, int steps) {
    RECT frame = Frame(dialog), inside = Shrunk(frame, 3);
    ScreenShot shot(frame);
    int off = 0, height = inside.bottom - inside.top;
    for (int row = 0; row < height; ++row) {
        COLORREF color = BandColor(picture, row * picture.height / height);
        RECT line{inside.left, inside.top + row, inside.right, inside.top + row + 1};
        off += shot.Count(line, [&](COLORREF pixel) { return !Near(pixel, color, steps); });
    }
    auto ofPicture = [&](COLORREF pixel) {
        return std::any_of(picture.colors.begin(), picture.colors.end(),
                           [&](COLORREF c) { return Near(pixel, c, steps); });
    };
    return {off, shot.Count(frame, ofPicture) - shot.Count(inside, ofPicture)};
}

class PreviewTest : public QuorvaneCase {
protected:
    // The one box that comes up beside the dialog, or nullptr after a bounded wait.
    HWND OneBox() {
        std::vector<HWND> boxes;
        WaitUntil([&] { return !(boxes = OtherWindows()).empty(); }, kBoxMs);
        EXPECT_EQ(boxes.size(), 1u) << "boxes beside the dialog";
        return boxes.empty() ? nullptr : boxes.front();
    }

    // Answers the box, then repaints the dialog `times` times: no box comes up again, the dialog paints and answers.
    void AnswerAndRepaint(HWND box, int times) {
        AnswerMessageBox(box, IDOK);
        EXPECT_TRUE(WaitUntilGone(box, kBoxMs)) << "the box stayed after OK";
        for (int repaint = 1; repaint <= times; ++repaint) {
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            HWND again = nullptr;
            WaitUntil([&] { return (again = FindMessageBox(app->Id())) != nullptr; }, kQuietMs);
            EXPECT_EQ(again, nullptr) << "repaint " << repaint << " showed \"" << MessageBoxText(again) << "\"";
            if (again) AnswerMessageBox(again, IDOK);
        }
        EXPECT_TRUE(WaitUntil([&] { return !GetUpdateRect(dialog, nullptr, FALSE); }, kDrawMs)) << "no paint";
        EXPECT_TRUE(Settle(dialog)) << "the dialog does not answer";
    }
};

}  // namespace

TEST_F(PreviewTest, TheDialogShowsItsButtonsLabelAndPreviewsWithNoBoxAndNoGrowthOfGdiObjects) {
    WriteBytes(Picture("Red24.bmp"), BitmapBytes(16, 4, 24, kRed));
    WriteBytes(Picture("Green8.bmp"), BitmapBytes(4, 16, 8, kGreen));
    ASSERT_TRUE(StartOn({Picture("Red24.bmp"), Picture("Green8.bmp")}, kPreviewOff));
    EXPECT_TRUE(Settle(dialog));
    EXPECT_EQ(OtherWindows(), std::vector<HWND>{}) << "a box at start-up";
    for (int id : {1003, 1004, 1000, 1011, 1019, 1023}) {
        std::vector<HWND> buttons;  // the template's first, then the picture button laid over it
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetDlgCtrlID(child) == id) buttons.push_back(child);
        }
        ASSERT_EQ(buttons.size(), 2u) << "windows with ID " << id;
        DWORD style = DWORD(GetWindowLongA(buttons[1], GWL_STYLE));
        DWORD_PTR image = 0;
        SendMessageTimeoutA(buttons[1], BM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_ABORTIFHUNG, kBoxMs, &image);
        EXPECT_EQ(GetDlgItem(dialog, id), buttons[0]) << id;
        EXPECT_EQ(std::pair(IsWindowVisible(buttons[0]), IsWindowVisible(buttons[1])), std::pair(FALSE, TRUE)) << id;
        EXPECT_EQ(style & (BS_BITMAP | WS_TABSTOP), DWORD(BS_BITMAP)) << id << " has the style " << style;
        EXPECT_NE(image, 0u) << id << " has no bitmap";
        EXPECT_EQ(RectText(WindowRectOnScreen(buttons[1])), RectText(WindowRectOnScreen(buttons[0]))) << id;
    }
    // The "Allow preview" label, right of the box that the system draws in its own colours, is yellow on black.
    RECT label = WindowRectOnScreen(GetDlgItem(dialog, kAllowPreview));
    label.left += GetSystemMetrics(SM_CXMENUCHECK) + 2;
    auto yellow = [](COLORREF c) { return GetRValue(c) >= 200 && GetGValue(c) >= 200 && GetBValue(c) <= 80; };
    auto black = [](COLORREF c) { return GetRValue(c) <= 16 && GetGValue(c) <= 16 && GetBValue(c) <= 16; };
    WaitUntil([&] { return ScreenShot(label).Count(label, yellow) > 20; }, kDrawMs);
    EXPECT_GT(ScreenShot(label).Count(label, yellow), 20)
        << "yellow pixels of " << PixelCount(label) << " in the label";
    EXPECT_GT(ScreenShot(label).Count(label, black), PixelCount(label) / 2) << "black pixels of " << PixelCount(label);

    SelectEntry(dialog, kWallpaperList, 0);
    Repaint(dialog);
    for (const char* when : {"selected and repainted with preview clear", "just ticked"}) {
        if (when[0] == 'j') ClickCheckBox(dialog, kAllowPreview);
        WaitUntil([&] { return Pixels(dialog, kRed) != std::pair(0, 0); }, kQuietMs);
        EXPECT_EQ(Pixels(dialog, kRed), std::pair(0, 0)) << when;
    }
    Repaint(dialog);
    ExpectFilled(dialog, kRed, "ticked and repainted: 16 x 16, 24 bits");
    SelectEntry(dialog, kWallpaperList, 1);
    ExpectFilled(dialog, kGreen, "16 x 16, 8 bits with a 256-colour table");
    Repaint(dialog);
    GdiObjectCount first = GdiObjectsOf(app->Id());
    ASSERT_GT(first.count, 0) << "GDI objects could not be counted";
    for (int repaint = 2; repaint <= 250; ++repaint) Repaint(dialog);
    EXPECT_LE(GdiObjectsOf(app->Id()).count, first.count) << "after 250 repaints, from the " << first.source;
    ExpectFilled(dialog, kGreen, "after the repaints");
}

TEST_F(PreviewTest, BitmapPngAndJpegPicturesPreviewInTheirColoursTheRightWayUpAndOthersAreReportedOnceWithTheirReason) {
    struct Row {
        const char* name;
        std::optional<PictureFormat> format;  // none: noise
        BandedPicture picture;
        int steps;
        const char* reason;  // of the box, after the path; none: previewed
    };
    const Row rows[] = {
        {"Bands.png", PictureFormat::Png, kPngPicture, 0, nullptr},
        {"Bands.bmp", PictureFormat::Bmp, kJpegPicture, 0, nullptr},
        {"Noise.png", std::nullopt, {}, 0, "This is not a kind of picture Quorvane can show."},
        {"Bands.jpg", PictureFormat::Jpeg, kJpegPicture, kJpegSteps, nullptr},
        {"TooWide.png", PictureFormat::Png, {16385, 2, {kRed}}, 0, "The picture is larger than 16384 x 16384 pixels."},
        {"Widest.png", PictureFormat::Png, {16384, 2, {kGreen}}, 0, nullptr},
    };
    Entries list;
    for (const Row& row : rows) {
        list.push_back(Picture(row.name));
        WriteBytes(list.back(), row.format ? PictureBytes(*row.format, row.picture) : NoiseBytes(200));
    }
    ASSERT_TRUE(StartOn(list, kPreviewOn));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PostSelectEntry(dialog, kWallpaperList, int(&row - rows));
        if (row.reason) {
            HWND box = OneBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(MessageBoxText(box), Picture(row.name) + ": " + row.reason);
            AnswerAndRepaint(box, 3);
            continue;
        }
        WaitUntil([&] { return PixelsOff(dialog, row.picture, row.steps) == std::pair(0, 0); }, kDrawMs);
        EXPECT_EQ(PixelsOff(dialog, row.picture, row.steps), std::pair(0, 0))
            << "pixels off inside of " << PixelCount(Shrunk(Frame(dialog), 3)) << ", of the picture on the border";
        EXPECT_EQ(OtherWindows(), std::vector<HWND>{}) << "a box came up";
    }
}

TEST_F(PreviewTest, BadFilesAreReportedOnceByBoxAndTheProgramRunsOn) {
    // A vanished file is drawn, then deleted and repainted. An unreadable one (8 MB) opens, but every read after its
    // header fails inside the program: its box names it, not as a file that cannot be opened, and its block is freed.
    for (const char* name : {"NotABitmap.bmp", "Vanished.bmp", "Unreadable.bmp"}) {
        const std::string path = Picture(name);
        const std::string bitmap = name[0] == 'U' ? BitmapBytes(1672, 1672, 24, kRed) : BitmapBytes(16, 4, 24, kRed);
        SCOPED_TRACE(path);
        WriteBytes(path, name[0] == 'N' ? "GIF89a" + NoiseBytes(200) : bitmap);
        WriteBytes(Picture("Green8.bmp"), BitmapBytes(4, 16, 8, kGreen));
        ASSERT_TRUE(StartOn({path, Picture("Green8.bmp")}, kPreviewOn));
        if (name[0] == 'U') {
            ASSERT_TRUE(SendToProbe(dialog, FailUnreadableReadsMessage())) << "the probe could not be hooked";
        }
        if (name[0] == 'V') {
            SelectEntry(dialog, kWallpaperList, 0);
            ExpectFilled(dialog, kRed, "before the file vanished");
            ASSERT_TRUE(DeleteFileA(path.c_str()));
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        } else {
            PostSelectEntry(dialog, kWallpaperList, 0);
        }
        HWND box = OneBox();
        ASSERT_NE(box, nullptr);
        std::string text = MessageBoxText(box);
        bool named = text.size() > text.find(path + ": ") + path.size() + 2;  // with a reason after the colon
        EXPECT_TRUE(name[0] == 'N' ? text == "Not a bitmap file" : named) << "the box says \"" << text << "\"";
        EXPECT_TRUE(name[0] != 'U' || text.rfind("Cannot open", 0) != 0) << "the box says \"" << text << "\"";
        AnswerAndRepaint(box, 3);
        int black = Pixels(dialog, kBlack).first;
        EXPECT_TRUE(name[0] != 'N' || black == Filled(dialog).first) << black << " black pixels inside the frame";
        EXPECT_EQ(ControlText(dialog, kCurrentSelection), path);
        long long before = FiguresOf(app->Id()).privateBytes;
        for (int read = 1; read <= 30 && name[0] == 'U'; ++read) {
            PostSelectEntry(dialog, kWallpaperList, 0);
            ASSERT_NE(box = OneBox(), nullptr) << "read " << read;
            AnswerMessageBox(box, IDOK);
            ASSERT_TRUE(WaitUntilGone(box, kBoxMs)) << "the box stayed after OK on read " << read;
        }
        long long grown = FiguresOf(app->Id()).privateBytes - before;
        EXPECT_LT(grown, 30 * (long long)bitmap.size() / 4) << "private bytes grew over 30 reads from " << before;
        SelectEntry(dialog, kWallpaperList, 1);
        ExpectFilled(dialog, kGreen, "the next entry after the failure");
    }
}
