// zevo.exe started as a set-up script starts it, and the registry key the tests give it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "test_files.h"

namespace zevo::test {

const char kKey[] = "Software\\ZevoBlackBox";  // under HKEY_CURRENT_USER
const std::string kPath = std::string("HKEY_CURRENT_USER\\") + kKey, kRoot = "[" + kPath + "]\r\n";

// A program of the build (build/windows/NAME), beside the tests' folder.
inline std::string BuiltProgram(const std::string& name)
{
    char self[MAX_PATH] = "";  // build/windows/tests/blackbox/zevo_blackbox_tests.exe
    const std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    return path.substr(0, path.rfind("\\tests\\")) + "\\" + name;
}

// A running zevo.exe (build/windows/zevo.exe), started without kKey; one
// still running when this ends is ended, as Task Manager ends it.
struct Zevo {
    PROCESS_INFORMATION p = {};
    DWORD code = STILL_ACTIVE;
    explicit Zevo(const std::string& arguments)
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
        std::string line = "\"" + BuiltProgram("zevo.exe") + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        EXPECT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &p));
    }
    ~Zevo()
    {
        Kill();
        CloseHandle(p.hThread);
        CloseHandle(p.hProcess);
    }
    bool Wait(DWORD milliseconds) const { return WaitForSingleObject(p.hProcess, milliseconds) == WAIT_OBJECT_0; }
    void Kill() const
    {
        TerminateProcess(p.hProcess, 99);  // fails harmlessly when the program has ended
        WaitForSingleObject(p.hProcess, INFINITE);
    }
    // The exit code, or STILL_ACTIVE when the program has not ended by itself within 30 s.
    DWORD Finish() { return Wait(30000) && GetExitCodeProcess(p.hProcess, &code) ? code : STILL_ACTIVE; }
};

// zevoc.exe as deployment engines start it: standard input not a console, output read from files
// (`together`: both streams into one, `out`), the whole exit code read with GetExitCodeProcess.
struct Output {
    DWORD code = STILL_ACTIVE;
    std::string out, err;
};

inline Output Zevoc(const std::string& arguments, bool together = false)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const std::string outPath = ScratchPath("zevoc.out"), errPath = ScratchPath("zevoc.err");
    HANDLE files[3] = {CreateFileA("NUL", GENERIC_READ, 0, &inherit, OPEN_EXISTING, 0, nullptr),
                       CreateFileA(outPath.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr),
                       CreateFileA(errPath.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr)};
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = files[0], startup.hStdOutput = files[1], startup.hStdError = files[together ? 1 : 2];
    std::string line = "\"" + BuiltProgram("zevoc.exe") + "\" " + arguments;
    PROCESS_INFORMATION p = {};
    Output result;
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &p)) {
        if (WaitForSingleObject(p.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(p.hProcess, STILL_ACTIVE);
        GetExitCodeProcess(p.hProcess, &result.code);
        CloseHandle(p.hThread);
        CloseHandle(p.hProcess);
    }
    for (HANDLE file : files)
        CloseHandle(file);
    // The console's lines end in CR LF; the rows write them as LF.
    for (auto [path, text] : {std::pair{&outPath, &result.out}, std::pair{&errPath, &result.err}}) {
        *text = ReadWholeFile(*path);
        for (size_t at = 0; (at = text->find("\r\n", at)) != std::string::npos;)
            text->erase(at, 1);
    }
    return result;
}

// A value under HKEY_CURRENT_USER as "type:bytes", "missing", or "long" (over 4 KiB).
inline std::string Value(const std::string& name, const std::string& key = kKey)
{
    char data[4096];
    DWORD type = 0, size = sizeof data;
    LONG rc = RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size);
    return rc == ERROR_MORE_DATA ? "long" : rc ? "missing" : std::to_string(type) + ":" + std::string(data, size);
}

}  // namespace zevo::test
