// Fitting into Windows under Wine: the options dialog and the keys it writes, the shell's
// open command starting Pictavo on a file with blanks in its path, "go to the file manager"
// and the once-per-user FAR entry at start-up. HKEY_CURRENT_USER and HKEY_CLASSES_ROOT are
// both redirected to scratch keys, so the test prefix's own classes are never touched.
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
constexpr int kGifRow = 3;
constexpr int kJpgRow = 0;

// HKEY_CLASSES_ROOT redirected to an empty key inside the user sandbox: like a system that
// does not merge the user's classes into it.
class ClassesSandbox {
public:
    ClassesSandbox() {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"ClassesRootForTest", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, key_);
    }

    ClassesSandbox(const ClassesSandbox&) = delete;
    ClassesSandbox& operator=(const ClassesSandbox&) = delete;

    ~ClassesSandbox() {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
};

// Every key and value under `root`\`path` as "key|name|type|data" lines, sorted.
void Dump(HKEY key, const std::wstring& at, std::vector<std::string>& out) {
    wchar_t name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256;
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) {
            break;
        }
        std::string value = type == REG_SZ ? Narrow(reinterpret_cast<const wchar_t*>(data)) : std::string();
        out.push_back(Narrow(at) + "|" + Narrow(name) + "|" + std::to_string(type) + "|" + value);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) {
            Dump(sub, at.empty() ? name : at + L"\\" + name, out);
            RegCloseKey(sub);
        }
    }
}

std::vector<std::string> Dump(HKEY root, const wchar_t* path) {
    std::vector<std::string> out;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        Dump(key, L"", out);
        RegCloseKey(key);
    }
    std::sort(out.begin(), out.end());
    return out;
}

