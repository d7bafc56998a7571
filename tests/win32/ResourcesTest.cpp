// The program's resources: menu texts, ids and first checks, accelerators, tool tips.
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "app/win32/FrameBars.h"
#include "base/ResourceIds.h"
#include "base/win32/Handles.h"
#include "framework/ResourceText.h"

namespace pv {
namespace {

struct Item {
    UINT id;
    std::wstring text;
    UINT state;
};

void Walk(HMENU menu, std::vector<Item>& out, std::vector<std::wstring>& popups) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        if (info.hSubMenu != nullptr) {
            popups.push_back(text);
            Walk(info.hSubMenu, out, popups);
        } else if ((info.fType & MFT_SEPARATOR) == 0) {
            out.push_back({info.wID, text, info.fState});
        }
    }
}

std::vector<Item> LoadItems(UINT menuId, std::vector<std::wstring>* popups = nullptr) {
    UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId)));
    std::vector<Item> items;
    std::vector<std::wstring> names;
    if (menu) {
        Walk(menu.get(), items, names);
    }
    if (popups != nullptr) {
        *popups = names;
    }
    return items;
}

TEST(ResourcesTest, MainMenuHasEveryCommandWithItsText) {
    const std::multimap<UINT, std::wstring> expected = {
            {57600, L"&New\tCtrl+N"},
            {57601, L"&Open...\tCtrl+O"},
            {130, L"&Folders...\tCtrl+F"},
            {32856, L"Capture"},
            {32848, L"&Save"},
            {32848, L"&Save As\tCtrl+S"},
            {57607, L"&Print...\tCtrl+P"},
            {57605, L"Page Setup..."},
            {57616, L"(empty)"},
            {57665, L"E&xit"},
            {57634, L"&Copy\tCtrl+C"},
            {57637, L"&Paste\tCtrl+V"},
            {57635, L"Cu&t\tCtrl+X"},
            {32849, L"Associate File Extensions"},
            {32864, L"Associate Program Manager"},
            {32863, L"Uncheck Run Auto-browsing"},
            {133, L"Original Size\tHome"},
            {134, L"ZoomIn\tPlus"},
            {135, L"ZoomOut\tMinus"},
            {32831, L" Nearest Neighborhood   "},
            {32832, L" BLinear    "},
            {32843, L"FitToWindow"},
            {59392, L"&Toolbar"},
            {59393, L"&Status Bar"},
            {32850, L"Full screen view"},
            {32858, L"Slide show"},
            {32808, L"Thumbnails"},
            {32809, L"Report"},
            {32821, L"Sort by Name              (ascending)"},
            {32822, L"Sort by Size              (ascending)"},
            {32823, L"Sort by Size              (descending)"},
            {32824, L"Sort by Modification Date (ascending)"},
            {32825, L"Sort by Modification Date (descending)"},
            {32826, L"Sort by Creation Date     (ascending)"},
            {32827, L"Sort by Creation Date     (descending)"},
            {32828, L"Sort by Last Access Date  (ascending)"},
            {32829, L"Sort by Last Access Date  (descending)"},
            {32810, L"SortList"},
            {32812, L"Open Files List"},
            {32813, L"Save Files List"},
            {32862, L"Resize"},
            {32844, L"Gray Scale"},
            {32845, L"Horizontal Flip"},
            {32846, L"Vertical Flip"},
            {32855, L"Negative"},
            {32859, L"Glass"},
            {32860, L"StippledGlass"},
            {32847, L"Set As Wallpaper"},
            {32867, L"Select All"},
            {32868, L"Clear All Selections"},
            {32869, L"Copy Selected Files"},
            {32870, L"Delete Selected Files"},
            {32872, L"Keywords and Names List"},
            {32842, L"Begin"},
            {136, L"Back"},
            {137, L"Forward"},
            {32818, L"Toggle"},
            {32861, L"Manager"},
            {32854, L"&Help..."},
            {57664, L"&About Pictavo..."},
    };
    std::vector<std::wstring> popups;
    std::vector<Item> items = LoadItems(IDR_MAINFRAME, &popups);
    ASSERT_EQ(items.size(), expected.size());
    std::multimap<UINT, std::wstring> actual;
    for (const Item& item : items) {
        actual.emplace(item.id, item.text);
    }
    EXPECT_EQ(actual, expected);

    for (const wchar_t* name : {L"&File", L"&Edit", L"&View", L"Recent Files", L"Sort Files List", L"Effec&t",
                                L"&Wallpaper", L"&Selection", L"&Options", L"&Help"}) {
        EXPECT_NE(std::find(popups.begin(), popups.end(), name), popups.end()) << name;
    }
    // First states: bilinear, tool bar and status bar checked; the placeholder disabled.
    for (const Item& item : items) {
        bool checked = (item.state & MFS_CHECKED) != 0;
        bool wantChecked = item.id == 32832 || item.id == 59392 || item.id == 59393;
        EXPECT_EQ(checked, wantChecked) << item.id;
        EXPECT_EQ((item.state & MFS_DISABLED) != 0, item.id == 57616) << item.id;
    }
}

