// Data files of a few lines, mostly directives, run through the interpreter
// one after another against one registry; each row shows what its run did.
#include <climits>

#include "../test_files.h"
#include "interpreter_fixture.h"

namespace zevo::test {
namespace {

using DirectiveTest = InterpreterTest;

const std::string kHeader = "<< 1998 7 15 9:3:7 >>\r\n";  // of a history block, from the recorded clock

std::string OnLine(int line, const std::string& problem, const std::string& file = "RUN.ZVD")
{
    return file + " " + std::to_string(line) + "行目: " + problem + "\r\n";
}

TEST_P(DirectiveTest, OneDataFileEach)
{
    const std::string missing = "引数がないか、引用符が閉じていません。", empty = "パスが空のため処理しません。";
    const std::string noKey = "キーが開かれていないため処理しません。", unknown = "値の形式が不明なため書き込みません。";
    const std::string again = "このデータファイルはこの実行で既に読んでいます。", noName = "削除するキーの名前がありません。";
    const std::string tooLong = OnLine(1, "パスが長すぎるため処理しません。"), quit = "box 処理を中止します|Mendora";
    const std::string longest(kMaxPathBytes, 'P'), longer = longest + "P", k = m_cp.ToUpper(Expand("[$K"));
    const std::string longList(100, ',');  // 101 bytes of 0, one more than the panes show
    WriteDataFile("NEXT.ZVD", "[$K]\r\n\"c\"=\"3\"\r\n/F \"run.zvd\"\r\n\"d\"=\"4\"\r\n");
    const struct {
        std::string data, outcome;
        FileResult result = FileResult::Done;
        bool answer = true;
    } cases[] = {
        // Flags other than the ones named work as the plain form, or not at all.
        {"/E", "restart 1"}, {"/EY", "restart 2"}, {"/EY\r\n/E-", "restart 1"}, {"/T", "exit"}, {"/Tx", "exit"},
        {"/T\r\n/T-", ""}, {"/V", "verify; by data"}, {"/V\r\n/V-x", "by data"}, {"/Vx", ""}, {"/Z", "track"},
        {"/Z\r\n/Z-", ""}, {"/Zx", ""}, {"/L=\"c:\\run.zvl\"", "log; C:\\RUN.ZVL"}, {"/L=\"a.zvl\"\r\n/L-", "A.ZVL"},
        {"/L", ""}, {"/X", "locked; disable"}, {"/X\r\n/X-", "disable; unlock"}, {"/Xq", "disable"},
        {"/I\r\n/I-\r\n/Ix", "minimize; restore"}, {"/!99999999999", "speed " + std::to_string(INT_MAX)},
        {"/!5\r\n/! 7\r\n/!-\r\n/!\r\n/!x", "speed 5; speed 7; speed 0; speed 0"}, {"/Gnotepad", "start OTEPAD"},
        {"/G notepad c:\\readme.txt", "start NOTEPAD C:\\README.TXT"}, {"/D\r\n/*Done.", "Done.\r\n"},
        {"/*", "\r\n"}, {"/\r\n/W\r\n/%\r\n/%x\r\n/%=x\r\n/A\r\n/AX 1", ""},
        // The end of the process: the files are closed and nothing after it is read.
        {"/LH=\"q.zvh\"\r\n/QY\r\n/E", "history; " + quit + "; exit 0"}, {"/QN\r\n/E", "exit 0"},
        {"[$K]\r\n/Q\r\n\"q\"=\"1\"", quit + "; $K \"q\"\r\n", FileResult::Done, false},
        // The run clock: Wednesday (4) 15 July 1998, 09:03:07; "9:30" is read at fixed places as 9:00.
        {"/AM 7", ""}, {"/am 1 7 12", ""}, {"/AW  2   4 ", ""}, {"/AM 1\r\n/AM-", ""}, {"/AM 1 2", "inactive"},
        {"/AM", "inactive"}, {"/AM7", "inactive"}, {"/AW 1 7", "inactive"}, {"/AM 1\r\n/AW 4", "inactive"},
        {"/AW 1\r\n/AT 09:00 10:00", "inactive"}, {"/AT 09:03:07 09:03:07", ""}, {"/AT 08:00 09:03", "inactive"},
        {"/AT 09:03:08 10:00", "inactive"}, {"/AT 12:00 12:00", "inactive"}, {"/AT 10:00", ""},
        {"/AT 9:30 17:00", ""}, {"/AT 22:00 06:00", "inactive"}, {"/AT 09:03:07 02:00", ""},
        {"/AT 22:00 09:03:07", ""}, {"/AT 09:03:08 09:03:06", "inactive"},
        // While inactive, key lines open their keys and the history switch works.
        {"/AM 1\r\n[$K\\I]\r\n\"v\"=\"x\"\r\n/E\r\n/T\r\n/Z\r\n/X\r\n/QN\r\n/G notepad\r\n/D \"c:\\tmp\"\r\n"
         "/*hidden\r\n/L=\"a\"\r\n/LH=\"i.zvh\"\r\n/AM-\r\n/LH=\r\n\"v\"=\"x\"",
         "history; $K\\I \"v\"\r\n; " + OnLine(15, missing)},
        // Files, folders and paths.
        {"/C \"c:\\src\\*.*\" \"d:\\dst\" ignored", "copy C:\\SRC\\*.* D:\\DST"},
        {"/D \"c:\\tmp\"\r\n/M \"c:\\log\"\r\n/R \"c:\\old\"", "delete C:\\TMP; mkdir C:\\LOG; rmdir C:\\OLD"},
        {"/D \"" + longest + "\"", "delete " + longest}, {"/C \"a\" \"b\"", "copy A B", FileResult::Failed},
        {"/C \"a\" \"b\"", "copy A B; " + tooLong, FileResult::PathTooLong},
        {"/C \"a\" \"b\"", "copy A B; " + OnLine(1, "コピー先がファイルのため処理しません。"), FileResult::DestinationIsFile},
        {"/D", OnLine(1, missing)}, {"/M \"a", OnLine(1, missing)}, {"/C \"a\"", OnLine(1, missing)},
        {"/C \"a\" \"b", OnLine(1, missing)}, {"/F", OnLine(1, missing)}, {"/LH=", OnLine(1, missing)},
        {"/R \"\"", OnLine(1, empty)}, {"/C \"a\" \"\"", OnLine(1, empty)}, {"/F \"\"", OnLine(1, empty)},
        {"/L=\"\"", OnLine(1, empty)}, {"/LH=\"\"", OnLine(1, empty)}, {"/C \"a\" \"" + longer + "\"", tooLong},
        {"/F \"" + longer + "\"", tooLong}, {"/L=\"" + longer + "\"", tooLong}, {"/LH=\"" + longer + "\"", tooLong},
        {"/LH=\"h0.zvh\"\r\n/LH=\"no/a.zvh\"", "box NO/A.ZVHがオープンできません。|; 変更履歴記録ファイル NO/A.ZVHがオープンできません。\r\n"},
        // Hand-over, with two cycles.
        {"[$K]\r\n\"a\"=\"1\"\r\n/F \"missing.zvd\"\r\n/F \"run.zvd\"\r\n/F \"next.zvd\"\r\n\"b\"=\"2\"",
         "$K \"a\"\r\nFile=NEXT.ZVD\r\n$K \"c\"\r\n$K \"d\"\r\n; " + OnLine(4, again) + OnLine(3, again, "NEXT.ZVD")},
        {"/F \"next.zvd\"", "File=NEXT.ZVD\r\n; " + OnLine(3, again, "NEXT.ZVD")},  // a new run, a new list
        {"// nothing but a comment", ""}, {"/Z\x1A/E", "track"},  // Ctrl-Z ends the file quietly
        // Values: the row before left a key open, which a new run never uses. A value
        // is listed while it differs from the registry's.
        {"/Z\r\n\"a\"=\"2\"\r\n[HKEY_NOWHERE\\X]\r\n\"b\"=\"3\"\r\n[$K\\U]\r\n\"u\"=hex(x):01\r\n\"u\"=hex(x):01\r\n"
         "abc=def\r\n\"v\"=\"" + std::string(kMaxLineBytes + 1, 'x') + "\"\r\n" +
         std::string("\"n\"=\"a\0b\"\r\n", 11) + "\"s\"=\"1\"\r\n\"s\"=\"1\"\r\n\"s\"=\"2\"",
         "track; changes seen; $K\\U \"u\"\r\n$K\\U \"u\"\r\n$K\\U \"\"\r\n$K\\U \"s\"\r\n$K\\U \"s\"\r\n; " +
             OnLine(2, noKey) + OnLine(3, "このキーを開けないため、続く値を処理しません。") + OnLine(4, noKey) +
             OnLine(6, unknown) + OnLine(7, unknown) + OnLine(8, unknown) +
             OnLine(9, "127999バイトを超える行は処理しません。") + OnLine(10, "NULバイトを含む行は処理しません。")},
        {"[$K\\S]\r\n\"s\"=\"1\"\r\n/Z\r\n\"s\"=\"1\"", "track; $K\\S \"s\"\r\n"},
        // A write into a key deleted under the run is refused, and not recorded.
        {"/LH=\"x.zvh\"\r\n[$K\\X]\r\n/%=[$K\\X]\r\n\"v\"=\"1\"",
         "history; " + k + "\\X] -- Key deleted --\r\n$K\\X \"v\"\r\n; " + OnLine(4, "値を書き込めませんでした。")},
        // Deletions: "" is the default value; a value or key is listed once, as it is gone then.
        {"/%=\"v\"", OnLine(1, noKey)},
        {"[$K\\D]\r\n\"v\"=\"1\"\r\n@=\"d\"\r\n/Z\r\n/%=\"V\"\r\n/%=\"\"\r\n/%=\"\"\r\n/%=\"none\"\r\n/%=\"v",
         "track; changes seen; $K\\D \"v\"\r\n$K\\D \"\"\r\n[$K\\D]V -- Value deleted --\r\n"
         "[$K\\D] -- Value deleted --\r\n; " + OnLine(9, missing)},
        // A key with subkeys stays; an empty name deletes nothing; a missing parent is made.
        {"[$K\\T\\L]\r\n[$K\\T\\O]\r\n/Z\r\n/%=[$K\\T\\L]\r\n/%=[$K\\T\\L]\r\n/%=[$K\\T]\r\n/%=[$K\\A\\C]\r\n"
         "/%=[$K\\]\r\n/%=[HKEY_CURRENT_USER]",
         "track; changes seen; " + k + "\\T\\L] -- Key deleted --\r\n; " + OnLine(8, noName) + OnLine(9, noName)},
        // Verify lists what exists, and changes and records nothing.
        {"[$K\\G]\r\n\"v\"=\"1\"\r\n/LH=\"v.zvh\"\r\n/V\r\n[$K\\N]\r\n\"w\"=\"x\"\r\n[$K\\G]\r\n/%=\"v\"\r\n"
         "/%=\"none\"\r\n/%=[$K\\G]\r\n/%=[$K\\None]\r\n/C \"a\" \"b\"\r\n/D \"a\"\r\n/G notepad\r\n/LH-",
         "verify; by data; $K\\G \"v\"\r\n$K\\N \"w\"\r\n[$K\\G]V -- Value deleted --\r\n" + k +
             "\\G] -- Key deleted --\r\n"},
        // History records: old and new data, whole, and deletions. Its panes are looked at below.
        {"[$K\\H]\r\n\"s\"=\"old\"\r\n\"n\"=dword:00000010\r\n/LH=\"h.zvh\"\r\n\"s\"=\"new\"\r\n\"m\"=\"a\r\nb\"\r\n"
         "/%=\"n\"\r\n\"long\"=hex:" + longList + "\r\n[HKEY_CURRENT_USER]",
         "history; $K\\H \"s\"\r\n$K\\H \"n\"\r\n$K\\H \"s\"\r\n$K\\H \"m\"\r\n[$K\\H]N -- Value deleted --\r\n"
         "$K\\H \"long\"\r\n"},
    };
    const RunState fresh = m_state;
    m_dialog.state = &m_state;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        m_state = fresh;
        m_files.result = c.result;
        m_dialog.confirmAnswer = c.answer;
        Run(c.data);
        EXPECT_EQ(Outcome(), Expand(c.outcome));
        EXPECT_EQ(m_dialog.shown, RecordingDialog::Panes(m_state)) << "the display shows the run as it stands";
    }
    // A long value's panes show a notice; its data stay in the record.
    const std::string notice = " Not Displayed for Fast Process.";
    EXPECT_EQ(m_state.m_strFileData + m_state.m_strRegistryData, notice + notice);
    EXPECT_EQ(std::to_string(m_state.m_bLongData) + m_state.m_strKeyPath, "0HKEY_CURRENT_USER");
    EXPECT_EQ(ReadWholeFile("H.ZVH"),
              Expand(kHeader + "[$K\\H]s\r\n(Old)old\r\n(New)new\r\n\r\n[$K\\H]m\r\n(Old)\r\n(New)a\r\nb\r\n\r\n"
                     "[$K\\H]N\r\n(Old)00000010\r\n-- Value Deleted --\r\n\r\n[$K\\H]long\r\n(Old)\r\n(New)" +
                     longList + "\r\n\r\n"));
    EXPECT_EQ(ReadWholeFile("X.ZVH") + ReadWholeFile("V.ZVH"),
              kHeader + k + "\\X]  -- Key Deleted --\r\n\r\n" + kHeader);  // none of a refused write, nor in Verify
    EXPECT_EQ(Stored("A", "") + Stored("A\\C", "") + Stored("G", "v") + Stored("N", "w"),
              std::string("missingno key1:1\0missing", 24));
    m_dialog.scrolls = 0;
    Run("/*");
    EXPECT_EQ(m_state.m_strFileData + m_state.m_strRegistryData + m_state.m_strValueName, "") << "a run starts empty";
    EXPECT_EQ(m_dialog.scrolls, 1) << "the message pane shows its end";
}

INSTANTIATE_TEST_SUITE_P(All, DirectiveTest, ::testing::ValuesIn(RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo::test
