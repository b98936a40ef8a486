// Hostile data files and a full disk: every run ends, touches nothing outside
// kKey and says in the message pane what it refused.
#include <fstream>
#include <vector>

#include "ui/resource.h"
#include "zevo_process.h"

using namespace zevo::test;

// label.zvd holds data; the pane holds each message (none: nothing); kKey each value but no "!name".
struct Case { std::string label, data; std::vector<std::wstring> messages; std::vector<std::string> values; };

// Runs zevo.exe until the run is over (the changed-items list complete, Run
// enabled, Stop not), reads the pane and closes the program as a user does.
static void Check(const Case& c)
{
    SCOPED_TRACE(c.label);
    Zevo zevo("\"" + WriteScratchFile(c.label + ".zvd", c.data) + "\"");
    std::wstring pane;
    wchar_t items[6] = L"";
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000 && !zevo.Wait(50);) {
        HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr);  // the main dialog: the program's first thread's
        while (w && GetWindowThreadProcessId(w, nullptr) != zevo.p.dwThreadId)
            w = FindWindowExW(nullptr, w, L"#32770", nullptr);
        if (w && GetDlgItemTextW(w, IDC_CHANGED_ITEMS, items, 6) && std::wstring(items) == L"File=" &&
            IsWindowEnabled(GetDlgItem(w, IDOK)) && !IsWindowEnabled(GetDlgItem(w, IDC_STOP))) {
            pane.resize(GetDlgItemTextW(w, IDC_TEXT, &pane.assign(1 << 16, L'\0')[0], 1 << 16));
            PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
            break;
        }
    }
    EXPECT_EQ(zevo.Finish(), 0u);
    for (const std::wstring& message : c.messages)
        EXPECT_NE(pane.find(message), pane.npos) << message;
    EXPECT_TRUE(!c.messages.empty() || pane.empty()) << pane;
    for (const std::string& name : c.values)
        EXPECT_EQ(Value(name.substr(name[0] == '!')) == "missing", name[0] == '!') << name;
}

