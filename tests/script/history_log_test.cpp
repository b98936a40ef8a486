#include "script/history_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "../test_files.h"

namespace zevo {
namespace {

const RunTime kStart{1998, 7, 5, 1, 9, 3, 7};

TEST(HistoryFileTest, EveryOpeningAppendsABlock)
{
    const std::string path = test::ScratchPath("blocks.zvh");
    std::remove(path.c_str());
    HistoryFile history;
    ASSERT_TRUE(history.Open(path + "\n", kStart)) << "a final LF is dropped";
    history.Write("[K]v\n(Old)\n(New)a\nb\n\n");
    EXPECT_EQ(test::ReadWholeFile(path), "<< 1998 7 5 9:3:7 >>\r\n[K]v\r\n(Old)\r\n(New)a\r\nb\r\n\r\n")
        << "every record reaches the system at once";
    ASSERT_TRUE(history.Open(path, RunTime{2026, 12, 31, 5, 23, 59, 0}));
    history.Close();
    history.Write("after closing\n");
    EXPECT_FALSE(history.IsOpen());
    EXPECT_FALSE(history.WriteFailed());
    EXPECT_EQ(test::ReadWholeFile(path),
              "<< 1998 7 5 9:3:7 >>\r\n[K]v\r\n(Old)\r\n(New)a\r\nb\r\n\r\n"
              "<< 2026 12 31 23:59:0 >>\r\n");
}

TEST(HistoryFileTest, RefusedPaths)
{
    HistoryFile history;
    EXPECT_FALSE(history.Open("", kStart));
    EXPECT_FALSE(history.Open(test::ScratchPath("no-such-folder/h.zvh"), kStart));
    EXPECT_FALSE(history.Open(test::ScratchFolder(), kStart)) << "a folder";
    std::string longPath = test::ScratchPath(std::string(kMaxPathBytes, 'h'));
    EXPECT_FALSE(history.Open(longPath, kStart));
    EXPECT_FALSE(history.IsOpen());
}

TEST(WriteLogTest, WritesTheWholeTextEachTime)
{
    const std::string path = test::ScratchPath("run.zvl");
    test::WriteScratchFile("run.zvl.zevo-new", "left by a run that was ended");
    EXPECT_EQ(WriteLog(path, "File=C:\\DATA\\REGDATA.ZVD\r\n"), 1);
    EXPECT_EQ(test::ReadWholeFile(path), "File=C:\\DATA\\REGDATA.ZVD\r\r\n");
    EXPECT_EQ(WriteLog(path + "\n", "second\r\n"), 1);
    EXPECT_EQ(test::ReadWholeFile(path), "second\r\r\n");
    EXPECT_EQ(WriteLog(path, ""), 1);
    EXPECT_EQ(test::ReadWholeFile(path), "");
}

TEST(WriteLogTest, AFailureKeepsTheEarlierLog)
{
    const std::string path = test::ScratchPath("kept.zvl");
    ASSERT_EQ(WriteLog(path, "earlier\n"), 1);
    EXPECT_EQ(WriteLog("", "x"), 0);
    EXPECT_EQ(WriteLog(std::string(kMaxPathBytes + 1, 'l'), "x"), 0);
    EXPECT_EQ(WriteLog(test::ScratchPath("no-such-folder/x.zvl"), "x"), 0);
    EXPECT_EQ(WriteLog(test::ScratchFolder(), "x"), 0) << "a folder is no log file";
    EXPECT_EQ(test::ReadWholeFile(path), "earlier\r\n");
}

#ifdef __linux__
// /dev/full takes the open but refuses every write, like a full disk.
std::FILE* OpenFullDisk(const std::string&, TextFile::Mode)
{
    return std::fopen("/dev/full", "ab");
}

TEST(WriteLogTest, AFullDiskKeepsTheEarlierFiles)
{
    const std::string log = test::ScratchPath("full.zvl");
    ASSERT_EQ(WriteLog(log, "earlier\n"), 1);
    TextFile::SetOpenFunction(OpenFullDisk);
    EXPECT_EQ(WriteLog(log, std::string(100000, 'x')), 0);
    HistoryFile history;
    ASSERT_TRUE(history.Open("full.zvh", kStart));
    history.Write(std::string(100000, 'y'));
    history.Close();
    EXPECT_TRUE(history.WriteFailed());
    TextFile::SetOpenFunction(nullptr);
    EXPECT_EQ(test::ReadWholeFile(log), "earlier\r\n");
}
#endif

}  // namespace
}  // namespace zevo
