// The word pane in a real frame: the words of the folder's names, choosing and ticking them,
// the keyword bar's buttons and the typed keyword.
#include <gtest/gtest.h>
#include <string>

#include "Harness.h"
#include "TestPaths.h"

namespace pv {
namespace {

using test::FrameUnderTest;
using test::Send;

std::string RowText(HWND list, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

TEST(KeywordPaneTest, WordsListAndChoosingOneFiltersTheGrid) {
    test::RegistrySandbox sandbox;
    const std::string folder = test::MakeScratchDir("keywords") + "\\";
    for (const char* name : {"sun_sea.bmp", "sun.bmp", "Sky sea.bmp"}) {
        test::WritePicture(folder + name, 4, 3);
    }
    FrameUnderTest f("\"" + folder + "sun.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    f.Command(ID_LIST_KEYWORDS);
    const HWND list = f.Child(IDC_WORD_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(IsWindowVisible(list), FALSE);
    EXPECT_EQ(f.Mode(), 1);  // the words stand where the image view stood
    ASSERT_EQ(Send(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(f.StatusPane(), "Keywords in filenames and foldernames:  3");

    struct Row {
        const char* word;
        const char* inFile;
        const char* inAll;
    };

    const Row rows[] = {{"sea", "2", "2"}, {"Sky", "1", "1"}, {"sun", "2", "2"}};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(RowText(list, r, 0), rows[r].word);
        EXPECT_EQ(RowText(list, r, 1), rows[r].inFile);
        EXPECT_EQ(RowText(list, r, 2), "0");
        EXPECT_EQ(RowText(list, r, 3), rows[r].inAll);
    }

    // A click on "sun" shows its two files; ticking "Sky" shows its one.
    Send(f.frame(), UM_PANECMD1, 2, 0);
    EXPECT_EQ(f.lists().Lock()->ShownList, ShownListId::KeywordMatch);
    EXPECT_EQ(f.Counter(), "1  /  2");
    Send(f.frame(), UM_PANECMD1, 1, 1);
    EXPECT_EQ(f.lists().Lock()->ShownList, ShownListId::Accumulator);
    EXPECT_EQ(f.Counter(), "1  /  1");
    EXPECT_EQ(Send(list, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    f.Command(ID_KEYWORDS_CLEAR_ACCUMULATOR);
    EXPECT_EQ(f.lists().Lock()->AccumulatorList.Count(), 0);
    EXPECT_EQ(f.lists().Lock()->ShownList, ShownListId::KeywordMatch);

    // Names mode keeps each name whole; a typed keyword lists from the first word it reaches.
    f.Command(IDC_KEYWORD_BUTTON_FIRST + 1);
    EXPECT_EQ(f.StatusPane(), "Filenames and foldernames:  3");
    EXPECT_EQ(RowText(list, 0, 0), "Sky sea");
    Send(f.Child(IDC_KEYWORD_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"SUN"));
    f.Fence();
    ASSERT_EQ(Send(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(RowText(list, 0, 0), "sun");
    Send(f.Child(IDC_KEYWORD_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));

    // The close button's command gives the image view its place back.
    f.Command(ID_PANE_CLOSE);
    EXPECT_EQ(f.Mode(), -1);
    EXPECT_EQ(IsWindowVisible(list), FALSE);
}

}  // namespace
}  // namespace pv
