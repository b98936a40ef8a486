// The main dialog, made in this process and driven by messages: texts set
// into its fields, buttons clicked, the trackbar moved and timer ticks sent;
// then its panes, its enabled controls, the registry and the files are
// checked. The platform records restarts, programs and the process end.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fileops/win32_file_operations.h"
#include "registry/win32_registry.h"
#include "test_files.h"
#include "ui/resource.h"
#include "ui/win/text.h"
#include "ui/zevo_dlg.h"

namespace zevo {
namespace {

const char kKey[] = "Software\\ZevoDialogTest";

class RecordingPlatform : public Win32Platform {
public:
    void StartProgram(const std::string& commandLine) override { calls.push_back("start " + commandLine); }
    void ExitProcess(int exitCode) override { calls.push_back("exit " + std::to_string(exitCode)); }
    std::string CommandLine() override { return commandLine; }
    std::string SystemDriveRoot() override { return driveRoot; }
    void RequestRestart() override
    {
        calls.push_back("restart");
        // The notice (the one window without a caption) has no buttons;
        // Windows would end it. Here it is closed.
        HWND notice = GetActiveWindow();
        if (notice != nullptr && GetWindowTextLengthW(notice) == 0)
            PostMessageW(notice, WM_COMMAND, IDCANCEL, 0);
    }
    void OpenWebPage(const std::string& address) override { calls.push_back("web " + address); }
    void OpenHelp(HWND) override { calls.push_back("help"); }

    std::vector<std::string> calls;
    std::string commandLine = "zevo.exe";
    std::string driveRoot = "Q:\\";
};

// Answers the next modal box or dialog of this thread with a button; `look`
// runs first, while the box is up.
void AnswerNextDialog(int button, std::function<void()> look = nullptr)
{
    static int s_button;
    static std::function<void()> s_look;
    s_button = button;
    s_look = std::move(look);
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND active = GetActiveWindow();
        wchar_t className[16] = L"";
        if (active == nullptr || !GetClassNameW(active, className, 16) || std::wstring(className) != L"#32770")
            return;
        KillTimer(nullptr, id);
        if (s_look)
            s_look();
        PostMessageW(active, WM_COMMAND, static_cast<WPARAM>(s_button), 0);
    });
}

