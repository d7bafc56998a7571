// Fitting into Windows without a window: associations, Total Commander's bar, FAR, file managers.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "TestPaths.h"
#include "app/CommandTail.h"
#include "platform/FileSystem.h"
#include "platform/Settings.h"
#include "shell/Associations.h"
#include "shell/ButtonBar.h"
#include "shell/FarMenu.h"
#include "shell/FileManagers.h"
#include "shell/ShellSettings.h"

namespace pv {
namespace {

constexpr const char* kExe = "C:\\Program Files\\Pictavo\\Pictavo.exe";
constexpr const char* kFolder = "C:\\Program Files\\Pictavo\\";

class ShellIntegrationTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMemorySettingsForTests(); }

    void TearDown() override { ResetMemorySettingsForTests(); }

    static std::optional<uint32_t> Flag(const char* name) {
        std::unique_ptr<SettingsKey> k = OpenSettingsKey(kProgramKey);
        return k ? k->ReadDword(name) : std::nullopt;
    }
};

TEST_F(ShellIntegrationTest, AssociationKeysStringsAndChecks) {
    const AssociationStrings s = AssociationStringsFor(kExe);
    const std::string quoted = "\"C:\\Program Files\\Pictavo\\Pictavo.exe\" \"%1\"";
    EXPECT_EQ(TypeKeyPlan("GIF", s), (std::vector<KeyDefault>{{"GIF", "GIF"},
                                                              {"GIF\\DefaultIcon", std::string(kExe) + ",1"},
                                                              {"GIF\\Shell\\Open\\Command", quoted},
                                                              {"GIF\\Shell\\View with Pictavo\\Command", quoted}}));
    EXPECT_EQ(DottedKeyOf("JPEG"), ".jpeg");
    // The shell's command, read back as Pictavo reads its command line, names the file whole.
    for (const char* file : {"C:\\My Pictures\\a b.jpg", "D:\\x\\ two  blanks .gif", "C:\\a,b\\c.bmp"}) {
        EXPECT_EQ(ArgumentPath(CommandTailFrom(ExpandShellCommand(s.command, file))), file);
    }
    // The command is the path plus 7 characters, at most 251; twice the type at most 255.
    const std::tuple<size_t, size_t, bool> lengths[] = {
            {244, 3, true}, {245, 3, false}, {20, 127, true}, {20, 128, false}};
    for (const auto& [path, type, fits] : lengths) {
        EXPECT_EQ(FitsAssociationLengths(std::string(type, 'T'), AssociationStringsFor(std::string(path, 'p'))), fits)
                << path << " " << type;
    }
    EXPECT_TRUE(MayTakeDefault("", "JPG") && MayTakeDefault("jpg", "JPG") && !MayTakeDefault("jpegfile", "JPG"));
}

TEST_F(ShellIntegrationTest, AssociationListHoldsOneFlagPerRow) {
    std::array<bool, kExtensionCount> ticks{};
    ticks[3] = ticks[28] = ticks[34] = true;  // GIF and both WAV rows
    std::vector<uint8_t> expected(144, 0);
    expected[12] = expected[112] = expected[136] = 1;
    EXPECT_EQ(PackAssociationList(ticks), expected);
    EXPECT_EQ(TickedTypes(ticks), (std::vector<std::string>{"GIF", "WAV", "WAV"}));
    EXPECT_EQ(ReadAssociationList(), (std::array<bool, kExtensionCount>{}));  // missing: nothing ticked
    WriteAssociationList(ticks);
    EXPECT_EQ(ReadAssociationList(), ticks);
    for (const RawValue& bad :
         {RawValue{ValueType::Binary, std::vector<uint8_t>(140, 1)}, RawValue{ValueType::String, expected}}) {
        EXPECT_EQ(UnpackAssociationList(bad), (std::array<bool, kExtensionCount>{}));
    }
}

TEST_F(ShellIntegrationTest, ButtonBarRewrite) {
    const std::string keys3 =
            "button3=C:\\Program Files\\Pictavo\\Pictavo.exe\r\ncmd3=C:\\Program Files\\Pictavo\\Pictavo.exe\r\n"
            "param3=%P%N\r\npath3=C:\\Program Files\\Pictavo\\\r\n";
    const std::string head = "[Buttonbar]\r\nButtoncount=3\r\nbutton1=a.exe\r\ncmd1=a.exe\r\nbutton2=\r\n";

    const struct {
        const char* name;
        std::string bar;
        BarOutcome outcome;
        std::string expected;
    } cases[] = {
            {"gap last, CR LF", head + "button3=\r\n", BarOutcome::Rewritten,
             "[Buttonbar]\r\nButtoncount=4\r\nbutton1=a.exe\r\ncmd1=a.exe\r\nbutton2=\r\n" + keys3 + "button4="},
            {"gap last, LF", "[Buttonbar]\nButtoncount=2\nbutton1=a.exe\ncmd1=a.exe\nbutton2=\n", BarOutcome::Rewritten,
             "[Buttonbar]\nButtoncount=3\nbutton1=a.exe\ncmd1=a.exe\nbutton2=C:\\Program Files\\Pictavo\\Pictavo.exe\n"
             "cmd2=C:\\Program Files\\Pictavo\\Pictavo.exe\nparam2=%P%N\npath2=C:\\Program Files\\Pictavo\\\nbutton3="},
            {"real last button kept", "[Buttonbar]\r\nButtoncount=2\r\nbutton1=a.exe\r\nbutton2=b.exe\r\ncmd2=b.exe",
             BarOutcome::Rewritten,
             "[Buttonbar]\r\nButtoncount=4\r\nbutton1=a.exe\r\nbutton2=b.exe\r\ncmd2=b.exe\r\n" + keys3 + "button4="},
            {"mentions Pictavo", head + "button3=\r\ncmd3=C:\\Pictavo\\x.exe\r\n", BarOutcome::AlreadyPresent, ""},
            {"no =", "[Buttonbar]\r\nButtoncount 3\r\n", BarOutcome::NotUnderstood, ""},
            {"no key of the last button", head, BarOutcome::NotUnderstood, ""},
            {"first = not the count", "[Buttonbar]\r\nbutton1=x\r\nButtoncount=1\r\n", BarOutcome::NotUnderstood, ""},
            {"count without digits", "[Buttonbar]\r\nButtoncount=\r\nbutton0=\r\n", BarOutcome::NotUnderstood, ""},
            {"key only inside a longer one", "[Buttonbar]\r\nButtoncount=3\r\nbutton30=\r\n", BarOutcome::NotUnderstood,
             ""},
    };

    for (const auto& c : cases) {
        const BarRewrite r = AddPictavoButton(c.bar, kExe, kFolder);
        EXPECT_EQ(r.outcome, c.outcome) << c.name;
        EXPECT_EQ(r.text, c.expected) << c.name;
    }
}

