// "Add..." through the real open-file dialog and "Remove": the list box, 1001 and the rewritten list file.
#include <cctype>
#include <optional>

#include "DialogDriver.h"
#include "OpenFileDialog.h"
#include "QuorvaneCase.h"
#include "QuorvaneProcess.h"

namespace {

using Entries = std::vector<std::string>;

const char* const kPictureFolder = "C:\\QuorvaneE2E-Pictures";
const std::string kRed = "C:\\QuorvaneE2E-Pictures\\Red.bmp";
const std::string kGreen = "C:\\QuorvaneE2E-Pictures\\Green.bmp";
const std::string kBlue = "C:\\QuorvaneE2E-Pictures\\Blue.bmp";

class AddRemoveTest : public QuorvaneCase {
protected:
    void SetUp() override {
        QuorvaneCase::SetUp();
        for (const std::string& path : {kRed, kGreen, kBlue}) WriteBitmap(path);
    }
    void TearDown() override {
        m_app.reset();
        for (const std::string& path : {kRed, kGreen, kBlue}) DeleteFileA(path.c_str());
        RemoveDirectoryA(kPictureFolder);
        QuorvaneCase::TearDown();
    }

    HWND Start() {
        m_app.emplace();
        return m_app->MainWindow();
    }

    // Clicks "Add..." and waits for the open-file dialog it shows.
    HWND OpenAddDialog(HWND dialog) {
        PostClick(dialog, kAdd);
        HWND fileDialog = WaitForOpenFileDialog(m_app->Id());
        EXPECT_NE(fileDialog, nullptr) << "no open-file dialog after Add...";
        return fileDialog;
    }

    void AddThroughFileDialog(HWND dialog, const std::string& path) {
        HWND fileDialog = OpenAddDialog(dialog);
        if (!fileDialog) return;
        EXPECT_TRUE(ChooseFile(fileDialog, path)) << "the open-file dialog stayed after OK";
        EXPECT_TRUE(Settle(dialog));
    }

    void CancelAdd(HWND dialog) {
        HWND fileDialog = OpenAddDialog(dialog);
        if (!fileDialog) return;
        EXPECT_TRUE(CancelFileDialog(fileDialog)) << "the open-file dialog stayed after Cancel";
        EXPECT_TRUE(Settle(dialog));
    }

    void Remove(HWND dialog) { EXPECT_TRUE(Click(dialog, kRemove)); }

    // No message box or other window came up beside the main dialog.
    void ExpectOnlyTheMainWindow(HWND dialog) { EXPECT_EQ(VisibleWindows(m_app->Id()), std::vector<HWND>{dialog}); }

    std::optional<QuorvaneProcess> m_app;
};

std::string Lines(const Entries& entries, const std::string& lineEnd) {
    std::string bytes;
    for (const std::string& entry : entries) bytes += entry + lineEnd;
    return bytes;
}

std::string CrLf(const Entries& entries) { return Lines(entries, "\r\n"); }

std::string Lf(const Entries& entries) { return Lines(entries, "\n"); }

std::string Lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

TEST_F(AddRemoveTest, AddAppendsTheChosenFileAndRewritesTheListWithCrLf) {
    WriteBytes(kListFile, Lf({kRed}));
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    AddThroughFileDialog(dialog, kGreen);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), (Entries{kRed, kGreen}));
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kGreen);
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), LB_ERR);
    EXPECT_EQ(ReadBytes(kListFile), CrLf({kRed, kGreen}));
    EXPECT_EQ(FilesIn(kQuorvaneFolder), std::vector<std::string>{"Quorvane.LST"});
}

TEST_F(AddRemoveTest, AddWithNoListFileMakesOne) {
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    AddThroughFileDialog(dialog, kBlue);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{kBlue});
    EXPECT_EQ(ReadBytes(kListFile), CrLf({kBlue}));
}

TEST_F(AddRemoveTest, AddingAPathInAnotherLetterCaseAddsNothingButRewrites) {
    WriteBytes(kListFile, Lf({kRed, kGreen}));
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    AddThroughFileDialog(dialog, Lowered(kRed));
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), (Entries{kRed, kGreen}));
    EXPECT_EQ(Lowered(ControlText(dialog, kCurrentSelection)), Lowered(kRed));
    EXPECT_EQ(ReadBytes(kListFile), CrLf({kRed, kGreen}));
}

TEST_F(AddRemoveTest, AddingAPrefixOfALongerEntryAddsNothingButRewrites) {
    std::string longer = kRed + ".old";
    WriteBytes(kListFile, Lf({longer}));
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    AddThroughFileDialog(dialog, kRed);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{longer});
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kRed);
    EXPECT_EQ(ReadBytes(kListFile), CrLf({longer}));
}

TEST_F(AddRemoveTest, CancellingTheFileDialogChangesAndWritesNothing) {
    std::string before = Lf({kRed});
    WriteBytes(kListFile, before);
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    CancelAdd(dialog);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{kRed});
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), "");
    EXPECT_EQ(ReadBytes(kListFile), before);
}

TEST_F(AddRemoveTest, RemoveTakesTheSelectedEntryOut) {
    WriteBytes(kListFile, Lf({kRed, kGreen, kBlue}));
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 1);
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kGreen);
    Remove(dialog);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), (Entries{kRed, kBlue}));
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), LB_ERR);
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kGreen);
    EXPECT_EQ(ReadBytes(kListFile), CrLf({kRed, kBlue}));
}

TEST_F(AddRemoveTest, RemoveWithNothingSelectedRewritesTheFileUnchanged) {
    WriteBytes(kListFile, Lf({kRed, kGreen}));
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    Remove(dialog);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), (Entries{kRed, kGreen}));
    EXPECT_EQ(ReadBytes(kListFile), CrLf({kRed, kGreen}));
}

TEST_F(AddRemoveTest, RemovingTheLastEntryLeavesAnEmptyFile) {
    WriteBytes(kListFile, CrLf({kRed}));
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 0);
    Remove(dialog);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{});
    EXPECT_TRUE(FileExists(kListFile));
    EXPECT_EQ(ReadBytes(kListFile), "");
}

TEST_F(AddRemoveTest, WithNoFolderAddAndRemoveChangeOnlyTheListBox) {
    RemoveQuorvaneFolder();
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    AddThroughFileDialog(dialog, kRed);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{kRed});
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kRed);
    ExpectOnlyTheMainWindow(dialog);
    SelectEntry(dialog, kWallpaperList, 0);
    Remove(dialog);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{});
    ExpectOnlyTheMainWindow(dialog);
    EXPECT_FALSE(FolderExists(kQuorvaneFolder));
}

TEST_F(AddRemoveTest, ReadOnlyListFileIsLeftUntouched) {
    std::string before = Lf({kRed});
    WriteBytes(kListFile, before);
    SetReadOnly(kListFile, true);
    HWND dialog = Start();
    ASSERT_NE(dialog, nullptr);
    AddThroughFileDialog(dialog, kGreen);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), (Entries{kRed, kGreen}));
    SelectEntry(dialog, kWallpaperList, 0);
    Remove(dialog);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{kGreen});
    ExpectOnlyTheMainWindow(dialog);
    EXPECT_EQ(ReadBytes(kListFile), before);
    EXPECT_TRUE(IsReadOnly(kListFile));
    EXPECT_EQ(FilesIn(kQuorvaneFolder), std::vector<std::string>{"Quorvane.LST"});
}
