// The main dialog, made in this process and driven by messages; the test is its platform.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "fileops/win32_file_operations.h"
#include "registry/win32_registry.h"
#include "test_files.h"
#include "ui/resource.h"
#include "ui/win/text.h"
#include "ui/zevo_dlg.h"

namespace zevo {
namespace {

const std::string kSection = "[HKEY_CURRENT_USER\\Software\\ZevoDialogTest]\r\n";
const std::wstring kKey = L"HKEY_CURRENT_USER\\Software\\ZevoDialogTest";

class ZevoDlgTest : public ::testing::Test, public Win32Platform {
protected:
    void SetUp() override { Open(); }
    void TearDown() override { Close(); DeleteFileA((test::ScratchFolder() + "\\regdata.zvd").c_str()); }
    // A new dialog after its first paint, with a timer (its id is the test) that answers its boxes.
    void Open(const std::string& commandLine = "zevo.exe")
    {
        Close();
        m_commandLine = commandLine;
        m_calls.clear();
        m_underBox.clear();
        m_dialog = std::make_unique<CZevoDlg>(m_registry, m_files, *this, m_cp);
        SetTimer(m_dialog->Create(), reinterpret_cast<UINT_PTR>(this), 50, AnswerBox);
        Paint();
    }
    void Close()
    {
        if (m_dialog != nullptr) DestroyWindow(*m_dialog);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ZevoDialogTest");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\PLV\\ZEVO");
    }
    // Answers a box once it shows, with m_answer, after noting the panes under it.
    static void CALLBACK AnswerBox(HWND, UINT, UINT_PTR id, DWORD)
    {
        auto* test = reinterpret_cast<ZevoDlgTest*>(id);
        HWND box = GetActiveWindow();
        if (GetWindow(box, GW_OWNER) != nullptr && IsWindowVisible(box) && !GetUpdateRect(box, nullptr, FALSE)) {
            test->m_underBox = test->Panes();
            test->m_calls += "box; ";
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(test->m_answer), 0);
        }
    }
    // Paints the dialog and handles the start-up message that a first paint posts; the tests tick.
    void Paint()
    {
        RedrawWindow(*m_dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        for (MSG msg; PeekMessageW(&msg, *m_dialog, CZevoDlg::kStartUpMessage, CZevoDlg::kStartUpMessage, PM_REMOVE);)
            DispatchMessageW(&msg);
    }
    win::Window Item(int id) { return m_dialog->Item(id); }
    void Click(int id) { Item(id).Send(BM_CLICK); }
    void Tick(int count = 1) { for (int i = 0; i < count && m_dialog->Running(); ++i) m_dialog->Send(WM_TIMER, 1); }
    // Enabled (+) or not (-), in the order of this list.
    std::string States()
    {
        std::string out;
        for (int id : {IDOK, IDC_STOP, IDCANCEL, IDC_LOG, IDC_LOG_FILE, IDC_VERIFY, IDC_HISTORY, IDC_HISTORY_FILE,
                       IDC_SPEED, IDC_HELP_BUTTON, IDC_BROWSE_DATA, IDC_BROWSE_LOG, IDC_BROWSE_HISTORY, IDC_DATA_FILE})
            out += Item(id).IsEnabled() ? '+' : '-';
        return out;
    }
    // The five value panes, then "last line" if scrolling the message pane further moves nothing.
    std::wstring Panes()
    {
        std::wstring out;
        for (int id : {IDC_KEY_PATH, IDC_VALUE_NAME, IDC_FILE_DATA, IDC_REGISTRY_DATA, IDC_CHANGED_ITEMS})
            out += Item(id).Text() + L"|";
        win::Window pane = Item(IDC_TEXT);
        const LRESULT first = pane.Send(EM_GETFIRSTVISIBLELINE);
        pane.Send(EM_LINESCROLL, 0, pane.Send(EM_GETLINECOUNT));
        return out + (first > 0 && pane.Send(EM_GETFIRSTVISIBLELINE) == first ? L"last line" : L"");
    }

    void ExitProcess(int exitCode) override { m_calls += "exit " + std::to_string(exitCode) + "; "; }
    std::string CommandLine() override { return m_commandLine; }
    std::string SystemDriveRoot() override { return test::ScratchFolder() + "\\"; }
    void RequestRestart() override { m_calls += "restart; "; }

    const CodePage m_cp = CodePage::FromPredicate([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
    Win32Registry m_registry;
    Win32FileOperations m_files{m_cp};
    std::unique_ptr<CZevoDlg> m_dialog;
    std::string m_calls, m_commandLine;
    int m_answer = IDCANCEL;
    std::wstring m_underBox;
};

TEST_F(ZevoDlgTest, TimedRunFromTheRunButtonWithItsDirectivesAndAStop)
{
    for (int id : {IDC_HISTORY, IDC_LOG, IDC_HISTORY})
        Click(id);
    EXPECT_EQ(States(), "+-+++++-++++++") << "the log and history file fields follow their check boxes";
    Item(IDC_SPEED).Send(TBM_SETPOS, TRUE, 5);
    // The message is "設定が完了しました。" in Shift-JIS, as a data file holds it.
    Item(IDC_DATA_FILE).SetText(win::AnsiToWide(test::WriteScratchFile("timed.zvd", kSection + "\"a\"=\"1\"\r\n/X\r\n"
        "/!99\r\n/*\x90\xdd\x92\xe8\x82\xaa\x8a\xae\x97\xb9\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42\r\n/V\r\n")));
    Click(IDOK);
    Tick(2);  // the key line and "a"
    EXPECT_EQ(Panes(), kKey + L"|a|1||File=" + Item(IDC_DATA_FILE).Text() + L"\r\n" + kKey + L" \"a\"\r\n|");
    Tick(2);
    EXPECT_EQ(States(), "-------------+") << "/X locks even the stop and close buttons";
    EXPECT_EQ(Item(IDC_SPEED).Send(TBM_GETPOS), 50) << "/!99 stops at the slowest speed";
    Tick(100);
    EXPECT_EQ(Item(IDC_TEXT).Text(), L"設定が完了しました。\r\n");
    EXPECT_EQ(IsDlgButtonChecked(*m_dialog, IDC_VERIFY), BST_CHECKED) << "/V shows in the check box";
    Click(IDOK);
    Click(IDC_STOP);
    EXPECT_EQ(States(), "+-+++++-++++++") << "a stop gives the controls back, the log file field as its box says";
}

TEST_F(ZevoDlgTest, StartUpOnFirstPaintAndBoxesInAFastRunShowThePanesAsTheyStand)
{
    // Every run here starts on the first paint, from the command line or the default data file.
    const std::string entry = "/Z\r\n" + kSection + "\"v\"=\"1\"\r\n/*" + std::string(1500, 'w') + "\r\n";
    const struct { const char* file; bool named; const char* directives; int answer; const char* calls;
                   const wchar_t* message; } cases[] = {
        {nullptr, false, "", IDOK, "", L""},  // no data file: no run
        {"regdata.zvd", false, "", IDOK, "", L""},
        {"quit.zvd", true, "/Q\r\n", IDCANCEL, "box; ", L""},
        {"history.zvd", true, "/LH=\"Q:\\none.zvh\"\r\n", IDCANCEL, "box; ",
         L"変更履歴記録ファイル Q:\\NONE.ZVHがオープンできません。\r\n"},
        {"restart.zvd", true, "/E\r\n/T\r\n", IDOK, "box; restart; exit 0; ", L""},
        {"cancel.zvd", true, "/E\r\n", IDCANCEL, "box; ", L""},
        // The notice asks on its first paint (once a process); once it is closed the run asks again.
        {"notice.zvd", true, "/EY\r\n", IDCANCEL, "restart; box; restart; ", L""},
    };
    for (const auto& c : cases) {
        const std::string path = c.file ? test::WriteScratchFile(c.file, entry + c.directives) : "";
        m_answer = c.answer;
        Open(c.named ? "zevo.exe \"" + path + "\"" : "zevo.exe");
        EXPECT_EQ(States(), c.file ? "-++-----+----+" : "+-++-++-++++++");
        Tick();
        EXPECT_EQ(m_calls, c.calls);
        const std::wstring panes = c.file ? kKey + L"|v|1||File=" + win::AnsiToWide(path) + L"\r\n" + kKey +
                                                L" \"v\"\r\n|last line" : L"|||||";
        EXPECT_EQ(m_underBox, std::string(c.calls).find("box") != std::string::npos ? panes : L"");
        EXPECT_EQ(Panes(), panes) << "after the run";
        EXPECT_EQ(Item(IDC_TEXT).Text(), c.file ? std::wstring(1500, L'w') + L"\r\n" + c.message : L"");
        Paint();
        EXPECT_FALSE(m_dialog->Running()) << "one tick ends a Fast run, and later paints start nothing";
    }
}

}  // namespace
}  // namespace zevo

int main(int argc, char** argv)
{
    InitCommonControls();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
