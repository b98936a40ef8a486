// zevo.exe started as a set-up script starts it: the program beside the
// test programs in the build folder, its handles owned here.
#pragma once

#include <windows.h>

#include <string>

// build/windows/zevo.exe, two levels above this test program
// (build/windows/tests/blackbox).
inline std::string ZevoProgramPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.erase(folder.find_last_of('\\'));  // .../tests/blackbox
    folder.erase(folder.find_last_of('\\'));  // .../tests
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "zevo.exe";
}

// A running zevo.exe. A program still running when this ends is ended too,
// so that no test leaves one behind.
class ZevoProcess {
public:
    explicit ZevoProcess(const std::string& arguments)
    {
        std::string commandLine = "\"" + ZevoProgramPath() + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        m_started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &m_process) != FALSE;
    }
    ~ZevoProcess()
    {
        if (!m_started)
            return;
        Kill();
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    ZevoProcess(const ZevoProcess&) = delete;
    ZevoProcess& operator=(const ZevoProcess&) = delete;

    bool Started() const { return m_started; }
    DWORD Id() const { return m_process.dwProcessId; }
    // True when the program has ended within the time given.
    bool Wait(DWORD milliseconds) const
    {
        return WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_OBJECT_0;
    }
    // Ends the program at once, as Task Manager does.
    void Kill() const
    {
        if (m_started && !Wait(0)) {
            TerminateProcess(m_process.hProcess, 99);
            WaitForSingleObject(m_process.hProcess, INFINITE);
        }
    }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_process = {};
    bool m_started = false;
};
