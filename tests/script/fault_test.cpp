// A disk that fails in the middle of a run: one file takes or gives only so many bytes, then fails.
// The run goes on or ends as it should, says so once, and what the history and log held stays.
#ifdef __linux__

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "../test_files.h"
#include "interpreter_fixture.h"

namespace zevo::test {
namespace {

// The file whose path holds this name takes or gives g_budget more bytes.
std::string g_failingName;
long g_budget = 0;

std::FILE* OpenFailing(const std::string& path, TextFile::Mode mode)
{
    const char* how = mode == TextFile::Mode::Read ? "rb" : mode == TextFile::Mode::Append ? "ab" : "wb";
    std::FILE* file = std::fopen(path.c_str(), how);
    if (file == nullptr || path.find(g_failingName) == std::string::npos)
        return file;
    cookie_io_functions_t io = {};
    io.read = [](void* in, char* buffer, size_t size) -> ssize_t {
        size_t got = std::fread(buffer, 1, std::min<size_t>(size, std::max(g_budget, 0L)), static_cast<FILE*>(in));
        g_budget -= static_cast<long>(got);
        errno = EIO;
        return got > 0 ? static_cast<ssize_t>(got) : -1;
    };
    io.write = [](void* out, const char* buffer, size_t size) -> ssize_t {
        g_budget -= static_cast<long>(size);
        errno = ENOSPC;
        return g_budget < 0 ? -1 : static_cast<ssize_t>(std::fwrite(buffer, 1, size, static_cast<FILE*>(out)));
    };
    io.close = [](void* stream) { return std::fclose(static_cast<FILE*>(stream)); };
    return fopencookie(file, how, io);
}

using FaultTest = InterpreterTest;

TEST_P(FaultTest, AFailingFileIsReportedOnceAndKeepsWhatItHeld)
{
    const std::string history = "<< 1998 7 1 1:2:3 >>\r\n[K]v\r\n(Old)\r\n(New)x\r\n\r\n", log = "earlier log\r\r\n";
    const char* const kHistoryFails = "変更履歴記録ファイル RUN.ZVHに書き込めません。\r\n";
    const struct { const char* file; long budget; const char* message; } rows[] = {
        {"RUN.ZVH", 0, kHistoryFails}, {"RUN.ZVH", 10, kHistoryFails},  // at the block header
        {"RUN.ZVH", 5000, kHistoryFails},  // after many records
        {"RUN.ZVL", 1000, "Logfileがオープンできません。\r\n"},
        {"RUN.ZVD", 16000, "データファイル RUN.ZVDを最後まで読めませんでした。\r\n"},  // about half of it
    };
    std::string values;  // every run writes them below a new key: each makes a history record
    for (int i = 0; i < 1000; ++i)
        values += "\"v" + std::to_string(i) + "\"=\"value number " + std::to_string(i) + "\"\r\n";
    m_state.m_bHistory = true;
    m_state.m_strHistoryFile = "RUN.ZVH";
    m_state.m_strLogFile = "RUN.ZVL";
    for (const auto& row : rows) {
        const std::string file = row.file, key = file + std::to_string(row.budget);
        SCOPED_TRACE(key);
        WriteDataFile("RUN.ZVH", history);
        WriteDataFile("RUN.ZVL", log);
        g_failingName = file;
        g_budget = row.budget;
        TextFile::SetOpenFunction(OpenFailing);
        const int entries = Run("[$K\\" + key + "]\r\n" + values, true);
        TextFile::SetOpenFunction(nullptr);

        EXPECT_EQ(m_state.m_strText.Joined(), row.message);
        EXPECT_TRUE(file != "RUN.ZVD" ? entries == 1001 : entries > 100 && entries < 1001) << entries;
        EXPECT_EQ(Stored(key, "v999") != "missing", file != "RUN.ZVD") << "the run goes on";
        const std::string now = ReadWholeFile("RUN.ZVH");
        EXPECT_EQ(now.substr(0, history.size()), history);
        EXPECT_TRUE(file != "RUN.ZVH" || now.size() <= history.size() + row.budget) << now.size();
        EXPECT_TRUE(file != "RUN.ZVL" || ReadWholeFile("RUN.ZVL") == log);
        EXPECT_FALSE(std::filesystem::exists("RUN.ZVL.zevo-new"));
    }
}

INSTANTIATE_TEST_SUITE_P(All, FaultTest, ::testing::ValuesIn(RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo::test

#endif  // __linux__
