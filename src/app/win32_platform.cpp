#include "app/win32_platform.h"

#include <shellapi.h>

namespace zevo {

namespace {

const DWORD kHelpContext = 100;

// The NT family refuses a restart to a process without this privilege.
void EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

}  // namespace

RunTime Win32Platform::LocalTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return RunTime{now.wYear, now.wMonth, now.wDay, now.wDayOfWeek + 1,
                   now.wHour, now.wMinute, now.wSecond};
}

void Win32Platform::StartProgram(const std::string& commandLine)
{
    WinExec(commandLine.c_str(), SW_SHOW);
}

void Win32Platform::ExitProcess(int exitCode)
{
    ::ExitProcess(static_cast<UINT>(exitCode));
}

std::string Win32Platform::CommandLine()
{
    return GetCommandLineA();
}

std::string Win32Platform::SystemDriveRoot()
{
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder).substr(0, 3);
}

void Win32Platform::RequestRestart()
{
    EnableShutdownPrivilege();
    ExitWindowsEx(EWX_REBOOT, 0);
}

void Win32Platform::OpenWebPage(const std::string& address)
{
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Platform::OpenHelp(HWND owner)
{
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string help(path, length);
    size_t dot = help.rfind('.');
    size_t slash = help.rfind('\\');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        help.erase(dot);
    help += ".HLP";
    WinHelpA(owner, help.c_str(), HELP_CONTEXT, kHelpContext);
}

}  // namespace zevo
