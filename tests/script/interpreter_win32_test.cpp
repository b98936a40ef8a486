// A whole run on real folders with the Shift-JIS names 表, ソ (both ending in 0x5C, a backslash), 次 and 空.
#include <windows.h>

#include "fileops/win32_file_operations.h"
#include "interpreter_fixture.h"

namespace zevo::test {
namespace {

const std::string kHyou = "\x95\x5C", kSo = "\x83\x5C", kTsugi = "\x8E\x9F", kKara = "\x8B\xF3", kInner = kHyou + "\\" + kSo;

using Win32RunTest = InterpreterTest;

TEST_P(Win32RunTest, FilesFoldersAndHandOverWithJapaneseNames)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the Japanese code page";
    static Win32FileOperations files{CodePage::ShiftJis()};
    m_interpreter = std::make_unique<Interpreter>(m_state, m_scratch->Reg(), m_cp, m_dialog, m_process, files);
    for (const char* name : {"a.txt", "b.txt", "c.dat"})
        WriteDataFile(name, name);
    WriteDataFile(kTsugi + ".ZVD", "/R \"" + kKara + "\"\r\n");
    EXPECT_EQ(Run("[$K\\" + kHyou + kSo + "]\r\n\"" + kHyou + "\"=\"" + kSo + "\\\\\"\r\n/M \"" + kHyou + "\"\r\n/M \"" +
                  kInner + "\"\r\n/M \"" + kKara + "\"\r\n/C \"*.txt\" \"" + kInner + "\"\r\n/C \"a.txt\" \"" + kHyou +
                  "\"\r\n/D \"" + kInner + "\\b.txt\"\r\n/F \"" + kTsugi + ".zvd\"\r\n"), 10);
    for (const auto& [path, exists] : std::vector<std::pair<std::string, bool>>{{kInner + "\\A.TXT", true},
             {kInner + "\\B.TXT", false}, {kInner + "\\C.DAT", false}, {kHyou + "\\A.TXT", true}, {kKara, false}})
        EXPECT_EQ(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES, exists) << path;
}

INSTANTIATE_TEST_SUITE_P(All, Win32RunTest, ::testing::ValuesIn(RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo::test
