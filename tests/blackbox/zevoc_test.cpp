// zevoc.exe verify, apply and lint: what they print, their exit codes, and a check that changes nothing.
#include <sstream>

#include "json_check.h"
#include "zevo_process.h"

using namespace zevo::test;

namespace {

// Every key, value type and byte below a key of HKEY_CURRENT_USER, or "missing".
std::string Subtree(const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "missing";
    std::string dump = "[" + path + "]\n";
    char name[256];
    BYTE data[4096];
    for (DWORD i = 0, size = sizeof name, type, length = sizeof data;
         RegEnumValueA(key, i, name, &size, nullptr, &type, data, &length) == ERROR_SUCCESS;
         ++i, size = sizeof name, length = sizeof data)
        dump += std::string(name) + "=" + std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), length) + "\n";
    for (DWORD i = 0, size = sizeof name; RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = sizeof name)
        dump += Subtree(path + "\\" + name);
    RegCloseKey(key);
    return dump;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Each line a JSON object, the last one the summary.
void ExpectJsonLines(const std::string& text)
{
    std::istringstream lines(text);
    std::string line, last;
    while (std::getline(lines, line))
        EXPECT_TRUE(JsonCheck::Valid(last = line)) << line;
    EXPECT_EQ(last.rfind("{\"summary\":", 0), 0u) << last;
}

}  // namespace

// verify changes nothing at all and lists every difference; apply brings the machine to the file and
// lists what it changed; verify then finds nothing more to do.
TEST(ZevocTest, VerifyChangesNothingApplyChangesWhatVerifyListed)
{
    const std::string log = ScratchPath("APPLY.ZVL"), history = ScratchPath("APPLY.ZVH"), dir = ScratchPath("MADE");
    const std::string data = WriteScratchFile("apply.zvd", "REGEDIT4\r\n/L=\"" + log + "\"\r\n/LH=\"" + history + "\"\r\n/M \"" +
        dir + "\"\r\n" + kRoot + "/%=\"old\"\r\n/%=[" + kPath + "\\Gone]\r\n\"s\"=\"text\"\r\n[" + kPath +
        "\\New]\r\n\"d\"=dword:00000010\r\n/* done\r\n/Q\r\n\"h\"=hex:01,02\r\n");
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "old", REG_SZ, "1", 2);
    RegSetKeyValueA(HKEY_CURRENT_USER, (kKey + std::string("\\Gone")).c_str(), "g", REG_SZ, "", 1);
    std::string gone = kPath + "\\GONE";  // directives are upper-cased
    CharUpperA(&gone[0]);
    const std::string before = Subtree(kKey), at = data + ":", key = "[" + kPath + "]", newKey = "[" + kPath + "\\New]";
    const std::string notCarriedOut = at + "2: not carried out: /L=\"" + log + "\"\n" + at + "3: not carried out: /LH=\"" +
        history + "\"\n" + at + "4: not carried out: /M \"" + dir + "\"\n";
    Output verify = Zevoc("verify " + data);
    EXPECT_EQ(verify.code, 1u);
    EXPECT_EQ(verify.out, notCarriedOut + at + "6: " + key + " \"OLD\": should be absent; registry 1\n" + at + "7: [" + gone +
        "]: key should be absent\n" + at + "8: " + key + " \"s\": registry missing; file text\n" + at + "10: " + newKey +
        " \"d\": registry missing; file 00000010\n" + at + "12: not carried out: /Q\n" + at + "13: " + newKey +
        " \"h\": registry missing; file 01,02\nsummary: differences 5, not carried out 4, warnings 0\n");
    EXPECT_EQ(verify.err, at + "11:  done\n");
    EXPECT_EQ(Subtree(kKey), before);
    EXPECT_FALSE(Exists(log) || Exists(history) || Exists(dir));
    ExpectJsonLines(Zevoc("verify --json " + data).out);

    Output apply = Zevoc("apply " + data);
    EXPECT_EQ(apply.code, 0u) << apply.err;
    const std::string list = "File=" + data + "\n" + key + "OLD -- Value deleted --\n[" + gone + "] -- Key deleted --\n" +
        kPath + " \"s\"\n" + kPath + "\\New \"d\"\n" + kPath + "\\New \"h\"\n";
    EXPECT_EQ(apply.out, list + "summary: values written 3, values deleted 1, keys deleted 1, file operations 1, problems 0\n");
    EXPECT_NE(apply.err.find(at + "11:  done\nzevoc: "), std::string::npos) << apply.err;
    EXPECT_NE(apply.err.find(" - not asked, standard input is not a console; the run goes on\n"), std::string::npos);
    EXPECT_EQ(Subtree(kKey), "[" + std::string(kKey) + "]\ns=1:text" + std::string("\0\n[", 3) + kKey + "\\New]\nd=4:" +
                                std::string("\x10\0\0\0", 4) + "\nh=3:\x01\x02\n");
    EXPECT_TRUE(Exists(dir) && Exists(history));
    std::string logLines = list;
    for (size_t at = 0; (at = logLines.find('\n', at)) != std::string::npos; at += 3)
        logLines.replace(at, 1, "\r\r\n");
    EXPECT_EQ(ReadWholeFile(log), logLines);

    verify = Zevoc("verify " + data);
    EXPECT_EQ(verify.code, 0u);
    EXPECT_EQ(verify.out, notCarriedOut + at + "12: not carried out: /Q\nsummary: differences 0, not carried out 4, warnings 0\n");
    ExpectJsonLines(Zevoc("apply " + data + " --json").out);
}

