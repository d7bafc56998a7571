// The framework's bars and panes in a small host window on its own UI thread: command bar,
// tool bars with labels, rebar, status bar with the keyword bar, splitter, UI-update table.
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "Harness.h"
#include "app/win32/FrameBars.h"
#include "base/ResourceIds.h"
#include "framework/CommandBar.h"
#include "framework/FileDialog.h"
#include "framework/PaneContainer.h"
#include "framework/Rebar.h"
#include "framework/ResourceText.h"
#include "framework/Splitter.h"
#include "framework/StatusBar.h"
#include "framework/UpdateUi.h"

namespace pv {
namespace {

// A frame-shaped window assembled from the framework's pieces, as the main frame does.
class Host : public Window {
public:
    CommandBar commandBar;
    HWND counter = nullptr;
    HWND toolBar1 = nullptr;
    HWND toolBar2 = nullptr;
    HWND rebar = nullptr;
    StatusBar statusBar;
    KeywordBar keywordBar;
    Splitter splitter;
    PaneContainer pane;
    HWND left = nullptr;
    UpdateUi ui;
    std::wstring lastCommandPrompt;
    UINT lastCommand = 0;

    bool Build() {
        WindowCreateArgs args;
        args.className = L"PvFrameworkHost";
        args.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE;
        args.rect = {20, 20, 1020, 720};
        if (!Create(args)) {
            return false;
        }
        statusBar.Create(hwnd(), IDC_STATUS_BAR, FrameStatusPanes());
        statusBar.SetPaneIcon(ID_PANE_ICON, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_STATUS)));
        keywordBar.Create(statusBar);

        commandBar.CreateCommandBar(hwnd(), IDC_COMMAND_BAR, IDR_MAINFRAME, hwnd());
        toolBar1 = CreateToolBar(hwnd(), ToolBar1Spec());
        counter = Child(L"EDIT", WS_CHILD | WS_VISIBLE);
        commandBar.PlaceControl(counter, 90, 20);
        toolBar2 = CreateToolBar(hwnd(), ToolBar2Spec());
        SIZE tb2 = ToolBarIdealSize(toolBar2);

        rebar = CreateRebar(hwnd(), IDC_REBAR);
        SIZE cb = commandBar.IdealSize();
        SetWindowPos(commandBar.hwnd(), nullptr, 0, 0, cb.cx, cb.cy, SWP_NOZORDER);
        AddRebarBand(rebar, {commandBar.hwnd(), IDC_COMMAND_BAR, true, cb.cy, cb.cx, true});
        SIZE t1 = ToolBarIdealSize(toolBar1);
        SetWindowPos(toolBar1, nullptr, 0, 0, t1.cx, t1.cy, SWP_NOZORDER);
        AddRebarBand(rebar, {toolBar1, IDC_TOOLBAR1, true, t1.cy, t1.cx, false});
        SetWindowPos(toolBar2, nullptr, 0, 0, tb2.cx + 200, tb2.cy, SWP_NOZORDER);
        AddRebarBand(rebar, {toolBar2, IDC_TOOLBAR2, true, tb2.cy, tb2.cx + 200, false});

        RECT rc{0, 0, 10, 10};
        splitter.CreateSplitter(hwnd(), rc, IDC_SPLITTER);
        left = Child(L"STATIC", WS_CHILD | WS_VISIBLE);
        pane.CreatePane(hwnd(), 300, L"Keywords", ID_PANE_CLOSE);
        pane.SetClient(Child(L"STATIC", WS_CHILD | WS_VISIBLE));
        splitter.SetPanes(left, pane.hwnd());

        ui.AddToolBar(toolBar1);
        ui.AddToolBar(toolBar2);
        ui.Check(ID_VIEW_BILINEAR, true);
        Layout();
        return true;
    }

    void Layout() { LayOutFrame(hwnd(), rebar, statusBar.hwnd(), splitter.hwnd()); }

    HWND Child(const wchar_t* cls, DWORD style) {
        return CreateWindowExW(0, cls, L"", style, 0, 0, 0, 0, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_SIZE:
            if (rebar != nullptr) {
                Layout();
            }
            return 0;
        case WM_INITMENUPOPUP: ui.ApplyToMenu(reinterpret_cast<HMENU>(wp)); return 0;
        case WM_MENUSELECT:
            if (HIWORD(wp) != 0xFFFF && (HIWORD(wp) & MF_POPUP) == 0) {
                lastCommandPrompt = CommandPrompt(LOWORD(wp));
            }
            return 0;
        case WM_COMMAND: lastCommand = LOWORD(wp); return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lp)->code == RBN_HEIGHTCHANGE) {
                Layout();
            }
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return Window::OnMessage(msg, wp, lp);
        }
    }
};

