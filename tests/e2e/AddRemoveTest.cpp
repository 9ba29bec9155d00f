// The list box and 1001: "Add...", "Add Folder..." (the real dialogs), drops, "Remove", the list file, repaints.
#include <cctype>

#include "OpenFileDialog.h"
#include "Probe.h"
#include "QuorvaneCase.h"

namespace {

const std::string kRed = Picture("Red.bmp"), kGreen = Picture("Green.bmp"), kBlue = Picture("Blue.bmp"),
                  kPng = Picture("Bands.png");
const Entries kFileTypes = {"Bitmap Files (*.bmp)", "Pictures (*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff)"};
const std::string kCancel = "<cancel>", kNoFolder = "<no folder>";
const std::string kFolderLine = Picture(""), kNamesAndAPath = "\"Blue.bmp\" \"" + kPng + "\" \"Red.bmp\"";

std::string Lowered(std::string text) {
    for (char& c : text) c = char(tolower((unsigned char)c));
    return text;
}

// A step of a row: a path to add through the dialog (kCancel: cancel it), or else an entry to select (-1: none) and
// remove.
struct Step {
    std::string add;
    int remove = -1;
    Entries drop = {};           // paths dropped instead
    std::string addFolder = {};  // a folder added through Add Folder... instead
};

class AddRemoveTest : public QuorvaneCase {
protected:
    void SetUp() override {
        QuorvaneCase::SetUp();
        for (const std::string& path : {kRed, kGreen, kBlue}) WriteBitmap(path);
        WriteBytes(kPng, PictureBytes(PictureFormat::Png, kPngPicture));
    }

    void Do(const Step& step) {
        if (!step.drop.empty()) {
            WriteBytes(DropListPath(app->Id()), ListBytes(step.drop, std::string(1, '\0')));
            EXPECT_TRUE(SendToProbe(dialog, DropFilesMessage())) << "the probe did not drop";
            return;
        }
        if (!step.addFolder.empty()) {
            PostMessageA(dialog, WM_SYSCOMMAND, 0x0020, 0);  // Add Folder...
            EXPECT_TRUE(ChooseFolder(app->Id(), step.addFolder)) << "no folder picker, or it stayed";
            EXPECT_TRUE(Settle(dialog));
            return;
        }
        if (step.add.empty()) {
            if (step.remove >= 0) SelectEntry(dialog, kWallpaperList, step.remove);
            EXPECT_TRUE(Click(dialog, kRemove));
            return;
        }
        PostClick(dialog, kAdd);
        HWND fileDialog = WaitForOpenFileDialog(app->Id());
        ASSERT_NE(fileDialog, nullptr) << "no open-file dialog after Add...";
        EXPECT_EQ(FileTypes(fileDialog), kFileTypes);
        EXPECT_EQ(ShownFileType(fileDialog), kFileTypes[0]);
        EXPECT_TRUE(AllowsSeveralFiles(fileDialog));
        EXPECT_TRUE(step.add == kCancel ? CancelFileDialog(fileDialog) : ChooseFile(fileDialog, step.add))
            << "it stayed";
        EXPECT_TRUE(Settle(dialog));
    }
};

}  // namespace

