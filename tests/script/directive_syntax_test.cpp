#include "script/directive_syntax.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zevo {
namespace {

using List = std::vector<std::string>;

// "\x83\x5C" is ソ: its second byte is a backslash.
const CodePage kSjis = CodePage::ShiftJis();
const CodePage kSingle = CodePage::SingleByte();

// "1 2 ... n" as a text and as a list.
std::string Numbers(int n)
{
    std::string out;
    for (int i = 1; i <= n; ++i)
        out += (i > 1 ? " " : "") + std::to_string(i);
    return out;
}

List NumberList(int n)
{
    List out;
    for (int i = 1; i <= n; ++i)
        out.push_back(std::to_string(i));
    return out;
}

// n quoted pieces "x", separated by blanks.
std::string QuotedXs(int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += " \"x\"";
    return out;
}

TEST(DirectiveText, FixedPositions)
{
    const struct { const char* label; std::string line, command; char letter, flag; } rows[] = {
        {"lower case", "/am 12", "AM 12", 'A', 'M'},
        {"flag and ignored rest", "/v-x", "V-X", 'V', '-'},
        {"letter alone", "/e", "E", 'E', '\0'},
        {"slash alone", "/", "", '\0', '\0'},
        {"quoted argument", "/%=\"name\"", "%=\"NAME\"", '%', '='},
        {"letter as second byte kept", "/*\x82\x61z", "*\x82\x61Z", '*', '\x82'},
        {"ソ in a path", "/m \"c:\\\x83\x5C\\x\"", "M \"C:\\\x83\x5C\\X\"", 'M', ' '},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const DirectiveText text(row.line, kSjis);
        EXPECT_EQ(text.Command(), row.command);
        EXPECT_EQ(text.Letter(), row.letter);
        EXPECT_EQ(text.Flag(), row.flag);
        EXPECT_EQ(text.CharAt(row.command.size()), '\0');
    }
    // On a single-byte page the second byte is a letter like any other.
    EXPECT_EQ(DirectiveText("/*\x82\x61z", kSingle).Command(), "*\x82" "AZ");
}

TEST(DirectiveSyntax, SplitQuoted)
{
    const struct {
        const char* label;
        const CodePage* cp;  // null: both pages
        std::string text;
        int result;
        List pieces;
    } rows[] = {
        {"copy arguments", nullptr, "C \"C:\\NEW\\*.*\" \"C:\\BIN\"", 2,
         {"C:\\NEW\\*.*", "C:\\BIN"}},
        {"empty text", nullptr, "", 0, {}},
        {"no quotes", nullptr, "D NAME", 0, {}},
        {"empty piece, blanks around", nullptr, "  \"\"  ", 1, {""}},
        {"blanks inside kept", nullptr, "\" a b \"", 1, {" a b "}},
        {"text outside ignored", nullptr, "x \"a\" y \"b\" z", 2, {"a", "b"}},
        {"adjacent pieces", nullptr, "\"a\"\"b\"", 2, {"a", "b"}},
        {"missing closing quote", nullptr, "\"a\" \"b", -1, {"a"}},
        {"only an opening quote", nullptr, "\"open", -1, {}},
        {"ソ inside", nullptr, "\"C:\\\x83\x5C\\x\" \"\x83\x5C\"", 2, {"C:\\\x83\x5C\\x", "\x83\x5C"}},
        {"thirteen pieces", nullptr, QuotedXs(13), 13, List(13, "x")},
        {"fourteenth ignored", nullptr, QuotedXs(14), 13, List(13, "x")},
        {"unclosed fourteenth ignored", nullptr, QuotedXs(13) + " \"y", 13, List(13, "x")},
        {"lead byte takes the quote", &kSjis, "\"\x95\" \"b\"", -1, {"\x95\" "}},
        {"lead byte takes the quote", &kSingle, "\"\x95\" \"b\"", 2, {"\x95", "b"}},
    };
    for (const auto& row : rows)
        for (const CodePage* cp : {&kSjis, &kSingle}) {
            if (row.cp != nullptr && row.cp != cp)
                continue;
            SCOPED_TRACE(std::string(row.label) + (cp == &kSjis ? " [932]" : " [single-byte]"));
            List pieces = {"stale"};
            EXPECT_EQ(SplitQuoted(row.text, *cp, pieces), row.result);
            EXPECT_EQ(pieces, row.pieces);
        }
}

TEST(DirectiveSyntax, SplitWords)
{
    const struct { const char* label; std::string text; List sjis, single; } rows[] = {
        {"list", "2 3 4", {"2", "3", "4"}, {"2", "3", "4"}},
        {"empty text", "", {""}, {""}},
        {"blanks only", "   ", {""}, {""}},
        {"runs of blanks", "  4   5  ", {"4", "5"}, {"4", "5"}},
        {"tab is no separator", "4\t5", {"4\t5"}, {"4\t5"}},
        {"tab after a blank skipped", "4 \t5", {"4", "5"}, {"4", "5"}},
        {"ソ as an item", "\x83\x5C 5", {"\x83\x5C", "5"}, {"\x83\x5C", "5"}},
        {"lead byte takes the blank", "\x95 5 6", {"\x95 5", "6"}, {"\x95", "5", "6"}},
        {"thirteen items", Numbers(13), NumberList(13), NumberList(13)},
        {"items after the thirteenth ignored", Numbers(20), NumberList(13), NumberList(13)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        List items = {"stale"};
        EXPECT_EQ(SplitWords(row.text, kSjis, items), static_cast<int>(row.sjis.size()));
        EXPECT_EQ(items, row.sjis);
        EXPECT_EQ(SplitWords(row.text, kSingle, items), static_cast<int>(row.single.size()));
        EXPECT_EQ(items, row.single);
    }
}

TEST(DirectiveSyntax, TimeToSeconds)
{
    const struct { const char* item; int seconds; } rows[] = {
        {"12:34", 12 * 3600 + 34 * 60},
        {"23:59:59", 86399},
        {"  08:30", 8 * 3600 + 30 * 60},
        {"8:30", 8 * 3600},                      // minutes are the 4th and 5th characters: "0"
        {"12:34:5", 12 * 3600 + 34 * 60},        // seven characters: no seconds
        {"12:34:5x", 12 * 3600 + 34 * 60 + 5},
        {"12345678", 12 * 3600 + 45 * 60 + 78},  // separators are not checked
        {"123456789", 12 * 3600 + 45 * 60},
        {"99:99", 99 * 3600 + 99 * 60},
        {"12:", 12 * 3600},
        {"xx:yy", 0},
        {"", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.item + "\"");
        EXPECT_EQ(TimeToSeconds(row.item), row.seconds);
    }
}

}  // namespace
}  // namespace zevo
