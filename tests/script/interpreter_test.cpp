// Runs whose data, history or log file cannot be opened.
#include "../test_files.h"
#include "interpreter_fixture.h"
#include "registry/memory_registry.h"

namespace zevo::test {
namespace {

using ValueRunTest = InterpreterTest;

TEST_P(ValueRunTest, FilesThatCannotBeOpened)
{
    // A data file: the run does not start, and the log names the file.
    m_state.m_strLogFile = "RUN.ZVL";
    m_state.m_strDataFile = "MISSING.ZVD\n";  // as the dialog's field may end
    EXPECT_FALSE(m_interpreter->StartRun());
    EXPECT_EQ(ReadWholeFile("RUN.ZVL"), "File=MISSING.ZVD\r\r\n");
    EXPECT_EQ(m_state.m_strText.Joined(), "データファイル MISSING.ZVDがオープンできません。\r\n");
    // A history or log file: a box or a message, and the run goes on.
    m_state.m_strDataFile = "RUN.ZVD";
    std::filesystem::create_directory("DIR");
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = m_state.m_strLogFile = "DIR";
    Run("[$K]\r\n\"b\"=\"2\"\r\n", true);
    EXPECT_EQ(Outcome(), Expand("DIR; history; box DIRがオープンできません。|; $K \"b\"\r\n; 変更履歴記録ファイル "
                                "DIRがオープンできません。\r\nLogfileがオープンできません。\r\n"));
}

// Values in a key its key line created are not asked for until the run has written them or a directive has
// come; what the run lists and records is what it is when every value is asked for.
TEST_P(ValueRunTest, CreatedKeysAreNotAskedForValuesTheyCannotHold)
{
    auto* memory = dynamic_cast<MemoryRegistry*>(&Reg());
    if (memory == nullptr)
        GTEST_SKIP() << "queries are counted in memory";
    WriteDataFile("NEXT.ZVD", "\"d\"=\"4\"\r\n[$K\\M]\r\n\"m\"=\"5\"\r\n");
    const size_t before = memory->QueryCount();
    Run("/LH=\"s.zvh\"\r\n[$K\\N]\r\n\"a\"=\"1\"\r\n\"a\"=\"1\"\r\n\"A\"=\"2\"\r\n\"b\"=\"x\"\r\n[$K\\N]\r\n\"c\"=\"3\"\r\n"
        "/%=\"c\"\r\n\"c\"=\"3\"\r\n[$K\\M]\r\n/F \"next.zvd\"\r\n");
    EXPECT_EQ(memory->QueryCount() - before, 7u) << "all but the first \"a\" and \"b\"";
    EXPECT_EQ(Outcome(), Expand("history; $K\\N \"a\"\r\n$K\\N \"A\"\r\n$K\\N \"b\"\r\n$K\\N \"c\"\r\n[$K\\N]C -- Value deleted --\r\n"
                                "$K\\N \"c\"\r\nFile=NEXT.ZVD\r\n$K\\M \"d\"\r\n$K\\M \"m\"\r\n"));
    const std::string history = ReadWholeFile("S.ZVH");
    EXPECT_EQ(history.substr(history.find('\n') + 1),
              Expand("[$K\\N]a\r\n(Old)\r\n(New)1\r\n\r\n[$K\\N]A\r\n(Old)1\r\n(New)2\r\n\r\n[$K\\N]b\r\n(Old)\r\n(New)x\r\n\r\n"
                     "[$K\\N]c\r\n(Old)\r\n(New)3\r\n\r\n[$K\\N]C\r\n(Old)3\r\n-- Value Deleted --\r\n\r\n"
                     "[$K\\N]c\r\n(Old)\r\n(New)3\r\n\r\n[$K\\M]d\r\n(Old)\r\n(New)4\r\n\r\n[$K\\M]m\r\n(Old)\r\n(New)5\r\n\r\n"));
}

INSTANTIATE_TEST_SUITE_P(All, ValueRunTest, ::testing::ValuesIn(RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo::test
