#include "fileops/path_text.h"

#include <gtest/gtest.h>

namespace zevo {
namespace {

// Shift-JIS characters whose second byte is 0x5C, the backslash.
const std::string kHyo = "\x95\x5C";                   // 表
const std::string kSo = "\x83\x5C";                    // ソ
const std::string kSofuto = "\x83\x5C\x83\x74\x83\x67";  // ソフト

TEST(SplitKeyPathTest, SplitsRootParentAndLast)
{
    const struct {
        const char* label;
        std::string text;
        bool shiftJis;
        std::string root, parent, last;
        bool result;
    } cases[] = {
        {"deep", "[HKEY_CURRENT_USER\\Software\\A\\B]", false, "HKEY_CURRENT_USER", "Software\\A", "B", true},
        {"one level", "[HKEY_CURRENT_USER\\Software]", false, "HKEY_CURRENT_USER", "", "Software", true},
        {"root only", "[HKEY_CURRENT_USER]", false, "HKEY_CURRENT_USER", "", "unchanged", false},
        {"empty", "", false, "", "", "unchanged", false},
        {"one char", "[", false, "", "", "unchanged", false},
        {"brackets only", "[]", false, "", "", "unchanged", false},
        {"empty root", "[\\A]", false, "", "", "A", true},
        {"trailing separator", "[HKCU\\A\\]", false, "HKCU", "A", "", true},
        {"separator only", "[HKCU\\]", false, "HKCU", "", "", true},
        // The brackets are dropped unchecked: whatever stands there goes.
        {"no brackets", "HKCU\\A\\B", false, "KCU", "A", "", true},
        // A 0x5C second byte is part of its character.
        {"sjis parent and last", "[HKCU\\" + kSofuto + "\\" + kHyo + "]", true, "HKCU", kSofuto, kHyo, true},
        {"sjis root", "[" + kHyo + kSo + "]", true, kHyo + kSo, "", "unchanged", false},
        {"sjis deep", "[HKCU\\" + kSo + "\\" + kHyo + "\\" + kSo + kHyo + "]", true, "HKCU",
         kSo + "\\" + kHyo, kSo + kHyo, true},
        // Without lead bytes the same bytes split at every 0x5C.
        {"single-byte root", "[" + kHyo + "]", false, "\x95", "", "", true},
        {"single-byte last", "[HKCU\\A\\" + kSo + "]", false, "HKCU", "A\\\x83", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const CodePage cp = c.shiftJis ? CodePage::ShiftJis() : CodePage::SingleByte();
        std::string root = "old root", parent = "old parent", last = "unchanged";
        EXPECT_EQ(SplitKeyPath(c.text, cp, root, parent, last), c.result);
        EXPECT_EQ(root, c.root);
        EXPECT_EQ(parent, c.parent);
        EXPECT_EQ(last, c.last);
    }
}

TEST(PatternDirectoryTest, KeepsDriveAndFolderWithFinalSeparator)
{
    const struct {
        const char* label;
        std::string pattern;
        std::string shiftJis;    // with Shift-JIS lead bytes
        std::string singleByte;  // without lead bytes
    } cases[] = {
        {"folder pattern", "C:\\WORK\\*.TXT", "C:\\WORK\\", "C:\\WORK\\"},
        {"drive only", "C:*.*", "C:", "C:"},
        {"bare drive", "C:", "C:", "C:"},
        {"drive root", "C:\\", "C:\\", "C:\\"},
        {"root of current drive", "\\*.*", "\\", "\\"},
        {"current folder", "*.TXT", "", ""},
        {"empty", "", "", ""},
        {"one char", "C", "", ""},
        {"relative folder", "WORK\\SUB\\A.TXT", "WORK\\SUB\\", "WORK\\SUB\\"},
        {"forward slashes", "C:/WORK/*.TXT", "C:/WORK/", "C:/WORK/"},
        {"mixed slashes", "C:\\WORK/SUB\\*.*", "C:\\WORK/SUB\\", "C:\\WORK/SUB\\"},
        {"network share", "\\\\SERVER\\SHARE\\*.*", "\\\\SERVER\\SHARE\\", "\\\\SERVER\\SHARE\\"},
        {"sjis folder", "C:\\" + kHyo + "\\*.*", "C:\\" + kHyo + "\\", "C:\\" + kHyo + "\\"},
        {"sjis last name", "C:\\WORK\\" + kHyo, "C:\\WORK\\", "C:\\WORK\\" + kHyo},
        {"sjis after drive", "C:" + kSo, "C:", "C:" + kSo},
        {"sjis name pattern", "C:\\" + kSofuto + "*.TXT", "C:\\", "C:\\\x83\\"},
        {"sjis folder and name", kSo + "\\" + kSo + kHyo, kSo + "\\", kSo + "\\" + kSo + kHyo},
        // A lead byte cut off at the end is one character of its own.
        {"cut lead byte", "C:\\WORK\\\x95", "C:\\WORK\\", "C:\\WORK\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(PatternDirectory(c.pattern, CodePage::ShiftJis()), c.shiftJis);
        EXPECT_EQ(PatternDirectory(c.pattern, CodePage::SingleByte()), c.singleByte);
    }
}

}  // namespace
}  // namespace zevo
