// zevoc capture and apply --undo: data files that give back a subtree exactly, and undo files that take
// a run back, also a run killed on its way.
#include "zevo_process.h"

using namespace zevo::test;

namespace {

const std::string kCaptured = std::string(kKey) + "\\Cap", kCapturedPath = kPath + "\\Cap";

void Set(const std::string& subkey, const std::string& name, DWORD type, const std::string& data)
{
    const std::string key = kCaptured + (subkey.empty() ? "" : "\\" + subkey);
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), type, data.data(), static_cast<DWORD>(data.size())), 0)
        << subkey << " " << name;
}

// The capture of the test's subtree without its first two lines (the header and the time), and its exit code.
std::string Capture(DWORD expectedCode = 0, const std::string& keys = kCapturedPath)
{
    const std::string file = ScratchPath("CAPTURE.ZVD");
    const Output output = Zevoc("capture " + keys + " --output " + file);
    EXPECT_EQ(output.code, expectedCode) << output.err;
    const std::string text = ReadWholeFile(file);
    return text.substr(text.find('\n', text.find('\n') + 1) + 1);
}

DWORD Apply(const std::string& text, const std::string& options = "")
{
    return Zevoc("apply " + WriteScratchFile("APPLY.ZVD", "REGEDIT4\r\n" + text) + options).code;
}

}  // namespace

// Every type, every length and name the format can carry: capture, delete, apply, capture again.
TEST(CaptureTest, EveryValueComesBackExactly)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    const std::string big(128000, '\xab'), hundred(100, '\x01');
    const struct { std::string key, name; DWORD type; std::string data; } values[] = {
        {"", "", REG_SZ, std::string("default\0", 8)}, {"", "none", REG_NONE, "\x01"}, {"", "sz", REG_SZ, std::string("text\0", 5)},
        {"", "unterminated", REG_SZ, "abc"}, {"", "zero inside", REG_SZ, std::string("a\0b\0", 4)},
        {"", "lines", REG_SZ, std::string("a\r\nb\nc\r\0", 8)}, {"", "lf", REG_SZ, std::string("one\ntwo\0", 8)},
        {"", "path", REG_SZ, std::string("C:\\dir\\\0", 8)}, {"", "expand", REG_EXPAND_SZ, std::string("%TEMP%\0", 7)},
        {"", "bin0", REG_BINARY, ""}, {"", "bin1", REG_BINARY, "\x7f"}, {"", "bin100", REG_BINARY, hundred},
        {"", "bin101", REG_BINARY, hundred + "\x02"}, {"", "bin128000", REG_BINARY, big},
        {"", "dword", REG_DWORD, std::string("\x10\0\0\x80", 4)}, {"", "dword2", REG_DWORD, "\x01\x02"},
        {"", "big endian", REG_DWORD_BIG_ENDIAN, std::string("\0\0\0\x01", 4)}, {"", "link", REG_LINK, "\\\0R\0"},
        {"", "multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6)}, {"", "resources", REG_RESOURCE_LIST, "\x01\x02"},
        {"", "qword", REG_QWORD, std::string("\x01\0\0\0\0\0\0\x80", 8)}, {"", "odd type", 0x12345678, "\x05"},
        {"", "\x95\x5C\x83\x5C", REG_SZ, std::string("\x95\x5C\0", 3)}, {"", "back\\slash", REG_SZ, std::string("\\\0", 2)},
        {"\x95\x5C\\Sub", "v", REG_DWORD, std::string("\0\0\0\0", 4)}, {"D1\\D2\\D3\\D4\\D5", "deep", REG_SZ, std::string("\0", 1)},
    };
    for (const auto& v : values)
        Set(v.key, v.name, v.type, v.data);
    HKEY empty;
    RegCreateKeyA(HKEY_CURRENT_USER, (kCaptured + "\\Empty\\Emptier").c_str(), &empty);
    RegCloseKey(empty);

    const std::string captured = Capture();
    // The code-page calls read a string without its zero with one; one with a zero inside is a byte list.
    EXPECT_NE(captured.find("\"sz\"=\"text\"\r\n\"unterminated\"=\"abc\"\r\n\"zero inside\"=hex(1):61,00,62,00\r\n"),
              std::string::npos);
    EXPECT_NE(captured.find("\"dword\"=dword:80000010\r\n\"dword2\"=hex(4):01,02\r\n"), std::string::npos);
    EXPECT_EQ(Zevoc("verify " + WriteScratchFile("CAPTURE.ZVD", "REGEDIT4\r\n" + captured)).code, 0u);
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    EXPECT_EQ(Apply(captured), 0u);
    EXPECT_EQ(Capture(), captured);

    // What cannot be carried is named in a comment, and counted.
    Set("Odd", "quote\"d", REG_SZ, std::string("x\0", 2));
    Set("Odd", "too long", REG_BINARY, big + "\x01");
    const wchar_t wide[] = L"caf\u00e9";  // no such character in the Japanese code page
    RegSetKeyValueW(HKEY_CURRENT_USER, std::wstring(L"Software\\ZevoBlackBox\\Cap\\Odd").c_str(), wide, REG_SZ, L"x", 4);
    const std::string odd = Capture(1, kCapturedPath + "\\Odd");
    EXPECT_EQ(odd, "\r\n[" + kCapturedPath + "\\Odd]\r\n// not captured: [" + kCapturedPath + "\\Odd] \"caf?\": its name or text does not "
              "survive the system code page\r\n// not captured: [" + kCapturedPath + "\\Odd] \"quote\"d\": its name holds a double quote\r\n"
              "// not captured: [" + kCapturedPath + "\\Odd] \"too long\": its data are longer than 128,000 bytes\r\n");
    EXPECT_EQ(Zevoc("capture HKEY_CURRENT_USER\\Software\\ZevoBlackBox\\None").code, 2u);
}