void SetDefault(HKEY root, const wchar_t* path, const wchar_t* value) {
    RegSetKeyValueW(root, path, nullptr, REG_SZ, value, static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

// What ticking GIF writes, in the user's classes and, where those are not merged into the
// classes the shell reads, there too.
std::vector<std::string> GifKeys() {
    const std::string command = "\"C:\\Program Files\\Pictavo\\Pictavo.exe\" \"%1\"";
    std::vector<std::string> keys = {".gif||1|GIF",
                                     ".gif\\OpenWithProgids|GIF|0|",
                                     "GIF||1|GIF",
                                     "GIF\\DefaultIcon||1|C:\\Program Files\\Pictavo\\Pictavo.exe,1",
                                     "GIF\\Shell\\Open\\Command||1|" + command,
                                     "GIF\\Shell\\View with Pictavo\\Command||1|" + command};
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::string ItemText(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetWindowTextW(id == 0 ? dialog : GetDlgItem(dialog, id), text, 256);
    return Narrow(text);
}

void Tick(HWND dialog, int row) {
    ListView_SetItemState(GetDlgItem(dialog, IDC_OPTIONS_LIST), row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
}

bool IsTicked(HWND dialog, int row) {
    return (ListView_GetItemState(GetDlgItem(dialog, IDC_OPTIONS_LIST), row, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

class ShellIntegrationWinTest : public ::testing::Test {
protected:
    // Runs the dialog as the frame does; `onDialog` acts in it before the harness presses OK.
    // Returns the caption and text of every message box it showed.
    std::vector<std::string> RunOptions(const std::string& programPath, std::function<void(HWND)> onDialog) {
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
    ClassesSandbox classes_;
};

TEST_F(ShellIntegrationWinTest, TickingGifWritesItsKeysAndTheTicksAndNothingElse) {
    CreateSettingsKey(kProgramKey)->WriteDword("FileManager", 1);
    // An old GIF type with verbs of its own, in both places: they go.
    SetDefault(HKEY_CURRENT_USER, L"Software\\Classes\\GIF\\Shell\\Edit\\Command", L"old.exe %1");
    SetDefault(HKEY_CLASSES_ROOT, L"GIF\\Shell\\Print\\Command", L"old.exe /p %1");
    const std::vector<std::string> boxes = RunOptions(kExe, [](HWND h) {
        EXPECT_EQ(ItemText(h, 0), "Dialog");
        EXPECT_EQ(ItemText(h, IDC_OPTIONS_MANAGER_GROUP), "File Manager is applied to return from Pictavo");
        HWND list = GetDlgItem(h, IDC_OPTIONS_LIST);
        ASSERT_EQ(ListView_GetItemCount(list), 36);
        wchar_t text[32] = {};
        ListView_GetItemText(list, kJpgRow, 0, text, 32);
        EXPECT_EQ(Narrow(text), " jpg  JPEG");
        EXPECT_FALSE(IsTicked(h, kJpgRow));  // nothing stored: nothing ticked
        EXPECT_EQ(IsDlgButtonChecked(h, IDC_OPTIONS_TOTALCMD), BST_CHECKED);
        Tick(h, kGifRow);
        CheckRadioButton(h, IDC_OPTIONS_EXPLORER, IDC_OPTIONS_FAR, IDC_OPTIONS_FAR);
    });
    EXPECT_TRUE(boxes.empty()) << boxes.at(0);
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, L"Software\\Classes"), GifKeys());
    EXPECT_EQ(Dump(HKEY_CLASSES_ROOT, L""), GifKeys());
    std::unique_ptr<SettingsKey> settings = OpenSettingsKey(kProgramKey);
    std::vector<uint8_t> flags(144, 0);
    flags[4 * kGifRow] = 1;
    EXPECT_EQ(settings->ReadRaw("AssociationList")->data, flags);
    EXPECT_EQ(settings->ReadDword("FileManager"), 2u);

    // Opened again, the dialog shows the stored ticks; Select All ticks every row.
    RunOptions(kExe, [](HWND h) {
        EXPECT_TRUE(IsTicked(h, kGifRow));
        EXPECT_FALSE(IsTicked(h, kJpgRow));
        SendMessageW(h, WM_COMMAND, IDC_OPTIONS_SELECT_ALL, 0);
        for (int row = 0; row < 36; ++row) {
            EXPECT_TRUE(IsTicked(h, row)) << row;
        }
        SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(OpenSettingsKey(kProgramKey)->ReadRaw("AssociationList")->data, flags);
}

TEST_F(ShellIntegrationWinTest, RefusalsAndAnotherProgramsDefault) {
    // Nothing ticked: the dialog says so, stays, and writes nothing.
    std::vector<std::string> boxes = RunOptions(kExe, [](HWND h) {
        SendMessageW(h, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindowVisible(h) || IsWindow(h));
        SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(boxes, (std::vector<std::string>{"Pictavo:    Please, Select one or more extension(s)!   "}));
    EXPECT_TRUE(Dump(HKEY_CURRENT_USER, L"").empty() || !OpenSettingsKey(kProgramKey));
    EXPECT_TRUE(Dump(HKEY_CURRENT_USER, L"Software\\Classes").empty());

    // A program path too long for the shell's keys: refused before any type key is touched.
    SetDefault(HKEY_CURRENT_USER, L"Software\\Classes\\JPG\\Shell\\Open\\Command", L"old.exe %1");
    boxes = RunOptions("C:\\" + std::string(250, 'p') + ".exe", [](HWND h) { Tick(h, kJpgRow); });
    EXPECT_EQ(boxes, (std::vector<std::string>{std::string(kPathTooLong.caption) + ": " + kPathTooLong.text}));
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, L"Software\\Classes"),
              (std::vector<std::string>{"JPG\\Shell\\Open\\Command||1|old.exe %1"}));

    // Another program opens JPG files: it stays their default, Pictavo joins "Open with",
    // and the user is told.
    SetDefault(HKEY_CLASSES_ROOT, L".jpg", L"OtherApp.jpg");
    boxes = RunOptions(kExe, [](HWND h) { Tick(h, kJpgRow); });
    EXPECT_EQ(boxes, (std::vector<std::string>{"Pictavo: " + KeptDefaultsText({".jpg"})}));
    const std::vector<std::string> user = Dump(HKEY_CURRENT_USER, L"Software\\Classes");
    EXPECT_EQ(std::count(user.begin(), user.end(), ".jpg\\OpenWithProgids|JPG|0|"), 1);
    EXPECT_EQ(std::count_if(user.begin(), user.end(), [](const std::string& l) { return l.starts_with(".jpg||"); }), 0);
    EXPECT_EQ(std::count(user.begin(), user.end(), "JPG\\Shell\\Open\\Command||1|old.exe %1"), 0);
    EXPECT_EQ(Dump(HKEY_CLASSES_ROOT, L".jpg"),
              (std::vector<std::string>{"OpenWithProgids|JPG|0|", "||1|OtherApp.jpg"}));
}

// The written open command starts the real program, which opens the file whose folder and
// name have blanks: of the two pictures in that folder, the second one is current.
TEST_F(ShellIntegrationWinTest, TheOpenCommandOpensAFileWithBlanksInItsPath) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string program = Narrow(self);
    program = program.substr(0, program.rfind('\\') + 1) + "Pictavo.exe";
    const std::string folder = test::MakeScratchDir("open") + "\\my  pictures\\";
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    test::WritePicture(folder + "a.bmp", 3, 2);
    test::WritePicture(folder + "z y.bmp", 5, 4);
    RunOptions(program, [](HWND h) { Tick(h, 4); });  // BMP

    const std::string command = Dump(HKEY_CURRENT_USER, L"Software\\Classes\\BMP\\Shell\\Open\\Command").at(0);
    std::wstring line = Widen(ExpandShellCommand(command.substr(command.rfind('|') + 1), folder + "z y.bmp"));
    STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW)};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));

    // Its frame is shown once the argument's road has ended; wait for that within a bound,
    // checking between waits on the process (which return at once should it end).
    struct Find {
        DWORD pid;
        HWND frame;
    } find{process.dwProcessId, nullptr};

    for (int tick = 0; tick < 400 && find.frame == nullptr; ++tick) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            break;
        }
        EnumWindows(
                [](HWND h, LPARAM lp) -> BOOL {
                    auto* f = reinterpret_cast<Find*>(lp);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(h, &pid);
                    if (pid == f->pid && test::IsClass(h, L"PictavoMainFrame") && IsWindowVisible(h)) {
                        f->frame = h;
                    }
                    return f->frame == nullptr;
                },
                reinterpret_cast<LPARAM>(&find));
    }
    ASSERT_NE(find.frame, nullptr);
    std::pair<int, HWND> counter{IDC_POSITION_COUNTER, nullptr};
    EnumChildWindows(
            find.frame,
            [](HWND h, LPARAM lp) -> BOOL {
                auto* c = reinterpret_cast<std::pair<int, HWND>*>(lp);
                c->second = GetDlgCtrlID(h) == c->first ? h : nullptr;
                return c->second == nullptr;
            },
            reinterpret_cast<LPARAM>(&counter));
    EXPECT_EQ(test::TextOf(counter.second), "2  /  2");
    TerminateProcess(process.hProcess, 0);  // no settings of its own written into the prefix
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

TEST_F(ShellIntegrationWinTest, GoingToTheFileManagerClosesOnlyWhenItStarted) {
    const std::string folder = test::MakeScratchDir("manager") + "\\";
    test::WritePicture(folder + "a.bmp", 3, 2);
    {
        FrameUnderTest empty;
        empty.Command(ID_LIST_MANAGER);  // an empty list: nothing happens
        empty.Fence();
        EXPECT_TRUE(IsWindowVisible(empty.frame()));
    }
    FrameUnderTest f("\"" + folder + "a.bmp\"");
    ASSERT_NE(f.frame(), nullptr);
    // The choice reaches the open frame from the dialog.
    HWND dialog = f.PostForDialog(WM_COMMAND, ID_OPTIONS_MANAGER_CHOICE, 0);
    ASSERT_NE(dialog, nullptr);
    Send(dialog, WM_COMMAND, IDC_OPTIONS_SELECT_ALL, 0);
    CheckRadioButton(dialog, IDC_OPTIONS_EXPLORER, IDC_OPTIONS_FAR, IDC_OPTIONS_FAR);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(f.WaitDialogGone());

    const std::wstring farFolder = L"C:\\Program Files\\Far";
    RemoveDirectoryW(farFolder.c_str());  // only when empty: a real FAR stays
    if (GetFileAttributesW((farFolder + L"\\Far.exe").c_str()) == INVALID_FILE_ATTRIBUTES) {
        HWND box = f.PostForDialog(WM_COMMAND, ID_LIST_MANAGER, 0);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(ItemText(box, 0xFFFF), "Pictavo could not start FAR Manager\t\n(c:\\Program Files\\Far\\Far.exe)\t");
        Send(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(f.WaitDialogGone());
        EXPECT_TRUE(IsWindowVisible(f.frame()));
    }

    // With a program in FAR's place the frame hands over and closes.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring cli(self);
    cli = cli.substr(0, cli.rfind(L'\\') + 1) + L"pictavo-cli.exe";
    CreateDirectoryW(farFolder.c_str(), nullptr);
    const bool placed = CopyFileW(cli.c_str(), (farFolder + L"\\Far.exe").c_str(), TRUE) != FALSE;
    f.Command(ID_LIST_MANAGER);
    EXPECT_TRUE(f.WaitThreadEnd());
    if (placed) {
        DeleteFileW((farFolder + L"\\Far.exe").c_str());
        RemoveDirectoryW(farFolder.c_str());
    }
}

TEST_F(ShellIntegrationWinTest, TheFarEntryIsWrittenOncePerUserAtStartUp) {
    const std::string menu = "Software\\Far\\UserMenu\\MainMenu";
    CreateSettingsKey(menu + "\\Item0")->WriteString("Label", "Edit");
    CreateSettingsKey(menu + "\\Item1")->WriteString("Label", "View");
    {
        FrameUnderTest first;
        ASSERT_NE(first.frame(), nullptr);
    }
    std::unique_ptr<SettingsKey> item = OpenSettingsKey(menu + "\\Item2");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ReadString("Label"), "Browse with Pictavo");
    EXPECT_EQ(OpenSettingsKey(kProgramKey)->ReadDword("FarComm"), 1u);
    EXPECT_FALSE(OpenSettingsKey(kProgramKey)->ReadDword("TotalComm"));  // no bar file: tried again next time

    CreateSettingsKey(kProgramKey)->DeleteValue("FarComm");  // the entry is recognised, not doubled
    {
        FrameUnderTest second;
        ASSERT_NE(second.frame(), nullptr);
    }
    EXPECT_FALSE(OpenSettingsKey(menu + "\\Item3"));
    EXPECT_EQ(OpenSettingsKey(kProgramKey)->ReadDword("FarComm"), 1u);
}

}  // namespace
}  // namespace pv
