#include "script/history_log.h"

#include <gtest/gtest.h>

#include <string>

#include "../test_files.h"

namespace zevo {
namespace {

const RunTime kStart{1998, 7, 5, 1, 9, 3, 7};

// A path of exactly `bytes` bytes in the scratch folder (any number of slashes count as one).
std::string PathOfLength(size_t bytes)
{
    const std::string folder = test::ScratchFolder();
    return folder + std::string(bytes - folder.size() - 6, '/') + "/l.zvl";
}

TEST(HistoryFileTest, EveryOpeningAppendsABlock)
{
    const std::string path = test::ScratchPath("blocks.zvh");
    const std::string first = "<< 1998 7 5 9:3:7 >>\r\n[K]v\r\n(Old)\r\n(New)a\r\nb\r\n\r\n";
    HistoryFile history;
    ASSERT_TRUE(history.Open(path + "\n", kStart)) << "a final LF is dropped";
    history.Write("[K]v\n(Old)\n(New)a\nb\n\n");
    EXPECT_EQ(test::ReadWholeFile(path), first) << "every record reaches the system at once";
    ASSERT_TRUE(history.Open(path, RunTime{2026, 12, 31, 5, 23, 59, 0}));
    history.Close();
    history.Write("after closing\n");
    EXPECT_FALSE(history.WriteFailed());
    EXPECT_EQ(test::ReadWholeFile(path), first + "<< 2026 12 31 23:59:0 >>\r\n");
}

TEST(WriteLogTest, ReplacesTheWholeLogOrKeepsTheEarlierOne)
{
    const std::string path = test::ScratchPath("run.zvl");
    const std::string earlier = "File=C:\\DATA\\REGDATA.ZVD\r\r\n";
    test::WriteScratchFile("run.zvl.zevo-new", "left by a run that was ended");
    EXPECT_EQ(WriteLog(path + "\n", "File=C:\\DATA\\REGDATA.ZVD\r\n"), 1);
    EXPECT_EQ(test::ReadWholeFile(path), earlier);
    HistoryFile history;
    for (const std::string& refused : {std::string(), test::ScratchPath("no-such-folder/x.zvl"),
                                       test::ScratchFolder(), PathOfLength(kMaxPathBytes + 1)}) {
        EXPECT_EQ(WriteLog(refused, "x"), 0) << refused;
        EXPECT_FALSE(history.Open(refused, kStart)) << refused;
    }
    EXPECT_EQ(test::ReadWholeFile(path), earlier);
#ifndef _WIN32  // Windows takes no path of 511 bytes in single-byte characters
    EXPECT_EQ(WriteLog(PathOfLength(kMaxPathBytes), "x"), 1);
    EXPECT_TRUE(history.Open(PathOfLength(kMaxPathBytes), kStart));
#endif
    EXPECT_EQ(WriteLog(path, ""), 1);
    EXPECT_EQ(test::ReadWholeFile(path), "");
}

}  // namespace
}  // namespace zevo