// Standard output comes in blocks when it is a file; captured into one file with standard error,
// the lines still stand in the order the run wrote them.
TEST(ZevocTest, BothStreamsInOneFileKeepTheirOrder)
{
    const std::string data = WriteScratchFile("order.zvd", "REGEDIT4\r\n" + kRoot + "\"a\"=\"1\"\r\n/* between\r\n\"b\"=\"2\"\r\n");
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    const Output apply = Zevoc("apply " + data, true);
    EXPECT_EQ(apply.out, "File=" + data + "\n" + kPath + " \"a\"\n" + data + ":4:  between\n" + kPath +
                             " \"b\"\nsummary: values written 2, values deleted 0, keys deleted 0, file operations 0, problems 0\n");
}

// Exit codes as deployment engines read them, with what the output says about them.
TEST(ZevocTest, ExitCodes)
{
    const std::string nul = std::string("\"n\"=\"a\0b\"\r\n", 11), broken = "\"p\"=\"C:\\DOS\"\r\n", change = kRoot + "\"a\"=\"" + std::to_string(GetTickCount()) + "\"\r\n";
    const struct {
        std::string arguments, data;  // "D" in the arguments names the data file
        DWORD code;
        std::string out, err;  // parts of standard output and error
    } rows[] = {
        {"", "", 2, "", "zevoc: no command given\nusage: zevoc verify"},
        {"check D", "", 2, "", "unknown command 'check'"},
        {"verify", "", 2, "", "verify needs a data file"},
        {"verify D --sarif", "", 2, "", "unknown option '--sarif' for verify"},
        {"apply D D", "", 2, "", "apply takes one data file"},
        {"verify MISSING.ZVD", "", 2, "", "MISSING.ZVD"},
        {"apply MISSING.ZVD", "", 2, "", "MISSING.ZVD"},
        // A restart asked for after a tracked change: 3010, once; "LOOP" stays as it was.
        {"apply D", "/Z\r\n/EY\r\n" + change, 3010, "values written 1,", "(exit code 3010)\n"},
        {"apply D", "/Z\r\n/EY\r\n" + change, 0, "values written 0,", ""},
        // A refused line is a problem, and problems come before the restart.
        {"apply D", "/Z\r\n/E\r\n" + change + "\"b\"=\"1\"\r\n" + nul, 1, "problems 1\n", "D:"},
        // Lines the reader drops are warnings: the run's message and lint's finding.
        {"verify D", kRoot + nul, 0, "warnings 2\n", "D:2: warning: "},
        {"verify D --strict", kRoot + broken, 2, "warnings 1\n", "D:2:8: warning: The backslash before 'D' is single"},
        {"lint D", kRoot + broken, 1, "D:2:8: warning: The backslash before 'D' is single", ""},
        {"lint D MISSING.ZVD", kRoot, 2, "", "zevoc: cannot read MISSING.ZVD\n"},
    };
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\PLV\\ZEVO", "LOOP", REG_SZ, "X", 2);
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    for (const auto& row : rows) {
        const std::string data = WriteScratchFile("codes.zvd", row.data);
        auto named = [&data](std::string text) {
            for (size_t at; (at = text.find("D")) != std::string::npos && (at == 0 || text[at - 1] == ' ');)
                text.replace(at, 1, data);
            return text;
        };
        const Output output = Zevoc(named(row.arguments));
        SCOPED_TRACE(row.arguments + " on " + row.data);
        EXPECT_EQ(output.code, row.code) << output.out << output.err;
        EXPECT_NE(output.out.find(named(row.out)), std::string::npos) << output.out;
        EXPECT_NE(output.err.find(named(row.err)), std::string::npos) << output.err;
    }
    EXPECT_EQ(Value("LOOP", "Software\\PLV\\ZEVO"), std::string("1:X\0", 4));
}
