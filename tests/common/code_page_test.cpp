#include "common/code_page.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace zevo {
namespace {

const size_t npos = std::string::npos;
// "\x95\x5C" is 表 and "\x83\x5C" is ソ: their second byte is a backslash.
const CodePage kSjis = CodePage::ShiftJis();
const CodePage kSingle = CodePage::SingleByte();

TEST(CodePage, LeadBytes)
{
    const struct { unsigned char c; bool sjis; } rows[] = {
        {0x00, false}, {0x5C, false}, {0x80, false}, {0x81, true}, {0x9F, true},
        {0xA0, false}, {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.c));
        EXPECT_EQ(kSjis.IsLeadByte(row.c), row.sjis);
        EXPECT_FALSE(kSingle.IsLeadByte(row.c));
    }
    // A lead byte without a second byte is a character of its own.
    EXPECT_EQ(kSjis.CharLength("a\x95", 1), 1u);
    EXPECT_EQ(kSjis.CharLength("\x95\x5C", 0), 2u);
    const CodePage custom = CodePage::FromPredicate([](unsigned char c) { return c == 0xA4; });
    EXPECT_TRUE(custom.IsLeadByte(0xA4));
    EXPECT_FALSE(custom.IsLeadByte(0x81));
    EXPECT_EQ(custom.Find("\xA4\\\\", '\\'), 2u);
}

TEST(CodePage, FindStepsOverDoubleByteCharacters)
{
    const struct {
        const char* label;
        std::string text, needle;  // a one-character needle is also searched as a char
        size_t from, sjis, single;
    } rows[] = {
        {"plain", "ab\\c", "\\", 0, 2, 2},
        {"backslash as second byte", "\x95\x5C\\", "\\", 0, 2, 1},
        {"two pairs in a row", "\x83\x5C\x83\x5C\\", "\\", 0, 4, 1},
        {"only a second byte", "\x95\x5C", "\\", 0, npos, 1},
        {"lead byte hides a quote", "\x95\"x\"", "\"", 0, 3, 1},
        {"lead byte alone at the end", "ab\x95", "\x95", 0, 2, 2},
        {"from a later boundary", "\\\x95\x5C\\", "\\", 1, 3, 2},
        {"from past the end", "abc", "c", 4, npos, npos},
        {"substring overlapping a pair", "\x95\x5C\\x", "\\\\", 0, npos, 1},
        {"substring after a pair", "\x95=dword:", "dword:", 0, 2, 2},
        {"substring hidden by a lead byte", "\x95" "dword:", "dword:", 0, npos, 1},
        {"substring longer than the text", "dwo", "dword:", 0, npos, npos},
        {"substring ending the text", "x\x95\x5C=hex", "=hex", 0, 3, 3},
        {"substring from its own start", "=hex", "=hex", 0, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        if (row.needle.size() == 1) {
            EXPECT_EQ(kSjis.Find(row.text, row.needle[0], row.from), row.sjis);
            EXPECT_EQ(kSingle.Find(row.text, row.needle[0], row.from), row.single);
        }
        EXPECT_EQ(kSjis.Find(row.text, row.needle, row.from), row.sjis);
        EXPECT_EQ(kSingle.Find(row.text, row.needle, row.from), row.single);
    }
}

TEST(CodePage, FindLastStepsOverDoubleByteCharacters)
{
    const struct { const char* label; std::string text; size_t sjis, single; } rows[] = {
        {"last byte", "a\\b\\", 3, 3},
        {"second byte last", "a\\\x95\x5C", 1, 3},
        {"only second bytes", "\x83\x5C\x95\x5C", npos, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(kSjis.FindLast(row.text, '\\'), row.sjis);
        EXPECT_EQ(kSingle.FindLast(row.text, '\\'), row.single);
    }
}

TEST(CodePage, ToUpperLeavesDoubleByteCharactersAlone)
{
    const struct { const char* label; std::string text, sjis, single; } rows[] = {
        {"ascii", "am 1-z_{`", "AM 1-Z_{`", "AM 1-Z_{`"},
        {"letter as second byte", "\x82\x61x", "\x82\x61X", "\x82" "AX"},
        {"letter after a backslash pair", "\x83\x5Cq", "\x83\x5CQ", "\x83\x5CQ"},
        {"lead byte at the end", "a\x95", "A\x95", "A\x95"},
        {"high single bytes", "\xE4\xA0", "\xE4\xA0", "\xE4\xA0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(kSjis.ToUpper(row.text), row.sjis);
        EXPECT_EQ(kSingle.ToUpper(row.text), row.single);
    }
}

TEST(TextHelpers, TrimAndAfterChars)
{
    const struct { const char* label; std::string text, left, right, both; } rows[] = {
        {"all six spaces", " \t\n\v\f\rx y \t\n\v\f\r", "x y \t\n\v\f\r", " \t\n\v\f\rx y", "x y"},
        {"only spaces", " \t ", "", "", ""},
        {"empty", "", "", "", ""},
        {"no-break and wide spaces stay", "\xA0\x81\x40", "\xA0\x81\x40", "\xA0\x81\x40",
         "\xA0\x81\x40"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(TrimLeft(row.text), row.left);
        EXPECT_EQ(TrimRight(row.text), row.right);
        EXPECT_EQ(Trim(row.text), row.both);
    }
    EXPECT_EQ(AfterChars("/AM 1 2", 4), "1 2");
    EXPECT_EQ(AfterChars("/AM ", 4), "");
    EXPECT_EQ(AfterChars("/AM", 4), "");
}

TEST(TextHelpers, LeadingDecimal)
{
    const struct { std::string text; int value; } rows[] = {
        {"", 0},  {"007", 7}, {"12:30", 12}, {"x12", 0},
        {" 5", 0}, {"-5", 0},  {"+5", 0},     {"2147483647", INT_MAX},
        {"99999999999999999999999", INT_MAX},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("\"" + row.text + "\"");
        EXPECT_EQ(LeadingDecimal(row.text), row.value);
    }
}

}  // namespace
}  // namespace zevo