// A run that writes, deletes values and keys and creates keys, with History on, is taken back by its undo file;
// so is the same run killed on its way, whatever it had done.
TEST(CaptureTest, UndoTakesARunBack)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    for (int i = 0; i < 3000; ++i)
        Set("Many", "v" + std::to_string(i), REG_SZ, std::string("old\0", 4));
    Set("", "Kept", REG_BINARY, "\x01\x02");
    Set("Gone", "g", REG_DWORD, std::string("\x05\0\0\0", 4));
    Set("Gone", "h", REG_QWORD, std::string(8, '\x07'));
    const std::string before = Capture();
    std::string data = "/LH=\"" + ScratchPath("UNDO.ZVH") + "\"\r\n[" + kCapturedPath + "]\r\n\"kept\"=\"changed\"\r\n\"kept\"=hex:09\r\n"
                       "\"new\"=dword:00000001\r\n/%=\"none\"\r\n/%=[" + kCapturedPath + "\\Gone]\r\n[" + kCapturedPath +
                       "\\Made\\Deeper]\r\n\"x\"=\"1\"\r\n[" + kCapturedPath + "\\Gone]\r\n\"g\"=\"back\"\r\n/M \"" +
                       ScratchPath("MADE") + "\"\r\n[" + kCapturedPath + "\\Many]\r\n";
    for (int i = 0; i < 3000; ++i)
        data += "\"v" + std::to_string(i) + "\"=\"new\"\r\n/%=\"v" + std::to_string(i) + "\"\r\n[" + kCapturedPath +
                "\\Made\\N" + std::to_string(i % 7) + "]\r\n[" + kCapturedPath + "\\Many]\r\n";
    const std::string undo = ScratchPath("UNDO.ZVD");
    for (int moment : {-1, 0, 1000, 2500}) {
        SCOPED_TRACE(moment);
        if (moment < 0) {
            EXPECT_EQ(Apply(data, " --undo " + undo), 0u);
        } else {
            std::string line = "\"" + BuiltProgram("zevoc.exe") + "\" apply " + WriteScratchFile("KILLED.ZVD", "REGEDIT4\r\n" + data) +
                               " --undo " + undo;
            STARTUPINFOA startup = {};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION p = {};
            ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &p));
            const std::string key = kCaptured + "\\Many", name = "v" + std::to_string(moment);
            for (int ms = 0; ms < 30000 && Value(name, key) == "1:old" + std::string(1, '\0') &&
                             WaitForSingleObject(p.hProcess, 1) == WAIT_TIMEOUT; ++ms) {
            }
            TerminateProcess(p.hProcess, 99);
            WaitForSingleObject(p.hProcess, INFINITE);
            CloseHandle(p.hThread);
            CloseHandle(p.hProcess);
            EXPECT_NE(Value(name, key), "1:old" + std::string(1, '\0')) << "the run had reached the value";
        }
        EXPECT_NE(ReadWholeFile(undo).find("// not taken back: /M \""), std::string::npos);
        Apply(ReadWholeFile(undo).substr(10));  // a killed run's file may delete a key before the keys below it
        EXPECT_EQ(Capture(), before);
    }
}
