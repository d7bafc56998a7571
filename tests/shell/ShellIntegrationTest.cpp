// Fitting into Windows without a window: the association strings and key plan with their
// checks, the stored ticks, Total Commander's bar rewrite, FAR's menu entry and the start of
// the chosen file manager.
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

    static std::optional<uint32_t> Stored(const std::string& key, const std::string& name) {
        std::unique_ptr<SettingsKey> k = OpenSettingsKey(key);
        return k ? k->ReadDword(name) : std::nullopt;
    }
};

TEST_F(ShellIntegrationTest, TypeKeysQuoteProgramAndFile) {
    const AssociationStrings s = AssociationStringsFor(kExe);
    const std::vector<KeyDefault> expected = {
            {"GIF", "GIF"},
            {"GIF\\DefaultIcon", "C:\\Program Files\\Pictavo\\Pictavo.exe,1"},
            {"GIF\\Shell\\Open\\Command", "\"C:\\Program Files\\Pictavo\\Pictavo.exe\" \"%1\""},
            {"GIF\\Shell\\View with Pictavo\\Command", "\"C:\\Program Files\\Pictavo\\Pictavo.exe\" \"%1\""}};
    EXPECT_EQ(TypeKeyPlan("GIF", s), expected);
    EXPECT_EQ(DottedKeyOf("JPEG"), ".jpeg");

    // The shell's command, read back the way Pictavo reads its command line, names the
    // file whole: blanks, a leading blank folder, a comma.
    const char* files[] = {"C:\\My Pictures\\a b.jpg", "D:\\x\\ two  blanks .gif", "C:\\a,b\\c.bmp"};
    for (const char* file : files) {
        const std::string line = ExpandShellCommand(s.command, file);
        EXPECT_EQ(ArgumentPath(CommandTailFrom(line)), file) << line;
    }
}

TEST_F(ShellIntegrationTest, LengthChecksAndWhoseDefault) {
    struct Row {
        size_t pathLength;
        size_t typeLength;
        bool fits;
    };

    // The command string is the path plus 7 characters, at most 251; twice the type at most 255.
    const Row rows[] = {{244, 3, true}, {245, 3, false}, {20, 127, true}, {20, 128, false}};
    for (const Row& r : rows) {
        const std::string path = "C:\\" + std::string(r.pathLength - 3, 'p');
        EXPECT_EQ(FitsAssociationLengths(std::string(r.typeLength, 'T'), AssociationStringsFor(path)), r.fits)
                << r.pathLength << " " << r.typeLength;
    }
    EXPECT_TRUE(MayTakeDefault("", "JPG"));
    EXPECT_TRUE(MayTakeDefault("jpg", "JPG"));
    EXPECT_FALSE(MayTakeDefault("jpegfile", "JPG"));
}

TEST_F(ShellIntegrationTest, AssociationListHoldsOneFlagPerRow) {
    std::array<bool, kExtensionCount> ticks{};
    ticks[3] = true;               // GIF
    ticks[28] = ticks[34] = true;  // the two WAV rows
    std::vector<uint8_t> expected(144, 0);
    expected[12] = expected[112] = expected[136] = 1;
    EXPECT_EQ(PackAssociationList(ticks), expected);
    EXPECT_EQ(TickedTypes(ticks), (std::vector<std::string>{"GIF", "WAV", "WAV"}));

    EXPECT_EQ(ReadAssociationList(), (std::array<bool, kExtensionCount>{}));  // missing: nothing ticked
    WriteAssociationList(ticks);
    EXPECT_EQ(ReadAssociationList(), ticks);
    // Misshapen values tick nothing.
    const RawValue bad[] = {{ValueType::Binary, std::vector<uint8_t>(140, 1)}, {ValueType::String, expected}};
    for (const RawValue& v : bad) {
        EXPECT_EQ(UnpackAssociationList(v), (std::array<bool, kExtensionCount>{}));
    }
    WriteFileManager(2);
    EXPECT_EQ(ReadFileManager(), 2);
}

const std::string kPictavoKeys =
        "button3=C:\\Program Files\\Pictavo\\Pictavo.exe\r\n"
        "cmd3=C:\\Program Files\\Pictavo\\Pictavo.exe\r\n"
        "param3=%P%N\r\n"
        "path3=C:\\Program Files\\Pictavo\\\r\n";

struct BarCase {
    const char* name;
    std::string bar;
    BarOutcome outcome;
    std::string expected;
};

