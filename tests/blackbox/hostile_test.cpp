// Hostile data files run by the real zevo.exe: each run must end, touch
// nothing outside what its file names, and say in the message pane what it
// refused. The pane is read from the running program's window once the run
// is over; then the program is closed as a user would close it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_files.h"
#include "zevo_process.h"

namespace {

const DWORD kTimeoutMilliseconds = 60000;
const char kKey[] = "Software\\ZevoHostile";
const char kSentinelKey[] = "Software\\ZevoHostileSentinel";
const char kRoot[] = "[HKEY_CURRENT_USER\\Software\\ZevoHostile]\r\n";

// Control identifiers of the main dialog.
const int kRunButton = 1;
const int kStopButton = 1017;
const int kMessagePane = 1008;
const int kChangedItems = 1013;

std::wstring WindowText(HWND window)
{
    int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    length = static_cast<int>(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
    text.resize(static_cast<size_t>(length));
    return text;
}

struct FindContext {
    DWORD process;
    HWND found;
};

HWND MainWindowOf(DWORD process)
{
    FindContext context{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* c = reinterpret_cast<FindContext*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == c->process && GetDlgItem(window, kMessagePane) != nullptr) {
                c->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

struct Outcome {
    bool finished = false;   // the run ended and the program was closed
    DWORD exitCode = 0;
    std::wstring messages;   // the message pane when the run was over
    std::wstring changed;    // the changed-items list
};

// Runs zevo.exe on a data file, waits for the run to be over (the run
// button enabled again, the stop button not), reads the panes and closes the
// program. A program that ended by itself ("/T") is fine too.
Outcome RunAndRead(const std::string& dataFile)
{
    Outcome outcome;
    ZevoProcess zevo("\"" + dataFile + "\"");
    if (!zevo.Started()) {
        ADD_FAILURE() << "cannot start zevo.exe";
        return outcome;
    }
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMilliseconds && !zevo.Wait(50)) {
        HWND window = MainWindowOf(zevo.Id());
        if (window == nullptr)
            continue;
        const std::wstring changed = WindowText(GetDlgItem(window, kChangedItems));
        const bool over = changed.rfind(L"File=", 0) == 0 && IsWindowEnabled(GetDlgItem(window, kRunButton)) &&
                          !IsWindowEnabled(GetDlgItem(window, kStopButton));
        if (!over)
            continue;
        outcome.messages = WindowText(GetDlgItem(window, kMessagePane));
        outcome.changed = changed;
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        zevo.Wait(kTimeoutMilliseconds);
        break;
    }
    outcome.finished = zevo.Wait(0);
    if (outcome.finished)
        outcome.exitCode = zevo.ExitCode();
    return outcome;
}

std::wstring Wide(const std::string& utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
    return wide;
}

bool ValueExists(const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    LONG rc = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

std::string LongText(size_t length, char c)
{
    return std::string(length, c);
}

struct HostileCase {
    const char* label;
    std::string data;
    std::vector<std::string> messages;  // UTF-8 pieces the pane must hold
    std::vector<const char*> written;    // values that must exist afterwards
    std::vector<const char*> notWritten;
};

std::vector<HostileCase> Cases()
{
    const std::string longPath = "C:\\" + LongText(520, 'P');
    std::string hugeList = "\"huge\"=hex:";
    for (int line = 0; line < 4; ++line) {
        for (int i = 0; i < 32001; ++i)
            hugeList += "00,";
        hugeList += "\\\r\n";
    }
    hugeList += "00\r\n";
    std::string everyByte = "\"bytes\"=\"";
    for (int c = 1; c < 256; ++c) {
        if (c != '\n' && c != '\r' && c != 0x1A && c != '"' && c != '\\')
            everyByte += static_cast<char>(c);
    }
    everyByte += "\"\r\n";
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string thirteenOthers = "/AM";
    for (int i = 0; i < 13; ++i)
        thirteenOthers += " " + std::to_string(now.wMonth % 12 + 1);
    thirteenOthers += " " + std::to_string(now.wMonth) + "\r\n";

    return {
        {"line over 127,999 bytes", kRoot + std::string("\"long\"=\"") + LongText(200000, 'x') + "\"\r\n\"after\"=\"1\"\r\n",
         {"2行目: 127999バイトを超える行は処理しません。"}, {"after"}, {"long"}},
        {"byte list over 128000 bytes", kRoot + hugeList + "\"after\"=\"1\"\r\n",
         {"行目: 値を書き込めませんでした。"}, {"after"}, {"huge"}},
        {"unterminated string at the end", kRoot + std::string("\"ok\"=\"1\"\r\n\"open\"=\"abc"), {}, {"ok"}, {"open"}},
        {"every byte value", kRoot + everyByte, {}, {"bytes"}, {}},
        {"NUL byte and Ctrl-Z", kRoot + std::string("\"nul\"=\"a\0b\"\r\n\"ok\"=\"1\"\r\n\x1A\"late\"=\"2\"\r\n", 36),
         {"2行目: NULバイトを含む行は処理しません。"}, {"ok"}, {"nul", "late"}},
        {"paths of 520 bytes in every directive",
         "/C \"" + longPath + "\" \"C:\\\"\r\n/C \"C:\\*.zvd\" \"" + longPath + "\"\r\n/D \"" + longPath +
             "\"\r\n/M \"" + longPath + "\"\r\n/R \"" + longPath + "\"\r\n/F \"" + longPath + "\"\r\n/L=\"" +
             longPath + "\"\r\n/LH=\"" + longPath + "\"\r\n/G " + longPath + "\r\n" + kRoot + "\"after\"=\"1\"\r\n",
         {"1行目: パスが長すぎるため処理しません。", "2行目: パスが長すぎるため処理しません。",
          "3行目: パスが長すぎるため処理しません。", "4行目: パスが長すぎるため処理しません。",
          "5行目: パスが長すぎるため処理しません。", "6行目: パスが長すぎるため処理しません。",
          "7行目: パスが長すぎるため処理しません。", "8行目: パスが長すぎるため処理しません。"},
         {"after"}, {}},
        {"more than 13 list items", thirteenOthers + kRoot + "\"skipped\"=\"1\"\r\n/AM-\r\n\"after\"=\"1\"\r\n", {},
         {"after"}, {"skipped"}},
        {"missing and unterminated arguments",
         "/C \"a\r\n/D\r\n/F \"x\r\n/L=\r\n/M\r\n/R \"\"\r\n" + std::string(kRoot) + "/%=\"\r\n\"after\"=\"1\"\r\n",
         {"1行目: 引数がないか、引用符が閉じていません。", "6行目: パスが空のため処理しません。",
          "8行目: 引数がないか、引用符が閉じていません。"},
         {"after"}, {}},
        {"key name over the registry's limit",
         "[HKEY_CURRENT_USER\\Software\\ZevoHostile\\" + LongText(300, 'k') + "]\r\n\"lost\"=\"1\"\r\n",
         {"1行目: このキーを開けないため、続く値を処理しません。", "2行目: キーが開かれていないため処理しません。"},
         {}, {"lost"}},
        {"a root that does not exist", "[HKEY_NOWHERE\\Software]\r\n\"lost\"=\"1\"\r\n\"lost2\"=dword:1\r\n",
         {"1行目: このキーを開けないため、続く値を処理しません。", "3行目: キーが開かれていないため処理しません。"},
         {}, {"lost", "lost2"}},
        {"values before any key line", "\"early\"=\"1\"\r\n/%=\"early\"\r\n" + std::string(kRoot) + "\"after\"=\"1\"\r\n",
         {"1行目: キーが開かれていないため処理しません。", "2行目: キーが開かれていないため処理しません。"},
         {"after"}, {"early"}},
        {"huge speed numbers", "/!99999999999999999999\r\n/!-\r\n" + std::string(kRoot) + "\"after\"=\"1\"\r\n", {},
         {"after"}, {}},
        {"malformed times", "/AT xx:yy zz\r\n/AT-\r\n/AT 99:99 -1:00\r\n/AT-\r\n/AT\r\n/AT \xff\xff:\x81\r\n/AT-\r\n" +
                                std::string(kRoot) + "\"after\"=\"1\"\r\n",
         {}, {"after"}, {}},
    };
}

class HostileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
        HKEY sentinel = nullptr;
        RegCreateKeyA(HKEY_CURRENT_USER, kSentinelKey, &sentinel);
        RegSetValueExA(sentinel, "keep", 0, REG_SZ, reinterpret_cast<const BYTE*>("kept"), 4);
        RegCloseKey(sentinel);
    }
    void TearDown() override
    {
        // Nothing outside the test's own key was touched.
        HKEY sentinel = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSentinelKey, 0, KEY_READ, &sentinel), ERROR_SUCCESS);
        char data[8] = "";
        DWORD size = sizeof data;
        EXPECT_EQ(RegQueryValueExA(sentinel, "keep", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
                  ERROR_SUCCESS);
        EXPECT_STREQ(data, "kept");
        RegCloseKey(sentinel);
        RegDeleteTreeA(HKEY_CURRENT_USER, kSentinelKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    }
};

TEST_F(HostileTest, EveryRunEndsAndSaysWhatItRefused)
{
    int number = 0;
    for (const HostileCase& c : Cases()) {
        SCOPED_TRACE(c.label);
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
        const std::string file = zevo::test::WriteScratchFile("hostile" + std::to_string(++number) + ".zvd", c.data);
        Outcome outcome = RunAndRead(file);
        ASSERT_TRUE(outcome.finished) << "the run did not end";
        EXPECT_EQ(outcome.exitCode, 0u);
        for (const std::string& piece : c.messages)
            EXPECT_NE(outcome.messages.find(Wide(piece)), std::wstring::npos) << piece;
        if (c.messages.empty()) {
            EXPECT_EQ(outcome.messages, L"");
        }
        for (const char* name : c.written)
            EXPECT_TRUE(ValueExists(name)) << name;
        for (const char* name : c.notWritten)
            EXPECT_FALSE(ValueExists(name)) << name;
    }
}

TEST_F(HostileTest, HandOverChainsAndCycles)
{
    // Fifty data files, each handing over to the next; the last hands back
    // to the first, which this run has read already.
    const int kFiles = 50;
    for (int i = 0; i < kFiles; ++i) {
        const std::string next = i + 1 < kFiles ? "chain" + std::to_string(i + 1) + ".zvd" : "chain0.zvd";
        zevo::test::WriteScratchFile("chain" + std::to_string(i) + ".zvd",
                                     std::string(kRoot) + "\"v" + std::to_string(i) + "\"=\"1\"\r\n/F \"" +
                                         zevo::test::ScratchPath(next) + "\"\r\n");
    }
    Outcome outcome = RunAndRead(zevo::test::ScratchPath("chain0.zvd"));
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(ValueExists("v0"));
    EXPECT_TRUE(ValueExists("v49"));
    EXPECT_NE(outcome.messages.find(Wide("3行目: このデータファイルはこの実行で既に読んでいます。")), std::wstring::npos);

    const std::string self = zevo::test::ScratchPath("self.zvd");
    zevo::test::WriteScratchFile("self.zvd", std::string(kRoot) + "/F \"" + self + "\"\r\n\"after\"=\"1\"\r\n");
    outcome = RunAndRead(self);
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(ValueExists("after"));
    EXPECT_NE(outcome.messages.find(Wide("2行目: このデータファイルはこの実行で既に読んでいます。")), std::wstring::npos);
}

TEST_F(HostileTest, FullDiskKeepsEarlierLogAndHistory)
{
    if (GetDriveTypeA("F:\\") == DRIVE_NO_ROOT_DIR)
        GTEST_SKIP() << "no small disk as F: (mounting it needs root)";
    const std::string earlierLog = "earlier log\r\r\n";
    const std::string earlierHistory = "<< 1998 7 5 9:3:7 >>\r\n[K]v\r\n(Old)\r\n(New)x\r\n\r\n";
    zevo::test::WriteScratchFile("earlier.zvl", earlierLog);
    zevo::test::WriteScratchFile("earlier.zvh", earlierHistory);
    ASSERT_TRUE(CopyFileA(zevo::test::ScratchPath("earlier.zvl").c_str(), "F:\\RUN.ZVL", FALSE));
    ASSERT_TRUE(CopyFileA(zevo::test::ScratchPath("earlier.zvh").c_str(), "F:\\RUN.ZVH", FALSE));
    // Fill what is left of the disk.
    HANDLE filler = CreateFileA("F:\\FILLER", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(filler, INVALID_HANDLE_VALUE);
    std::vector<char> block(4096, 'f');
    DWORD written = 0;
    while (WriteFile(filler, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written > 0) {
    }
    CloseHandle(filler);

    std::string data = "/L=\"F:\\RUN.ZVL\"\r\n/LH=\"F:\\RUN.ZVH\"\r\n" + std::string(kRoot);
    for (int i = 0; i < 2000; ++i)
        data += "\"v" + std::to_string(i) + "\"=\"value number " + std::to_string(i) + "\"\r\n";
    Outcome outcome = RunAndRead(zevo::test::WriteScratchFile("fulldisk.zvd", data));
    DeleteFileA("F:\\FILLER");
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(ValueExists("v1999")) << "the run goes on";
    EXPECT_NE(outcome.messages.find(L"Logfileがオープンできません。"), std::wstring::npos);
    EXPECT_NE(outcome.messages.find(L"変更履歴記録ファイル F:\\RUN.ZVHに書き込めません。"), std::wstring::npos);
    EXPECT_EQ(zevo::test::ReadWholeFile("F:\\RUN.ZVL"), earlierLog);
    const std::string history = zevo::test::ReadWholeFile("F:\\RUN.ZVH");
    EXPECT_EQ(history.substr(0, earlierHistory.size()), earlierHistory);
    DeleteFileA("F:\\RUN.ZVL");
    DeleteFileA("F:\\RUN.ZVH");
}

}  // namespace