TEST(HostileTest, EveryRunEndsAndSaysWhatItRefused)
{
    const std::string path = "C:\\" + std::string(520, 'P'), after = "\"after\"=\"1\"\r\n", end = kRoot + after;
    std::string paths, bytes = kRoot + "\"bytes\"=\"", list = kRoot + "\"huge\"=hex:", items = "/AM";
    for (std::string d : {"/C \"P\" \"C:\\\"", "/C \"C:\\*.zvd\" \"P\"", "/D \"P\"", "/M \"P\"", "/R \"P\"", "/F \"P\"",
                          "/L=\"P\"", "/LH=\"P\"", "/G P"})  // a /G that cannot start its program says nothing
        paths += d.replace(d.find('P'), 1, path) + "\r\n";
    for (int c = 1; c < 256; ++c)
        bytes += std::string("\n\r\x1A\"\\").find(static_cast<char>(c)) == std::string::npos ? std::string(1, c) : "";
    for (int i = 1; i <= 4 * 32001; ++i)  // 128,005 bytes over five lines
        list += i % 32001 ? "00," : "00,\\\r\n";
    SYSTEMTIME now;
    GetLocalTime(&now);
    for (int i = 0; i < 14; ++i)  // 13 times next month, then this month: items past the 13th do not count
        items += " " + std::to_string(i < 13 ? now.wMonth % 12 + 1 : now.wMonth);
    for (int i = 1; i < 50; ++i)  // chain.zvd hands over to chain1.zvd, ... chain49.zvd back to chain.zvd
        WriteScratchFile("chain" + std::to_string(i) + ".zvd", kRoot + "\"v" + std::to_string(i) + "\"=\"1\"\r\n/F \"" +
                         ScratchPath("chain" + (i < 49 ? std::to_string(i + 1) : "") + ".zvd") + "\"\r\n");
    const std::wstring tooLong = L"行目: パスが長すぎる", noKey = L"行目: キーが開かれていない";
    const std::wstring badKey = L"1行目: このキーを開けない", again = L"行目: このデータファイルはこの実行で既に読んで";
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\ZevoBlackBoxSentinel", "keep", REG_SZ, "kept", 5);
    for (const Case& c : std::vector<Case>{
             {"long line", kRoot + "\"long\"=\"" + std::string(200000, 'x') + "\"\r\n" + end,
              {L"2行目: 127999バイトを超える行は"}, {"after", "!long"}},
             {"long list", list + "00\r\n" + end, {L"2行目: 値を書き込めませんでした"}, {"after", "!huge"}},
             {"open string", kRoot + "\"ok\"=\"1\"\r\n\"open\"=\"abc", {}, {"ok", "!open"}},
             {"every byte", bytes + "\"\r\n", {}, {"bytes"}},
             {"Ctrl-Z, NUL", kRoot + std::string("\"nul\"=\"a\0b\"\r\n\"ok\"=\"1\"\r\n\x1A\"late\"=\"2\"\r\n", 36),
              {L"2行目: NULバイトを含む行は"}, {"ok", "!nul", "!late"}},
             {"long paths", paths + end, {L"1" + tooLong, L"2" + tooLong, L"3" + tooLong, L"4" + tooLong,
                                         L"5" + tooLong, L"6" + tooLong, L"7" + tooLong, L"8" + tooLong}, {"after"}},
             {"14 items", items + "\r\n" + kRoot + "\"skipped\"=\"1\"\r\n/AM-\r\n" + end, {}, {"after", "!skipped"}},
             {"no argument", "/C \"a\r\n/D\r\n/F \"x\r\n/L=\r\n/M\r\n/R \"\"\r\n" + kRoot + "/%=\"\r\n" + after,
              {L"1行目: 引数がないか", L"6行目: パスが空の", L"8行目: 引数がないか"}, {"after"}},
             {"long key", "[" + kPath + "\\" + std::string(300, 'k') + "]\r\n" + after, {badKey, L"2" + noKey}, {}},
             {"no root", "[HKEY_NOWHERE\\x]\r\n\"v\"=\"1\"\r\n\"w\"=dword:1\r\n", {badKey, L"3" + noKey}, {}},
             {"no key", "\"e\"=\"1\"\r\n/%=\"e\"\r\n" + end, {L"1" + noKey, L"2" + noKey}, {"after", "!e"}},
             {"huge speed", "/!99999999999999999999\r\n/!-\r\n" + end, {}, {"after"}},
             {"times", "/AT xx:yy zz\r\n/AT-\r\n/AT 99:99 -1:00\r\n/AT-\r\n/AT\r\n/AT \xff\xff:\x81\r\n/AT-\r\n" + end,
              {}, {"after"}},
             {"chain", kRoot + "/F \"" + ScratchPath("chain1.zvd") + "\"\r\n", {L"3" + again}, {"v1", "v49"}},
             {"self", kRoot + "/F \"" + ScratchPath("self.zvd") + "\"\r\n" + after, {L"2" + again}, {"after"}}}) {
        Check(c);
        EXPECT_EQ(Value("keep", "Software\\ZevoBlackBoxSentinel"), std::string("1:kept\0", 7)) << c.label;
    }
}

// A log and a history file on a full disk (F:, a 256 KiB tmpfs): the run goes
// on, says so, and the earlier bytes of both files stay as they were.
TEST(HostileTest, FullDiskKeepsEarlierLogAndHistory)
{
    if (GetDriveTypeA("F:\\") == DRIVE_NO_ROOT_DIR)
        GTEST_SKIP() << "no small disk as F: (mounting it needs root)";
    const std::string log = "earlier log\r\r\n", history = "<< 1998 7 5 9:3:7 >>\r\n[K]v\r\n(Old)\r\n(New)x\r\n\r\n";
    std::ofstream("F:\\RUN.ZVL", std::ios::binary) << log;
    std::ofstream("F:\\RUN.ZVH", std::ios::binary) << history;
    std::ofstream("F:\\FILLER", std::ios::binary) << std::string(1 << 20, 'f');  // fills what is left
    const std::string big = "\"big\"=\"" + std::string(5000, 'b') + "\"\r\n";  // its record passes the file's last page
    Check({"full disk", "/L=\"F:\\RUN.ZVL\"\r\n/LH=\"F:\\RUN.ZVH\"\r\n" + kRoot + big + "\"after\"=\"1\"\r\n",
           {L"Logfileがオープンできません", L"変更履歴記録ファイル F:\\RUN.ZVHに書き込めません"}, {"big", "after"}});
    EXPECT_EQ(ReadWholeFile("F:\\RUN.ZVL"), log);
    EXPECT_EQ(ReadWholeFile("F:\\RUN.ZVH").substr(0, history.size()), history);
}
