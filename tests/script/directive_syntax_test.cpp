#include "script/directive_syntax.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zevo {
namespace {

using List = std::vector<std::string>;

const CodePage kSjis = CodePage::ShiftJis();
const CodePage kSingle = CodePage::SingleByte();

TEST(DirectiveText, UpperCasesTheTextAfterTheSlash)
{
    EXPECT_EQ(DirectiveText("/am 12", kSjis).Command(), "AM 12");
    // "\x82\x61" is one double-byte character: its second byte is no letter.
    EXPECT_EQ(DirectiveText("/*\x82\x61z", kSjis).Command(), "*\x82\x61Z");
    EXPECT_EQ(DirectiveText("/*\x82\x61z", kSingle).Command(), "*\x82" "AZ");
    EXPECT_EQ(DirectiveText("/", kSjis).Letter(), '\0');
}

TEST(DirectiveSyntax, SplitsQuotedPiecesAndWords)
{
    using Split = int (*)(const std::string&, const CodePage&, List&, ArgumentNotes*);
    const Split q = SplitQuoted, w = SplitWords;
    const std::string x13 = "\"x\" \"x\" \"x\" \"x\" \"x\" \"x\" \"x\" \"x\" \"x\" \"x\" \"x\" \"x\" \"x\"";
    const List first13 = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"};
    const struct { Split split; const CodePage* cp; std::string text; int result; List pieces; } rows[] = {
        {q, &kSjis, "C \"C:\\NEW\\*.*\" \"C:\\BIN\"", 2, {"C:\\NEW\\*.*", "C:\\BIN"}},
        {q, &kSjis, "D NAME", 0, {}}, {q, &kSjis, "  \"\"  ", 1, {""}},
        {q, &kSjis, "x \" a \" y\"b\"\"c\" z", 3, {" a ", "b", "c"}},  // text outside the quotes is ignored
        {q, &kSjis, "\"a\" \"b", -1, {"a"}},
        {q, &kSjis, x13 + " \"y\"", 13, List(13, "x")},
        {q, &kSjis, x13 + " \"y", 13, List(13, "x")},  // the 14th piece is never looked at
        {w, &kSjis, "2 3 4", 3, {"2", "3", "4"}}, {w, &kSjis, "", 1, {""}},
        {w, &kSjis, "  4   5  ", 2, {"4", "5"}},
        {w, &kSjis, "4\t5 \t6", 2, {"4\t5", "6"}},  // a tab separates only after a blank
        {w, &kSjis, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15", 13, first13},
        // A lead byte takes the quote or blank after it as its second byte.
        {q, &kSjis, "\"\x95\" \"b\"", -1, {"\x95\" "}}, {q, &kSingle, "\"\x95\" \"b\"", 2, {"\x95", "b"}},
        {w, &kSjis, "\x95 5 6", 2, {"\x95 5", "6"}}, {w, &kSingle, "\x95 5 6", 3, {"\x95", "5", "6"}},
    };
    for (const auto& row : rows) {
        List pieces = {"stale"};
        EXPECT_EQ(row.split(row.text, *row.cp, pieces, nullptr), row.result) << row.text;
        EXPECT_EQ(pieces, row.pieces) << row.text;
    }
}

TEST(DirectiveSyntax, TimeToSeconds)
{
    // Hours are the first two characters, minutes the 4th and 5th, seconds
    // the last two of exactly eight; separators and ranges are not checked.
    const struct { const char* item; int seconds; } rows[] = {
        {"12:34", 12 * 3600 + 34 * 60}, {"23:59:59", 86399}, {"  08:30", 8 * 3600 + 30 * 60},
        {"8:30", 8 * 3600}, {"12:34:5", 12 * 3600 + 34 * 60}, {"123456789", 12 * 3600 + 45 * 60},
        {"12345678", 12 * 3600 + 45 * 60 + 78}, {"99:99", 99 * 3600 + 99 * 60}, {"12", 12 * 3600}, {"", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TimeToSeconds(row.item), row.seconds) << '"' << row.item << '"';
}

}  // namespace
}  // namespace zevo
