// The search dialogs and the recent files under Wine, with the registry sandboxed: what the
// dialogs show on a first opening, a search over folders with Cyrillic and CJK names, the
// messages of OK, the stored size, the folder argument's automatic run, and the recent files
// across a restart of the frame.
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Harness.h"
#include "TestPaths.h"
#include "app/win32/ExplorerDlg.h"
#include "app/win32/MainFrame.h"
#include "app/win32/TVdlg.h"
#include "platform/SettingsValues.h"
#include "search/SearchSettings.h"

namespace pv {
namespace {

using test::FrameUnderTest;
using test::Send;

std::string Text(HWND dialog, int id) {
    return test::TextOf(id == 0 ? dialog : GetDlgItem(dialog, id));
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::vector<bool> RowChecks(HWND dialog, int listId) {
    std::vector<bool> rows;
    HWND list = GetDlgItem(dialog, listId);
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        rows.push_back((SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK) >> 12) == 2);
    }
    return rows;
}

// In the dialog's client coordinates (or the screen's for the dialog itself), as a tuple.
auto RectOf(HWND dialog, int id = 0) {
    RECT r{};
    GetWindowRect(id == 0 ? dialog : GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, id == 0 ? nullptr : dialog, reinterpret_cast<POINT*>(&r), 2);
    return std::tuple(r.left, r.top, r.right, r.bottom);
}

// A dialog run modally on a UI thread of its own. `whileOpen` gets the dialog; every message
// box it raises is recorded ("caption|text") and closed with OK.
template <typename Dlg>
INT_PTR RunModal(Dlg& dialog, std::function<void(HWND)> whileOpen, std::vector<std::string>* boxes = nullptr) {
    test::UiThread ui(0, 0, [](HWND host) { return host; });
    HWND shown = nullptr;
    ui.onBox = [&](HWND box) {
        if (shown == nullptr) {
            shown = box;
            whileOpen(box);
            return;
        }
        if (boxes != nullptr) {
            // Wine's message box shows its icon in control stc1, empty when there is none.
            HWND icon = GetDlgItem(box, 0x0440);
            const bool hasIcon = icon != nullptr && SendMessageW(icon, STM_GETICON, 0, 0) != 0;
            boxes->push_back(Text(box, 0) + (hasIcon ? "(i)|" : "|") + Text(box, 0xFFFF));
        }
    };
    INT_PTR result = 0;
    ui.Run([&] { result = dialog.DoModal(ui.host()); });
    return result;
}

class SearchDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = test::MakeScratchDir("dialogs") + "\\";
        // Names in three scripts; the pictures are the ones a search must find.
        CreateDirectoryW(Widen(root_ + "Фото 2003").c_str(), nullptr);
        CreateDirectoryW(Widen(root_ + "Фото 2003\\写真").c_str(), nullptr);
        test::WritePicture(root_ + "Фото 2003\\пляж.jpg", 4, 3);
        test::WritePicture(root_ + "Фото 2003\\写真\\海.jpeg", 6, 5);
        test::WritePicture(root_ + "Фото 2003\\note.bmp", 2, 2);
        photos_ = root_ + "Фото 2003\\";
    }

    static std::unique_ptr<SettingsKey> Key() { return CreateSettingsKey(kProgramKey); }

    test::RegistrySandbox sandbox_;
    SharedLists lists_;
    std::string root_;
    std::string photos_;
};

