#include "ui/zevo_dlg.h"

#include <iterator>

#include "app/command_line.h"
#include "ui/confirm_dlg.h"
#include "ui/file_chooser_dlg.h"
#include "ui/resource.h"
#include "ui/restart_notice_dlg.h"
#include "ui/win/text.h"

namespace zevo {

namespace {

const UINT_PTR kRunTimer = 1;
const int kSlowestSpeed = 50;
const char kDefaultDataFile[] = "regdata.zvd";

// The controls bound to texts of the run state, in the order of m_shown.
enum TextSlot {
    kDataFileSlot,
    kKeyPathSlot,
    kFileDataSlot,
    kRegistryDataSlot,
    kValueNameSlot,
    kTextSlot,
    kLogFileSlot,
    kChangedItemsSlot,
    kHistoryFileSlot,
};

const int kTextControls[] = {
    IDC_DATA_FILE, IDC_KEY_PATH, IDC_FILE_DATA, IDC_REGISTRY_DATA, IDC_VALUE_NAME,
    IDC_TEXT,      IDC_LOG_FILE, IDC_CHANGED_ITEMS, IDC_HISTORY_FILE,
};

// The application's title: the program file's name without its extension.
std::wstring ApplicationTitle()
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring title = path;
    size_t slash = title.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        title.erase(0, slash + 1);
    size_t dot = title.rfind(L'.');
    if (dot != std::wstring::npos)
        title.erase(dot);
    return title;
}

}  // namespace

CZevoDlg::CZevoDlg(Registry& registry, FileOperations& files, Win32Platform& platform,
                   const CodePage& cp)
    : win::Dialog(IDD_ZEVO_DIALOG),
      m_files(files),
      m_platform(platform),
      m_cp(cp),
      m_interpreter(m_state, registry, m_cp, *this, platform, files),
      m_settings(registry),
      m_driver(m_state, m_interpreter, *this, *this, m_settings, *this, platform),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

CZevoDlg::~CZevoDlg() = default;

INT_PTR CZevoDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(m_hIcon);
    case WM_HELP:
        // F1 opens the same help as the Help button.
        m_platform.OpenHelp(m_hwnd);
        return TRUE;
    case kStartUpMessage:
        StartUp();
        return TRUE;
    default:
        return win::Dialog::OnMessage(message, wParam, lParam);
    }
}

bool CZevoDlg::OnInitDialog()
{
    m_speed.Attach(Item(IDC_SPEED));
    ShowMembers(true);
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    // Every start of the program begins at Fast (0); nothing stores the speed.
    m_speed.SetRange(0, kSlowestSpeed);
    std::string ignored;
    m_nStartMode = ParseCommandLine(m_platform.CommandLine(), ignored);
    m_state.m_bVerifyByData = false;
    m_state.SetRunClock(m_platform.LocalTime());
    m_state.m_bControlsUnlocked = true;
    m_state.m_bLongData = false;
    return true;
}

void CZevoDlg::ShowMembers(bool force)
{
    const RunState& s = m_state;
    const std::wstring texts[] = {
        win::AnsiToWide(s.m_strDataFile),     win::AnsiToWide(s.m_strKeyPath),
        win::AnsiToWide(s.m_strFileData),     win::AnsiToWide(s.m_strRegistryData),
        win::AnsiToWide(s.m_strValueName),    win::MixedToWide(s.m_strText),
        win::AnsiToWide(s.m_strLogFile),      win::AnsiToWide(s.m_strChangedItems),
        win::AnsiToWide(s.m_strHistoryFile),
    };
    for (size_t i = 0; i < std::size(kTextControls); ++i) {
        if (force || texts[i] != m_shown[i]) {
            Item(kTextControls[i]).SetText(texts[i]);
            m_shown[i] = texts[i];
        }
    }
    SetCheck(IDC_LOG, s.m_bLog);
    SetCheck(IDC_VERIFY, s.m_bVerify);
    SetCheck(IDC_HISTORY, s.m_bHistory);
    if (m_scrollPending) {
        m_scrollPending = false;
        ScrollMessagePane();
    }
}

void CZevoDlg::KeepAlive()
{
    const DWORD kEveryMilliseconds = 100;
    const int kMostMessages = 64;  // a window that never validates must not keep the run waiting
    const DWORD now = GetTickCount();
    if (now - m_lastKeepAlive < kEveryMilliseconds)
        return;
    m_lastKeepAlive = now;
    MSG message;
    for (int i = 0; i < kMostMessages && PeekMessageW(&message, nullptr, 0, 0,
                                                      PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE);
         ++i)
        DispatchMessageW(&message);
}

void CZevoDlg::UpdateDisplay()
{
    // Inside a Fast tick nothing is painted; the tick shows the members at
    // its end, unless the program ends first.
    if (m_driver.InFastTick())
        return;
    ShowMembers(false);
}

void CZevoDlg::FetchInput()
{
    // Only what a user can change: the read-only panes may hold less than
    // their members and are never read back.
    m_state.m_strDataFile = win::WideToAnsi(Item(IDC_DATA_FILE).Text());
    m_state.m_strLogFile = win::WideToAnsi(Item(IDC_LOG_FILE).Text());
    m_state.m_strHistoryFile = win::WideToAnsi(Item(IDC_HISTORY_FILE).Text());
    m_shown[kDataFileSlot] = win::AnsiToWide(m_state.m_strDataFile);
    m_shown[kLogFileSlot] = win::AnsiToWide(m_state.m_strLogFile);
    m_shown[kHistoryFileSlot] = win::AnsiToWide(m_state.m_strHistoryFile);
    m_state.m_bLog = IsChecked(IDC_LOG);
    m_state.m_bVerify = IsChecked(IDC_VERIFY);
    m_state.m_bHistory = IsChecked(IDC_HISTORY);
    m_speedPosition = m_speed.Position();
}

