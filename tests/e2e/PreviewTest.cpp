// The main dialog's pictures: the preview as the screen shows it, its failures, picture buttons, colours.
#include <cstdint>
#include <cstdio>
#include <optional>

#include "DialogDriver.h"
#include "GdiObjects.h"
#include "QuorvaneCase.h"
#include "QuorvaneProcess.h"
#include "ScreenPixels.h"
#include "SettingsBytes.h"

namespace {

using Entries = std::vector<std::string>;

const int kPreviewFrame = 1017;
const int kFrameInset = 3;
const int kMessageBoxText = 0xFFFF;

const char* const kPictureFolder = "C:\\QuorvaneE2E-Previews";
const std::string kRed = std::string(kPictureFolder) + "\\Red24.bmp";
const std::string kGreen = std::string(kPictureFolder) + "\\Green8.bmp";
const std::string kNotABitmap = std::string(kPictureFolder) + "\\NotABitmap.bmp";
const std::string kVanishing = std::string(kPictureFolder) + "\\Vanishing.bmp";

const COLORREF kRedColor = RGB(255, 0, 0);
const COLORREF kGreenColor = RGB(32, 192, 96);
const BYTE kGreenIndex = 200;

const DWORD kDrawMs = 3000;
const DWORD kBoxMs = 5000;
// How long a repaint is given to bring a message box back.
const DWORD kQuietMs = 500;

void AppendLittleEndian(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A .bmp file: the 14-byte file header, a 40-byte info header, the colour table and the pixels.
std::string BitmapFile(int side, int bitCount, const std::string& colorTable, const std::string& pixels) {
    const uint32_t kHeaders = 14 + 40;
    std::string bytes = "BM";
    AppendLittleEndian(bytes, kHeaders + uint32_t(colorTable.size() + pixels.size()), 4);
    AppendLittleEndian(bytes, 0, 4);
    AppendLittleEndian(bytes, kHeaders + uint32_t(colorTable.size()), 4);
    AppendLittleEndian(bytes, 40, 4);
    AppendLittleEndian(bytes, uint32_t(side), 4);
    AppendLittleEndian(bytes, uint32_t(side), 4);
    AppendLittleEndian(bytes, 1, 2);
    AppendLittleEndian(bytes, uint32_t(bitCount), 2);
    AppendLittleEndian(bytes, 0, 4);
    AppendLittleEndian(bytes, uint32_t(pixels.size()), 4);
    AppendLittleEndian(bytes, 2835, 4);
    AppendLittleEndian(bytes, 2835, 4);
    AppendLittleEndian(bytes, 0, 4);  // biClrUsed 0: the table size follows from the bit count
    AppendLittleEndian(bytes, 0, 4);
    return bytes + colorTable + pixels;
}

// side x side pixels of one colour, 24 bits each (side * 3 a multiple of 4: no row padding).
std::string SolidBitmap24(int side, COLORREF color) {
    std::string pixel{char(GetBValue(color)), char(GetGValue(color)), char(GetRValue(color))};
    std::string pixels;
    for (int i = 0; i < side * side; ++i) pixels += pixel;
    return BitmapFile(side, 24, "", pixels);
}

// side x side pixels, 8 bits each, all of colour-table entry `index`, which holds `color`; the
// other 255 entries are greys, so pixels looked for in the wrong place show the wrong colour.
std::string PalettedBitmap8(int side, BYTE index, COLORREF color) {
    std::string table;
    for (int i = 0; i < 256; ++i) {
        COLORREF entry = i == index ? color : RGB(i, i, i);
        table += {char(GetBValue(entry)), char(GetGValue(entry)), char(GetRValue(entry)), '\0'};
    }
    return BitmapFile(side, 8, table, std::string(size_t(side) * size_t(side), char(index)));
}

std::string ListLines(const Entries& entries) {
    std::string bytes;
    for (const std::string& entry : entries) bytes += entry + "\r\n";
    return bytes;
}

// The visible top-level windows of the program other than its main dialog: its message boxes.
std::vector<HWND> OtherWindows(DWORD pid, HWND dialog) {
    std::vector<HWND> others;
    for (HWND window : VisibleWindows(pid)) {
        if (window != dialog) others.push_back(window);
    }
    return others;
}

std::string BoxTexts(const std::vector<HWND>& boxes) {
    std::string texts;
    for (HWND box : boxes) texts += " \"" + ControlText(box, kMessageBoxText) + "\"";
    return texts;
}

// Presses OK and waits until the box is hidden; false when it stays.
bool CloseMessageBox(HWND box) {
    Click(box, IDOK);
    return WaitUntil([&] { return !IsWindowVisible(box); }, kBoxMs);
}

// The selection as a click sets it, with the notification posted: its handler may show a box.
void PostSelectEntry(HWND dialog, int index) {
    HWND list = GetDlgItem(dialog, kWallpaperList);
    SetSelectionQuietly(dialog, kWallpaperList, index);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kWallpaperList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Makes the whole dialog invalid and lets its own message loop paint it, without waiting for the
// paint, which may show a message box and then runs until the box is closed.
void InvalidateAll(HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool Painted(HWND dialog) { return !GetUpdateRect(dialog, nullptr, FALSE); }

// What the preview frame shows of one colour: inside, the frame less 3 pixels on each side, and
// on the 3-pixel border around it.
struct FrameReading {
    RECT frame{};
    RECT inside{};
    int insideInColor = 0;
    int borderInColor = 0;
    std::string corners;  // the colours at the inside's four corners

    int InsidePixels() const { return PixelCount(inside); }
    int BorderPixels() const { return PixelCount(frame) - PixelCount(inside); }
};

FrameReading ReadFrame(HWND dialog, COLORREF color) {
    FrameReading reading;
    reading.frame = WindowRectOnScreen(GetDlgItem(dialog, kPreviewFrame));
    reading.inside = Shrunk(reading.frame, kFrameInset);
    ScreenShot shot(reading.frame);
    auto inColor = [&](COLORREF pixel) { return pixel == color; };
    reading.insideInColor = shot.Count(reading.inside, inColor);
    reading.borderInColor = shot.Count(reading.frame, inColor) - reading.insideInColor;
    const RECT& in = reading.inside;
    for (POINT corner : {POINT{in.left, in.top}, POINT{in.right - 1, in.top}, POINT{in.left, in.bottom - 1},
                         POINT{in.right - 1, in.bottom - 1}}) {
        reading.corners += " " + ColorText(shot.At(corner.x, corner.y));
    }
    return reading;
}

// Waits a bounded time for the inside to fill, then checks that exactly the inside holds `color`.
void ExpectFrameFilledWith(HWND dialog, COLORREF color) {
    FrameReading reading;
    WaitUntil(
        [&] {
            reading = ReadFrame(dialog, color);
            return reading.insideInColor == reading.InsidePixels();
        },
        kDrawMs);
    ASSERT_GT(reading.InsidePixels(), 0) << "frame " << RectText(reading.frame);
    EXPECT_EQ(reading.insideInColor, reading.InsidePixels())
        << "pixels of " << ColorText(color) << " inside " << RectText(reading.inside) << " of frame "
        << RectText(reading.frame) << "; inside corners:" << reading.corners;
    EXPECT_EQ(reading.borderInColor, 0) << "pixels of " << ColorText(color) << " among the " << reading.BorderPixels()
                                        << " of the frame's 3-pixel border";
}

// The whole inside of the frame in `color`, whatever the border shows.
void ExpectInsideAll(HWND dialog, COLORREF color) {
    FrameReading reading = ReadFrame(dialog, color);
    EXPECT_EQ(reading.insideInColor, reading.InsidePixels())
        << "pixels of " << ColorText(color) << " inside " << RectText(reading.inside)
        << "; inside corners:" << reading.corners;
}

// Nothing of `color` in the frame, also after a bounded wait for a late draw.
void ExpectFrameWithout(HWND dialog, COLORREF color) {
    FrameReading reading;
    WaitUntil(
        [&] {
            reading = ReadFrame(dialog, color);
            return reading.insideInColor + reading.borderInColor > 0;
        },
        kQuietMs);
    EXPECT_EQ(reading.insideInColor + reading.borderInColor, 0)
        << "pixels of " << ColorText(color) << " in frame " << RectText(reading.frame)
        << "; inside corners:" << reading.corners;
}

class PreviewTest : public QuorvaneCase {
protected:
    void SetUp() override {
        QuorvaneCase::SetUp();
        CreateDirectoryA(kPictureFolder, nullptr);
    }
    void TearDown() override {
        m_app.reset();
        for (const std::string& name : FilesIn(kPictureFolder)) {
            DeleteFileA((std::string(kPictureFolder) + "\\" + name).c_str());
        }
        RemoveDirectoryA(kPictureFolder);
        QuorvaneCase::TearDown();
    }

    // Starts on a list of `entries` with "Allow preview" saved as `allowPreview`.
    HWND Start(const Entries& entries, int allowPreview) {
        Settings saved;
        saved.allowPreview = allowPreview;
        WriteBytes(kSettingsFile, SettingsRecord(saved));
        WriteBytes(kListFile, ListLines(entries));
        m_app.emplace();
        return m_app->MainWindow();
    }

    // The one message box that comes up beside the dialog, or nullptr after a bounded wait.
    HWND WaitForOneMessageBox(HWND dialog) {
        std::vector<HWND> boxes;
        WaitUntil([&] { return !(boxes = OtherWindows(m_app->Id(), dialog)).empty(); }, kBoxMs);
        if (boxes.empty()) return nullptr;
        EXPECT_EQ(boxes.size(), 1u) << "boxes:" << BoxTexts(boxes);
        return boxes.front();
    }

    // Repaints the dialog `times` times and checks that no message box comes up on any of them.
    void ExpectNoBoxOnRepaints(HWND dialog, int times) {
        for (int repaint = 1; repaint <= times; ++repaint) {
            InvalidateAll(dialog);
            std::vector<HWND> boxes;
            WaitUntil([&] { return !(boxes = OtherWindows(m_app->Id(), dialog)).empty(); }, kQuietMs);
            EXPECT_EQ(boxes, std::vector<HWND>{}) << "repaint " << repaint << " showed" << BoxTexts(boxes);
            for (HWND box : boxes) CloseMessageBox(box);
        }
        EXPECT_TRUE(WaitUntil([&] { return Painted(dialog); }, kDrawMs)) << "the dialog did not paint";
        EXPECT_TRUE(Settle(dialog)) << "the dialog does not answer";
    }

    std::optional<QuorvaneProcess> m_app;
};

class PreviewDialogTest : public PreviewTest {};

// The direct child windows of `dialog` with control ID `id`.
std::vector<HWND> ChildrenWithId(HWND dialog, int id) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id) found.push_back(child);
    }
    return found;
}

LRESULT Answer(HWND window, UINT message, WPARAM wParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, 0, SMTO_ABORTIFHUNG, kBoxMs, &result);
    return LRESULT(result);
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", value);
    return text;
}

