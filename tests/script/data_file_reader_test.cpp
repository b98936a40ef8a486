#include "script/data_file_reader.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "test_files.h"

namespace zevo {
namespace {

const CodePage kShiftJis = CodePage::ShiftJis();
const CodePage kSingleByte = CodePage::SingleByte();

const char* KindName(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Blank: return "blank";
    case EntryKind::Header: return "header";
    case EntryKind::Comment: return "comment";
    case EntryKind::Directive: return "directive";
    case EntryKind::Key: return "key";
    case EntryKind::Value: return "value";
    case EntryKind::Other: return "other";
    case EntryKind::BrokenBackslash: return "broken";
    case EntryKind::TooLong: return "too-long";
    case EntryKind::HasNul: return "nul";
    }
    return "?";
}

// Every entry of the file as "line kind|text", and "end" when the reader
// reports the file exhausted.
std::vector<std::string> ReadEntries(const std::string& bytes, const CodePage& cp = kShiftJis)
{
    TextFile file;
    EXPECT_TRUE(file.Open(test::WriteScratchFile("data.zvd", bytes), TextFile::Mode::Read));
    std::vector<std::string> out;
    Entry entry;
    while (ReadEntry(file, cp, entry))
        out.push_back(std::to_string(entry.line) + " " + KindName(entry.kind) + "|" + entry.text);
    out.push_back("end");
    return out;
}

TEST(DataFileReaderTest, ClassifiesInOrder)
{
    const struct {
        const char* line;
        EntryKind kind;
    } cases[] = {
        {"", EntryKind::Blank},
        {"REGEDIT4", EntryKind::Header},
        {"REGEDIT4 ", EntryKind::Other},
        {"regedit4", EntryKind::Other},
        {"// a=b", EntryKind::Comment},
        {"//", EntryKind::Comment},
        {"/", EntryKind::Directive},
        {"/X=1", EntryKind::Directive},
        {"[A]=1", EntryKind::Key},
        {"[", EntryKind::Key},
        {"abc=def", EntryKind::Value},
        {"@=\"x\"", EntryKind::Value},
        {"abc", EntryKind::Other},
        {"REGEDIT4=", EntryKind::Value},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ClassifyLine(c.line, kShiftJis), c.kind);
    }
}

