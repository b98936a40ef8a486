// A whole run on Windows: the real registry and real folders, with
// Shift-JIS key, value, folder and file names (several with a 0x5C second
// byte, the backslash's value).
#include <windows.h>

#include <fstream>

#include "../test_files.h"
#include "fileops/win32_file_operations.h"
#include "interpreter_fixture.h"

namespace zevo::test {
namespace {

// 表 and ソ end in 0x5C; 次 and 空 do not.
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";
const std::string kTsugi = "\x8E\x9F";
const std::string kKara = "\x8B\xF3";

class Win32RunTest : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        if (GetACP() != 932)
            GTEST_SKIP() << "needs the Japanese code page";
        m_interpreter = std::make_unique<Interpreter>(m_state, m_scratch->Reg(), m_cp, m_dialog,
                                                      m_process, m_realFiles);
    }
    static bool Exists(const std::string& path)
    {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    Win32FileOperations m_realFiles{CodePage::ShiftJis()};
};

TEST_P(Win32RunTest, FilesFoldersAndHandOverWithJapaneseNames)
{
    CreateDirectoryA("SRC", nullptr);
    for (const char* name : {"SRC\\a.txt", "SRC\\b.txt", "SRC\\c.dat"})
        std::ofstream(name) << name;
    WriteDataFile(kTsugi + ".ZVD",
                  "[$K\\" + kTsugi + "]\r\n"
                  "\"v\"=dword:00000001\r\n"
                  "/R \"" + kKara + "\"\r\n");
    const int entries = Run("REGEDIT4\r\n"
                            "[$K\\" + kHyou + kSo + "]\r\n"
                            "\"" + kHyou + "\"=\"" + kSo + "\\\\\"\r\n"
                            "/M \"" + kHyou + "\"\r\n"
                            "/M \"" + kHyou + "\\" + kSo + "\"\r\n"
                            "/M \"" + kKara + "\"\r\n"
                            "/C \"src\\*.txt\" \"" + kHyou + "\\" + kSo + "\"\r\n"
                            "/C \"src\\a.txt\" \"" + kHyou + "\"\r\n"
                            "/D \"" + kHyou + "\\" + kSo + "\\b.txt\"\r\n"
                            "/F \"" + kTsugi + ".zvd\"\r\n"
                            "\"never\"=\"read\"\r\n");
    EXPECT_EQ(entries, 13);
    EXPECT_EQ(Stored(kHyou + kSo, kHyou), "1:" + kSo + "\\" + std::string(1, '\0'));
    EXPECT_EQ(Stored(kHyou + kSo, "never"), "missing");
    EXPECT_EQ(Stored(kTsugi, "v"), std::string("4:\x01\0\0\0", 6));
    EXPECT_TRUE(Exists(kHyou + "\\" + kSo + "\\A.TXT"));
    EXPECT_FALSE(Exists(kHyou + "\\" + kSo + "\\B.TXT"));
    EXPECT_FALSE(Exists(kHyou + "\\" + kSo + "\\C.DAT"));
    EXPECT_TRUE(Exists(kHyou + "\\A.TXT"));
    EXPECT_FALSE(Exists(kHyou + kSo + "A.TXT")) << "no name glued onto the folder's name";
    EXPECT_FALSE(Exists(kKara)) << "removed by the second data file";
    EXPECT_EQ(m_state.m_strChangedItems,
              Expand("File=RUN.ZVD\r\n$K\\" + kHyou + kSo + " \"" + kHyou + "\"\r\nFile=" + kTsugi +
                     ".ZVD\r\n$K\\" + kTsugi + " \"v\"\r\n"));
    EXPECT_EQ(m_state.m_strText.Joined(), "");
}

TEST_P(Win32RunTest, DeletingKeysAndValuesWithJapaneseNames)
{
    Run("[$K\\" + kHyou + "\\" + kSo + "]\r\n\"" + kSo + "a\"=\"1\"\r\n\"" + kSo + "b\"=\"2\"\r\n");
    Run("[$K\\" + kHyou + "\\" + kSo + "]\r\n/%=\"" + kSo + "A\"\r\n/%=[$K\\" + kHyou + "\\" + kSo +
        "]\r\n");
    EXPECT_EQ(Stored(kHyou + "\\" + kSo, kSo + "a"), "no key");
    EXPECT_TRUE(KeyExists(kHyou));
    EXPECT_FALSE(KeyExists(kHyou + "\\" + kSo));
}

// Only the real registry goes with real folders.
std::vector<RegistryFactory> Win32Only()
{
    std::vector<RegistryFactory> all = RegistryFactories();
    std::vector<RegistryFactory> win32;
    for (const RegistryFactory& factory : all) {
        if (factory.name == "Win32")
            win32.push_back(factory);
    }
    return win32;
}

INSTANTIATE_TEST_SUITE_P(All, Win32RunTest, ::testing::ValuesIn(Win32Only()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo::test
