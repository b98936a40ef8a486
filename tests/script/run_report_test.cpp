// What a run tells its report (the console program's view), and a read-only
// run, which creates and changes nothing.
#include "interpreter_fixture.h"
#include "registry/value_codec.h"

namespace zevo::test {
namespace {

struct RecordingReport : RunReport {
    void Event(const RunEvent& e) override
    {
        static const char* const kKinds[] = {"differs", "written", "deleted", "key deleted", "absent",
                                             "key absent", "file", "left", "text", "problem", "cannot"};
        std::string what = e.name;
        if (e.kind == RunEvent::Kind::ValueDiffers)
            what += " " + (e.missing ? "missing" : e.registryData) + ">" + e.fileData;
        else if (e.kind == RunEvent::Kind::ValueShouldBeAbsent)
            what += " " + e.registryData;
        else if (e.kind == RunEvent::Kind::KeyDeleted || e.kind == RunEvent::Kind::KeyShouldBeAbsent)
            what = e.key;
        events += (events.empty() ? "" : "; ") + std::string(kKinds[static_cast<int>(e.kind)]) + " " +
                  std::to_string(e.line) + " " + what + e.text.Joined();
    }
    std::string events;
};

using RunReportTest = InterpreterTest;

TEST_P(RunReportTest, EventsOfEachEntry)
{
    const std::string k = m_cp.ToUpper(Expand("$K")), ro = "read-only", ignore = "ignore conditions";
    const struct {
        std::string mode, data, events;
        FileResult result = FileResult::Done;
    } rows[] = {
        {ro, "[$K\\New]\r\n\"a\"=\"x\"\r\n/%=\"b\"\r\n/%=[$K\\New\\Sub]\r\n[$K]\r\n\"e\"=\"1\"\r\n/%=\"e\"\r\n/%=[$K\\E]\r\n"
             "/%=[$K\\None]\r\n/C \"a\" \"b\"\r\n/V-\r\n/Q\r\n/LH=\"h.zvh\"\r\n/Z\r\n\"e\"=\"2\"\r\n[HKEY_NOWHERE\\X]\r\n/* end",
         "differs 2 a missing>x; absent 7 E 1; key absent 8 " + k + "\\E; left 10 /C \"a\" \"b\"; left 11 /V-; left 12 /Q; "
         "left 13 /LH=\"h.zvh\"; differs 15 e 1>2; problem 16 このキーを開けないため、続く値を処理しません。; text 17  end"},
        {"", "[$K]\r\n\"e\"=\"2\"\r\n/%=\"e\"\r\n/%=\"e\"\r\n/%=[$K\\E]\r\n/%=[$K\\E]\r\n/M \"d\"\r\n[$K\\T\\L]\r\n/%=[$K\\T]",
         "differs 2 e 1>2; written 2 e; deleted 3 E; key deleted 5 " + k + "\\E; file 7 ; problem 9 キーを削除できませんでした。"},
        {"", "/M \"d\"\r\n/R \"d\"", "problem 1 ファイル操作に失敗しました。; problem 2 ファイル操作に失敗しました。", FileResult::Failed},
        {"", "/M \"d\"\r\n/D \"d\"", "", FileResult::NothingToDo},
        {ignore, "/AM 13\r\n/AT 9:30 9:31\r\n[$K]\r\n\"i\"=\"1\"", "differs 4 i missing>1; written 4 i"},
        // A new key's value, not asked for, after a value that was found.
        {"", "[$K]\r\n\"e\"=\"2\"\r\n[$K\\Fresh]\r\n\"f\"=dword:00000001",
         "differs 2 e 1>2; written 2 e; differs 4 f missing>00000001; written 4 f"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.data);
        Reg().DeleteKey(Base(), "E");
        KeyHandle e = 0;
        ASSERT_EQ(Reg().CreateKey(Base(), "E", &e), kErrorSuccess);
        Reg().CloseKey(e);
        ASSERT_EQ(Set(Base(), "e", kRegSz, "1"), kErrorSuccess);
        RecordingReport report;
        m_interpreter->SetReport(&report);
        m_interpreter->SetReadOnly(row.mode == ro);
        m_interpreter->SetIgnoreConditions(row.mode == ignore);
        m_state.m_bVerify = row.mode == ro;
        m_files.result = row.result;
        Run(row.data);
        EXPECT_EQ(report.events, Expand(row.events));
    }
    EXPECT_EQ(Stored("New", "a") + "|" + Stored("", "i"), std::string("no key|1:1\0", 11)) << "a read-only run creates no key";
}

INSTANTIATE_TEST_SUITE_P(All, RunReportTest, ::testing::ValuesIn(RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo::test
