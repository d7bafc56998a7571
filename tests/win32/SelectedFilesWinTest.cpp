// Keeping and acting on the selected files under Wine, each case in a scratch folder: a list
// saved and read back, a delete that takes exactly the selected file, a copy into a folder
// whose names are taken.
#include <gtest/gtest.h>
#include <string>
#include <vector>

// clang-format off
#include "Harness.h"  // the Windows headers, which shlobj.h needs first
#include <shlobj.h>
// clang-format on

#include "TestPaths.h"
#include "platform/SettingsValues.h"

namespace pv {
namespace {

using test::Send;

constexpr int kFileNameBox = 0x47C;  // the file dialogs' name field (cmb13)

std::vector<uint8_t> Bytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), Status::Ok) << path;
    return bytes;
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class SelectedFilesWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = test::MakeScratchDir("files") + "\\";
        // Different widths: different bytes, so a copy shows which file it came from.
        test::WritePicture(root_ + "a.bmp", 10, 4);
        test::WritePicture(root_ + "b.bmp", 12, 4);
        test::WritePicture(root_ + "c.bmp", 14, 4);
    }

    // Answers the file dialog `box` with `path`.
    static void ChooseFile(HWND box, const std::string& path) {
        ASSERT_NE(box, nullptr);
        SetDlgItemTextW(box, kFileNameBox, Widen(path).c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    test::RegistrySandbox sandbox_;
    std::string root_;
};

TEST_F(SelectedFilesWinTest, SavedListReadsBackInItsOrderWithoutTheFilesSinceGone) {
    test::FrameUnderTest f("\"" + root_ + "b.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    f.Command(ID_SELECT_ALL);  // every entry of the shown list counts, none is marked
    const std::string list = root_ + "list.txt";
    ASSERT_TRUE(Exists(root_ + "a.bmp"));
    ChooseFile(f.PostForDialog(WM_COMMAND, ID_LIST_SAVE, 0), list);
    ASSERT_TRUE(f.WaitDialogGone());
    const std::string expected = root_ + "\na.bmp\nb.bmp\nc.bmp\n";
    EXPECT_EQ(Bytes(list), std::vector<uint8_t>(expected.begin(), expected.end()));

    ASSERT_TRUE(DeleteFileW(Widen(root_ + "a.bmp").c_str()));
    ChooseFile(f.PostForDialog(WM_COMMAND, ID_LIST_OPEN, 0), list);
    ASSERT_TRUE(f.WaitDialogGone());
    EXPECT_EQ(f.Counter(), "1  /  2");
    EXPECT_EQ(f.StatusPane(), root_ + "b.bmp");
}

TEST_F(SelectedFilesWinTest, DeleteAsksThenRemovesExactlyTheSelectedFile) {
    test::FrameUnderTest f("\"" + root_ + "b.bmp\"");  // b.bmp shown: it alone is marked
    ASSERT_NE(f.frame(), nullptr);
    for (const int answer : {IDNO, IDYES}) {
        HWND box = f.PostForDialog(WM_COMMAND, ID_SELECT_DELETE, 0);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(test::TextOf(box), "Pictavo");
        EXPECT_EQ(test::TextOf(GetDlgItem(box, 0xFFFF)), "   Delete  1  files?   ");
        EXPECT_NE(GetDlgItem(box, IDCANCEL), nullptr);
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        ASSERT_TRUE(f.WaitDialogGone());
        EXPECT_EQ(Exists(root_ + "b.bmp"), answer == IDNO);
    }
    EXPECT_TRUE(Exists(root_ + "a.bmp"));
    EXPECT_TRUE(Exists(root_ + "c.bmp"));
    EXPECT_EQ(f.Counter(), "1  /  2");
}

TEST_F(SelectedFilesWinTest, CopyRenamesAroundTakenNamesAndOverwritesNothing) {
    const std::string to = test::MakeScratchDir("to") + "\\";
    ASSERT_EQ(WriteWholeFile(to + "A.gif", {'g', 'i', 'f'}), Status::Ok);
    ASSERT_EQ(WriteWholeFile(to + "B.BMP", {'o', 'l', 'd'}), Status::Ok);
    ASSERT_TRUE(CreateSettingsKey(kProgramKey)->WriteString("DestCopy", to.substr(0, to.size() - 1)));
    test::FrameUnderTest f("\"" + root_ + "a.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    f.Command(ID_SELECT_ALL);
    HWND browser = f.PostForDialog(WM_COMMAND, ID_SELECT_COPY, 0);
    ASSERT_NE(browser, nullptr);
    // Wine's browser sometimes loses the folder it was opened on while it fills its tree: the
    // user's click on the folder, made again once the box is up.
    const std::wstring folder = Widen(to.substr(0, to.size() - 1));
    Send(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    HWND dialog = f.PostForDialog(browser, WM_COMMAND, IDOK, 0);
    ASSERT_NE(dialog, nullptr);
    const std::string summary = test::TextOf(GetDlgItem(dialog, IDC_COPY_SUMMARY));
    if (summary != "Copy 3 files to folder: " + to) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // never copy into a folder not chosen
        ASSERT_TRUE(f.WaitDialogGone());
        FAIL() << test::TextOf(dialog) << ": " << summary;
    }
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());
    EXPECT_EQ(Bytes(to + "a_000001.bmp"), Bytes(root_ + "a.bmp"));
    EXPECT_EQ(Bytes(to + "b_000001.bmp"), Bytes(root_ + "b.bmp"));
    EXPECT_EQ(Bytes(to + "c.bmp"), Bytes(root_ + "c.bmp"));
    EXPECT_EQ(Bytes(to + "B.BMP"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(Bytes(to + "A.gif"), (std::vector<uint8_t>{'g', 'i', 'f'}));
    std::string stored;
    ReadStringInto(*OpenSettingsKey(kProgramKey), "DestCopy", stored, 260);
    EXPECT_EQ(stored, to.substr(0, to.size() - 1));
}

}  // namespace
}  // namespace pv
