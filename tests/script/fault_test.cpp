// A disk that fails in the middle of a run: writes that stop reaching the
// disk after a number of bytes, and a data file that cannot be read to its
// end. The run goes on or ends as it should, says so, and what the history
// and log files held before stays as it was.
#ifdef __linux__

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "../test_files.h"
#include "recording_hosts.h"
#include "registry/memory_registry.h"
#include "script/interpreter.h"

namespace zevo {
namespace {

// A stream over a real file that takes only `budget` more bytes (writing)
// or gives only `budget` bytes (reading) before it fails, as a full or
// damaged disk does.
struct FailingStream {
    std::FILE* file;
    long budget;
};

ssize_t FailingRead(void* cookie, char* buffer, size_t size)
{
    auto* stream = static_cast<FailingStream*>(cookie);
    if (stream->budget <= 0) {
        errno = EIO;
        return -1;
    }
    size_t take = size < static_cast<size_t>(stream->budget) ? size : static_cast<size_t>(stream->budget);
    size_t got = std::fread(buffer, 1, take, stream->file);
    stream->budget -= static_cast<long>(got);
    return static_cast<ssize_t>(got);
}

ssize_t FailingWrite(void* cookie, const char* buffer, size_t size)
{
    auto* stream = static_cast<FailingStream*>(cookie);
    if (static_cast<long>(size) > stream->budget) {
        errno = ENOSPC;
        return -1;
    }
    stream->budget -= static_cast<long>(size);
    return static_cast<ssize_t>(std::fwrite(buffer, 1, size, stream->file));
}

int FailingClose(void* cookie)
{
    auto* stream = static_cast<FailingStream*>(cookie);
    int result = std::fclose(stream->file);
    delete stream;
    return result;
}

// Which file fails, and after how many bytes.
std::string g_failingName;
long g_budget = 0;

std::FILE* OpenFailing(const std::string& path, TextFile::Mode mode)
{
    const char* how = mode == TextFile::Mode::Read ? "rb" : mode == TextFile::Mode::WriteTruncate ? "wb" : "ab";
    std::FILE* file = std::fopen(path.c_str(), how);
    if (file == nullptr || path.find(g_failingName) == std::string::npos)
        return file;
    cookie_io_functions_t functions = {FailingRead, FailingWrite, nullptr, FailingClose};
    return fopencookie(new FailingStream{file, g_budget}, how, functions);
}

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::filesystem::path folder = std::filesystem::path(test::ScratchFolder()) / (std::string("fault.") + info->name());
        std::filesystem::create_directories(folder);
        m_previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        m_state.m_strDataFile = "RUN.ZVD";
    }
    void TearDown() override
    {
        TextFile::SetOpenFunction(nullptr);
        std::filesystem::current_path(m_previousFolder);
    }
    void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    int Run(bool writeLog = false)
    {
        Interpreter interpreter(m_state, m_registry, m_cp, m_dialog, m_process, m_files);
        if (!interpreter.StartRun())
            return -1;
        int entries = 0;
        while (interpreter.ProcessEntry() == 1)
            ++entries;
        interpreter.FinishRun(writeLog);
        return entries;
    }
    std::string DataFile(int values)
    {
        std::string text = "[HKEY_CURRENT_USER\\Software\\Fault]\r\n";
        for (int i = 0; i < values; ++i)
            text += "\"v" + std::to_string(i) + "\"=\"value number " + std::to_string(i) + "\"\r\n";
        return text;
    }
    bool Stored(int i)
    {
        KeyHandle key = 0;
        if (m_registry.OpenKey(m_registry.Root(RootKey::CurrentUser), "Software\\Fault", &key) != kErrorSuccess)
            return false;
        uint8_t buffer[64];
        uint32_t type = 0, size = sizeof buffer;
        long rc = m_registry.QueryValue(key, "v" + std::to_string(i), &type, buffer, &size);
        m_registry.CloseKey(key);
        return rc == kErrorSuccess;
    }

    const CodePage m_cp = CodePage::ShiftJis();
    MemoryRegistry m_registry{m_cp};
    RunState m_state;
    test::RecordingDialog m_dialog;
    test::RecordingProcess m_process;
    test::RecordingFiles m_files;
    std::filesystem::path m_previousFolder;
};

TEST_F(FaultTest, HistoryOnAFullDiskKeepsItsEarlierBlocks)
{
    const std::string earlier = "<< 1998 7 1 1:2:3 >>\r\n[K]v\r\n(Old)\r\n(New)x\r\n\r\n";
    Write("RUN.ZVH", earlier);
    Write("RUN.ZVD", DataFile(2000));
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "RUN.ZVH";
    for (long budget : {0L, 10L, 5000L}) {
        SCOPED_TRACE(budget);
        g_failingName = "RUN.ZVH";
        g_budget = budget;
        TextFile::SetOpenFunction(OpenFailing);
        m_registry.DeleteKey(m_registry.Root(RootKey::CurrentUser), "Software\\Fault");
        EXPECT_EQ(Run(), 2001);
        EXPECT_TRUE(Stored(1999)) << "the run goes on";
        EXPECT_EQ(m_state.m_strText.Joined(), "変更履歴記録ファイル RUN.ZVHに書き込めません。\r\n");
        const std::string now = test::ReadWholeFile("RUN.ZVH");
        EXPECT_EQ(now.substr(0, earlier.size()), earlier);
        EXPECT_LE(now.size(), earlier.size() + static_cast<size_t>(budget));
    }
}

TEST_F(FaultTest, LogOnAFullDiskKeepsTheEarlierLog)
{
    Write("RUN.ZVL", "earlier log\r\r\n");
    Write("RUN.ZVD", DataFile(500));
    m_state.m_strLogFile = "RUN.ZVL";
    g_failingName = "RUN.ZVL";
    g_budget = 1000;
    TextFile::SetOpenFunction(OpenFailing);
    EXPECT_EQ(Run(true), 501);
    EXPECT_EQ(m_state.m_strText.Joined(), "Logfileがオープンできません。\r\n");
    EXPECT_EQ(test::ReadWholeFile("RUN.ZVL"), "earlier log\r\r\n");
    EXPECT_FALSE(std::filesystem::exists("RUN.ZVL.zevo-new"));
}

TEST_F(FaultTest, DataFileThatCannotBeReadToItsEnd)
{
    Write("RUN.ZVD", DataFile(1000));
    g_failingName = "RUN.ZVD";
    g_budget = 20000;  // about half of the file
    TextFile::SetOpenFunction(OpenFailing);
    const int entries = Run();
    EXPECT_GT(entries, 100);
    EXPECT_LT(entries, 1000);
    EXPECT_TRUE(Stored(1));
    EXPECT_FALSE(Stored(999));
    EXPECT_EQ(m_state.m_strText.Joined(), "データファイル RUN.ZVDを最後まで読めませんでした。\r\n");
}

}  // namespace
}  // namespace zevo

#endif  // __linux__
