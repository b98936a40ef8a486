// The process and the shell on Windows. The calls are virtual so that the
// tests of the dialogs record them instead of restarting or opening anything.
#pragma once

#include <windows.h>

#include <string>

#include "script/hosts.h"

namespace zevo {

class Win32Platform : public ProcessHost {
public:
    RunTime LocalTime() override;
    void StartProgram(const std::string& commandLine) override;
    void ExitProcess(int exitCode) override;

    // The process's own command line, as the system passes it.
    virtual std::string CommandLine();
    // The root of the drive that holds the system folder, for example "C:\".
    virtual std::string SystemDriveRoot();
    // Restarts Windows, with the shutdown privilege enabled first.
    virtual void RequestRestart();
    virtual void OpenWebPage(const std::string& address);
    // Opens the help file beside the program at context 100.
    virtual void OpenHelp(HWND owner);
};

}  // namespace zevo
