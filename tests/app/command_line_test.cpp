#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zevo {
namespace {

TEST(CommandLineTest, TakesTheWholeRestAsThePath)
{
    // "unchanged": the output was left as it was; only a blank ends a program path.
    const struct { const char* line; int result; const char* path; } cases[] = {
        {"  zevo.exe  ", 0, "unchanged"}, {"\tzevo.exe\tC:\\a.zvd", 0, "unchanged"},
        {"\"unterminated program path", 0, ""}, {"zevo.exe \"\"", 0, ""}, {"zevo.exe \"  C:\\a.zvd\"", 1, "C:\\a.zvd"},
        {"\"C:\\Z\\zevo.exe\" \"C:\\My Data\\a.zvd\"", 1, "C:\\My Data\\a.zvd"},
        {"zevo.exe C:\\My Data\\\x83\x5C.zvd", 1, "C:\\My Data\\\x83\x5C.zvd"},
        {"\"zevo.exe\"C:\\a.zvd", 1, "C:\\a.zvd"}, {"zevo.exe    C:\\a.zvd   ", 1, "C:\\a.zvd"},
        {"zevo.exe \"C:\\a.zvd\" more text", 1, "C:\\a.zvd"}, {"zevo.exe \"C:\\a.zvd", 1, "C:\\a.zvd"},
    };
    for (const auto& c : cases) {
        std::string path = "unchanged";
        EXPECT_EQ(ParseCommandLine(c.line, path), c.result) << c.line;
        EXPECT_EQ(path, c.path) << c.line;
    }
}

}  // namespace
}  // namespace zevo