// The host lives on the test's side and outlives the thread that builds and runs it.
struct HostThread {
    Host host;
    test::UiThread ui{0, 0, [this](HWND) { return host.Build() ? host.hwnd() : nullptr; }};
};

RECT RectIn(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(FrameworkUiTest, StatusBarPanesAndKeywordBar) {
    HostThread t;
    ASSERT_NE(t.ui.hwnd(), nullptr);
    Host& h = t.host;
    HWND sb = h.statusBar.hwnd();
    EXPECT_EQ(SendMessageW(sb, SB_GETPARTS, 0, 0), 8);
    EXPECT_NE(SendMessageW(sb, SB_GETICON, 1, 0), 0);
    EXPECT_EQ(std::pair(test::TextOf(h.keywordBar.Label()), GetParent(h.keywordBar.Label())),
              std::pair(std::string("Type in the keyword to find:"), sb));
    // The edit box and each button keep inside their own panes.
    for (int k = -1; k < 5; ++k) {
        HWND control = GetDlgItem(sb, k < 0 ? IDC_KEYWORD_EDIT : IDC_KEYWORD_BUTTON_FIRST + k);
        ASSERT_NE(control, nullptr) << k;
        RECT pane = h.statusBar.PaneRect(k < 0 ? ID_PANE_KEYWORD : ID_PANE_BUTTON1 + k);
        RECT r = RectIn(control, sb);
        EXPECT_TRUE(r.left >= pane.left && r.right <= pane.right) << k;
        EXPECT_TRUE(k < 0 || h.keywordBar.Button(k).Face() == 0) << k;
    }
    EXPECT_EQ(h.keywordBar.Button(4).toolTip(), L"To use to search in files and folders");
    t.ui.Run([&] { EnableWindow(GetDlgItem(sb, IDC_KEYWORD_BUTTON_FIRST + 2), FALSE); });
    EXPECT_EQ(h.keywordBar.Button(2).Face(), 2);
    // Only the main pane stretches with the window.
    RECT mainBefore = h.statusBar.PaneRect(ID_PANE_MAIN);
    t.ui.Run([&] { SetWindowPos(h.hwnd(), nullptr, 0, 0, 800, 700, SWP_NOMOVE | SWP_NOZORDER); });
    EXPECT_EQ(mainBefore.right - h.statusBar.PaneRect(ID_PANE_MAIN).right, 200);
    EXPECT_EQ(h.statusBar.PaneRect(ID_PANE_BUTTON5).left - h.statusBar.PaneRect(ID_PANE_KEYWORD).left, 350 + 4 * 58);
}

TEST(FrameworkUiTest, ToolBarsCarryLabelsAndRebarBands) {
    HostThread t;
    ASSERT_NE(t.ui.hwnd(), nullptr);
    Host& h = t.host;
    EXPECT_EQ(std::pair(SendMessageW(h.toolBar1, TB_BUTTONCOUNT, 0, 0), SendMessageW(h.toolBar2, TB_BUTTONCOUNT, 0, 0)),
              std::pair(LRESULT{12}, LRESULT{14}));
    for (auto [bar, buttons] : {std::pair{h.toolBar1, ToolBar1Buttons()}, std::pair{h.toolBar2, ToolBar2Buttons()}}) {
        for (const ToolButtonSpec& b : buttons) {
            wchar_t text[64] = {};
            if (b.command != 0) {
                SendMessageW(bar, TB_GETBUTTONTEXTW, b.command, reinterpret_cast<LPARAM>(text));
                EXPECT_STREQ(text, b.label);
            }
        }
    }
    EXPECT_NE(SendMessageW(h.toolBar1, TB_GETIMAGELIST, 0, 0), 0);
    EXPECT_EQ(RebarBandIndex(h.rebar, IDC_TOOLBAR1), 1);
    EXPECT_TRUE(IsRebarBandVisible(h.rebar, IDC_TOOLBAR1));
    t.ui.Run([&] { ShowRebarBand(h.rebar, IDC_TOOLBAR1, false); });
    EXPECT_TRUE(!IsRebarBandVisible(h.rebar, IDC_TOOLBAR1) && IsRebarBandVisible(h.rebar, IDC_TOOLBAR2));
    EXPECT_EQ(RebarBandIndex(h.rebar, 12345), -1);
}

TEST(FrameworkUiTest, CommandBarShowsTheMenuAndTheCounter) {
    HostThread t;
    ASSERT_NE(t.ui.hwnd(), nullptr);
    CommandBar& bar = t.host.commandBar;
    // One button per popup, titled as the menu (whose texts the resource test pins).
    ASSERT_EQ(bar.ButtonCount(), 10);
    EXPECT_EQ(bar.ButtonText(0) + bar.ButtonText(5) + bar.ButtonText(9), L"&FileEffec&t&Help");
    EXPECT_EQ(std::tuple(bar.MnemonicIndex(L'v'), bar.MnemonicIndex(L'T'), bar.MnemonicIndex(L'q')),
              std::tuple(2, 5, -1));
    // The counter sits right of the last menu button.
    RECT last{};
    SendMessageW(bar.ToolBar(), TB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&last));
    EXPECT_TRUE(RectIn(t.host.counter, bar.ToolBar()).left > last.right && GetParent(t.host.counter) == bar.hwnd());

    // Alt pressed and released lights the first button; arrows move; Escape leaves; F10 enters.
    struct Key {
        UINT message;
        WPARAM key;
        bool eaten;
        int hot;
    };

    for (const Key& k : {Key{WM_SYSKEYDOWN, VK_MENU, false, -1}, Key{WM_SYSKEYUP, VK_MENU, true, 0},
                         Key{WM_KEYDOWN, VK_RIGHT, true, 1}, Key{WM_KEYDOWN, VK_ESCAPE, true, -1},
                         Key{WM_SYSKEYDOWN, VK_F10, true, 0}}) {
        bool eaten = false;
        t.ui.Run([&] {
            MSG msg{t.host.hwnd(), k.message, k.key, 0, 0, {}};
            eaten = bar.PreTranslateMessage(&msg);
        });
        EXPECT_EQ(std::pair(eaten, bar.HotIndex()), std::pair(k.eaten, k.hot)) << k.key;
    }
}