TEST(ResourcesTest, ViewMenuItemsAndChecks) {
    const std::vector<std::pair<UINT, std::wstring>> expected = {
            {1089, L" Original Size  "},         {1090, L" ZoomIn          +    "}, {1091, L" ZoomOut         -    "},
            {1092, L" Nearest Neighborhood   "}, {1093, L" BLinear    "},           {1094, L" File Open       "},
            {32819, L" Folders         "},       {1095, L" Save As         "},
    };
    std::vector<Item> items = LoadItems(IDR_VIEW_MENU);
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].id, expected[i].first);
        EXPECT_EQ(items[i].text, expected[i].second);
        EXPECT_EQ((items[i].state & MFS_CHECKED) != 0, items[i].id == 1090 || items[i].id == 1093);
    }
}

TEST(ResourcesTest, AcceleratorsMapTheListedKeys) {
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> accels(static_cast<size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, accels.data(), static_cast<int>(accels.size()));

    struct Key {
        BYTE mods;
        WORD key;
        WORD command;
    };

    const Key expected[] = {
            {FCONTROL, 'N', 57600},       {FCONTROL, 'O', 57601},     {FCONTROL, 'F', 130},
            {FCONTROL, 'S', 32848},       {FCONTROL, 'P', 57607},     {FCONTROL, 'X', 57635},
            {FCONTROL, 'C', 57634},       {FCONTROL, 'V', 57637},     {FSHIFT, VK_DELETE, 57635},
            {FCONTROL, VK_INSERT, 57634}, {FSHIFT, VK_INSERT, 57637}, {0, VK_F6, 57680},
            {FSHIFT, VK_F6, 57681},       {0, VK_SPACE, 137},         {0, VK_ADD, 134},
            {0, VK_SUBTRACT, 135},        {0, VK_HOME, 133},
    };
    ASSERT_EQ(accels.size(), std::size(expected));
    for (const Key& k : expected) {
        bool found = false;
        for (const ACCEL& a : accels) {
            found = found || ((a.fVirt & ~FNOINVERT) == (FVIRTKEY | k.mods) && a.key == k.key && a.cmd == k.command);
        }
        EXPECT_TRUE(found) << "key " << k.key << " command " << k.command;
    }
    DestroyAcceleratorTable(table);
}

TEST(ResourcesTest, ToolTipsFollowTheFirstLineBreak) {
    EXPECT_EQ(CommandToolTip(32818), L"Consecutively: View window, \nView/Thumbnails window, \nThumbnails window");
    EXPECT_EQ(CommandPrompt(137), L"Show next image");
    EXPECT_EQ(CommandPrompt(136), L"Show previous image");
    EXPECT_EQ(CommandPrompt(32842), L"Show selected files from the first file");
    // Every tool-bar button has a prompt and a tip.
    for (auto buttons : {ToolBar1Buttons(), ToolBar2Buttons()}) {
        for (const ToolButtonSpec& b : buttons) {
            if (b.command != 0) {
                EXPECT_FALSE(CommandPrompt(b.command).empty()) << b.command;
                EXPECT_FALSE(CommandToolTip(b.command).empty()) << b.command;
            }
        }
    }
    // A command without a string answers empty, not garbage.
    EXPECT_TRUE(CommandToolTip(31999).empty());
}

TEST(ResourcesTest, PicturesHaveTheirSizes) {
    struct Strip {
        UINT id;
        int width;
        int height;
    };

    const Strip strips[] = {{202, 9 * 28, 21}, {1202, 9 * 56, 42}, {204, 80, 2},   {236, 162, 21}, {237, 162, 21},
                            {238, 162, 21},    {239, 162, 21},     {240, 162, 21}, {1240, 324, 42}};
    for (const Strip& s : strips) {
        UniqueBitmap bitmap(static_cast<HBITMAP>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(s.id), IMAGE_BITMAP, 0, 0, 0)));
        ASSERT_TRUE(bitmap) << s.id;
        BITMAP info{};
        GetObjectW(bitmap.get(), sizeof info, &info);
        EXPECT_EQ(info.bmWidth, s.width) << s.id;
        EXPECT_EQ(info.bmHeight, s.height) << s.id;
    }
    for (int size : {16, 32, 48, 256}) {
        UniqueIcon icon(static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0)));
        EXPECT_TRUE(icon) << size;
    }
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_STATUS)), nullptr);
}

}  // namespace
}  // namespace pv