TEST_F(SearchDialogsTest, FirstOpeningOnAnEmptyRegistryShowsTheStartingChoicesAndCancelStoresNothing) {
    CTVdlg dialog(lists_, nullptr);
    const INT_PTR result = RunModal(dialog, [](HWND h) {
        EXPECT_EQ(Text(h, 0), "Disks and Folders");
        std::vector<bool> expected(36, false);
        expected[0] = expected[1] = expected[2] = true;
        EXPECT_EQ(RowChecks(h, IDC_SEARCH_EXTENSIONS), expected);
        wchar_t row[32] = {};
        LVITEMW item{.iSubItem = 0, .pszText = row, .cchTextMax = 32};
        SendDlgItemMessageW(h, IDC_SEARCH_EXTENSIONS, LVM_GETITEMTEXTW, 3, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(Narrow(row), " gif  GIF87, GIF89");
        EXPECT_TRUE(Checked(h, IDC_SEARCH_INCLUDE));
        EXPECT_FALSE(Checked(h, IDC_SEARCH_CHECK_TITLE) || Checked(h, IDC_SEARCH_CHECK_SIZE) ||
                     Checked(h, IDC_SEARCH_CHECK_DATE));
        EXPECT_EQ(Text(h, IDC_SEARCH_TITLE) + "|" + Text(h, IDC_SEARCH_MIN_SIZE) + "|" + Text(h, IDC_SEARCH_MAX_SIZE) +
                          "|" + Text(h, IDC_SEARCH_SORT),
                  "*|0|Any|Name");
        EXPECT_EQ(SendDlgItemMessageW(h, IDC_SEARCH_MIN_SIZE, CB_GETCOUNT, 0, 0), 19);
        EXPECT_EQ(SendDlgItemMessageW(h, IDC_SEARCH_SORT, CB_GETCOUNT, 0, 0), 11);
        // The fields their check boxes govern start disabled.
        for (int id : {IDC_SEARCH_TITLE, IDC_SEARCH_MIN_SIZE, IDC_SEARCH_DATE_TO}) {
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, id))) << id;
        }
        EXPECT_EQ(SendDlgItemMessageW(h, IDC_SEARCH_TREE, TVM_GETNEXTITEM, TVGN_CARET, 0), 0);
        EXPECT_NE(SendDlgItemMessageW(h, IDC_SEARCH_TREE, TVM_GETCOUNT, 0, 0), 0);  // the drives
        EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & WS_THICKFRAME, 0);              // template size, fixed
        // The check box enables its field; "Default" unchecks it but leaves the field enabled.
        CheckDlgButton(h, IDC_SEARCH_CHECK_SIZE, BST_CHECKED);
        SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_CHECK_SIZE, BN_CLICKED), 0);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, IDC_SEARCH_MAX_SIZE)));
        SendMessageW(h, WM_COMMAND, IDC_SEARCH_ALL_FORMATS, 0);
        EXPECT_EQ(RowChecks(h, IDC_SEARCH_EXTENSIONS), std::vector<bool>(36, true));
        SendMessageW(h, WM_COMMAND, IDC_SEARCH_DEFAULT, 0);
        EXPECT_EQ(RowChecks(h, IDC_SEARCH_EXTENSIONS), expected);
        EXPECT_FALSE(Checked(h, IDC_SEARCH_CHECK_SIZE));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, IDC_SEARCH_MAX_SIZE)));
        PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(OpenSettingsKey(kProgramKey), nullptr);  // Cancel writes nothing
}

TEST_F(SearchDialogsTest, WildcardsWarnThenNothingIsFoundAndTheDialogStaysOpen) {
    Key()->WriteString("TreeFullPath", photos_);
    Key()->WriteDword("CheckInclude", 0);
    Key()->WriteDword("CheckTitle", 1);
    Key()->WriteString("TitlePattern", "a*b");
    std::vector<std::string> boxes;
    CTVdlg dialog(lists_, nullptr);
    HWND shown = nullptr;
    const INT_PTR result = RunModal(
            dialog,
            [&shown](HWND h) {
                shown = h;
                PostMessageW(h, WM_COMMAND, IDOK, 0);
                PostMessageW(h, WM_COMMAND, IDCANCEL, 0);  // read once OK's boxes are gone
            },
            &boxes);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Pictavo(i)|Wildcards not allowed! Only substring, please.",
                                               "Pictavo(i)| No Images with selected extensions!"}));
}