TEST_F(AddRemoveTest, AddAndRemoveChangeTheListBoxAnd1001AndRewriteTheListWithCrLf) {
    struct Row {
        std::optional<std::string> before;  // the list file; none: no file; kNoFolder: no folder
        std::vector<Step> steps;
        Entries after;
        std::string shown;                 // 1001, letter case ignored
        std::optional<std::string> saved;  // the list file after; none: no file
        bool readOnly = false;             // the list file's attribute, before and after
    };
    const Row rows[] = {
        {ListBytes({kRed}, "\n"), {{kGreen}}, {kRed, kGreen}, kGreen, ListBytes({kRed, kGreen})},
        {ListBytes({kRed}), {{kPng}}, {kRed, kPng}, kPng, ListBytes({kRed, kPng})},
        {std::nullopt, {{kBlue}}, {kBlue}, kBlue, ListBytes({kBlue})},
        {ListBytes({kRed, kGreen}, "\n"), {{Lowered(kRed)}}, {kRed, kGreen}, kRed, ListBytes({kRed, kGreen})},
        {ListBytes({kRed + ".old"}, "\n"), {{kRed}}, {kRed + ".old"}, kRed, ListBytes({kRed + ".old"})},
        {ListBytes({kRed}, "\n"), {{kCancel}}, {kRed}, "", ListBytes({kRed}, "\n")},
        {ListBytes({kRed, kGreen, kBlue}, "\n"), {{"", 1}}, {kRed, kBlue}, kGreen, ListBytes({kRed, kBlue})},
        {ListBytes({kRed, kGreen}, "\n"), {{}}, {kRed, kGreen}, "", ListBytes({kRed, kGreen})},
        {ListBytes({kRed}), {{"", 0}}, {}, kRed, ""},
        {kNoFolder, {{kRed}, {"", 0}}, {}, kRed, std::nullopt},
        {ListBytes({kRed}, "\n"), {{kGreen}, {"", 0}}, {kGreen}, kRed, ListBytes({kRed}, "\n"), true},
        {std::nullopt, {{kRed}, {kNamesAndAPath}}, {kRed, kBlue, kPng}, kRed, ListBytes({kRed, kBlue, kPng})},
        {ListBytes({kRed}, "\n"), {{"", -1, {kPictures, kListFile, kRed, kPng, Lowered(kFolderLine)}}},
         {kRed, kFolderLine, kPng}, kFolderLine, ListBytes({kRed, kFolderLine, kPng})},
        {std::nullopt, {{"", -1, {}, kPictures}}, {kFolderLine}, kFolderLine, ListBytes({kFolderLine})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(&row - rows));
        MakeEmptyQuorvaneFolder();
        if (row.before == kNoFolder) RemoveQuorvaneFolder();
        if (row.before && row.before != kNoFolder) WriteBytes(kListFile, *row.before);
        SetReadOnly(kListFile, row.readOnly);
        ASSERT_TRUE(Start());
        for (const Step& step : row.steps) Do(step);
        EXPECT_EQ(ListEntries(dialog, kWallpaperList), row.after);
        EXPECT_EQ(Lowered(ControlText(dialog, kCurrentSelection)), Lowered(row.shown));
        EXPECT_EQ(ListSelection(dialog, kWallpaperList), LB_ERR);
        EXPECT_EQ(OtherWindows(), std::vector<HWND>{}) << "a box came up";
        EXPECT_EQ(FileExists(kListFile) ? ReadBytes(kListFile) : "<no file>", row.saved.value_or("<no file>"));
        EXPECT_EQ(FilesIn(kQuorvaneFolder), row.saved ? Entries{"Quorvane.LST"} : Entries{});
        EXPECT_EQ(FolderExists(kQuorvaneFolder), row.before != kNoFolder);
        EXPECT_EQ(IsReadOnly(kListFile), row.readOnly);
    }
}

TEST_F(AddRemoveTest, SelectingShowsThePathIn1001AndARepaintShowsTheSelectionSetQuietly) {
    WriteBytes(kListFile, ListBytes({kRed, kGreen}));
    ASSERT_TRUE(Start());
    std::string shown;
    for (int index : {1, 0}) {
        SelectEntry(dialog, kWallpaperList, index);
        shown += ControlText(dialog, kCurrentSelection) + ", ";
    }
    for (auto [index, expected] : {std::pair(1, kGreen), std::pair(-1, std::string())}) {
        SetSelectionQuietly(dialog, kWallpaperList, index);
        shown += ControlText(dialog, kCurrentSelection) + " until repainted, then ";
        Repaint(dialog);
        WaitUntil([&, expected = expected] { return ControlText(dialog, kCurrentSelection) == expected; }, 3000);
        shown += ControlText(dialog, kCurrentSelection) + ", ";
    }
    EXPECT_EQ(shown, kGreen + ", " + kRed + ", " + kRed + " until repainted, then " + kGreen + ", " + kGreen +
                         " until repainted, then , ");
}
