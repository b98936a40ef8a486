#include "script/data_file_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "test_files.h"

namespace zevo {
namespace {

using K = EntryKind;
using List = std::vector<std::string>;
const CodePage kShiftJis = CodePage::ShiftJis();

// Every entry of the file as "line kind|text", then "end" once the reader reports the file exhausted.
List ReadEntries(const std::string& bytes)
{
    static const char* const kNames[] = {"blank", "header", "comment", "directive", "key", "value", "other", "broken",
                                         "too-long", "nul"};
    TextFile file;
    EXPECT_TRUE(file.Open(test::WriteScratchFile("data.zvd", bytes), TextFile::Mode::Read));
    List out;
    Entry entry;  // one entry for the whole file, as a run reuses it
    while (ReadEntry(file, kShiftJis, entry))
        out.push_back(std::to_string(entry.line) + " " + kNames[static_cast<int>(entry.kind)] + "|" + entry.text);
    out.push_back("end");
    return out;
}

TEST(DataFileReaderTest, ClassifiesAndNormalizesLines)
{
    const std::pair<const char*, EntryKind> kinds[] = {
        {"", K::Blank}, {"REGEDIT4", K::Header}, {"REGEDIT4 ", K::Other}, {"regedit4", K::Other},
        {"REGEDIT4=", K::Value}, {"// a=b", K::Comment}, {"//", K::Comment}, {"/", K::Directive}, {"/X=1", K::Directive},
        {"[A]=1", K::Key}, {"abc=def", K::Value}, {"abc", K::Other},
    };
    for (const auto& [line, kind] : kinds)
        EXPECT_EQ(ClassifyLine(line, kShiftJis), kind) << line;
    EXPECT_EQ(NormalizeLine(" \t\v\fabc \t\r\r\n\r"), "abc \t") << "trailing blanks stay";
    std::string text = "x\r\n";
    EXPECT_TRUE(StripLineEnd(text));
    EXPECT_EQ(text, "x");
    EXPECT_FALSE(StripLineEnd(text));
}

TEST(DataFileReaderTest, SplitsKeyLines)
{
    const struct { std::string line, root, path; } cases[] = {
        {"[HKEY_CURRENT_USER\\Software\\Sample]", "HKEY_CURRENT_USER", "Software\\Sample"},
        {"[HKEY_CURRENT_USER]", "HKEY_CURRENT_USER", ""}, {"[HKEY_CURRENT_USER\\]", "HKEY_CURRENT_USER", ""},
        // The last character is dropped as the closing bracket, whatever it is.
        {"[HKEY_LOCAL_MACHINE\\Software\\Sample] ", "HKEY_LOCAL_MACHINE", "Software\\Sample]"},
        {"[HKEY_USERS\\AB", "HKEY_USERS", "A"}, {"[HKEY_USERS", "HKEY_USER", ""},
        {"[A]", "A", ""}, {"[]", "", ""}, {"[", "", ""}, {"[\\]", "", ""},
        // The second byte of a double-byte character is never the separator.
        {"[HKEY_\x95\x5C\\\x83\x5C]", "HKEY_\x95\x5C", "\x83\x5C"},
    };
    for (const auto& c : cases) {
        std::string root = "stale", path = "stale";
        SplitKeyLine(c.line, kShiftJis, root, path);
        EXPECT_EQ(root + "|" + path, c.root + "|" + c.path) << c.line;
    }
}

TEST(DataFileReaderTest, BackslashRule)
{
    const CodePage singleByte = CodePage::SingleByte();
    const struct { std::string text; bool shiftJis, singleByte; } cases[] = {
        {"\"Path\"=\"C:\\\\DOS\"", true, true}, {"\"Path\"=\"C:\\DOS\"", false, false}, {"\"a\"=\"x\\", false, false},
        {"\"a\"=\"x\\\\\\\"", false, false}, {"\"a\"=\"x\\\\\\\\\"", true, true},  // three and four
        {"\\\\", true, true}, {"\"\x95\x5C\"=\"1\"", true, false},  // 表: its second byte is no backslash
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BackslashesDoubled(c.text, kShiftJis), c.shiftJis) << c.text;
        EXPECT_EQ(BackslashesDoubled(c.text, singleByte), c.singleByte) << c.text;
    }
}

TEST(DataFileReaderTest, JoinsContinuedLines)
{
    const struct { const char* label; std::string bytes; List entries; } cases[] = {
        {"hex list over three lines", "\"D\"=hex:01,\\\r\n\t02,\\\r\n  03\r\nx\r\n",
         {"1 value|\"D\"=hex:01,02,03", "4 other|x", "end"}},
        {"a blank after the backslash", "\"D\"=hex:01,\\ \n02\n", {"1 broken|\"D\"=hex:01,\\ ", "2 other|02", "end"}},
        {"an empty joined line ends the list", "\"D\"=hex:01,\\\n\n\"E\"=hex:\n",
         {"1 value|\"D\"=hex:01,", "3 value|\"E\"=hex:", "end"}},
        {"a trailing second byte 0x5C continues the line", "\"D\"=hex:01 \x95\x5C\n02\n",
         {"1 value|\"D\"=hex:01 \x95" "02", "end"}},
        {"directives, keys never join", "/*a\\\n[K\\\nx\n", {"1 directive|/*a\\", "2 key|[K\\", "3 other|x", "end"}},
        // Strings: the lines are taken as read, leading blanks included, with LF between them.
        {"string over three lines", "  \"A\"=\"\r\nfirst\r\n  second\"\r\nx\r\n",
         {"1 value|  \"A\"=\"\nfirst\n  second\"", "4 other|x", "end"}},
        {"text after the closing quote takes the next lines", "\"A\"=\"x\"  \nnext\nquote\"\nafter\n",
         {"1 value|\"A\"=\"x\"  \nnext\nquote\"", "4 other|after", "end"}},
        {"file ends inside the string", "\"B\"=\"closed\"\n\"A\"=\"abc\nmore\n", {"1 value|\"B\"=\"closed\"", "end"}},
        {"the default value never continues", "@=\"abc\nnext\n", {"1 value|@=\"abc", "2 other|next", "end"}},
        {"lines joined by a backslash are replaced by the rebuild", "\"A\"=\"x\\\\\ny\nz\"\n",
         {"1 value|\"A\"=\"x\\\\\nz\"", "end"}},
        {"the backslash rule applies to the joined string", "\"A\"=\"\nC:\\DOS\"\nx\n",
         {"1 broken|\"A\"=\"\nC:\\DOS\"", "3 other|x", "end"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadEntries(c.bytes), c.entries) << c.label;
}

TEST(DataFileReaderTest, RefusesLinesItCannotTakeWhole)
{
    const std::string over = "\"v\"=" + std::string(127996, 'x');  // 128,000 bytes
    const std::string fits = "\"v\"=" + std::string(127995, 'y');  // 127,999 bytes
    const struct { const char* label; std::string bytes; List entries; } cases[] = {
        {"a line over the limit", "a=1\n" + over + "\nb=2\n", {"1 value|a=1", "2 too-long|", "3 value|b=2", "end"}},
        {"a line at the limit, CR LF", fits + "\r\n", {"1 value|" + fits, "end"}},
        {"a long line ends a string", "\"A\"=\"\n" + over + "\"\nc\n", {"2 too-long|", "3 other|c", "end"}},
        {"NUL", std::string("a=1\n\"v\"=\"a\0b\"\nb=2\n", 18), {"1 value|a=1", "2 nul|", "3 value|b=2", "end"}},
        {"a NUL byte inside a string", std::string("\"A\"=\"\nx\0\"\nc\n", 12), {"2 nul|", "3 other|c", "end"}},
        {"Ctrl-Z ends the file", "a=1\n\x1A" "b=2\n", {"1 value|a=1", "end"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadEntries(c.bytes), c.entries) << c.label;
}

}  // namespace
}  // namespace zevo