TEST(DataFileReaderTest, NormalizesLines)
{
    const struct {
        std::string raw;
        std::string line;
    } cases[] = {
        {"  \t\"a\"=\"b\"\n", "\"a\"=\"b\""},
        {"abc \t\n", "abc \t"},  // trailing blanks and tabs stay
        {"abc\r\r\n\r", "abc"},
        {"\v\f x", "x"},
        {" \r\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(NormalizeLine(c.raw), c.line);
    }
    std::string text = "x\r\n";
    EXPECT_TRUE(StripLineEnd(text));
    EXPECT_EQ(text, "x");
    EXPECT_FALSE(StripLineEnd(text));
}

TEST(DataFileReaderTest, SplitsKeyLines)
{
    const struct {
        std::string line;
        std::string root;
        std::string path;
    } cases[] = {
        {"[HKEY_CURRENT_USER\\Software\\Sample]", "HKEY_CURRENT_USER", "Software\\Sample"},
        {"[HKEY_CURRENT_USER]", "HKEY_CURRENT_USER", ""},
        {"[HKEY_CURRENT_USER\\]", "HKEY_CURRENT_USER", ""},
        {"[HKEY_LOCAL_MACHINE\\Software\\Sample] ", "HKEY_LOCAL_MACHINE", "Software\\Sample]"},
        {"[HKEY_USERS\\A", "HKEY_USERS", ""},
        {"[HKEY_USERS\\AB", "HKEY_USERS", "A"},
        {"[HKEY_USERS\\", "HKEY_USERS", ""},
        {"[HKEY_USERS", "HKEY_USER", ""},
        {"[]", "", ""},
        {"[", "", ""},
        {"[\\]", "", ""},
        // The second byte of a double-byte character is never the separator.
        {"[HKEY_\x95\x5C\\\x83\x5C]", "HKEY_\x95\x5C", "\x83\x5C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string root = "stale", path = "stale";
        SplitKeyLine(c.line, kShiftJis, root, path);
        EXPECT_EQ(root, c.root);
        EXPECT_EQ(path, c.path);
    }
    std::string root, path;
    SplitKeyLine("[R\x95\x5C" "A]", kSingleByte, root, path);
    EXPECT_EQ(root, "R\x95");
    EXPECT_EQ(path, "A");
}

TEST(DataFileReaderTest, BackslashRule)
{
    const struct {
        std::string text;
        bool shiftJis;
        bool singleByte;
    } cases[] = {
        {"\"Path\"=\"C:\\\\DOS\"", true, true},
        {"\"Path\"=\"C:\\DOS\"", false, false},
        {"\"q\"=\"say \\\"hi\\\"\"", false, false},
        {"\"a\"=\"x\\\\\\\"", false, false},  // three: the last one is alone
        {"\"a\"=\"x\\\\\\\\\"", true, true},
        {"\"a\"=\"x\\", false, false},
        {"\"\x95\x5C\"=\"1\"", true, false},      // 表: its second byte is no backslash
        {"\"\x95\x5C\\\\\"=\"1\"", true, false},  // 表 followed by a doubled backslash
        {"no backslash", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(BackslashesDoubled(c.text, kShiftJis), c.shiftJis);
        EXPECT_EQ(BackslashesDoubled(c.text, kSingleByte), c.singleByte);
    }
}

struct ReadCase {
    const char* label;
    std::string bytes;
    std::vector<std::string> entries;
};

void CheckReads(const ReadCase* cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(cases[i].label);
        EXPECT_EQ(ReadEntries(cases[i].bytes), cases[i].entries);
    }
}

TEST(DataFileReaderTest, JoinsTrailingBackslashes)
{
    const ReadCase cases[] = {
        {"hex list over two lines", "\"Data\"=hex:01,02,\\\n  03,04\nx\n",
         {"1 value|\"Data\"=hex:01,02,03,04", "3 other|x", "end"}},
        {"three lines, CR LF", "\"D\"=hex:01,\\\r\n\t02,\\\r\n 03\r\n",
         {"1 value|\"D\"=hex:01,02,03", "end"}},
        {"a blank after the backslash stops joining", "\"D\"=hex:01,\\ \n02\n",
         {"1 broken|\"D\"=hex:01,\\ ", "2 other|02", "end"}},
        {"file ends while joining", "\"D\"=hex:01,\\\n", {"end"}},
        {"file ends right after the backslash", "\"D\"=hex:01,\\", {"end"}},
        {"joined line may itself be empty", "\"D\"=hex:01,\\\n\n\"E\"=hex:\n",
         {"1 value|\"D\"=hex:01,", "3 value|\"E\"=hex:", "end"}},
        {"a trailing second byte 0x5C continues the line", "\"D\"=hex:01 \x95\x5C\n02\n",
         {"1 value|\"D\"=hex:01 \x95" "02", "end"}},
        {"directives and keys never join", "/*a\\\n[K\\\nx\n",
         {"1 directive|/*a\\", "2 key|[K\\", "3 other|x", "end"}},
    };
    CheckReads(cases, std::size(cases));
}

TEST(DataFileReaderTest, JoinsMultiLineStrings)
{
    const ReadCase cases[] = {
        {"string over three lines", "\"A\"=\"\nfirst\nsecond\"\nx\n",
         {"1 value|\"A\"=\"\nfirst\nsecond\"", "4 other|x", "end"}},
        {"CR LF lines give LF in the string", "\"A\"=\"a\r\nb\"\r\n",
         {"1 value|\"A\"=\"a\nb\"", "end"}},
        {"text after the closing quote takes the next lines",
         "\"A\"=\"x\"  \nnext\nquote\"\nafter\n",
         {"1 value|\"A\"=\"x\"  \nnext\nquote\"", "4 other|after", "end"}},
        {"the first line is taken as read, leading blanks included",
         "  \"A\"=\"\n  b \"\n", {"1 value|  \"A\"=\"\n  b \"", "end"}},
        {"a quote anywhere ends the string", "\"A\"=\"a\n\"b\nc\n",
         {"1 value|\"A\"=\"a\n\"b", "3 other|c", "end"}},
        {"file ends inside the string", "\"A\"=\"abc\nmore\n", {"end"}},
        {"a closed string is one line", "\"A\"=\"abc\"\n", {"1 value|\"A\"=\"abc\"", "end"}},
        {"the default value never continues", "@=\"abc\nnext\n",
         {"1 value|@=\"abc", "2 other|next", "end"}},
        {"lines joined by a backslash are replaced by the rebuild",
         "\"A\"=\"x\\\\\ny\nz\"\n", {"1 value|\"A\"=\"x\\\\\nz\"", "end"}},
        {"the backslash rule applies to the joined string", "\"A\"=\"\nC:\\DOS\"\nx\n",
         {"1 broken|\"A\"=\"\nC:\\DOS\"", "3 other|x", "end"}},
    };
    CheckReads(cases, std::size(cases));
}

TEST(DataFileReaderTest, RefusesLinesItCannotTakeWhole)
{
    std::string tooLong(kMaxLineBytes + 1, 'x');
    std::string fits(kMaxLineBytes - 4, 'y');
    const ReadCase cases[] = {
        {"a line over the limit", "a=1\n\"v\"=\"" + tooLong + "\"\nb=2\n",
         {"1 value|a=1", "2 too-long|", "3 value|b=2", "end"}},
        {"a line at the limit", "\"v\"=" + fits + "\n",
         {"1 value|\"v\"=" + fits, "end"}},
        {"a long line inside a hex list ends the entry", "\"D\"=hex:01,\\\n" + tooLong + "\n02\n",
         {"2 too-long|", "3 other|02", "end"}},
        {"a long line inside a string ends the entry", "\"A\"=\"\n" + tooLong + "\"\nc\n",
         {"2 too-long|", "3 other|c", "end"}},
        {"a NUL byte", std::string("a=1\n\"v\"=\"a\0b\"\nb=2\n", 18),
         {"1 value|a=1", "2 nul|", "3 value|b=2", "end"}},
        {"a NUL byte inside a string", std::string("\"A\"=\"\nx\0\"\nc\n", 12),
         {"2 nul|", "3 other|c", "end"}},
        {"Ctrl-Z ends the file", "a=1\n\x1A" "b=2\n", {"1 value|a=1", "end"}},
        {"Ctrl-Z inside a string leaves it unfinished", "\"A\"=\"x\ny\x1A\"\n", {"end"}},
    };
    CheckReads(cases, std::size(cases));
}

TEST(DataFileReaderTest, ReadsTheSampleFile)
{
    const std::string sample =
        "REGEDIT4\r\n"
        "// settings for the sample program\r\n"
        "/AW 2 3 4 5 6\r\n"
        "[HKEY_CURRENT_USER\\Software\\Sample]\r\n"
        "\"Name\"=\"Sample\"\r\n"
        "\"Data\"=hex:01,02,03,\\\r\n"
        "  04,05\r\n"
        "\"Path\"=\"C:\\\\SAMPLE\\\\BIN\"\r\n"
        "@=\"Default text\"\r\n"
        "/%=\"OldName\"\r\n"
        "\r\n"
        "/*Settings are complete.";
    const std::vector<std::string> expected = {
        "1 header|REGEDIT4",
        "2 comment|// settings for the sample program",
        "3 directive|/AW 2 3 4 5 6",
        "4 key|[HKEY_CURRENT_USER\\Software\\Sample]",
        "5 value|\"Name\"=\"Sample\"",
        "6 value|\"Data\"=hex:01,02,03,04,05",
        "8 value|\"Path\"=\"C:\\\\SAMPLE\\\\BIN\"",
        "9 value|@=\"Default text\"",
        "10 directive|/%=\"OldName\"",
        "11 blank|",
        "12 directive|/*Settings are complete.",
        "end",
    };
    EXPECT_EQ(ReadEntries(sample), expected);
    EXPECT_EQ(ReadEntries(sample, kSingleByte), expected);
}

}  // namespace
}  // namespace zevo
