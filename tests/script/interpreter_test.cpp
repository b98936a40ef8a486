// Whole data files through the interpreter: keys, values, the panes, the
// changed-items list, the history and log files, and the run's start and end.
#include <string>

#include "../test_files.h"
#include "interpreter_fixture.h"
#include "registry/memory_registry.h"
#include "registry/value_codec.h"

namespace zevo::test {
namespace {

const std::string kHeader = "<< 1998 7 15 9:3:7 >>\r\n";

using ValueRunTest = InterpreterTest;

TEST_P(ValueRunTest, FirstApplyWritesAndListsEveryDifference)
{
    const std::string data =
        "REGEDIT4\r\n"
        "[$K\\App]\r\n"
        "\"Name\"=\"Sample\"\r\n"
        "\"Count\"=dword:00000010\r\n"
        "\"Data\"=hex:01,02,\\\r\n"
        "  03\r\n"
        "\"Path\"=\"C:\\\\SAMPLE\"\r\n"
        "@=\"Default\"\r\n"
        "\"Bad\"=\"C:\\DOS\"\r\n";
    EXPECT_EQ(Run(data), 8);
    EXPECT_EQ(Stored("App", "Name"), std::string("1:Sample\0", 9));
    EXPECT_EQ(Stored("App", "Count"), std::string("4:\x10\0\0\0", 6));
    EXPECT_EQ(Stored("App", "Data"), "3:\x01\x02\x03");
    EXPECT_EQ(Stored("App", "Path"), std::string("1:C:\\SAMPLE\0", 12));
    EXPECT_EQ(Stored("App", ""), std::string("1:Default\0", 10));
    EXPECT_EQ(Stored("App", "Bad"), "missing") << "a single backslash drops the line";
    EXPECT_EQ(m_state.m_strChangedItems,
              Expand("File=RUN.ZVD\r\n"
                     "$K\\App \"Name\"\r\n"
                     "$K\\App \"Count\"\r\n"
                     "$K\\App \"Data\"\r\n"
                     "$K\\App \"Path\"\r\n"
                     "$K\\App \"\"\r\n"));
    EXPECT_EQ(m_state.m_strKeyPath, Expand("$K\\App"));
    EXPECT_EQ(m_state.m_strValueName, "") << "a dropped line shows nothing";
    EXPECT_EQ(m_state.m_strFileData, "Default") << "panes keep the last compared value";
    EXPECT_EQ(m_state.m_strText.Joined(), "");

    // Nothing differs the second time: nothing is listed or written.
    EXPECT_EQ(Run(data), 8);
    EXPECT_EQ(m_state.m_strChangedItems, "File=RUN.ZVD\r\n");
    EXPECT_EQ(m_state.m_strRegistryData, "Default");
}

TEST_P(ValueRunTest, VerifyComparesAndListsOnly)
{
    m_state.m_bVerify = true;
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "RUN.ZVH";
    EXPECT_EQ(Run("[$K\\New\\Deep]\r\n\"v\"=\"x\"\r\n"), 2);
    EXPECT_TRUE(KeyExists("New\\Deep")) << "key lines create their keys also in Verify";
    EXPECT_EQ(Stored("New\\Deep", "v"), "missing");
    EXPECT_EQ(m_state.m_strChangedItems, Expand("File=RUN.ZVD\r\n$K\\New\\Deep \"v\"\r\n"));
    EXPECT_EQ(m_state.m_strFileData, "x");
    EXPECT_EQ(ReadWholeFile("RUN.ZVH"), kHeader);
}

TEST_P(ValueRunTest, HistoryRecordsOldAndNewData)
{
    std::string longList;
    for (int i = 0; i < 200; ++i)
        longList += i == 0 ? "aa" : ",aa";
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "RUN.ZVH";
    Run("[$K]\r\n\"s\"=\"old\"\r\n");
    EXPECT_EQ(Run("[$K]\r\n"
                  "\"s\"=\"new\"\r\n"
                  "\"n\"=dword:00000001\r\n"
                  "\"m\"=\"a\r\nb\"\r\n"
                  "\"long\"=hex:" + longList + "\r\n"),
              5);
    const std::string k = Expand("$K");
    EXPECT_EQ(ReadWholeFile("RUN.ZVH"),
              kHeader + "[" + k + "]s\r\n(Old)\r\n(New)old\r\n\r\n" +  // first run
                  kHeader +                                           // second run
                  "[" + k + "]s\r\n(Old)old\r\n(New)new\r\n\r\n" +
                  "[" + k + "]n\r\n(Old)\r\n(New)00000001\r\n\r\n" +
                  "[" + k + "]m\r\n(Old)\r\n(New)a\r\nb\r\n\r\n" +
                  "[" + k + "]long\r\n(Old)\r\n(New)" + longList + "\r\n\r\n");
    // A long value's panes show the notice; its data stay in the record.
    EXPECT_EQ(m_state.m_strFileData, " Not Displayed for Fast Process.");
    EXPECT_EQ(m_state.m_strRegistryData, " Not Displayed for Fast Process.");
    EXPECT_FALSE(m_state.m_bLongData);
}

TEST_P(ValueRunTest, ValuesWithoutAUsableKeyAreSkippedAndReported)
{
    // The first run leaves its key open; the next run's first value line
    // must not land there.
    Run("[$K\\First]\r\n\"a\"=\"1\"\r\n");
    EXPECT_EQ(Run("\"a\"=\"2\"\r\n"
                  "/%=\"a\"\r\n"
                  "[HKEY_NOWHERE\\X]\r\n"
                  "\"b\"=\"3\"\r\n"),
              4);
    EXPECT_EQ(Stored("First", "a"), std::string("1:1\0", 4));
    EXPECT_EQ(m_state.m_strChangedItems, "File=RUN.ZVD\r\n");
    EXPECT_EQ(m_state.m_strText.Joined(),
              "RUN.ZVD 1行目: キーが開かれていないため処理しません。\r\n"
              "RUN.ZVD 2行目: キーが開かれていないため処理しません。\r\n"
              "RUN.ZVD 3行目: このキーを開けないため、続く値を処理しません。\r\n"
              "RUN.ZVD 4行目: キーが開かれていないため処理しません。\r\n");
}

TEST_P(ValueRunTest, UnknownFormsAreListedButNeverWritten)
{
    EXPECT_EQ(Run("[$K]\r\n\"u\"=hex(4):01,00,00,00\r\nabc=def\r\n"), 3);
    EXPECT_EQ(Stored("", "u"), "missing");
    EXPECT_EQ(Stored("", ""), "missing");
    EXPECT_EQ(m_state.m_strChangedItems, Expand("File=RUN.ZVD\r\n$K \"u\"\r\n$K \"\"\r\n"));
    EXPECT_EQ(m_state.m_strText.Joined(),
              "RUN.ZVD 2行目: 値の形式が不明なため書き込みません。\r\n"
              "RUN.ZVD 3行目: 値の形式が不明なため書き込みません。\r\n");
    EXPECT_EQ(m_state.m_strFileData, "def");
}

TEST_P(ValueRunTest, RefusedWritesAreListedReportedAndNotRecorded)
{
    auto* memory = dynamic_cast<MemoryRegistry*>(&m_scratch->Reg());
    if (memory == nullptr)
        GTEST_SKIP() << "access is denied only in the in-memory registry";
    memory->DenyWrites(RootKey::CurrentUser, m_scratch->BasePath() + "\\Locked");
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "RUN.ZVH";
    m_state.m_bTrackChanges = true;
    EXPECT_EQ(Run("[$K\\Locked]\r\n\"v\"=\"x\"\r\n"), 2);
    EXPECT_EQ(Stored("Locked", "v"), "missing");
    EXPECT_EQ(m_state.m_strChangedItems, Expand("File=RUN.ZVD\r\n$K\\Locked \"v\"\r\n"));
    EXPECT_TRUE(m_state.m_bChangesSeen);
    EXPECT_EQ(m_state.m_strText.Joined(), "RUN.ZVD 2行目: 値を書き込めませんでした。\r\n");
    EXPECT_EQ(ReadWholeFile("RUN.ZVH"), kHeader);
}

TEST_P(ValueRunTest, RefusedLines)
{
    std::string tooLong(kMaxLineBytes + 1, 'x');
    EXPECT_EQ(Run("[$K]\r\n\"v\"=\"" + tooLong + "\"\r\n" + std::string("\"n\"=\"a\0b\"\r\n", 11) +
                  "\"ok\"=\"1\"\r\n"),
              4);
    EXPECT_EQ(Stored("", "v"), "missing");
    EXPECT_EQ(Stored("", "n"), "missing");
    EXPECT_EQ(Stored("", "ok"), std::string("1:1\0", 4));
    EXPECT_EQ(m_state.m_strText.Joined(),
              "RUN.ZVD 2行目: 127999バイトを超える行は処理しません。\r\n"
              "RUN.ZVD 3行目: NULバイトを含む行は処理しません。\r\n");
}

TEST_P(ValueRunTest, DataFileThatCannotBeOpened)
{
    m_state.m_strLogFile = "RUN.ZVL";
    m_state.m_strDataFile = "MISSING.ZVD\n";
    EXPECT_FALSE(m_interpreter->StartRun());
    EXPECT_EQ(m_state.m_strDataFile, "MISSING.ZVD");
    EXPECT_EQ(ReadWholeFile("RUN.ZVL"), "File=MISSING.ZVD\r\r\n");
    EXPECT_EQ(m_state.m_strText.Joined(), "データファイル MISSING.ZVDがオープンできません。\r\n");
    EXPECT_EQ(m_interpreter->ProcessEntry(), 0);
}

TEST_P(ValueRunTest, LogFile)
{
    m_state.m_strLogFile = "RUN.ZVL";
    Run("[$K]\r\n\"a\"=\"1\"\r\n", true);
    EXPECT_EQ(ReadWholeFile("RUN.ZVL"), Expand("File=RUN.ZVD\r\r\n$K \"a\"\r\r\n"));
    Run("", true);
    EXPECT_EQ(ReadWholeFile("RUN.ZVL"), "File=RUN.ZVD\r\r\n") << "rewritten, not appended";

    // A log that cannot be written leaves the earlier one as it was.
    std::filesystem::create_directory("LOGDIR.ZVL");
    m_state.m_strLogFile = "LOGDIR.ZVL";
    Run("", true);
    EXPECT_EQ(m_state.m_strText.Joined(), "Logfileがオープンできません。\r\n");
    EXPECT_TRUE(std::filesystem::is_directory("LOGDIR.ZVL"));
    EXPECT_FALSE(std::filesystem::exists("LOGDIR.ZVL.zevo-new"));
}

TEST_P(ValueRunTest, HistoryFileThatCannotBeOpened)
{
    std::filesystem::create_directory("HISTDIR.ZVH");
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "HISTDIR.ZVH";
    EXPECT_EQ(Run("[$K]\r\n\"a\"=\"1\"\r\n"), 2);
    EXPECT_EQ(Stored("", "a"), std::string("1:1\0", 4)) << "the run goes on";
    ASSERT_EQ(m_dialog.calls.size(), 1u);
    EXPECT_EQ(m_dialog.calls[0], "box HISTDIR.ZVHがオープンできません。|");
    EXPECT_EQ(m_state.m_strText.Joined(), "変更履歴記録ファイル HISTDIR.ZVHがオープンできません。\r\n");
    EXPECT_TRUE(m_state.m_bHistory);
}

INSTANTIATE_TEST_SUITE_P(All, ValueRunTest, ::testing::ValuesIn(RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo::test