TEST_F(ShellIntegrationTest, ButtonBarRewrite) {
    const std::string head = "[Buttonbar]\r\nButtoncount=3\r\nbutton1=a.exe\r\ncmd1=a.exe\r\nbutton2=\r\n";
    const std::string lf = "[Buttonbar]\nButtoncount=2\nbutton1=a.exe\ncmd1=a.exe\nbutton2=\n";
    const BarCase cases[] = {
            {"gap last, CR LF", head + "button3=\r\n", BarOutcome::Rewritten,
             "[Buttonbar]\r\nButtoncount=4\r\nbutton1=a.exe\r\ncmd1=a.exe\r\nbutton2=\r\n" + kPictavoKeys + "button4="},
            {"gap last, LF", lf, BarOutcome::Rewritten,
             "[Buttonbar]\nButtoncount=3\nbutton1=a.exe\ncmd1=a.exe\n"
             "button2=C:\\Program Files\\Pictavo\\Pictavo.exe\ncmd2=C:\\Program Files\\Pictavo\\Pictavo.exe\n"
             "param2=%P%N\npath2=C:\\Program Files\\Pictavo\\\nbutton3="},
            {"real last button is kept", "[Buttonbar]\r\nButtoncount=2\r\nbutton1=a.exe\r\nbutton2=b.exe\r\ncmd2=b.exe",
             BarOutcome::Rewritten,
             "[Buttonbar]\r\nButtoncount=4\r\nbutton1=a.exe\r\nbutton2=b.exe\r\ncmd2=b.exe\r\n" + kPictavoKeys +
                     "button4="},
            {"mentions Pictavo", head + "button3=\r\ncmd3=C:\\Pictavo\\x.exe\r\n", BarOutcome::AlreadyPresent, ""},
            {"no =", "[Buttonbar]\r\nButtoncount 3\r\n", BarOutcome::NotUnderstood, ""},
            {"no key of the last button", head, BarOutcome::NotUnderstood, ""},
            {"first = is not the count", "[Buttonbar]\r\nbutton1=x\r\nButtoncount=1\r\n", BarOutcome::NotUnderstood,
             ""},
            {"count without digits", "[Buttonbar]\r\nButtoncount=\r\nbutton0=\r\n", BarOutcome::NotUnderstood, ""},
            {"key only inside a longer one", "[Buttonbar]\r\nButtoncount=3\r\nbutton30=\r\n", BarOutcome::NotUnderstood,
             ""},
    };
    for (const BarCase& c : cases) {
        const BarRewrite r = AddPictavoButton(c.bar, kExe, kFolder);
        EXPECT_EQ(r.outcome, c.outcome) << c.name;
        EXPECT_EQ(r.text, c.expected) << c.name;
    }
}

TEST_F(ShellIntegrationTest, BarFileIsReplacedOnceAndTotalCommIsSet) {
    const std::string dir = test::MakeScratchDir("bar");
    const std::string bar = ProgramPathFromHost(dir + "/default.bar");
    EXPECT_EQ(InstallTotalCommanderButton(bar, kExe, kFolder), BarOutcome::NotUnderstood);  // no bar yet
    EXPECT_FALSE(Stored(kProgramKey, "TotalComm"));

    const std::string text = "[Buttonbar]\r\nButtoncount=1\r\nbutton1=\r\n";
    test::WriteHostFile(dir + "/default.bar", std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(InstallTotalCommanderButton(bar, kExe, kFolder), BarOutcome::Rewritten);
    EXPECT_EQ(Stored(kProgramKey, "TotalComm"), 1u);
    const std::vector<uint8_t> once = test::ReadHostFile(dir + "/default.bar");
    EXPECT_NE(std::string(once.begin(), once.end()).find("Buttoncount=2\r\n"), std::string::npos);

    ResetMemorySettingsForTests();  // TotalComm gone: the next start finds the button there
    EXPECT_EQ(InstallTotalCommanderButton(bar, kExe, kFolder), BarOutcome::AlreadyPresent);
    EXPECT_EQ(test::ReadHostFile(dir + "/default.bar"), once);
    EXPECT_FALSE(Stored(kProgramKey, "TotalComm"));
}

TEST_F(ShellIntegrationTest, FarEntryLandsInTheFirstFreeItemOnce) {
    const std::string menu(kFarMainMenuKey);
    EXPECT_EQ(InstallFarMenuEntry(kExe), FarOutcome::NoFar);
    EXPECT_FALSE(Stored(kProgramKey, "FarComm"));

    CreateSettingsKey(menu);  // the store makes no parents of its own
    CreateSettingsKey(menu + "\\Item0")->WriteString("Label", "Edit");
    CreateSettingsKey(menu + "\\Item1")->WriteString("Label", "View");
    EXPECT_EQ(InstallFarMenuEntry(kExe), FarOutcome::Written);
    std::unique_ptr<SettingsKey> item = OpenSettingsKey(menu + "\\Item2");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ReadString("Label"), "Browse with Pictavo");
    EXPECT_EQ(item->ReadString("HotKey"), "F2");
    EXPECT_EQ(item->ReadString("Command0"), "\"C:\\Program Files\\Pictavo\\Pictavo.exe\" \"!\\!.!\"");
    EXPECT_EQ(item->ReadDword("SubMenu"), 0u);
    EXPECT_EQ(Stored(kProgramKey, "FarComm"), 1u);

    EXPECT_EQ(InstallFarMenuEntry(kExe), FarOutcome::Found);
    EXPECT_FALSE(OpenSettingsKey(menu + "\\Item3"));
}

TEST_F(ShellIntegrationTest, FileManagerStarts) {
    struct Row {
        int32_t choice;
        const char* program;
        const char* parameters;
    };

    const Row rows[] = {
            {0, "explorer", "/select,\"C:\\My Pics\\a,b.jpg\""},
            {1, "c:\\WINCMD\\wincmd32.exe", "/O /L=\"C:\\My Pics\""},
            {2, "c:\\Program Files\\Far\\Far.exe", ""},
    };
    for (const Row& r : rows) {
        const std::optional<FileManagerStart> s = FileManagerStartFor(r.choice, "C:\\My Pics\\a,b.jpg");
        ASSERT_TRUE(s) << r.choice;
        EXPECT_EQ(s->program, r.program);
        EXPECT_EQ(s->parameters, r.parameters);
        EXPECT_EQ(s->folder, "C:\\My Pics\\");
    }
    EXPECT_EQ(FileManagerStartFor(1, "C:\\a.jpg")->parameters, "/O /L=\"C:\\\"");  // a root keeps its "\"
    EXPECT_FALSE(FileManagerStartFor(3, "C:\\a.jpg"));
    EXPECT_EQ(FileManagerFailedText(*FileManagerStartFor(2, "C:\\a.jpg")),
              "Pictavo could not start FAR Manager\t\n(c:\\Program Files\\Far\\Far.exe)\t");
}

}  // namespace
}  // namespace pv
