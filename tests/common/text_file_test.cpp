#include "common/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_files.h"

namespace zevo {
namespace {

// "L:" a line as read, "T" a line refused as too long.
std::vector<std::string> ReadAll(const std::string& bytes, size_t maxBytes)
{
    std::string path = test::WriteScratchFile("read.txt", bytes);
    TextFile file;
    EXPECT_TRUE(file.Open(path, TextFile::Mode::Read));
    std::vector<std::string> lines;
    std::string line;
    for (;;) {
        TextFile::ReadResult result = file.ReadLine(line, maxBytes);
        if (result == TextFile::ReadResult::End)
            break;
        lines.push_back(result == TextFile::ReadResult::Line ? "L:" + line : "T");
    }
    return lines;
}

TEST(TextFileTest, ReadsLinesByTextModeRules)
{
    struct Case {
        const char* label;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"last line without terminator", "a\nb", {"L:a\n", "L:b"}},
        {"CR LF becomes LF", "a\r\nb\r\n", {"L:a\n", "L:b\n"}},
        {"only the CR before LF goes", "a\r\r\n", {"L:a\r\n"}},
        {"lone CR stays in the line", "a\rb\n", {"L:a\rb\n"}},
        {"empty lines", "\n\r\n", {"L:\n", "L:\n"}},
        {"Ctrl-Z ends the file mid-line", "a\nb\x1A" "c\nd\n", {"L:a\n", "L:b"}},
        {"Ctrl-Z at a line start", "a\n\x1A" "b\n", {"L:a\n"}},
        {"NUL bytes are data", std::string("a\0b\n", 4), {std::string("L:a\0b\n", 6)}},
        {"high bytes are data", "\x83\x5C\n", {"L:\x83\x5C\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ReadAll(c.bytes, 100), c.lines);
    }
}

TEST(TextFileTest, LineLimitCountsTheTextWithoutItsEnd)
{
    struct Case {
        const char* label;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"exactly the limit", "12345\n", {"L:12345\n"}},
        {"the limit with CR LF", "12345\r\nx", {"L:12345\n", "L:x"}},
        {"the limit at the end of the file", "12345", {"L:12345"}},
        {"one byte over, refused whole", "123456\nx\n", {"T", "L:x\n"}},
        {"over the limit at the end of the file", "123456", {"T"}},
        {"CR is text when no LF follows", "12345\r", {"T"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ReadAll(c.bytes, 5), c.lines);
    }
}

TEST(TextFileTest, LongLinesAcrossReadChunks)
{
    const size_t limit = 127999;
    std::string fits(limit, 'a');
    std::string over(300000, 'b');
    std::string path =
        test::WriteScratchFile("long.txt", fits + "\r\n" + over + "\n" + "tail\n");
    TextFile file;
    ASSERT_TRUE(file.Open(path, TextFile::Mode::Read));
    std::string line;
    ASSERT_EQ(file.ReadLine(line, limit), TextFile::ReadResult::Line);
    EXPECT_EQ(line, fits + "\n");
    EXPECT_EQ(file.ReadLine(line, limit), TextFile::ReadResult::TooLong);
    EXPECT_EQ(file.LineNumber(), 2);
    ASSERT_EQ(file.ReadLine(line, limit), TextFile::ReadResult::Line);
    EXPECT_EQ(line, "tail\n");
    EXPECT_EQ(file.LineNumber(), 3);
    EXPECT_EQ(file.ReadLine(line, limit), TextFile::ReadResult::End);
}

TEST(TextFileTest, WritingTurnsEveryLfIntoCrLf)
{
    const struct {
        std::string text;
        std::string bytes;
    } cases[] = {
        {"a\nb", "a\r\nb"},
        {"File=C:\\A.ZVD\r\n", "File=C:\\A.ZVD\r\r\n"},
        {"\n\n", "\r\n\r\n"},
        {"\x83\x5C\n", "\x83\x5C\r\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string path = test::ScratchPath("write.txt");
        TextFile file;
        ASSERT_TRUE(file.Open(path, TextFile::Mode::WriteTruncate));
        EXPECT_TRUE(file.Write(c.text));
        EXPECT_TRUE(file.Close());
        EXPECT_EQ(test::ReadWholeFile(path), c.bytes);
    }
}

TEST(TextFileTest, AppendKeepsAndTruncateEmpties)
{
    std::string path = test::WriteScratchFile("modes.txt", "old\r\n");
    {
        TextFile file;
        ASSERT_TRUE(file.Open(path, TextFile::Mode::Append));
        file.Write("new\n");
    }
    EXPECT_EQ(test::ReadWholeFile(path), "old\r\nnew\r\n");
    {
        TextFile file;
        ASSERT_TRUE(file.Open(path, TextFile::Mode::WriteTruncate));
        file.Write("only\n");
    }
    EXPECT_EQ(test::ReadWholeFile(path), "only\r\n");

    std::string created = test::ScratchPath("created-by-append.txt");
    TextFile file;
    ASSERT_TRUE(file.Open(created, TextFile::Mode::Append));
    file.Close();
    EXPECT_EQ(test::ReadWholeFile(created), "");
}

TEST(TextFileTest, FailuresAreResults)
{
    TextFile file;
    EXPECT_FALSE(file.Open("", TextFile::Mode::Read));
    EXPECT_FALSE(file.Open(test::ScratchPath("missing.txt"), TextFile::Mode::Read));
    EXPECT_FALSE(file.IsOpen());
    std::string line;
    EXPECT_EQ(file.ReadLine(line, 10), TextFile::ReadResult::End);
    EXPECT_FALSE(file.Write("x"));

    ASSERT_TRUE(file.Open(test::WriteScratchFile("ro.txt", "x\n"), TextFile::Mode::Read));
    EXPECT_FALSE(file.Write("y"));
    EXPECT_TRUE(file.Close());
}

}  // namespace
}  // namespace zevo
