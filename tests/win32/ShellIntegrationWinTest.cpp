// Fitting into Windows under Wine: the options dialog's keys, the open command, FAR and the file
// manager. HKEY_CLASSES_ROOT is a scratch key that, as on some systems, merges nothing in.
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Harness.h"
#include "TestPaths.h"
#include "shell/Associations.h"
#include "shell/win32/OptionsDlg.h"

namespace pv {
namespace {

using test::FrameUnderTest;
using test::Send;

constexpr const char* kExe = "C:\\Program Files\\Pictavo\\Pictavo.exe";
constexpr int kJpgRow = 0;
constexpr int kGifRow = 3;
constexpr int kBmpRow = 4;

// Every value under root\path as sorted "key|name|type|text" lines.
std::vector<std::string> Dump(HKEY root, const std::wstring& path, const std::string& at = "") {
    std::vector<std::string> out;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return out;
    }
    wchar_t name[256];
    wchar_t data[512];
    DWORD type = 0;
    for (DWORD i = 0, n = 256, size = sizeof data;
         RegEnumValueW(key, i, name, &n, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
         ++i, n = 256, size = sizeof data) {
        out.push_back(at + "|" + Narrow(name) + "|" + std::to_string(type) + "|" +
                      (type == REG_SZ ? Narrow(data) : ""));
    }
    for (DWORD i = 0, n = 256; RegEnumKeyExW(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, n = 256) {
        for (std::string& line : Dump(key, name, (at.empty() ? "" : at + "\\") + Narrow(name))) {
            out.push_back(std::move(line));
        }
    }
    RegCloseKey(key);
    std::sort(out.begin(), out.end());
    return out;
}

void SetDefault(HKEY root, const wchar_t* path, const wchar_t* value) {
    RegSetKeyValueW(root, path, nullptr, REG_SZ, value, static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

std::string ItemText(HWND dialog, int id) {
    return test::TextOf(id == 0 ? dialog : GetDlgItem(dialog, id));
}

void Tick(HWND dialog, int row) {
    ListView_SetItemState(GetDlgItem(dialog, IDC_OPTIONS_LIST), row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
}

bool IsTicked(HWND dialog, int row) {
    return (ListView_GetItemState(GetDlgItem(dialog, IDC_OPTIONS_LIST), row, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

// This test program's folder holds Pictavo.exe and pictavo-cli.exe too.
std::wstring BesideMe(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.substr(0, path.rfind(L'\\') + 1) + name;
}

class ShellIntegrationWinTest : public ::testing::Test {
protected:
    ShellIntegrationWinTest() {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"ClassesRoot", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &classes_, nullptr);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, classes_);
    }

    ~ShellIntegrationWinTest() override {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegCloseKey(classes_);
    }

    // Runs the dialog as the frame does; `onDialog` acts in it, then the harness presses OK.
    // Every message box it showed, as "caption: text".
    static std::vector<std::string> RunOptions(const std::string& programPath, std::function<void(HWND)> onDialog) {
        std::vector<std::string> boxes;
        test::UiThread ui(0, 0, [](HWND host) { return host; });
        ui.onBox = [&](HWND box) {
            if (GetDlgItem(box, IDC_OPTIONS_LIST) != nullptr) {
                onDialog(box);
            } else {
                boxes.push_back(ItemText(box, 0) + ": " + ItemText(box, 0xFFFF));
            }
        };
        ui.Run([&] {
            COptionsDlg dialog;
            dialog.programPath = programPath;
            dialog.DoModal(ui.host());
        });
        return boxes;
    }

    test::RegistrySandbox sandbox_;
    HKEY classes_ = nullptr;
};

TEST_F(ShellIntegrationWinTest, TickingGifWritesItsKeysAndTheTicksAndNothingElse) {
    CreateSettingsKey(kProgramKey)->WriteDword("FileManager", 1);
    // An old GIF type with verbs of its own, in both places: they go.
    SetDefault(HKEY_CURRENT_USER, L"Software\\Classes\\GIF\\Shell\\Edit\\Command", L"old.exe %1");
    SetDefault(HKEY_CLASSES_ROOT, L"GIF\\Shell\\Print\\Command", L"old.exe /p %1");
    EXPECT_EQ(RunOptions(kExe,
                         [](HWND h) {
                             EXPECT_EQ(ItemText(h, 0) + "|" + ItemText(h, IDC_OPTIONS_MANAGER_GROUP),
                                       "Dialog|File Manager is applied to return from Pictavo");
                             wchar_t row[32] = {};
                             ListView_GetItemText(GetDlgItem(h, IDC_OPTIONS_LIST), kJpgRow, 0, row, 32);
                             EXPECT_EQ(Narrow(row), " jpg  JPEG");
                             EXPECT_EQ(ListView_GetItemCount(GetDlgItem(h, IDC_OPTIONS_LIST)), 36);
                             EXPECT_FALSE(IsTicked(h, kJpgRow));  // nothing stored: nothing ticked
                             EXPECT_EQ(IsDlgButtonChecked(h, IDC_OPTIONS_TOTALCMD), BST_CHECKED);
                             Tick(h, kGifRow);
                             CheckRadioButton(h, IDC_OPTIONS_EXPLORER, IDC_OPTIONS_FAR, IDC_OPTIONS_FAR);
                         }),
              std::vector<std::string>());
    const std::string command = "\"C:\\Program Files\\Pictavo\\Pictavo.exe\" \"%1\"";
    std::vector<std::string> gif = {".gif||1|GIF",
                                    ".gif\\OpenWithProgids|GIF|0|",
                                    "GIF||1|GIF",
                                    "GIF\\DefaultIcon||1|" + std::string(kExe) + ",1",
                                    "GIF\\Shell\\Open\\Command||1|" + command,
                                    "GIF\\Shell\\View with Pictavo\\Command||1|" + command};
    std::sort(gif.begin(), gif.end());
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, L"Software\\Classes"), gif);
    EXPECT_EQ(Dump(HKEY_CLASSES_ROOT, L""), gif);  // not merged there: written there too
    std::vector<uint8_t> flags(144, 0);
    flags[4 * kGifRow] = 1;
    EXPECT_EQ(OpenSettingsKey(kProgramKey)->ReadRaw("AssociationList")->data, flags);
    EXPECT_EQ(OpenSettingsKey(kProgramKey)->ReadDword("FileManager"), 2u);

    // Opened again, the dialog shows the stored ticks; Select All ticks every row.
    RunOptions(kExe, [](HWND h) {
        EXPECT_TRUE(IsTicked(h, kGifRow) && !IsTicked(h, kJpgRow));
        SendMessageW(h, WM_COMMAND, IDC_OPTIONS_SELECT_ALL, 0);
        for (int row = 0; row < 36; ++row) {
            EXPECT_TRUE(IsTicked(h, row)) << row;
        }
        SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(OpenSettingsKey(kProgramKey)->ReadRaw("AssociationList")->data, flags);
}

TEST_F(ShellIntegrationWinTest, RefusalsAndAnotherProgramsDefault) {
    // Nothing ticked: the dialog says so, stays (Cancel still works), and writes nothing.
    EXPECT_EQ(RunOptions(kExe,
                         [](HWND h) {
                             SendMessageW(h, WM_COMMAND, IDOK, 0);
                             SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
                         }),
              std::vector<std::string>{"Pictavo:    Please, Select one or more extension(s)!   "});
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, L"Software"), std::vector<std::string>());

    // A program path too long for the shell's keys: refused before the old key goes.
    SetDefault(HKEY_CURRENT_USER, L"Software\\Classes\\JPG\\Shell\\Open\\Command", L"old.exe %1");
    EXPECT_EQ(RunOptions("C:\\" + std::string(250, 'p') + ".exe", [](HWND h) { Tick(h, kJpgRow); }),
              std::vector<std::string>{std::string(kPathTooLong.caption) + ": " + kPathTooLong.text});
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, L"Software\\Classes"),
              std::vector<std::string>{"JPG\\Shell\\Open\\Command||1|old.exe %1"});

    // Another program opens JPG files: it stays their default, Pictavo joins "Open with", and
    // the user is told.
    SetDefault(HKEY_CLASSES_ROOT, L".jpg", L"OtherApp.jpg");
    EXPECT_EQ(RunOptions(kExe, [](HWND h) { Tick(h, kJpgRow); }),
              std::vector<std::string>{"Pictavo: " + KeptDefaultsText({".jpg"})});
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, L"Software\\Classes\\.jpg"), std::vector<std::string>{"OpenWithProgids|JPG|0|"});
    EXPECT_EQ(Dump(HKEY_CLASSES_ROOT, L".jpg"),
              (std::vector<std::string>{"OpenWithProgids|JPG|0|", "||1|OtherApp.jpg"}));
}

// The written open command starts the real program on a file whose folder and name have
// blanks; of the two pictures there it is the second, so the counter says which one opened.
TEST_F(ShellIntegrationWinTest, TheOpenCommandOpensAFileWithBlanksInItsPath) {
    const std::string folder = test::MakeScratchDir("open") + "\\my  pictures\\";
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    test::WritePicture(folder + "a.bmp", 3, 2);
    test::WritePicture(folder + "z y.bmp", 5, 4);
    RunOptions(Narrow(BesideMe(L"Pictavo.exe")), [](HWND h) { Tick(h, kBmpRow); });
    const std::string command = Dump(HKEY_CURRENT_USER, L"Software\\Classes\\BMP\\Shell\\Open\\Command").at(0);
    std::wstring line = Widen(ExpandShellCommand(command.substr(command.rfind('|') + 1), folder + "z y.bmp"));
    STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW)};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    // The frame shows once the argument's road has ended: looked for between bounded waits
    // on the process, which end at once should it end.
    std::pair<DWORD, HWND> frame{process.dwProcessId, nullptr};
    for (int tick = 0; tick < 400 && frame.second == nullptr; ++tick) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            break;
        }
        EnumWindows(
                [](HWND h, LPARAM lp) -> BOOL {
                    auto* f = reinterpret_cast<std::pair<DWORD, HWND>*>(lp);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(h, &pid);
                    f->second = pid == f->first && test::IsClass(h, L"PictavoMainFrame") && IsWindowVisible(h)
                                        ? h
                                        : nullptr;
                    return f->second == nullptr;
                },
                reinterpret_cast<LPARAM>(&frame));
    }
    ASSERT_NE(frame.second, nullptr);
    std::pair<int, HWND> counter{IDC_POSITION_COUNTER, nullptr};
    EnumChildWindows(
            frame.second,
            [](HWND h, LPARAM lp) -> BOOL {
                auto* c = reinterpret_cast<std::pair<int, HWND>*>(lp);
                c->second = GetDlgCtrlID(h) == c->first ? h : nullptr;
                return c->second == nullptr;
            },
            reinterpret_cast<LPARAM>(&counter));
    EXPECT_EQ(test::TextOf(counter.second), "2  /  2");
    TerminateProcess(process.hProcess, 0);  // so it writes no settings into the prefix
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// The FAR entry lands in the first free item once per user; "go to the file manager" does
// nothing on an empty list, says which program did not start, and closes the frame only
// when it did.
TEST_F(ShellIntegrationWinTest, FarEntryAtStartUpAndGoingToTheFileManager) {
    const std::string menu = "Software\\Far\\UserMenu\\MainMenu";
    CreateSettingsKey(menu + "\\Item0")->WriteString("Label", "Edit");
    CreateSettingsKey(menu + "\\Item1")->WriteString("Label", "View");
    {
        FrameUnderTest empty;
        empty.Command(ID_LIST_MANAGER);
        empty.Fence();
        EXPECT_TRUE(IsWindowVisible(empty.frame()));
    }
    EXPECT_EQ(OpenSettingsKey(menu + "\\Item2")->ReadString("Label"), "Browse with Pictavo");
    EXPECT_EQ(OpenSettingsKey(kProgramKey)->ReadDword("FarComm"), 1u);
    EXPECT_FALSE(OpenSettingsKey(kProgramKey)->ReadDword("TotalComm"));  // no bar: tried again next time
    CreateSettingsKey(kProgramKey)->DeleteValue("FarComm");              // the entry is recognised, not doubled

    const std::string folder = test::MakeScratchDir("manager") + "\\";
    test::WritePicture(folder + "a.bmp", 3, 2);
    FrameUnderTest f("\"" + folder + "a.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    EXPECT_FALSE(OpenSettingsKey(menu + "\\Item3"));
    HWND dialog = f.PostForDialog(WM_COMMAND, ID_OPTIONS_MANAGER_CHOICE, 0);  // the choice reaches the frame
    ASSERT_NE(dialog, nullptr);
    Send(dialog, WM_COMMAND, IDC_OPTIONS_SELECT_ALL, 0);
    CheckRadioButton(dialog, IDC_OPTIONS_EXPLORER, IDC_OPTIONS_FAR, IDC_OPTIONS_FAR);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());

    // The test prefix has no FAR but what this test puts there (and may have left there).
    const std::wstring farFolder = L"C:\\Program Files\\Far";
    const std::wstring farExe = farFolder + L"\\Far.exe";
    DeleteFileW(farExe.c_str());
    HWND box = f.PostForDialog(WM_COMMAND, ID_LIST_MANAGER, 0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ItemText(box, 0xFFFF), "Pictavo could not start FAR Manager\t\n(c:\\Program Files\\Far\\Far.exe)\t");
    Send(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());
    EXPECT_TRUE(IsWindowVisible(f.frame()));

    CreateDirectoryW(farFolder.c_str(), nullptr);  // a program in FAR's place: the frame hands over
    ASSERT_TRUE(CopyFileW(BesideMe(L"pictavo-cli.exe").c_str(), farExe.c_str(), FALSE));
    f.Command(ID_LIST_MANAGER);
    EXPECT_TRUE(f.WaitThreadEnd());
}

}  // namespace
}  // namespace pv
