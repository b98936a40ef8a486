#include "common/text_file.h"

#include <gtest/gtest.h>

#include <optional>

#include "test_files.h"

namespace zevo {
namespace {

TEST(TextFileTest, ReadsLinesByTextModeRules)
{
    const std::string fits(127999, 'a'), over(300000, 'b');
    // "L:" a line as read, "T" a line skipped as too long.
    const struct { const char* label; size_t limit; std::string bytes; std::vector<std::string> lines; } cases[] = {
        {"only the CR right before LF goes", 5, "a\r\n\r\nb\rc\r\r\nd\re", {"L:a\n", "L:\n", "L:b\rc\r\n", "L:d\re"}},
        {"NUL bytes are data", 5, std::string("a\0b\n", 4), {std::string("L:a\0b\n", 6)}},
        {"Ctrl-Z ends the file mid-line", 5, "a\nb\x1A" "c\nd\n", {"L:a\n", "L:b"}},
        {"Ctrl-Z at a line start", 5, "a\n\x1A" "b\n", {"L:a\n"}},
        {"the limit counts the text without its end", 5, "12345\r\n12345", {"L:12345\n", "L:12345"}},
        {"one byte over, skipped whole; a CR without LF is text", 5, "123456\nx\n12345\r", {"T", "L:x\n", "T"}},
        {"lines across read chunks", 127999, fits + "\r\n" + over + "\ntail\n" + over, {"L:" + fits + "\n", "T", "L:tail\n", "T"}},
    };
    TextFile file;  // one for all files: Open starts afresh
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(file.Open(test::WriteScratchFile("read.txt", c.bytes), TextFile::Mode::Read));
        std::vector<std::string> lines;
        std::string line;
        for (TextFile::ReadResult result; (result = file.ReadLine(line, c.limit)) != TextFile::ReadResult::End;)
            lines.push_back(result == TextFile::ReadResult::Line ? "L:" + line : "T");
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(file.LineNumber(), static_cast<int>(lines.size()));
    }
}

TEST(TextFileTest, WritesEveryLfAsCrLfAndFailsPlainly)
{
    const std::string path = test::ScratchPath("write.txt");
    TextFile file;
    std::string line;
    EXPECT_EQ(file.ReadLine(line, 10), TextFile::ReadResult::End) << "not open";
    EXPECT_FALSE(file.Open(test::ScratchPath("missing.txt"), TextFile::Mode::Read));
    ASSERT_TRUE(file.Open(path, TextFile::Mode::WriteTruncate));
    EXPECT_TRUE(file.Write("ol") && file.Write("d\n") && file.Close());
    EXPECT_FALSE(file.Write("x")) << "closed";
    EXPECT_TRUE(file.Close());
    const struct { std::string path; TextFile::Mode mode; const char* text; const char* bytes; } steps[] = {
        {path, TextFile::Mode::Read, "y", "old\r\n"},  // a file open for reading takes no text
        {path, TextFile::Mode::Append, "a\r\n\nb", "old\r\na\r\r\n\r\nb"},
        {path, TextFile::Mode::WriteTruncate, "x\n", "x\r\n"},
        {test::ScratchPath("created.txt"), TextFile::Mode::Append, "", ""},
    };
    for (const auto& step : steps) {
        std::optional<TextFile> opened(std::in_place);
        ASSERT_TRUE(opened->Open(step.path, step.mode));
        EXPECT_EQ(opened->Write(step.text), step.mode != TextFile::Mode::Read);
        opened.reset();  // closed by the destructor
        EXPECT_EQ(test::ReadWholeFile(step.path), step.bytes);
    }
}

}  // namespace
}  // namespace zevo