// Handles what is waiting, except the run timer's own ticks: the tests send
// every tick themselves, so that each test sees the same steps.
void PumpMessages(HWND dialog = nullptr)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_TIMER && message.hwnd == dialog && dialog != nullptr)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class ZevoDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\PLV\\ZEVO");
    }
    void TearDown() override
    {
        Close();
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    }
    void Close()
    {
        if (m_dialog != nullptr && IsWindow(*m_dialog))
            DestroyWindow(*m_dialog);
        PumpMessages();
        m_dialog.reset();
    }
    void Pump() { PumpMessages(*m_dialog); }

    void Open()
    {
        m_dialog = std::make_unique<CZevoDlg>(m_registry, m_files, m_platform, m_cp);
        ASSERT_NE(m_dialog->Create(), nullptr);
        Pump();
    }
    win::Window Item(int id) { return m_dialog->Item(id); }
    std::wstring Text(int id) { return Item(id).Text(); }
    bool Enabled(int id) { return Item(id).IsEnabled(); }
    void Click(int id)
    {
        Item(id).Send(BM_CLICK);
        Pump();
    }
    void SetText(int id, const std::string& ansi) { Item(id).SetText(win::AnsiToWide(ansi)); }
    void Tick()
    {
        m_dialog->Send(WM_TIMER, 1);
        Pump();
    }
    // Ticks until the run is over (at most `limit` ticks).
    int TickToEnd(int limit = 100)
    {
        int ticks = 0;
        while (m_dialog->Running() && ticks < limit) {
            Tick();
            ++ticks;
        }
        return ticks;
    }
    std::string WriteData(const std::string& name, const std::string& text)
    {
        return test::WriteScratchFile(name, text);
    }
    // The settings value "LOOP", or "missing".
    static std::string Loop()
    {
        HKEY settings = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\PLV\\ZEVO", 0, KEY_READ, &settings) != ERROR_SUCCESS)
            return "missing";
        char loop[8] = "";
        DWORD size = sizeof loop - 1, type = 0;
        LONG rc = RegQueryValueExA(settings, "LOOP", nullptr, &type, reinterpret_cast<BYTE*>(loop), &size);
        RegCloseKey(settings);
        return rc == ERROR_SUCCESS ? loop : "missing";
    }
    std::string Value(const std::string& name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "missing";
        char data[256] = "";
        DWORD size = sizeof data, type = 0;
        LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        return rc == ERROR_SUCCESS ? std::string(data, size) : "missing";
    }
    // The pane shows its last line: scrolling further down moves nothing.
    bool AtLastLine(int id)
    {
        win::Window pane = Item(id);
        const LRESULT first = pane.Send(EM_GETFIRSTVISIBLELINE);
        pane.Send(EM_LINESCROLL, 0, pane.Send(EM_GETLINECOUNT));
        return first > 0 && pane.Send(EM_GETFIRSTVISIBLELINE) == first;
    }
    // The enabled state of the option controls, in one text.
    std::string States()
    {
        const struct {
            int id;
            const char* name;
        } controls[] = {
            {IDOK, "run"},          {IDC_STOP, "stop"},         {IDCANCEL, "close"},
            {IDC_LOG, "log"},       {IDC_LOG_FILE, "logfile"},  {IDC_VERIFY, "verify"},
            {IDC_HISTORY, "hist"},  {IDC_HISTORY_FILE, "histfile"}, {IDC_SPEED, "speed"},
            {IDC_HELP_BUTTON, "help"}, {IDC_BROWSE_DATA, "bdata"}, {IDC_DATA_FILE, "data"},
        };
        std::string out;
        for (const auto& c : controls)
            out += std::string(Enabled(c.id) ? "+" : "-") + c.name + " ";
        return out;
    }

    const CodePage m_cp = CodePage::FromPredicate([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
    Win32Registry m_registry;
    Win32FileOperations m_files{m_cp};
    RecordingPlatform m_platform;
    std::unique_ptr<CZevoDlg> m_dialog;
};

const std::string kIdle = "+run -stop +close +log -logfile +verify +hist -histfile +speed +help +bdata +data ";
const std::string kRunning = "-run +stop +close -log -logfile -verify -hist -histfile +speed -help -bdata +data ";

TEST_F(ZevoDlgTest, OpensWithItsTextsAndStates)
{
    Open();
    EXPECT_EQ(m_dialog->Text(), L"ZEVO ver.1.12");
    EXPECT_EQ(Text(IDOK), L"実行");
    EXPECT_EQ(Text(IDC_STOP), L"中止");
    EXPECT_EQ(Text(IDCANCEL), L"閉じる");
    EXPECT_EQ(Text(IDC_BROWSE_DATA), L"参照");
    EXPECT_EQ(Text(IDC_WEB_PAGE), L"" ZEVO_WEB_PAGE);
    EXPECT_EQ(States(), kIdle);
    EXPECT_EQ(Item(IDC_SPEED).Send(TBM_GETRANGEMIN), 0);
    EXPECT_EQ(Item(IDC_SPEED).Send(TBM_GETRANGEMAX), 50);
    EXPECT_EQ(Item(IDC_SPEED).Send(TBM_GETPOS), 0);

    // Log and History follow their check boxes.
    Click(IDC_LOG);
    EXPECT_TRUE(Enabled(IDC_LOG_FILE));
    Click(IDC_LOG);
    EXPECT_FALSE(Enabled(IDC_LOG_FILE));
    Click(IDC_HISTORY);
    EXPECT_TRUE(Enabled(IDC_HISTORY_FILE));

    Click(IDC_WEB_PAGE);
    Click(IDC_HELP_BUTTON);
    HELPINFO help = {};
    help.cbSize = sizeof help;
    m_dialog->Send(WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    EXPECT_EQ(m_platform.calls, (std::vector<std::string>{"web " ZEVO_WEB_PAGE, "help", "help"}));
}

TEST_F(ZevoDlgTest, FastRunFromTheRunButton)
{
    Open();
    const std::string data = WriteData("fast.zvd",
                                       "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\ZevoDialogTest]\r\n"
                                       "\"a\"=\"\x95\x5C\"\r\n\"b\"=dword:00000002\r\n");
    SetText(IDC_DATA_FILE, data);
    Click(IDOK);
    EXPECT_TRUE(m_dialog->Running());
    EXPECT_EQ(States(), kRunning);
    EXPECT_EQ(TickToEnd(), 1) << "Fast takes the whole file in one tick";
    EXPECT_EQ(States(), kIdle);
    EXPECT_EQ(Value("a"), std::string("\x95\x5C\0", 3));
    EXPECT_EQ(Text(IDC_KEY_PATH), L"HKEY_CURRENT_USER\\Software\\ZevoDialogTest");
    EXPECT_EQ(Text(IDC_VALUE_NAME), L"b");
    EXPECT_EQ(Text(IDC_FILE_DATA), L"00000002");
    EXPECT_EQ(Text(IDC_CHANGED_ITEMS),
              L"File=" + win::AnsiToWide(data) +
                  L"\r\nHKEY_CURRENT_USER\\Software\\ZevoDialogTest \"a\"\r\n"
                  L"HKEY_CURRENT_USER\\Software\\ZevoDialogTest \"b\"\r\n");
}

TEST_F(ZevoDlgTest, TimedRunShowsEachEntryAndStops)
{
    Open();
    const std::string log = test::ScratchPath("timed.zvl");
    const std::string data = WriteData("timed.zvd",
                                       "[HKEY_CURRENT_USER\\Software\\ZevoDialogTest]\r\n"
                                       "\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\"c\"=\"3\"\r\n");
    SetText(IDC_DATA_FILE, data);
    Click(IDC_LOG);
    SetText(IDC_LOG_FILE, log);
    Item(IDC_SPEED).Send(TBM_SETPOS, TRUE, 5);
    Click(IDOK);
    Tick();  // the key line
    Tick();
    EXPECT_EQ(Text(IDC_VALUE_NAME), L"a");
    EXPECT_EQ(Text(IDC_FILE_DATA), L"1");
    EXPECT_EQ(Text(IDC_REGISTRY_DATA), L"");
    EXPECT_EQ(States(), kRunning);
    Click(IDC_STOP);
    EXPECT_FALSE(m_dialog->Running());
    EXPECT_EQ(States(), "+run -stop +close +log +logfile +verify +hist -histfile +speed +help +bdata +data ");
    EXPECT_EQ(Value("b"), "missing") << "nothing after the stop";
    EXPECT_EQ(test::ReadWholeFile(log), "File=" + data + "\r\r\nHKEY_CURRENT_USER\\Software\\ZevoDialogTest \"a\"\r\r\n");
    Tick();
    EXPECT_EQ(Value("b"), "missing") << "a late tick after a stop does nothing";
}

TEST_F(ZevoDlgTest, MessagesShowInJapanese)
{
    Open();
    SetText(IDC_DATA_FILE, "Q:\\missing.zvd");
    Click(IDOK);
    EXPECT_FALSE(m_dialog->Running());
    EXPECT_EQ(Text(IDC_TEXT), L"データファイル Q:\\missing.zvdがオープンできません。\r\n");
    EXPECT_EQ(States(), kIdle);

    // "設定が完了しました。" in Shift-JIS, as a data file holds it.
    const std::string done = "\x90\xdd\x92\xe8\x82\xaa\x8a\xae\x97\xb9\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
    const std::string data = WriteData("message.zvd", "/*" + done + "\r\n/V\r\n/X\r\n");
    SetText(IDC_DATA_FILE, data);
    Click(IDOK);
    TickToEnd();
    EXPECT_EQ(Text(IDC_TEXT), L"設定が完了しました。\r\n") << "data-file text in the system code page";
    EXPECT_EQ(IsDlgButtonChecked(*m_dialog, IDC_VERIFY), BST_CHECKED) << "/V shows in the check box";
}

TEST_F(ZevoDlgTest, BoxesInAFastRunShowThePanesAsTheyStand)
{
    Open();
    std::string words;
    for (int i = 0; i < 150; ++i)
        words += "word" + std::to_string(i) + " ";
    const std::string key = "HKEY_CURRENT_USER\\Software\\ZevoDialogTest";
    const struct {
        const char* box;
        std::string data;
        const wchar_t* name;
        const wchar_t* fileData;
        const wchar_t* lastMessage;
    } cases[] = {
        {"/Q", "[" + key + "]\r\n\"Seen\"=\"1\"\r\n/*" + words + "\r\n/Q\r\n", L"Seen", L"1", L""},
        {"/LH=", "[" + key + "]\r\n\"Later\"=\"2\"\r\n/*" + words + "\r\n/LH=\"Q:\\none.zvh\"\r\n", L"Later", L"2",
         L"Q:\\NONE.ZVHがオープンできません。\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        SetText(IDC_DATA_FILE, WriteData("box.zvd", c.data));
        Click(IDOK);
        std::wstring underBox[5];
        bool lastLineUnderBox = false;
        AnswerNextDialog(IDCANCEL, [&] {
            const int panes[] = {IDC_KEY_PATH, IDC_VALUE_NAME, IDC_FILE_DATA, IDC_REGISTRY_DATA, IDC_CHANGED_ITEMS};
            for (int i = 0; i < 5; ++i)
                underBox[i] = Text(panes[i]);
            lastLineUnderBox = AtLastLine(IDC_TEXT);
        });
        TickToEnd();
        EXPECT_EQ(underBox[0], win::AnsiToWide(key));
        EXPECT_EQ(underBox[1], c.name);
        EXPECT_EQ(underBox[2], c.fileData);
        EXPECT_EQ(underBox[3], L"");
        EXPECT_NE(underBox[4].find(std::wstring(L" \"") + c.name + L"\"\r\n"), std::wstring::npos) << underBox[4];
        EXPECT_TRUE(lastLineUnderBox);
        EXPECT_TRUE(AtLastLine(IDC_TEXT)) << "after the run";
        const std::wstring message = Text(IDC_TEXT);
        const std::wstring last = c.lastMessage;
        EXPECT_EQ(message.substr(message.size() - last.size()), last);
    }
}

TEST_F(ZevoDlgTest, DirectivesThatLockAndMinimise)
{
    Open();
    const std::string data = WriteData("lock.zvd", "/X\r\n/!5\r\n/I\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n");
    SetText(IDC_DATA_FILE, data);
    Click(IDOK);
    Tick();
    EXPECT_FALSE(Enabled(IDC_STOP)) << "/X locks even the stop button";
    EXPECT_FALSE(Enabled(IDCANCEL));
    EXPECT_EQ(Item(IDC_SPEED).Send(TBM_GETPOS), 5);
    TickToEnd();
    EXPECT_FALSE(m_dialog->IsMinimized()) << "the end of a timed run restores the dialog";
    EXPECT_EQ(States(), kIdle);
}

TEST_F(ZevoDlgTest, StartUpFromTheCommandLineOnFirstPaint)
{
    const std::string data = WriteData("startup.zvd",
                                       "[HKEY_CURRENT_USER\\Software\\ZevoDialogTest]\r\n\"s\"=\"1\"\r\n");
    m_platform.commandLine = "\"C:\\zevo.exe\" \"" + data + "\"";
    Open();
    UpdateWindow(*m_dialog);
    Pump();
    EXPECT_EQ(Text(IDC_DATA_FILE), win::AnsiToWide(data));
    EXPECT_TRUE(m_dialog->Running());
    TickToEnd();
    EXPECT_EQ(Value("s"), std::string("1\0", 2));
    // Later paints start nothing more.
    InvalidateRect(*m_dialog, nullptr, TRUE);
    UpdateWindow(*m_dialog);
    Pump();
    EXPECT_FALSE(m_dialog->Running());
}

TEST_F(ZevoDlgTest, DefaultDataFileOnlyWhenItExists)
{
    m_platform.driveRoot = test::ScratchFolder() + "\\";
    Open();
    UpdateWindow(*m_dialog);
    Pump();
    EXPECT_FALSE(m_dialog->Running()) << "no default data file, no run";
    EXPECT_EQ(Text(IDC_DATA_FILE), L"");

    WriteData("regdata.zvd", "[HKEY_CURRENT_USER\\Software\\ZevoDialogTest]\r\n\"d\"=\"1\"\r\n");
    Close();
    Open();
    UpdateWindow(*m_dialog);
    Pump();
    EXPECT_TRUE(m_dialog->Running());
    TickToEnd();
    EXPECT_EQ(Value("d"), std::string("1\0", 2));
}

TEST_F(ZevoDlgTest, AskedRestartAndExitAtTheEnd)
{
    Open();
    const std::string data = WriteData("restart.zvd",
                                       "/Z\r\n/E\r\n/T\r\n[HKEY_CURRENT_USER\\Software\\ZevoDialogTest]\r\n"
                                       "\"r\"=\"1\"\r\n");
    SetText(IDC_DATA_FILE, data);
    Click(IDOK);
    AnswerNextDialog(IDOK);
    TickToEnd();
    EXPECT_EQ(m_platform.calls, (std::vector<std::string>{"restart", "exit 0"}));
    EXPECT_EQ(Loop(), "L");

    // Cancel: no restart; "LOOP" back to "N".
    m_platform.calls.clear();
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\PLV\\ZEVO");
    const std::string again = WriteData("restart2.zvd",
                                        "/T-\r\n[HKEY_CURRENT_USER\\Software\\ZevoDialogTest]\r\n\"r\"=\"2\"\r\n");
    SetText(IDC_DATA_FILE, again);
    Click(IDOK);
    AnswerNextDialog(IDCANCEL);
    TickToEnd();
    EXPECT_TRUE(m_platform.calls.empty());
}

TEST_F(ZevoDlgTest, RestartWithoutAskingShowsTheNotice)
{
    Open();
    const std::string data = WriteData("notice.zvd",
                                       "/Z\r\n/EY\r\n[HKEY_CURRENT_USER\\Software\\ZevoDialogTest]\r\n"
                                       "\"n\"=\"1\"\r\n");
    SetText(IDC_DATA_FILE, data);
    Click(IDOK);
    TickToEnd();
    // The notice asks on its first paint; once it is closed the run asks again.
    EXPECT_EQ(m_platform.calls, (std::vector<std::string>{"restart", "restart"}));
    EXPECT_FALSE(m_dialog->Running());
    EXPECT_EQ(States(), kIdle);
    EXPECT_EQ(Loop(), "N") << "the program still runs after the notice: no restart is pending";
}

}  // namespace
}  // namespace zevo

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
