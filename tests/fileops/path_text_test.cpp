#include "fileops/path_text.h"

#include <gtest/gtest.h>

namespace zevo {
namespace {

// Shift-JIS characters whose second byte is 0x5C, the backslash.
const std::string kHyo = "\x95\x5C";  // 表
const std::string kSo = "\x83\x5C";   // ソ
const CodePage kSjis = CodePage::ShiftJis();

TEST(PathText, SplitsKeyPathsAndKeepsTheFolderOfPatterns)
{
    // Root|parent|last; without a backslash the result is false and `last` keeps its "-".
    const struct { std::string text, split; } cases[] = {
        {"[HKCU\\Software]", "HKCU||Software"}, {"[H\\A\\]", "H|A|"}, {"[H]", "H||-"}, {"", "||-"},
        {"[" + kHyo + kSo + "]", kHyo + kSo + "||-"},
        {"[HKCU\\" + kSo + "\\" + kHyo + "\\" + kSo + kHyo + "]", "HKCU|" + kSo + "\\" + kHyo + "|" + kSo + kHyo},
    };
    for (const auto& c : cases) {
        std::string root = "old", parent = "old", last = "-";
        EXPECT_EQ(SplitKeyPath(c.text, kSjis, root, parent, last), c.split.back() != '-') << c.text;
        EXPECT_EQ(root + "|" + parent + "|" + last, c.split);
    }
    // PatternDirectory keeps drive and folder with their final separator; a name whose
    // last character has a 0x5C second byte does not end in a backslash.
    const struct { std::string pattern, shiftJis, singleByte; } patterns[] = {
        {"C:\\WORK\\SUB/*.TXT", "C:\\WORK\\SUB/", "C:\\WORK\\SUB/"},
        {"C:*.*", "C:", "C:"}, {"C:", "C:", "C:"}, {"*.TXT", "", ""}, {"", "", ""},
        {"C:\\WORK\\" + kHyo, "C:\\WORK\\", "C:\\WORK\\" + kHyo}, {kSo + "\\" + kSo + kHyo, kSo + "\\", kSo + "\\" + kSo + kHyo},
    };
    for (const auto& c : patterns) {
        EXPECT_EQ(PatternDirectory(c.pattern, kSjis), c.shiftJis) << c.pattern;
        EXPECT_EQ(PatternDirectory(c.pattern, CodePage::SingleByte()), c.singleByte) << c.pattern;
    }
}

}  // namespace
}  // namespace zevo