bool IsYellowish(COLORREF c) { return GetRValue(c) >= 200 && GetGValue(c) >= 200 && GetBValue(c) <= 80; }

bool IsBlack(COLORREF c) { return GetRValue(c) <= 16 && GetGValue(c) <= 16 && GetBValue(c) <= 16; }

}  // namespace

TEST_F(PreviewTest, SelectedSolidPicturesFillTheFrameLessThreePixelsOnEachSide) {
    WriteBytes(kRed, SolidBitmap24(16, kRedColor));
    WriteBytes(kGreen, PalettedBitmap8(16, kGreenIndex, kGreenColor));
    HWND dialog = Start({kRed, kGreen}, 1);
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 0);
    {
        SCOPED_TRACE("16 x 16, 24 bits, red");
        ExpectFrameFilledWith(dialog, kRedColor);
    }
    SelectEntry(dialog, kWallpaperList, 1);
    {
        SCOPED_TRACE("16 x 16, 8 bits with a 256-colour table");
        ExpectFrameFilledWith(dialog, kGreenColor);
    }
    Repaint(dialog);
    {
        SCOPED_TRACE("after a repaint of the dialog");
        ExpectFrameFilledWith(dialog, kGreenColor);
    }
}

TEST_F(PreviewTest, WithPreviewClearNothingIsDrawnUntilTickedAndRepainted) {
    WriteBytes(kRed, SolidBitmap24(16, kRedColor));
    HWND dialog = Start({kRed}, 0);
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 0);
    Repaint(dialog);
    {
        SCOPED_TRACE("selected and repainted with preview clear");
        ExpectFrameWithout(dialog, kRedColor);
    }
    ClickCheckBox(dialog, kAllowPreview);
    ASSERT_EQ(CheckState(dialog, kAllowPreview), BST_CHECKED);
    {
        SCOPED_TRACE("just ticked");
        ExpectFrameWithout(dialog, kRedColor);
    }
    Repaint(dialog);
    {
        SCOPED_TRACE("ticked and repainted");
        ExpectFrameFilledWith(dialog, kRedColor);
    }
}

