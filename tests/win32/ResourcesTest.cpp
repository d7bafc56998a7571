// The program's resources as the user meets them: menu texts and first states,
// accelerators, tool tips and prompts, icons.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/win32/FrameBars.h"
#include "base/ResourceIds.h"
#include "base/win32/Handles.h"
#include "framework/ResourceText.h"

namespace pv {
namespace {

// Each popup as one line: its title, then its items in order ("-" a separator, "name>" a
// popup listed on a line of its own, "[x]" checked, "[-]" grayed).
void MenuLines(HMENU menu, const std::wstring& title, std::vector<std::wstring>& out) {
    const size_t mine = out.size();
    out.push_back(title + L":");
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        std::wstring item = text;
        item += info.hSubMenu != nullptr ? L">" : L"";
        item += (info.fState & MFS_CHECKED) != 0 ? L"[x]" : L"";
        item += (info.fState & MFS_DISABLED) != 0 ? L"[-]" : L"";
        item = (info.fType & MFT_SEPARATOR) != 0 ? L"-" : item;
        out[mine] += (out[mine].back() == L':' ? L" " : L" | ") + item;
        if (info.hSubMenu != nullptr) {
            MenuLines(info.hSubMenu, text, out);
        }
    }
}

std::vector<std::wstring> LoadMenuLines(UINT menuId) {
    UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId)));
    std::vector<std::wstring> lines;
    if (menu) {
        MenuLines(menu.get(), L"bar", lines);
    }
    return lines;
}

TEST(ResourcesTest, MenusShowTheirTextsAndFirstStates) {
    const std::vector<std::wstring> main = {
            L"bar: &File> | &Edit> | &View> | &Image> | &List> | Effec&t> | &Wallpaper> | &Selection> | &Options> | "
            L"&Help>",
            L"&File: &New\tCtrl+N | &Open...\tCtrl+O | &Folders...\tCtrl+F | - | &Save | &Save As\tCtrl+S | Capture | "
            L"- | &Print...\tCtrl+P | Print Pre&view | Page Setup... | - | Recent Files> | - | E&xit",
            L"Recent Files: (empty)[-]",
            L"&Edit: Cu&t\tCtrl+X | &Copy\tCtrl+C | &Paste\tCtrl+V",
            L"&View: &Toolbar[x] | &Status Bar[x] | - | Thumbnails | Report | Toggle | - | Full screen view | "
            L"Slide show",
            L"&Image: Original Size\tHome | ZoomIn\tPlus | ZoomOut\tMinus | FitToWindow | - |  Nearest Neighborhood    "
            L"|  BLinear    [x] | - | Resize",
            L"&List: Begin | Back | Forward | - | Open Files List | Save Files List | Sort Files List> | - | "
            L"Keywords and Names List | Manager",
            L"Sort Files List: Sort by Name              (ascending) | Sort by Size              (ascending) | "
            L"Sort by Size              (descending) | Sort by Modification Date (ascending) | "
            L"Sort by Modification Date (descending) | Sort by Creation Date     (ascending) | "
            L"Sort by Creation Date     (descending) | Sort by Last Access Date  (ascending) | "
            L"Sort by Last Access Date  (descending) | - | SortList",
            L"Effec&t: Gray Scale | Horizontal Flip | Vertical Flip | Negative | Glass | StippledGlass",
            L"&Wallpaper: Set As Wallpaper",
            L"&Selection: Select All | Clear All Selections | - | Copy Selected Files | Delete Selected Files",
            L"&Options: Associate File Extensions | Associate Program Manager | - | Uncheck Run Auto-browsing",
            L"&Help: &Help... | - | &About Pictavo...",
    };
    EXPECT_EQ(LoadMenuLines(IDR_MAINFRAME), main);
    const std::vector<std::wstring> view = {
            L"bar: View>",
            L"View:  Original Size   |  ZoomIn          +    [x] |  ZoomOut         -     | - |  Nearest Neighborhood"
            L"    |  BLinear    [x] | - |  File Open        |  Folders          |  Save As         ",
    };
    EXPECT_EQ(LoadMenuLines(IDR_VIEW_MENU), view);
}

TEST(ResourcesTest, AcceleratorsMapTheListedKeys) {
    // A table loaded from resources is freed with the module.
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
            {FCONTROL, 'N', ID_FILE_NEW},        {FCONTROL, 'O', ID_FILE_OPEN},      {FCONTROL, 'F', ID_FILE_FOLDERS},
            {FCONTROL, 'S', ID_FILE_SAVE},       {FCONTROL, 'P', ID_FILE_PRINT},     {FCONTROL, 'X', ID_EDIT_CUT},
            {FCONTROL, 'C', ID_EDIT_COPY},       {FCONTROL, 'V', ID_EDIT_PASTE},     {FSHIFT, VK_DELETE, ID_EDIT_CUT},
            {FCONTROL, VK_INSERT, ID_EDIT_COPY}, {FSHIFT, VK_INSERT, ID_EDIT_PASTE}, {0, VK_F6, ID_NEXT_PANE},
            {FSHIFT, VK_F6, ID_PREV_PANE},       {0, VK_SPACE, ID_LIST_FORWARD},     {0, VK_ADD, ID_VIEW_ZOOMIN},
            {0, VK_SUBTRACT, ID_VIEW_ZOOMOUT},   {0, VK_HOME, ID_VIEW_ORIGINAL},
    };
    ASSERT_EQ(accels.size(), std::size(expected));
    for (const Key& k : expected) {
        bool found = false;
        for (const ACCEL& a : accels) {
            found = found || ((a.fVirt & ~FNOINVERT) == (FVIRTKEY | k.mods) && a.key == k.key && a.cmd == k.command);
        }
        EXPECT_TRUE(found) << "key " << k.key << " command " << k.command;
    }
}

TEST(ResourcesTest, ToolTipsFollowTheFirstLineBreakAndIconsLoad) {
    EXPECT_EQ(CommandToolTip(ID_VIEW_TOGGLE),
              L"Consecutively: View window, \nView/Thumbnails window, \nThumbnails window");
    EXPECT_EQ(CommandPrompt(ID_LIST_FORWARD), L"Show next image");
    EXPECT_EQ(CommandPrompt(ID_LIST_BACK), L"Show previous image");
    EXPECT_EQ(CommandPrompt(ID_LIST_BEGIN), L"Show selected files from the first file");
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
    for (int size : {16, 32, 48, 256}) {
        UniqueIcon icon(static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0)));
        EXPECT_TRUE(icon) << size;
    }
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_STATUS)), nullptr);
}

}  // namespace
}  // namespace pv
