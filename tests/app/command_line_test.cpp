#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zevo {
namespace {

TEST(CommandLineTest, TakesTheWholeRestAsThePath)
{
    const struct {
        const char* line;
        int result;
        const char* path;  // after the call; "unchanged" marks an untouched output
    } cases[] = {
        {"zevo.exe", 0, "unchanged"},
        {"\"C:\\Program Files\\zevo.exe\"", 0, ""},
        {"  zevo.exe  ", 0, "unchanged"},
        {"zevo.exe ", 0, "unchanged"},
        {"\"C:\\Z\\zevo.exe\"   ", 0, ""},
        {"\"C:\\Z\\zevo.exe\" \"C:\\My Data\\a.zvd\"", 1, "C:\\My Data\\a.zvd"},
        {"zevo.exe C:\\My Data\\a.zvd", 1, "C:\\My Data\\a.zvd"},
        {"zevo.exe    C:\\a.zvd   ", 1, "C:\\a.zvd"},
        {"zevo.exe \"C:\\a.zvd\" more text", 1, "C:\\a.zvd"},
        {"zevo.exe \"C:\\a.zvd", 1, "C:\\a.zvd"},
        {"zevo.exe \"  C:\\a.zvd\"", 1, "C:\\a.zvd"},
        {"zevo.exe \"\"", 0, ""},
        {"zevo.exe /T", 1, "/T"},
        {"\"zevo.exe\"C:\\a.zvd", 1, "C:\\a.zvd"},
        {"\"unterminated program path", 0, ""},
        {"\tzevo.exe\tC:\\a.zvd", 0, "unchanged"},
        {"zevo.exe \x83\x5C\\\x95\x5C.zvd", 1, "\x83\x5C\\\x95\x5C.zvd"},
        {"", 0, "unchanged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string path = "unchanged";
        EXPECT_EQ(ParseCommandLine(c.line, path), c.result);
        EXPECT_EQ(path, c.path);
    }
}

}  // namespace
}  // namespace zevo