TEST_F(PreviewTest, NotABitmapIsReportedOnceAndNotAgainOnRepaints) {
    WriteBytes(kNotABitmap, "GIF89a" + NoiseBytes(200));
    HWND dialog = Start({kNotABitmap}, 1);
    ASSERT_NE(dialog, nullptr);
    PostSelectEntry(dialog, 0);
    HWND box = WaitForOneMessageBox(dialog);
    ASSERT_NE(box, nullptr) << "no message box after selecting a file that is not a bitmap";
    EXPECT_EQ(ControlText(box, kMessageBoxText), "Not a bitmap file");
    ASSERT_TRUE(CloseMessageBox(box)) << "the box stayed after OK";
    ExpectNoBoxOnRepaints(dialog, 5);
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kNotABitmap);
    ExpectInsideAll(dialog, RGB(0, 0, 0));
}

TEST_F(PreviewTest, VanishedFileIsReportedOnceByNameAndTheDialogGoesOn) {
    WriteBytes(kVanishing, SolidBitmap24(16, kRedColor));
    WriteBytes(kGreen, PalettedBitmap8(16, kGreenIndex, kGreenColor));
    HWND dialog = Start({kVanishing, kGreen}, 1);
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 0);
    ExpectFrameFilledWith(dialog, kRedColor);
    ASSERT_TRUE(DeleteFileA(kVanishing.c_str()));

    InvalidateAll(dialog);
    HWND box = WaitForOneMessageBox(dialog);
    ASSERT_NE(box, nullptr) << "no message box after repainting with a vanished file selected";
    std::string text = ControlText(box, kMessageBoxText);
    size_t named = text.find(kVanishing + ": ");
    EXPECT_NE(named, std::string::npos) << "the box says \"" << text << "\"";
    EXPECT_LT(named + kVanishing.size() + 2, text.size()) << "no reason after the name: \"" << text << "\"";
    ASSERT_TRUE(CloseMessageBox(box)) << "the box stayed after OK";
    ExpectNoBoxOnRepaints(dialog, 5);

    SelectEntry(dialog, kWallpaperList, 1);
    ExpectFrameFilledWith(dialog, kGreenColor);
    EXPECT_TRUE(Click(dialog, kRemove));
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{kVanishing});
    EXPECT_EQ(ReadBytes(kListFile), ListLines({kVanishing}));
    EXPECT_TRUE(m_app->Running());
}