TEST_F(SearchDialogsTest, StoredRootIsSelectedAgainAndTheStoredSizeReopensCentred) {
    // Stored as the folder road stores it: the drive letter in lower case.
    Key()->WriteString("TreeFullPath", FirstCharLower(photos_ + "写真\\"));
    WriteFolderRect({10, 10, 810, 610});
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    CTVdlg dialog(lists_, nullptr);
    EXPECT_EQ(RunModal(dialog,
                       [&](HWND h) {
                           EXPECT_EQ(Text(h, IDC_SEARCH_ROOT), photos_ + "写真\\");
                           const int left = (screenWidth - 800) / 2;
                           const int top = (screenHeight - 600) / 2;
                           EXPECT_EQ(RectOf(h), std::tuple(left, top, left + 800, top + 600));
                           MINMAXINFO info{};
                           SendMessageW(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
                           EXPECT_EQ(std::pair(info.ptMinTrackSize.x, info.ptMinTrackSize.y), std::pair(602L, 410L));
                           // Wider and taller: the tree grows both ways, OK follows the right
                           // edge, the extension list stays.
                           auto [tl, tt, tr, tb] = RectOf(h, IDC_SEARCH_TREE);
                           auto [ol, ot, orr, ob] = RectOf(h, IDOK);
                           const auto list = RectOf(h, IDC_SEARCH_EXTENSIONS);
                           SetWindowPos(h, nullptr, 0, 0, 900, 650, SWP_NOMOVE | SWP_NOZORDER);
                           EXPECT_EQ(RectOf(h, IDC_SEARCH_TREE), std::tuple(tl, tt, tr + 100, tb + 50));
                           EXPECT_EQ(RectOf(h, IDOK), std::tuple(ol + 100, ot, orr + 100, ob));
                           EXPECT_EQ(RectOf(h, IDC_SEARCH_EXTENSIONS), list);
                       }),
              IDOK);
    // OK found the two pictures below the stored root and kept the new size.
    EXPECT_EQ(lists_.Lock()->ResultList.Count(), 1);
    const DialogRect stored = ReadFolderRect().value_or(DialogRect{});
    EXPECT_EQ(stored.right - stored.left, 900);
    EXPECT_EQ(Key()->ReadString("TreeFullPath"), photos_ + "写真\\");

    // A stored rectangle smaller than the minimum opens at the minimum.
    WriteFolderRect({0, 0, 100, 100});
    CTVdlg small(lists_, nullptr);
    RunModal(small, [](HWND h) {
        auto [l, t, r, b] = RectOf(h);
        EXPECT_EQ(std::pair(r - l, b - t), std::pair(602L, 410L));
        PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(SearchDialogsTest, FoldersSearchesCyrillicAndCjkNamesAndTheFrameShowsTheResult) {
    Key()->WriteString("TreeFullPath", FirstCharLower(photos_));
    FrameUnderTest f;
    ASSERT_NE(f.frame(), nullptr);
    HWND dialog = f.PostForDialog(WM_COMMAND, ID_FILE_FOLDERS, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, IDC_SEARCH_ROOT), photos_);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());
    EXPECT_EQ(f.Counter(), "1  /  2");
    EXPECT_EQ(f.StatusPane(), photos_ + "пляж.jpg");
    EXPECT_EQ(test::TextOf(f.Child(IDC_FOLDER_BOX)), photos_);
    f.Command(ID_LIST_FORWARD);
    EXPECT_EQ(f.StatusPane(), photos_ + "写真\\海.jpeg");
    EXPECT_EQ(f.Title(), photos_ + "写真\\海.jpeg: src: 6 x 5 pixels zoom: 100 %");
}

TEST_F(SearchDialogsTest, AFileChosenInTheTreeIsOpenedThroughTheFrame) {
    Key()->WriteString("TreeFullPath", photos_ + "пляж.jpg\\");
    FrameUnderTest f;
    HWND dialog = f.PostForDialog(WM_COMMAND, ID_FILE_FOLDERS, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, IDC_SEARCH_ROOT), photos_ + "пляж.jpg\\");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());
    EXPECT_EQ(f.StatusPane(), photos_ + "пляж.jpg");
    EXPECT_EQ(f.Counter(), "2  /  2");  // the folder's pictures: note.bmp, then пляж.jpg
}

TEST_F(SearchDialogsTest, AFolderArgumentRunsTheBrowseAtOnceWhenAutoRunIsStored) {
    Key()->WriteDword("CheckRunAuto", 1);
    Key()->WriteString("TitlePattern", "kept");
    FrameUnderTest f("\"" + photos_.substr(0, photos_.size() - 1) + "\"");
    ASSERT_NE(f.frame(), nullptr);
    f.PostedFence();  // UM_SEARCHDONE, posted by the dialog, is handled
    EXPECT_EQ(f.Counter(), "1  /  2");
    EXPECT_EQ(f.StatusPane(), photos_ + "пляж.jpg");
    EXPECT_EQ(Key()->ReadString("TreeFullPath"), FirstCharLower(photos_));
    EXPECT_EQ(Key()->ReadString("TitlePattern"), "kept");

    // "Uncheck Run Auto-browsing": the next browse waits for the user.
    f.Command(ID_OPTIONS_UNCHECK_AUTO);
    EXPECT_EQ(Key()->ReadDword("CheckRunAuto"), 0u);
    CExplorerDlg browse(lists_, nullptr, photos_.substr(0, photos_.size() - 1));
    EXPECT_EQ(RunModal(browse,
                       [this](HWND h) {
                           EXPECT_EQ(Text(h, 0), "Browse with Pictavo");
                           EXPECT_EQ(Text(h, IDC_SEARCH_ROOT), photos_);
                           EXPECT_FALSE(Checked(h, IDC_SEARCH_RUN_AUTO));
                           EXPECT_EQ(RowChecks(h, IDC_BROWSE_EXTENSIONS).size(), 36u);
                           // "Default" leaves the auto-run box as it is.
                           CheckDlgButton(h, IDC_SEARCH_RUN_AUTO, BST_CHECKED);
                           SendMessageW(h, WM_COMMAND, IDC_SEARCH_DEFAULT, 0);
                           EXPECT_TRUE(Checked(h, IDC_SEARCH_RUN_AUTO));
                           PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
                       }),
              IDCANCEL);
}

