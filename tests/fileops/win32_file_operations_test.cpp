#include "fileops/win32_file_operations.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "test_files.h"

namespace zevo {
namespace {

using Names = std::vector<std::string>;
const std::string kHyo = "\x95\x5C", kSo = "\x83\x5C";  // 表 and ソ: the second byte is 0x5C
const Names kAll = {"A.TXT", "B.DAT", "h.txt"};
constexpr FileResult kDone = FileResult::Done, kFailed = FileResult::Failed, kNothing = FileResult::NothingToDo,
                     kTooLong = FileResult::PathTooLong, kIsFile = FileResult::DestinationIsFile;
enum Op { Copy, Delete, Make, Remove };
// A call, its result, and the plain files that `folder` then holds (each holding its own name).
struct Step { Op op; std::string path, destination; FileResult result; std::string folder = "DST"; Names files = {}; };
Win32FileOperations g_files{CodePage::ShiftJis()};

void File(const std::string& folder, const std::string& name) { std::ofstream(folder + "\\" + name) << name; }

void Check(const std::vector<Step>& steps)
{
    for (const Step& s : steps) {
        SCOPED_TRACE(s.path + " | " + s.destination);
        EXPECT_EQ(s.op == Copy ? g_files.CopyFiles(s.path, s.destination) : s.op == Delete ? g_files.DeleteFiles(s.path)
                  : s.op == Make ? g_files.MakeDirectory(s.path) : g_files.RemoveEmptyDirectory(s.path), s.result);
        Names names;
        ListFiles(s.folder, names);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, s.files);
        for (const std::string& name : names)
            EXPECT_EQ(test::ReadWholeFile(s.folder + "\\" + name), name);
    }
}

// Each test works in a folder of its own, the current folder, with SRC and DST.
struct Win32FilesTest : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryA(m_root.c_str(), nullptr) && SetCurrentDirectoryA(m_root.c_str()));
        for (const char* folder : {"SRC", "SRC\\SUB", "DST", "DST\\SUB", "RO"})
            CreateDirectoryA(folder, nullptr);
        for (const char* name : {"A.TXT", "B.DAT", "h.txt", "SUB\\S.TXT"})
            File("SRC", name);
    }
    void TearDown() override { std::filesystem::current_path(m_saved); }
    const std::filesystem::path m_saved = std::filesystem::current_path();
    const std::string m_root = test::ScratchPath(::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(Win32FilesTest, PlainFilesOfOneLevelAndResults)
{
    const std::string n511(511, 'N'), n512 = n511 + "N", drive = m_root.substr(0, 2);  // "C:": its current folder
    File(".", "OLD.TXT");
    File("RO", "R.TXT");  // read-only: Wine, run as root, refuses to delete it as Windows does
    SetFileAttributesA("RO\\R.TXT", FILE_ATTRIBUTE_READONLY);
    Check({{Copy, "SRC\\*.TXT", "DST\\", kDone, "DST", {"A.TXT", "h.txt"}}, {Copy, "SRC", "DST", kDone, "DST", kAll},
           {Delete, "DST\\H.TXT", "", kDone, "DST", {"A.TXT", "B.DAT"}}, {Delete, "DST\\*.TXT", "", kDone, "DST", {"B.DAT"}},
           {Delete, "DST", "", kDone}, {Copy, "SRC\\A.TXT", "DST", kDone, "DST", {"A.TXT"}}, {Delete, "DST\\", "", kDone},
           {Copy, "SRC\\", "DST\\", kDone, "DST", kAll}, {Copy, "SRC\\NONE*", "DST", kNothing, "DST", kAll},
           {Copy, "SRC", "NODIR", kFailed, "DST", kAll}, {Copy, "SRC\\*.DAT", drive, kDone, ".", {"B.DAT", "OLD.TXT"}},
           {Copy, "SRC", "OLD.TXT", kIsFile, ".", {"B.DAT", "OLD.TXT"}}, {Delete, "DST\\*.*", "", kDone},
           {Delete, "", "", kFailed, "SRC", kAll}, {Copy, "", "DST", kFailed}, {Copy, "SRC", "", kFailed},
           {Delete, "RO", "", kFailed, "RO", {"R.TXT"}}, {Copy, n511, "DST", kNothing}, {Copy, n512, "DST", kTooLong},
           // A destination of 505 bytes makes targets of 511, one of 506 bytes targets of 512.
           {Copy, "SRC", n511.substr(6), kFailed}, {Copy, "SRC", n512.substr(6), kTooLong}, {Delete, n511, "", kNothing},
           {Delete, n512, "", kTooLong}, {Make, n511, "", kFailed}, {Make, n512, "", kTooLong},
           {Remove, n511, "", kFailed}, {Remove, n512, "", kTooLong}, {Make, "SRC", "", kNothing},
           {Make, "SRC\\A.TXT", "", kFailed}, {Remove, "GONE", "", kNothing}, {Remove, "SRC", "", kFailed}});
    EXPECT_TRUE(g_files.MatchesFile("SRC\\*") && !g_files.MatchesFile("SRC\\SU?") && !g_files.MatchesFile("SRC"));
    EXPECT_EQ(g_files.FullPath("SUB\\..\\.\\A.TXT"), m_root + "\\A.TXT");
    SetFileAttributesA("RO\\R.TXT", FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32FilesTest, JapaneseNames)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the Shift-JIS code page";
    // ソ and 表 are folders beside the files ソ表 and ソB.TXT. 0x84 0x84, a Cyrillic letter, has 2 bytes in UTF-8
    // too, so 126 of them fit in a Unix name; deep\A.TXT has 511 bytes, 512 with the backslash doubled.
    const std::string level(252, '\x84'), deep = level + "\\" + level, padded = level + "\\\\" + level;
    for (const std::string& folder : {kSo, kHyo, level, deep})
        CreateDirectoryA(folder.c_str(), nullptr);
    for (const auto& [folder, file] : std::vector<std::pair<std::string, std::string>>{
             {kSo, "A.TXT"}, {kSo, kHyo}, {".", kSo + kHyo}, {".", kSo + "B.TXT"}, {deep, "A.TXT"}, {deep, "0"}})
        File(folder, file);
    EXPECT_TRUE(g_files.MatchesFile(kSo + kHyo) && g_files.MatchesFile(deep + "\\A.TXT") &&
                !g_files.MatchesFile(padded + "\\A.TXT"));
    const Names beside = {kSo + "B.TXT", kSo + kHyo};
    Check({{Copy, kSo, kHyo, kDone, kHyo, {"A.TXT", kHyo}}, {Copy, kSo + kHyo, kHyo, kDone, kHyo, {"A.TXT", kSo + kHyo, kHyo}},
           {Copy, kSo, kSo + kHyo, kIsFile, ".", beside}, {Delete, kHyo + "\\" + kSo + "*", "", kDone, kHyo, {"A.TXT", kHyo}},
           {Delete, kSo, "", kDone, kSo}, {Delete, kHyo, "", kDone, ".", beside}, {Copy, padded, "DST", kTooLong},
           {Delete, padded, "", kTooLong, deep, {"0", "A.TXT"}}, {Copy, deep, "DST", kDone, "DST", {"0", "A.TXT"}},
           {Delete, deep, "", kDone, deep}, {Remove, deep, "", kDone, level}, {Remove, level, "", kDone, ".", beside}});
}

}  // namespace
}  // namespace zevo