TEST_F(PreviewDialogTest, StartsWithNoMessageBox) {
    HWND dialog = Start({}, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Settle(dialog));
    std::vector<HWND> boxes = OtherWindows(m_app->Id(), dialog);
    EXPECT_EQ(boxes, std::vector<HWND>{}) << "boxes:" << BoxTexts(boxes);
}

TEST_F(PreviewDialogTest, SixPictureButtonsLieOverTheirHiddenTemplateButtons) {
    HWND dialog = Start({}, 0);
    ASSERT_NE(dialog, nullptr);
    for (int id : {1003, 1004, 1000, 1011, 1019, 1023}) {
        SCOPED_TRACE("control " + std::to_string(id));
        std::vector<HWND> buttons = ChildrenWithId(dialog, id);
        ASSERT_EQ(buttons.size(), 2u) << "windows with this ID";
        HWND templateButton = GetDlgItem(dialog, id);
        EXPECT_EQ(templateButton, buttons.front()) << "the template button comes first";
        EXPECT_FALSE(IsWindowVisible(templateButton));
        HWND picture = buttons.back();
        DWORD style = DWORD(GetWindowLongA(picture, GWL_STYLE));
        EXPECT_TRUE(IsWindowVisible(picture)) << "style " << Hex(style);
        EXPECT_EQ(style & BS_BITMAP, DWORD(BS_BITMAP)) << "style " << Hex(style);
        EXPECT_EQ(style & WS_TABSTOP, 0u) << "style " << Hex(style);
        EXPECT_NE(Answer(picture, BM_GETIMAGE, IMAGE_BITMAP), 0) << "no bitmap set";
        EXPECT_EQ(RectText(WindowRectOnScreen(picture)), RectText(WindowRectOnScreen(templateButton)));
    }
}

TEST_F(PreviewDialogTest, FiveHundredRepaintsHoldNoMoreGdiObjectsThanTheFirst) {
    WriteBytes(kRed, SolidBitmap24(16, kRedColor));
    HWND dialog = Start({kRed}, 1);
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 0);
    Repaint(dialog);
    GdiObjectCount first = GdiObjectsOf(m_app->Id());
    ASSERT_GT(first.count, 0) << "GDI objects could not be counted";
    for (int repaint = 2; repaint <= 500; ++repaint) Repaint(dialog);
    GdiObjectCount last = GdiObjectsOf(m_app->Id());
    std::printf("GDI objects from the %s: %ld after the first repaint, %ld after the 500th\n", last.source.c_str(),
                first.count, last.count);
    EXPECT_LE(last.count, first.count);
    ExpectFrameFilledWith(dialog, kRedColor);
}

TEST_F(PreviewDialogTest, AllowPreviewLabelIsYellowOnBlack) {
    HWND dialog = Start({}, 0);
    ASSERT_NE(dialog, nullptr);
    Repaint(dialog);
    RECT checkBox = WindowRectOnScreen(GetDlgItem(dialog, kAllowPreview));
    // The label lies right of the box, which the system draws in its own colours.
    RECT label = checkBox;
    label.left += GetSystemMetrics(SM_CXMENUCHECK) + 2;
    int yellow = 0;
    int black = 0;
    WaitUntil(
        [&] {
            ScreenShot shot(label);
            yellow = shot.Count(label, IsYellowish);
            black = shot.Count(label, IsBlack);
            return yellow > 20;
        },
        kDrawMs);
    EXPECT_GT(yellow, 20) << "yellow text pixels in the label " << RectText(label) << " of " << PixelCount(label);
    EXPECT_GT(black, PixelCount(label) / 2)
        << "black pixels in the label " << RectText(label) << " of " << PixelCount(label);
}