TEST_F(SearchDialogsTest, AnAutomaticRunThatFindsNothingEndsWithZeroAndLeavesTheFrameOpen) {
    Key()->WriteDword("CheckRunAuto", 1);
    CreateDirectoryW(Widen(root_ + "empty").c_str(), nullptr);
    std::vector<std::string> boxes;
    CExplorerDlg browse(lists_, nullptr, root_ + "empty");
    EXPECT_EQ(RunModal(
                      browse, [](HWND) {}, &boxes),
              CExplorerDlg::kAutoRunEnded);
    EXPECT_EQ(boxes, std::vector<std::string>{"Norel|No Images"});
}

CMainFrame& FrameOf(const FrameUnderTest& f) {
    return *dynamic_cast<CMainFrame*>(reinterpret_cast<Window*>(GetWindowLongPtrW(f.frame(), GWLP_USERDATA)));
}

std::vector<std::string> MenuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[300] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 300, MF_BYPOSITION);
        const bool grey = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0;
        texts.push_back(Narrow(text) + (grey ? " (grey)" : ""));
    }
    return texts;
}

TEST_F(SearchDialogsTest, RecentFilesSurviveARestartMoveUpWhenOpenedAndDropWhenGone) {
    const std::string a = photos_ + "пляж.jpg";
    const std::string b = photos_ + "note.bmp";
    {
        FrameUnderTest f;
        EXPECT_EQ(MenuTexts(FrameOf(f).search().RecentSubmenu()), std::vector<std::string>{"(empty)"
                                                                                           " (grey)"});
        for (const std::string& path : {a, b}) {
            HWND open = f.PostForDialog(WM_COMMAND, ID_FILE_OPEN, 0);
            ASSERT_NE(open, nullptr);
            Send(open, WM_USER + 104, 0x047C, reinterpret_cast<LPARAM>(Widen(path).c_str()));
            PostMessageW(open, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(f.WaitDialogGone());
        }
    }
    FrameUnderTest f;
    CMainFrame& frame = FrameOf(f);
    EXPECT_EQ(MenuTexts(frame.search().RecentSubmenu()), (std::vector<std::string>{"&1 " + b, "&2 " + a}));
    f.Command(ID_FILE_MRU_FIRST + 1);
    EXPECT_EQ(f.Title(), "Pictavo - пляж.jpg");
    EXPECT_EQ(f.Counter(), "2  /  2");
    EXPECT_EQ(MenuTexts(frame.search().RecentSubmenu()), (std::vector<std::string>{"&1 " + a, "&2 " + b}));

    // The drop-down shows the same entries; Enter on its second line opens that file.
    f.Command(ID_FILE_MRU_DROPDOWN);
    HWND list = frame.search().DropDownWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(Send(list, LB_GETCOUNT, 0, 0), 2);
    f.PressKey(list, VK_DOWN);  // its own keys, not the frame's
    f.PressKey(list, VK_RETURN);
    f.PressKey(f.frame(), VK_SHIFT);  // behind the command the list posted
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(f.Title(), "Pictavo - note.bmp");
    EXPECT_EQ(f.Counter(), "1  /  2");

    // A file that is gone leaves the menu and the store; the list shown stays.
    DeleteFileW(Widen(b).c_str());
    f.Command(ID_FILE_MRU_FIRST);
    EXPECT_EQ(MenuTexts(frame.search().RecentSubmenu()), std::vector<std::string>{"&1 " + a});
    EXPECT_EQ(f.Counter(), "1  /  2");
    auto mru = OpenSettingsKey(kRecentFilesKey);
    ASSERT_NE(mru, nullptr);
    EXPECT_EQ(std::pair(mru->ReadString("Document1"), mru->ReadRaw("Document2").has_value()),
              std::pair(std::optional(a), false));
    f.Command(ID_FILE_MRU_FIRST + 5);  // outside the list: a beep, nothing else
    EXPECT_EQ(f.Title(), "Pictavo - note.bmp");
}

}  // namespace
}  // namespace pv