void CZevoDlg::SetSpeedPosition(int position)
{
    m_speed.SetPosition(position);
    // The trackbar keeps the position within its range.
    m_speedPosition = m_speed.Position();
}

void CZevoDlg::ScrollTextToEnd()
{
    // Inside a Fast tick the pane gets its text only when the members are
    // shown next; it scrolls then.
    if (m_driver.InFastTick())
        m_scrollPending = true;
    else
        ScrollMessagePane();
}

void CZevoDlg::ScrollMessagePane()
{
    win::Window text = Item(IDC_TEXT);
    LRESULT lines = text.Send(EM_GETLINECOUNT);
    text.Send(EM_LINESCROLL, 0, lines);
}

void CZevoDlg::EnableControls(bool enable)
{
    for (int id : {IDC_LOG_FILE, IDOK, IDCANCEL, IDC_LOG})
        Item(id).Enable(enable);
    Item(IDC_LOG_FILE).Enable(enable && m_state.m_bLog);
    Item(IDC_HISTORY_FILE).Enable(enable && m_state.m_bHistory);
    for (int id : {IDC_VERIFY, IDC_SPEED, IDC_STOP, IDC_HELP_BUTTON, IDC_HISTORY, IDC_BROWSE_LOG,
                   IDC_BROWSE_HISTORY, IDC_BROWSE_DATA})
        Item(id).Enable(enable);
}

void CZevoDlg::UnlockRunControls()
{
    for (int id : {IDC_SPEED, IDCANCEL, IDC_STOP})
        Item(id).Enable(true);
}

void CZevoDlg::EnableStop(bool enable)
{
    Item(IDC_STOP).Enable(enable);
}

void CZevoDlg::Restore()
{
    Show(SW_RESTORE);
    SetForegroundWindow(m_hwnd);
}

bool CZevoDlg::ConfirmBox(const MixedText& text, const MixedText& caption)
{
    // Whoever answers sees the run as it stands, also in a Fast tick.
    ShowMembers(false);
    const std::wstring title = caption.Empty() ? ApplicationTitle() : win::MixedToWide(caption);
    return MessageBoxW(m_hwnd, win::MixedToWide(text).c_str(), title.c_str(),
                       MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

void CZevoDlg::Arm(int milliseconds)
{
    SetTimer(m_hwnd, kRunTimer, static_cast<UINT>(milliseconds), nullptr);
}

void CZevoDlg::Kill()
{
    KillTimer(m_hwnd, kRunTimer);
}

bool CZevoDlg::ConfirmRestart(const char* question)
{
    ShowMembers(false);
    g_confirmText = question;
    CConfirmDlg confirm;
    return confirm.DoModal(m_hwnd) == IDOK;
}

void CZevoDlg::ShowRestartNotice()
{
    ShowMembers(false);
    CRestartNoticeDlg notice(m_platform);
    notice.DoModal(m_hwnd);
}

void CZevoDlg::OnOK()
{
    m_driver.Start();
}

void CZevoDlg::OnTimer(UINT_PTR)
{
    m_driver.Tick();
}

bool CZevoDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_STOP:
        m_driver.Stop();
        return true;
    case IDC_LOG:
        FetchInput();
        Item(IDC_LOG_FILE).Enable(m_state.m_bLog);
        return true;
    case IDC_HISTORY:
        FetchInput();
        Item(IDC_HISTORY_FILE).Enable(m_state.m_bHistory);
        return true;
    case IDC_HELP_BUTTON:
        m_platform.OpenHelp(m_hwnd);
        return true;
    case IDC_MINIMIZE:
        FetchInput();
        Show(SW_MINIMIZE);
        return true;
    case IDC_WEB_PAGE:
        m_platform.OpenWebPage(ZEVO_WEB_PAGE);
        return true;
    case IDC_BROWSE_DATA:
        Browse(".ZVD", m_state.m_strDataFile);
        return true;
    case IDC_BROWSE_LOG:
        Browse(".ZVL", m_state.m_strLogFile);
        return true;
    case IDC_BROWSE_HISTORY:
        Browse(".ZVH", m_state.m_strHistoryFile);
        return true;
    default:
        return false;
    }
}

void CZevoDlg::Browse(const char* extension, std::string& member)
{
    FetchInput();
    CFileChooserDlg chooser(extension);
    if (chooser.DoModal(m_hwnd) == IDOK) {
        member = chooser.m_strPath;
        ShowMembers(false);
    }
}

bool CZevoDlg::OnPaint()
{
    if (IsMinimized()) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(m_hwnd, &paint);
        Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
        RECT client;
        GetClientRect(m_hwnd, &client);
        const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, m_hIcon);
        EndPaint(m_hwnd, &paint);
        return true;
    }
    // The start-up run waits for the first paint of the restored dialog,
    // so that the window shows before the run begins.
    if (m_bFirstPaint)
        Post(kStartUpMessage);
    return false;
}

void CZevoDlg::StartUp()
{
    if (!m_bFirstPaint)
        return;
    m_bFirstPaint = false;
    ShowMembers(false);
    if (m_nStartMode == 1) {
        ParseCommandLine(m_platform.CommandLine(), m_state.m_strDataFile);
        ShowMembers(false);
        UpdateWindow(m_hwnd);
        m_nStartMode = 0;
        m_driver.Start();
        return;
    }
    const std::string path = m_platform.SystemDriveRoot() + kDefaultDataFile;
    if (m_files.MatchesFile(path)) {
        m_state.m_strDataFile = path;
        ShowMembers(false);
        m_driver.Start();
    }
}

}  // namespace zevo
