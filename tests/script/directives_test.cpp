// Directive lines run through the interpreter, with the registry, the
// recorded dialog, process and file operations, and the files they write.
#include <climits>
#include <string>
#include <vector>

#include "../test_files.h"
#include "interpreter_fixture.h"

namespace zevo::test {
namespace {

using DirectiveTest = InterpreterTest;

std::string Join(const std::vector<std::string>& items)
{
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : "; ") + item;
    return out;
}

// The choices directives make, in one line.
std::string Choices(const RunState& s)
{
    return "restart=" + std::to_string(s.m_nRestartMode) + " exit=" + std::to_string(s.m_bExitAtEnd) +
           " verify=" + std::to_string(s.m_bVerify) + "/" + std::to_string(s.m_bVerifyByData) +
           " track=" + std::to_string(s.m_bTrackChanges) + " log=" + std::to_string(s.m_bLog) + ":" +
           s.m_strLogFile + " unlocked=" + std::to_string(s.m_bControlsUnlocked) +
           " active=" + std::to_string(s.m_bActive);
}

const std::string kDefaults = "restart=0 exit=0 verify=0/0 track=0 log=0: unlocked=1 active=1";

TEST_P(DirectiveTest, SwitchesAndChoices)
{
    const struct {
        const char* data;
        std::string choices;
        std::string dialog;
        std::string process;
    } cases[] = {
        {"/E", "restart=1 exit=0 verify=0/0 track=0 log=0: unlocked=1 active=1", "", ""},
        {"/EY", "restart=2 exit=0 verify=0/0 track=0 log=0: unlocked=1 active=1", "", ""},
        {"/EY\r\n/E-", "restart=1 exit=0 verify=0/0 track=0 log=0: unlocked=1 active=1", "", ""},
        {"/T", "restart=0 exit=1 verify=0/0 track=0 log=0: unlocked=1 active=1", "", ""},
        {"/Tx", "restart=0 exit=1 verify=0/0 track=0 log=0: unlocked=1 active=1", "", ""},
        {"/T\r\n/T-", kDefaults, "", ""},
        {"/V", "restart=0 exit=0 verify=1/1 track=0 log=0: unlocked=1 active=1", "", ""},
        {"/V\r\n/V-x", "restart=0 exit=0 verify=0/1 track=0 log=0: unlocked=1 active=1", "", ""},
        {"/Vx", kDefaults, "", ""},
        {"/Z", "restart=0 exit=0 verify=0/0 track=1 log=0: unlocked=1 active=1", "", ""},
        {"/Z\r\n/Z-", kDefaults, "", ""},
        {"/L=\"c:\\run.zvl\"", "restart=0 exit=0 verify=0/0 track=0 log=1:C:\\RUN.ZVL unlocked=1 active=1", "", ""},
        {"/L=\"a.zvl\"\r\n/L-", "restart=0 exit=0 verify=0/0 track=0 log=0:A.ZVL unlocked=1 active=1", "", ""},
        {"/L", kDefaults, "", ""},
        {"/X", "restart=0 exit=0 verify=0/0 track=0 log=0: unlocked=0 active=1", "disable", ""},
        {"/X\r\n/X-", kDefaults, "disable; unlock", ""},
        {"/X\r\n/Xq", "restart=0 exit=0 verify=0/0 track=0 log=0: unlocked=0 active=1", "disable; disable", ""},
        {"/I\r\n/I-\r\n/Ix", kDefaults, "minimize; restore", ""},
        {"/!5\r\n/!-\r\n/!\r\n/!x", kDefaults, "speed 5; speed 0; speed 0", ""},
        {"/!99999999999", kDefaults, "speed " + std::to_string(INT_MAX), ""},
        {"/G notepad c:\\sample\\readme.txt", kDefaults, "", "start NOTEPAD C:\\SAMPLE\\README.TXT"},
        {"/Gnotepad", kDefaults, "", "start OTEPAD"},
        {"/\r\n/W\r\n/%\r\n/%x\r\n/A\r\n/AX 1", kDefaults, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        m_state = RunState();
        m_state.m_strDataFile = "RUN.ZVD";
        m_state.m_bControlsUnlocked = true;
        m_dialog.calls.clear();
        m_process.calls.clear();
        Run(c.data);
        EXPECT_EQ(Choices(m_state), c.choices);
        EXPECT_EQ(Join(m_dialog.calls), c.dialog);
        EXPECT_EQ(Join(m_process.calls), c.process);
    }
}

TEST_P(DirectiveTest, MessageLineReplacesThePane)
{
    Run("\"a\"=\"1\"\r\n/*Settings are complete.\r\n");
    EXPECT_EQ(m_state.m_strText.Joined(), "Settings are complete.\r\n");
    Run("/*");
    EXPECT_EQ(m_state.m_strText.Joined(), "\r\n");
    EXPECT_GT(m_dialog.scrolls, 0);
}

TEST_P(DirectiveTest, ConditionsAgainstTheRunClock)
{
    // The clock: Wednesday (4) 15 July 1998, 09:03:07.
    const struct {
        const char* data;
        bool active;
    } cases[] = {
        {"/AM 7", true},          {"/am 1 7 12", true},     {"/AM 1 2", false},
        {"/AM", false},           {"/AM7", false},          {"/AM 1\r\n/AM-", true},
        {"/AW 4", true},          {"/AW  2   4 ", true},    {"/AW 1 7", false},
        {"/AT 09:00 10:00", true}, {"/AT 22:00 06:00", false}, {"/AT 08:00 09:03", false},
        {"/AT 09:03:07 09:03:07", true}, {"/AT 9:30 17:00", true}, {"/AT 12:00 12:00", false},
        {"/AT 10:00", true},      {"/AT 22:00 10:00", true}, {"/AT 10:00\r\n/AT-", true},
        {"/AM 1\r\n/AW 4\r\n/AM 7", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        Run(c.data);
        EXPECT_EQ(m_state.m_bActive, c.active);
    }
}

TEST_P(DirectiveTest, InactiveRunsSkipValuesAndMostDirectives)
{
    m_state.m_strHistoryFile = "RUN.ZVH";
    Run("/AM 1\r\n"
        "[$K\\Made]\r\n"
        "\"v\"=\"x\"\r\n"
        "/E\r\n/T\r\n/Z\r\n/G notepad\r\n/D \"c:\\tmp\"\r\n/*hidden\r\n"
        "/LH=\"run.zvh\"\r\n"
        "/AM-\r\n"
        "\"w\"=\"y\"\r\n");
    EXPECT_TRUE(KeyExists("Made")) << "key lines open their keys while inactive";
    EXPECT_EQ(Stored("Made", "v"), "missing");
    EXPECT_EQ(Stored("Made", "w"), std::string("1:y\0", 4));
    EXPECT_EQ(m_state.m_nRestartMode, 0);
    EXPECT_FALSE(m_state.m_bExitAtEnd);
    EXPECT_FALSE(m_state.m_bTrackChanges);
    EXPECT_TRUE(m_process.calls.empty());
    EXPECT_TRUE(m_files.calls.empty());
    EXPECT_EQ(m_state.m_strText.Joined(), "");
    EXPECT_TRUE(m_state.m_bHistory) << "the history switch works while inactive";
    EXPECT_EQ(ReadWholeFile("RUN.ZVH"), Expand("<< 1998 7 15 9:3:7 >>\r\n[$K\\Made]w\r\n(Old)\r\n(New)y\r\n\r\n"));
}

TEST_P(DirectiveTest, DeletingValues)
{
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "RUN.ZVH";
    Run("[$K]\r\n\"OldName\"=hex:01,02\r\n\"Keep\"=\"k\"\r\n@=\"d\"\r\n");
    // "" names the default value; the second time it is gone.
    Run("/Z\r\n[$K]\r\n/%=\"oldname\"\r\n/%=\"\"\r\n/%=\"\"\r\n/%=\"Missing\"\r\n");
    EXPECT_EQ(Stored("", "OldName"), "missing");
    EXPECT_EQ(Stored("", ""), "missing");
    EXPECT_EQ(Stored("", "Keep"), std::string("1:k\0", 4));
    EXPECT_TRUE(m_state.m_bChangesSeen);
    EXPECT_EQ(m_state.m_strRegistryData, "") << "the missing value's old text";
    EXPECT_EQ(m_state.m_strChangedItems,
              Expand("File=RUN.ZVD\r\n[$K]OLDNAME -- Value deleted --\r\n[$K] -- Value deleted --\r\n"));
    const std::string history = ReadWholeFile("RUN.ZVH");
    EXPECT_EQ(history.substr(history.rfind("<<")),
              Expand("<< 1998 7 15 9:3:7 >>\r\n[$K]OLDNAME\r\n(Old)01,02\r\n-- Value Deleted --\r\n\r\n"
                     "[$K]\r\n(Old)d\r\n-- Value Deleted --\r\n\r\n"));
}

TEST_P(DirectiveTest, DeletingKeys)
{
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "RUN.ZVH";
    Run("[$K\\Tree\\Leaf]\r\n[$K\\Tree\\Other]\r\n");
    Run("/%=[$K\\Tree\\Leaf]\r\n"
        "/%=[$K\\Tree]\r\n"              // still has a subkey: stays
        "/%=[$K\\Absent\\Child]\r\n"     // the parent is created, nothing deleted
        "/%=[HKEY_CURRENT_USER]\r\n"
        "/%=[$K\\]\r\n");
    const std::string k = Expand("$K");
    std::string upper = k;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_FALSE(KeyExists("Tree\\Leaf"));
    EXPECT_TRUE(KeyExists("Tree\\Other"));
    EXPECT_TRUE(KeyExists("Absent"));
    EXPECT_FALSE(KeyExists("Absent\\Child"));
    EXPECT_TRUE(KeyExists("")) << "an empty key name never deletes the parent";
    EXPECT_EQ(m_state.m_strChangedItems, "File=RUN.ZVD\r\n[" + upper + "\\TREE\\LEAF] -- Key deleted --\r\n");
    EXPECT_EQ(m_state.m_strText.Joined(),
              "RUN.ZVD 4行目: 削除するキーの名前がありません。\r\n"
              "RUN.ZVD 5行目: 削除するキーの名前がありません。\r\n");
    const std::string history = ReadWholeFile("RUN.ZVH");
    EXPECT_EQ(history.substr(history.rfind("<<")),
              "<< 1998 7 15 9:3:7 >>\r\n[" + upper + "\\TREE\\LEAF]  -- Key Deleted --\r\n\r\n");
}

TEST_P(DirectiveTest, VerifyListsDeletionsButDeletesNothing)
{
    Run("[$K\\Gone]\r\n\"v\"=\"1\"\r\n");
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "RUN.ZVH";
    Run("/V\r\n/Z\r\n[$K\\Gone]\r\n/%=\"v\"\r\n/%=\"none\"\r\n/%=[$K\\Gone]\r\n"
        "/C \"a\" \"b\"\r\n/D \"a\"\r\n/M \"a\"\r\n/R \"a\"\r\n/G notepad\r\n");
    EXPECT_EQ(Stored("Gone", "v"), std::string("1:1\0", 4));
    EXPECT_TRUE(m_state.m_bChangesSeen);
    std::string upper = Expand("$K");
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(m_state.m_strChangedItems, Expand("File=RUN.ZVD\r\n[$K\\Gone]V -- Value deleted --\r\n") + "[" +
                                             upper + "\\GONE] -- Key deleted --\r\n");
    EXPECT_EQ(ReadWholeFile("RUN.ZVH"), "<< 1998 7 15 9:3:7 >>\r\n");
    EXPECT_TRUE(m_files.calls.empty());
    EXPECT_TRUE(m_process.calls.empty());
}

TEST_P(DirectiveTest, FileDirectives)
{
    Run("/C \"c:\\src\\*.*\" \"d:\\dst\" ignored\r\n"
        "/D \"c:\\tmp\"\r\n"
        "/M \"c:\\sample\\log\"\r\n"
        "/R \"c:\\sample\\old\"\r\n"
        "/D\r\n/D \"\"\r\n/C \"a\"\r\n/C \"a\" \"b\r\n/M\r\n/R \"\"\r\n");
    EXPECT_EQ(Join(m_files.calls),
              "copy C:\\SRC\\*.* D:\\DST; delete C:\\TMP; mkdir C:\\SAMPLE\\LOG; rmdir C:\\SAMPLE\\OLD");
    const std::string missing = "行目: 引数がないか、引用符が閉じていません。\r\n";
    const std::string empty = "行目: パスが空のため処理しません。\r\n";
    EXPECT_EQ(m_state.m_strText.Joined(), "RUN.ZVD 5" + missing + "RUN.ZVD 6" + empty + "RUN.ZVD 7" + missing +
                                              "RUN.ZVD 8" + missing + "RUN.ZVD 9" + missing + "RUN.ZVD 10" + empty);

    const struct {
        FileResult result;
        std::string message;
    } results[] = {
        {FileResult::Done, ""},
        {FileResult::Failed, ""},
        {FileResult::PathTooLong, "RUN.ZVD 1行目: パスが長すぎるため処理しません。\r\n"},
        {FileResult::DestinationIsFile, "RUN.ZVD 1行目: コピー先がファイルのため処理しません。\r\n"},
    };
    for (const auto& r : results) {
        m_files.result = r.result;
        Run("/C \"a\" \"b\"");
        EXPECT_EQ(m_state.m_strText.Joined(), r.message);
    }
}

TEST_P(DirectiveTest, HandOverToAnotherDataFile)
{
    WriteDataFile("NEXT.ZVD", "[$K]\r\n\"c\"=\"3\"\r\n/F \"run.zvd\"\r\n\"d\"=\"4\"\r\n");
    Run("[$K]\r\n\"a\"=\"1\"\r\n/F \"missing.zvd\"\r\n/F \"run.zvd\"\r\n/F\r\n/F \"next.zvd\"\r\n\"b\"=\"2\"\r\n");
    EXPECT_EQ(Stored("", "a"), std::string("1:1\0", 4));
    EXPECT_EQ(Stored("", "b"), "missing") << "the rest of the first file is never read";
    EXPECT_EQ(Stored("", "c"), std::string("1:3\0", 4));
    EXPECT_EQ(Stored("", "d"), std::string("1:4\0", 4));
    EXPECT_EQ(m_state.m_strChangedItems,
              Expand("File=RUN.ZVD\r\n$K \"a\"\r\nFile=NEXT.ZVD\r\n$K \"c\"\r\n$K \"d\"\r\n"));
    EXPECT_EQ(m_state.m_strText.Joined(),
              "RUN.ZVD 4行目: このデータファイルはこの実行で既に読んでいます。\r\n"
              "RUN.ZVD 5行目: 引数がないか、引用符が閉じていません。\r\n"
              "NEXT.ZVD 3行目: このデータファイルはこの実行で既に読んでいます。\r\n");
}

TEST_P(DirectiveTest, QuitAsksUnlessToldOtherwise)
{
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "RUN.ZVH";
    m_dialog.confirmAnswer = false;
    Run("[$K]\r\n/Q\r\n\"a\"=\"1\"\r\n");
    EXPECT_EQ(Join(m_dialog.calls), "box 処理を中止します|Mendora");
    EXPECT_EQ(Stored("", "a"), std::string("1:1\0", 4)) << "Cancel goes on";
    EXPECT_TRUE(m_process.calls.empty());

    m_dialog.calls.clear();
    m_dialog.confirmAnswer = true;
    WriteDataFile("RUN.ZVD", "[$K]\r\n\"b\"=\"2\"\r\n/QY\r\n\"c\"=\"3\"\r\n");
    ASSERT_TRUE(m_interpreter->StartRun());
    while (m_interpreter->ProcessEntry() == 1) {
    }
    EXPECT_EQ(Join(m_process.calls), "exit 0");
    EXPECT_EQ(Stored("", "c"), "missing");
    EXPECT_FALSE(m_interpreter->HistoryFileOpen());
    EXPECT_FALSE(m_interpreter->DataFileOpen());
    // The record written before the end reached the disk.
    const std::string history = ReadWholeFile("RUN.ZVH");
    EXPECT_EQ(history.substr(history.rfind("<<")),
              Expand("<< 1998 7 15 9:3:7 >>\r\n[$K]b\r\n(Old)\r\n(New)2\r\n\r\n"));

    m_dialog.calls.clear();
    m_process.calls.clear();
    Run("/QN\r\n\"d\"=\"4\"\r\n");
    EXPECT_TRUE(m_dialog.calls.empty());
    EXPECT_EQ(Join(m_process.calls), "exit 0");
    EXPECT_EQ(Stored("", "d"), "missing");
}

TEST_P(DirectiveTest, HistorySwitchInTheMiddleOfARun)
{
    Run("[$K]\r\n\"a\"=\"1\"\r\n/LH=\"mid.zvh\"\r\n\"b\"=\"2\"\r\n/LH=\r\n/LH-\r\n\"c\"=\"3\"\r\n");
    EXPECT_FALSE(m_state.m_bHistory);
    EXPECT_EQ(m_state.m_strHistoryFile, "MID.ZVH");
    EXPECT_EQ(ReadWholeFile("MID.ZVH"), Expand("<< 1998 7 15 9:3:7 >>\r\n[$K]b\r\n(Old)\r\n(New)2\r\n\r\n"));
    EXPECT_EQ(m_state.m_strText.Joined(), "RUN.ZVD 5行目: 引数がないか、引用符が閉じていません。\r\n");
}

TEST_P(DirectiveTest, EmptyAndOverlongPathsAreRefused)
{
    const struct {
        std::string path;
        const char* message;
    } cases[] = {
        {"", "パスが空のため処理しません。"},
        {std::string(kMaxPathBytes + 1, 'P'), "パスが長すぎるため処理しません。"},
    };
    for (const auto& c : cases) {
        Run("/F \"" + c.path + "\"\r\n/L=\"" + c.path + "\"\r\n/LH=\"" + c.path + "\"\r\n");
        EXPECT_FALSE(m_state.m_bLog);
        EXPECT_FALSE(m_state.m_bHistory);
        EXPECT_TRUE(m_dialog.calls.empty()) << "no message box in an unattended run";
        std::string expected;
        for (int line = 1; line <= 3; ++line)
            expected += "RUN.ZVD " + std::to_string(line) + "行目: " + c.message + "\r\n";
        EXPECT_EQ(m_state.m_strText.Joined(), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(All, DirectiveTest, ::testing::ValuesIn(RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo::test
