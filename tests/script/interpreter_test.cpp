// Runs whose data, history or log file cannot be opened.
#include "../test_files.h"
#include "interpreter_fixture.h"

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

INSTANTIATE_TEST_SUITE_P(All, ValueRunTest, ::testing::ValuesIn(RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo::test