TEST_F(ShellIntegrationTest, BarFileIsReplacedOnceAndTotalCommIsSet) {
    const std::string dir = test::MakeScratchDir("bar");
    const std::string bar = ProgramPathFromHost(dir + "/default.bar");
    EXPECT_EQ(InstallTotalCommanderButton(bar, kExe, kFolder), BarOutcome::NotUnderstood);  // no bar yet
    EXPECT_FALSE(Flag("TotalComm"));
    const std::string text = "[Buttonbar]\r\nButtoncount=1\r\nbutton1=\r\n";
    test::WriteHostFile(dir + "/default.bar", std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(InstallTotalCommanderButton(bar, kExe, kFolder), BarOutcome::Rewritten);
    EXPECT_EQ(Flag("TotalComm"), 1u);
    const std::vector<uint8_t> once = test::ReadHostFile(dir + "/default.bar");
    EXPECT_EQ(std::string(once.begin(), once.end()).rfind("[Buttonbar]\r\nButtoncount=2\r\nbutton1=C:\\", 0), 0u);
    ResetMemorySettingsForTests();  // TotalComm gone: the next start finds the button there
    EXPECT_EQ(InstallTotalCommanderButton(bar, kExe, kFolder), BarOutcome::AlreadyPresent);
    EXPECT_EQ(test::ReadHostFile(dir + "/default.bar"), once);
    EXPECT_FALSE(Flag("TotalComm"));
}

TEST_F(ShellIntegrationTest, FarEntryAndFileManagerStarts) {
    const std::string menu(kFarMainMenuKey);
    EXPECT_EQ(InstallFarMenuEntry(kExe), FarOutcome::NoFar);
    EXPECT_FALSE(Flag("FarComm"));
    CreateSettingsKey(menu);  // the store makes no parents of its own
    CreateSettingsKey(menu + "\\Item0")->WriteString("Label", "Edit");
    EXPECT_EQ(InstallFarMenuEntry(kExe), FarOutcome::Written);
    std::unique_ptr<SettingsKey> item = OpenSettingsKey(menu + "\\Item1");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ReadString("Command0"), "\"C:\\Program Files\\Pictavo\\Pictavo.exe\" \"!\\!.!\"");
    EXPECT_EQ(item->ReadString("HotKey").value_or("") + item->ReadString("Label").value_or(""),
              "F2Browse with Pictavo");
    EXPECT_EQ(item->ReadDword("SubMenu"), 0u);
    EXPECT_EQ(Flag("FarComm"), 1u);
    EXPECT_EQ(InstallFarMenuEntry(kExe), FarOutcome::Found);

    const std::tuple<int32_t, const char*, const char*> starts[] = {
            {0, "explorer", "/select,\"C:\\My Pics\\a,b.jpg\""},
            {1, "c:\\WINCMD\\wincmd32.exe", "/O /L=\"C:\\My Pics\""},
            {2, "c:\\Program Files\\Far\\Far.exe", ""},
    };
    for (const auto& [choice, program, parameters] : starts) {
        const std::optional<FileManagerStart> s = FileManagerStartFor(choice, "C:\\My Pics\\a,b.jpg");
        ASSERT_TRUE(s) << choice;
        EXPECT_EQ(s->program + "|" + s->parameters + "|" + s->folder,
                  std::string(program) + "|" + parameters + "|C:\\My Pics\\");
    }
    EXPECT_EQ(FileManagerStartFor(1, "C:\\a.jpg")->parameters, "/O /L=\"C:\\\"");  // a root keeps its "\"
    EXPECT_FALSE(FileManagerStartFor(3, "C:\\a.jpg"));
    EXPECT_EQ(FileManagerFailedText(*FileManagerStartFor(2, "C:\\a.jpg")),
              "Pictavo could not start FAR Manager\t\n(c:\\Program Files\\Far\\Far.exe)\t");
}

}  // namespace
}  // namespace pv