// The popup's owner hears WM_ENTERIDLE once the open menu has handled every key queued
// before it: only then is Enter pressed, so the test neither guesses nor races the menu.
LRESULT CALLBACK PressEnterWhenMenuIdle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    if (msg == WM_ENTERIDLE && wp == MSGF_MENU) {
        RemoveWindowSubclass(hwnd, &PressEnterWhenMenuIdle, id);
        PostMessageW(hwnd, WM_KEYDOWN, VK_RETURN, 0);
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

TEST(FrameworkUiTest, CommandBarOpensAPopupByMnemonicAndSendsTheCommand) {
    HostThread t;
    ASSERT_NE(t.ui.hwnd(), nullptr);
    Host& h = t.host;
    // Alt+V opens the View popup with its first item selected; Enter picks "&Toolbar".
    // Should the menu never report idle, Escape ends it after ten seconds: a failure, no hang.
    std::promise<void> closed;
    std::thread guard([bar = h.commandBar.hwnd(), done = closed.get_future()] {
        if (done.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            PostMessageW(bar, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    bool eaten = false;
    t.ui.Run([&] {
        h.ui.Enable(ID_FILE_SAVE, false);
        SetWindowSubclass(h.commandBar.hwnd(), &PressEnterWhenMenuIdle, 1, 0);
        MSG alt{h.hwnd(), WM_SYSCHAR, L'v', 0x20000000, 0, {}};
        eaten = h.commandBar.PreTranslateMessage(&alt);
    });
    closed.set_value();
    guard.join();
    EXPECT_TRUE(eaten);
    EXPECT_EQ(h.lastCommandPrompt, L"Show or hide the tool bars");
    // The chosen command was posted to the target.
    ASSERT_TRUE(t.ui.Fence());
    EXPECT_EQ(h.lastCommand, static_cast<UINT>(ID_VIEW_TOOLBAR));
}

TEST(FrameworkUiTest, UpdateUiReachesMenusAndToolBars) {
    HostThread t;
    ASSERT_NE(t.ui.hwnd(), nullptr);
    Host& h = t.host;
    UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    HMENU file = GetSubMenu(menu.get(), 0);
    HMENU image = GetSubMenu(menu.get(), 3);
    t.ui.Run([&] {
        h.ui.Enable(ID_FILE_SAVE, false);
        h.ui.Check(ID_VIEW_FITTOWINDOW, true);
        h.ui.Check(ID_VIEW_BILINEAR, false);
        h.ui.SetRadio(ID_VIEW_NEAREST, true);
        h.ui.SetDefault(ID_FILE_OPEN, true);
        h.ui.PushToToolBars();
        SendMessageW(h.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
        SendMessageW(h.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(image), 0);
    });
    EXPECT_FALSE(SendMessageW(h.toolBar1, TB_ISBUTTONENABLED, ID_FILE_SAVE, 0));
    EXPECT_TRUE(SendMessageW(h.toolBar1, TB_ISBUTTONENABLED, ID_FILE_OPEN, 0) &&
                SendMessageW(h.toolBar2, TB_ISBUTTONCHECKED, ID_VIEW_FITTOWINDOW, 0));
    // Both "&Save" items share the id and both follow it.
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
        if (GetMenuItemID(file, i) == ID_FILE_SAVE) {
            EXPECT_TRUE(GetMenuState(file, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED);
        }
    }
    EXPECT_EQ(GetMenuDefaultItem(file, FALSE, 0), ID_FILE_OPEN);
    EXPECT_TRUE(GetMenuState(image, ID_VIEW_FITTOWINDOW, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(image, ID_VIEW_BILINEAR, MF_BYCOMMAND) & MF_CHECKED);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoW(image, ID_VIEW_NEAREST, FALSE, &info);
    EXPECT_TRUE((info.fType & MFT_RADIOCHECK) && (info.fState & MFS_CHECKED));
    // Commands outside the table keep their resource state.
    EXPECT_FALSE(GetMenuState(image, ID_IMAGE_RESIZE, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED));
    // Re-enabling reaches the tool bar at the next push only.
    t.ui.Run([&] { h.ui.Enable(ID_FILE_SAVE, true); });
    EXPECT_FALSE(SendMessageW(h.toolBar1, TB_ISBUTTONENABLED, ID_FILE_SAVE, 0));
    t.ui.Run([&] { h.ui.PushToToolBars(); });
    EXPECT_TRUE(SendMessageW(h.toolBar1, TB_ISBUTTONENABLED, ID_FILE_SAVE, 0));
}

TEST(FrameworkUiTest, SplitterModesAndProportionalDivider) {
    HostThread t;
    ASSERT_NE(t.ui.hwnd(), nullptr);
    Host& h = t.host;
    Splitter& s = h.splitter;
    auto width = [](HWND w) {
        RECT r = RectIn(w, nullptr);
        return r.right - r.left;
    };
    RECT client{};
    GetClientRect(s.hwnd(), &client);
    t.ui.Run([&] { s.SetSplitterFraction(0.382); });
    EXPECT_EQ(s.SplitterPos(), static_cast<int>(client.right * 0.382));
    EXPECT_TRUE(IsWindowVisible(h.left) && IsWindowVisible(h.pane.hwnd()));
    EXPECT_EQ(width(h.left), s.SplitterPos());

    // Which pane a mode shows the real frame's Toggle checks; here the one shown fills.
    t.ui.Run([&] { s.SetSinglePaneMode(0); });
    EXPECT_EQ(std::pair(width(h.left), s.ActivePane()), std::pair(client.right, 0));
    t.ui.Run([&] { s.SetSinglePaneMode(1); });
    EXPECT_EQ(s.ActivePane(), 1);

    // Back to both: a proportional divider follows the width, a pixel one does not.
    t.ui.Run([&] {
        s.SetSinglePaneMode(-1);
        s.SetSplitterFraction(0.382);
        SetWindowPos(h.hwnd(), nullptr, 0, 0, 1300, 700, SWP_NOMOVE | SWP_NOZORDER);
    });
    GetClientRect(s.hwnd(), &client);
    EXPECT_EQ(s.SplitterPos(), static_cast<int>(client.right * 0.382));
    t.ui.Run([&] {
        s.SetSplitterPos(200);
        SetWindowPos(h.hwnd(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
    });
    EXPECT_EQ(std::pair(s.SplitterPos(), s.IsProportional()), std::pair(200, false));

    // The pane container under the divider: title over its client, close box inside.
    PaneContainer& pane = h.pane;
    EXPECT_EQ(pane.Title(), L"Keywords");
    RECT inner{};
    GetClientRect(pane.hwnd(), &client);
    GetWindowRect(pane.Client(), &inner);
    EXPECT_EQ(inner.bottom - inner.top, client.bottom - pane.TitleHeight());
    RECT close = pane.CloseRect();
    EXPECT_TRUE(close.right <= client.right && close.right - close.left > 4);
}

TEST(FrameworkUiTest, FileDialogFilterStringAndExtension) {
    const FileFilter filters[] = {{"BMP (*.bmp)", "*.bmp"},
                                  {"JPG, JPEG, JFIF (*.jpg, *.jpeg, *.jfif)", "*.jpg; *.jpeg"}};
    EXPECT_EQ(BuildFilterString(filters),
              std::wstring(L"BMP (*.bmp)\0*.bmp\0JPG, JPEG, JFIF (*.jpg, *.jpeg, *.jfif)\0*.jpg; *.jpeg\0\0", 73));
    for (auto [given, bare] : {std::pair{"*.jpg", L"jpg"}, {".bmp", L"bmp"}, {"jpg", L"jpg"}, {"", L""}}) {
        EXPECT_EQ(BareExtension(given), bare) << given;
    }
}

}  // namespace
}  // namespace pv
