#include "common/code_page.h"

#include <gtest/gtest.h>

#include <climits>

namespace zevo {
namespace {

const size_t npos = std::string::npos;
// "\x95\x5C" is 表: its second byte is a backslash.
const CodePage kSjis = CodePage::ShiftJis(), kSingle = CodePage::SingleByte();

TEST(CodePage, StepsOverDoubleByteCharacters)
{
    const std::pair<int, bool> edges[] = {{0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false},
                                           {0xDF, false}, {0xE0, true}, {0xFC, true}, {0xFD, false}};
    for (auto [c, lead] : edges)
        EXPECT_EQ(kSjis.IsLeadByte(c), lead) << c;
    EXPECT_EQ(kSjis.CharLength("a\x95", 1), 1u) << "a lead byte at the end stands alone";
    EXPECT_EQ(CodePage::FromPredicate([](unsigned char c) { return c == 0xA4; }).Find("\xA4\\\\", '\\'), 2u);
    EXPECT_EQ(kSjis.Find("\\\x95\x5C", '\\', 1), npos);
    EXPECT_EQ(kSingle.Find("\\\x95\x5C", '\\', 1), 2u);
    const struct { std::string text, needle; size_t from, sjis, single; } rows[] = {
        {"\x95\x5C", "\\", 0, npos, 1}, {"\x95\x5C\\x", "\\\\", 0, npos, 1}, {"\\\x95\x5C\\", "\\", 1, 3, 2},
        {"\x95" "dword:", "dword:", 0, npos, 1}, {"x\x95\x5C=hex", "=hex", 0, 3, 3}, {"=hex", "=hex", 0, 0, 0},
        {"dwo", "dword:", 0, npos, npos}, {"abc", "", 3, 3, 3}, {"abc", "", 4, npos, npos},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(kSjis.Find(row.text, row.needle, row.from), row.sjis) << row.text << "|" << row.needle;
        EXPECT_EQ(kSingle.Find(row.text, row.needle, row.from), row.single) << row.text << "|" << row.needle;
    }
    EXPECT_EQ(kSjis.FindLast("\\\x95\x5C", '\\'), 0u);
    EXPECT_EQ(kSjis.ToUpper("am 1-z_{`"), "AM 1-Z_{`");
    EXPECT_EQ(kSjis.ToUpper("\x82\x61x"), "\x82\x61X") << "the second byte of Ｂ is 'a'";
}

TEST(TextHelpers, TrimAfterCharsAndLeadingDecimal)
{
    EXPECT_EQ(Trim(" \t\n\v\f\rx y \t\n\v\f\r"), "x y");
    EXPECT_EQ(TrimRight(std::string(20, '\t')), "");
    EXPECT_EQ(AfterChars("/AM 1 2", 4), "1 2");
    EXPECT_EQ(AfterChars("/AM", 4), "");
    const struct { const char* text; int value; } rows[] = {
        {"", 0}, {"007", 7}, {"12:30", 12}, {"/5", 0}, {"-5", 0}, {" 5", 0},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999999999999999", INT_MAX},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LeadingDecimal(row.text), row.value) << row.text;
}

}  // namespace
}  // namespace zevo
