#include "console/lint_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../script/recording_hosts.h"
#include "../test_files.h"
#include "console/lint_output.h"

namespace zevo {
namespace {

using List = std::vector<std::string>;

class CapturedOutput : public ConsoleOutput {
public:
    void Out(const std::string& bytes) override { out += bytes; }
    void Err(const std::string& bytes) override { err += bytes; }
    std::string FromProgram(const std::string& utf8) override { return utf8; }
    std::string DataToUtf8(const std::string& bytes) override { return bytes; }
    std::string out, err;
};

// Lints T.ZVD (written from `bytes`, with B.ZVD beside it when given) in a folder of its own, as
// the current folder; every finding as "line:column rule", with its file in front unless it is T.ZVD.
List Lint(const std::string& bytes, const std::string& handedOver = "", int* exitCode = nullptr,
          std::string* text = nullptr)
{
    static int folders = 0;
    const std::filesystem::path folder = test::ScratchPath("lint" + std::to_string(++folders));
    std::filesystem::create_directories(folder);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    std::ofstream("T.ZVD", std::ios::binary) << bytes;
    if (!handedOver.empty())
        std::ofstream("B.ZVD", std::ios::binary) << handedOver;
    CapturedOutput out;
    test::RecordingFiles files;
    const int code = RunLint({"T.ZVD"}, LintFormat::Text, CodePage::SingleByte(), files, out);
    std::filesystem::current_path(previous);
    if (exitCode != nullptr)
        *exitCode = code;
    if (text != nullptr)
        *text = out.out;
    List findings;
    for (size_t start = 0, end; (end = out.out.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = out.out.substr(start, end - start);
        const size_t place = line.find(": warning: ");
        std::string where = line.substr(0, place);
        if (where.compare(0, 6, "T.ZVD:") == 0)
            where = where.substr(6);
        findings.push_back(where + " " + line.substr(line.rfind('[') + 1, line.size() - line.rfind('[') - 2));
    }
    return findings;
}

const std::string K = "[HKEY_CURRENT_USER\\S]\r\n";  // a key line, so that value lines are carried out

TEST(Lint, FindsWhatARunDoesOtherwiseThanTheLineLooks)
{
    std::string elements, list = "\"h\"=hex:00";  // 128,001 bytes over five lines
    for (int i = 0; i < 32000; ++i)
        elements += ",00";
    for (int line = 0; line < 4; ++line)
        list += elements + "\\\r\n";
    const struct { const char* label; std::string bytes; List findings; std::string mentions = ""; } rows[] = {
        // The reader.
        {"too long", K + "\"v\"=\"" + std::string(128000, 'x') + "\"\r\n", {"2:1 line-too-long"}},
        {"NUL", K + std::string("\"v\"=\"a\0b\"\r\n", 11), {"2:7 nul-byte"}},
        {"Ctrl-Z before text", K + "\"v\"=\"a\"\x1A\"w\"=\"b\"\r\n", {"2:8 after-ctrl-z"}},
        {"Ctrl-Z as the last byte", K + "\x1A", {}},
        {"UTF-16", std::string("\xFF\xFER\0E\0\r\0\n\0[\0", 12), {"1:1 utf16-file"}},
        {"registry editor 5", "Windows Registry Editor Version 5.00\r\n\r\n[-HKEY_CURRENT_USER\\S]\r\n",
         {"1:1 regedit5-file"}},
        {"UTF-8 mark", "\xEF\xBB\xBF" + K + "\"a\"=\"b\"\r\n", {"1:1 utf8-file", "2:1 value-without-key"}},
        {"; with =", K + "; \"a\"=\"b\"\r\n; a comment\r\n", {"2:1 commented-value"}},
        {"header with a blank", "REGEDIT4 \r\n", {"1:1 ignored-line"}},
        {"backslash at the end of a string", K + "\"a\"=\"x\\\r\n\"b\"=\"y\"\r\n", {"2:7 line-continues"}, "line 3"},
        {"file ends after a backslash", K + "\"h\"=hex:01,\\\r\n", {"2:12 unfinished-entry"}},
        {"file ends inside a string", K + "\"s\"=\"abc\r\nmore\r\n", {"2:5 unfinished-entry"}},
        {"blank after the closing quote", K + "\"s\"=\"x\" \r\n[HKEY_CURRENT_USER]\r\n\"t\"=\"y\"\r\n",
         {"2:8 string-swallows-lines"}, "lines 3-4"},
        {"a string over lines", K + "\"s\"=\"first\r\nsecond\"\r\n", {}},
        {"single backslash", K + "\"p\"=\"C:\\DOS\"\r\n", {"2:8 broken-backslash"}, "'D'"},
        {"escaped quote", K + "\"q\"=\"a \\\"b\\\"\"\r\n", {"2:8 broken-backslash"}, "escaped quote"},
        {"single backslash on a string's third line", K + "\"s\"=\"a\r\nb\r\n  C:\\X\"\r\n", {"4:5 broken-backslash"}},
        // Key lines.
        {"blank after ]", "[HKEY_CURRENT_USER\\S] \r\n", {"1:22 key-closing-bracket"}, "S]'"},
        {"abbreviated root", "[HKLM\\S]\r\n\"a\"=\"b\"\r\n", {"1:2 unknown-root", "2:1 value-without-key"},
         "HKEY_LOCAL_MACHINE"},
        {"key deletion", "[-HKEY_CURRENT_USER\\S]\r\n", {"1:1 key-deletion"}},
        {"value before any key", "\"a\"=\"b\"\r\n/%=\"a\"\r\n", {"1:1 value-without-key", "2:1 value-without-key"}},
        // Value lines.
        {"no quoted name", K + "abc=def\r\n", {"2:1 unquoted-name", "2:5 unknown-value-form"}},
        {"name after =", K + "abc=\"d\"\r\n", {"2:5 unquoted-name"}},
        {"upper-case form", K + "\"d\"=DWORD:00000001\r\n", {"2:5 unknown-value-form"}},
        {"hex(x) is never written, its list not judged", K + "\"d\"=hex(x):1\r\n", {"2:5 unknown-value-form"}},
        {"hex(N) of any type", K + "\"d\"=hex(b):01\r\n\"e\"=hex(ffffffff):\r\n", {}},
        {"value deletion", K + "\"d\"=-\r\n", {"2:5 value-deletion"}},
        {"dword: of no hex digit", K + "\"d\"=dword:X\r\n", {"2:11 dword-digits"}, "0x00000021"},
        {"dword: of nine digits", K + "\"d\"=dword:000000019\r\n", {"2:11 dword-digits"}, "0x00000001"},
        {"one digit", K + "\"h\"=hex:1,02\r\n", {"2:9 hex-digits"}},
        {"blank on a continuation line", K + "\"h\"=hex:01,\\\r\n 02, 03\r\n", {"3:5 hex-blank"}},
        {"trailing comma", K + "\"h\"=hex:01,02,\r\n", {"2:14 hex-trailing-comma"}},
        {"list over 128,000 bytes", K + list + "00\r\n", {"2:9 hex-too-long"}},
        {"no closing quote", K + "@=\"abc\r\n", {"2:6 string-last-char"}, "'c'"},
        // Directives.
        {"unknown letter", "/K\r\n", {"1:2 unknown-directive"}},
        {"flags", "/E-\r\n/V-x\r\n/V \r\n/!\r\n/QN\r\n", {"1:3 directive-flag", "2:4 directive-flag",
                                                          "3:3 directive-flag", "4:2 directive-flag"}},
        {"no blank before the arguments", "/Gnotepad\r\n/AM12\r\n", {"1:3 missing-separator", "2:4 missing-separator"}},
        {"arguments", "/C \"a\"\r\n/D \"abc\r\n/D \"\"\r\n/LH=\"\"\r\n/M \"" + std::string(512, 'x') + "\"\r\n",
         {"1:1 missing-argument", "2:4 unterminated-quote", "3:4 empty-argument", "4:5 empty-argument",
          "5:4 path-too-long"}},
        {"14 items", "/AM 1 2 3 4 5 6 7 8 9 10 11 12 1 2\r\n", {"1:34 too-many-arguments"}},
        {"times", "/AT 8:30 24:00\r\n/AT 00:00 23:59:59\r\n", {"1:5 time-format", "1:10 time-format"}, "08:00:00"},
        {"months and weekdays", "/AM Jan 12\r\n/AW 0 7\r\n", {"1:5 condition-item", "2:5 condition-item"}},
        {"empty conditions", "/AM\r\n/AT 12:00\r\n", {"1:1 condition-empty", "2:1 condition-empty"}},
        {"deletions", K + "/%x\r\n/%=x\r\n/%=[HKEY_CURRENT_USER]\r\n/%=\"\"\r\n/%=[HKCU\\S]\r\n",
         {"2:3 delete-form", "3:4 delete-form", "4:4 no-key-name", "6:5 unknown-root"}},
        {"unattended /Q", "/T\r\n/Q\r\n/QN\r\n", {"2:2 quit-waits"}},
        {"/Q without /T", "/Q\r\n", {}},
    };
    for (const auto& row : rows) {
        std::string text;
        EXPECT_EQ(Lint(row.bytes, "", nullptr, &text), row.findings) << row.label;
        EXPECT_NE(text.find(row.mentions), std::string::npos) << row.label << "\n" << text;
    }
}

TEST(Lint, FollowsHandOvers)
{
    const struct { const char* label; std::string bytes, handedOver; List findings; } rows[] = {
        {"missing file", "/F \"NONE.ZVD\"\r\n", "", {"1:1 handover-missing"}},
#ifndef _WIN32
        {"drive path", "/F \"C:\\NEXT.ZVD\"\r\n", "", {"1:1 handover-not-followed"}},
#endif
        {"to itself", "/F \"T.ZVD\"\r\n", "", {"1:1 handover-cycle"}},
        {"lines left behind, the key kept", K + "/F \"B.ZVD\"\r\n\r\n// c\r\n\"a\"=\"b\"\r\n",
         "\"x\"=dword:1\r\n", {"2:1 unread-after-handover", "B.ZVD:1:11 dword-digits"}},
        {"back again", "/F \"B.ZVD\"\r\n", "/F \"T.ZVD\"\r\n", {"B.ZVD:1:1 handover-cycle"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Lint(row.bytes, row.handedOver), row.findings) << row.label;
}

TEST(Lint, ExitCodes)
{
    int code = -1;
    Lint(K + "\"a\"=\"b\"\r\n", "", &code);
    EXPECT_EQ(code, 0);
    Lint(K + "\"a\"=\"b\r\n", "", &code);
    EXPECT_EQ(code, 1);
    CapturedOutput out;
    test::RecordingFiles files;
    EXPECT_EQ(RunLint({test::ScratchPath("none.zvd")}, LintFormat::Json, CodePage::SingleByte(), files, out), 2);
    EXPECT_NE(out.err.find("none.zvd"), std::string::npos);
}

TEST(Lint, PathToUri)
{
    const struct { const char* path; const char* uri; } rows[] = {
        {"C:\\Data Files\\a.zvd", "file:///C:/Data%20Files/a.zvd"}, {"\\\\server\\share\\a.zvd", "file://server/share/a.zvd"},
        {"/tmp/a#1.zvd", "file:///tmp/a%231.zvd"}, {"sub\\a:b.zvd", "sub/a%3Ab.zvd"}, {"\xC3\xA9.zvd", "%C3%A9.zvd"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PathToUri(row.path), row.uri) << row.path;
}

}  // namespace
}  // namespace zevo
