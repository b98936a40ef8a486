// zevoc on Windows: the registry, files and processes of the machine, and the
// console in the system code page.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/win32_platform.h"
#include "console/console_main.h"
#include "fileops/win32_file_operations.h"
#include "registry/win32_registry.h"

namespace {

std::wstring ToWide(UINT codePage, const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    const int size = static_cast<int>(bytes.size());
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, &wide[0], static_cast<int>(wide.size()));
    return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int size = static_cast<int>(wide.size());
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

class Win32Output : public zevo::ConsoleOutput {
public:
    Win32Output()
    {
        DWORD mode = 0;
        m_outIsConsole = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != FALSE;
        if (!m_outIsConsole)
            std::setvbuf(stdout, nullptr, _IOFBF, 64 * 1024);
    }
    void Out(const std::string& bytes) override
    {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        // A console shows each line at once. A file or a pipe takes them in
        // blocks, with a line that comes 100 ms after the last block, so that
        // its reader follows the run: written one by one, the lines cost
        // about as much as the registry writes they report.
        const DWORD now = GetTickCount();
        if (m_outIsConsole || now - m_lastFlush >= kFlushMilliseconds) {
            std::fflush(stdout);
            m_lastFlush = now;
        }
    }
    void Err(const std::string& bytes) override
    {
        // Both streams captured into one file keep the order they were written in.
        std::fflush(stdout);
        std::fwrite(bytes.data(), 1, bytes.size(), stderr);
        std::fflush(stderr);
    }
    std::string FromProgram(const std::string& utf8) override { return FromWide(CP_ACP, ToWide(CP_UTF8, utf8)); }
    std::string DataToUtf8(const std::string& bytes) override { return FromWide(CP_UTF8, ToWide(CP_ACP, bytes)); }

private:
    static const DWORD kFlushMilliseconds = 100;
    bool m_outIsConsole = false;
    DWORD m_lastFlush = 0;
};

class Win32Input : public zevo::ConsoleInput {
public:
    bool IsConsole() override
    {
        DWORD mode = 0;
        return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != FALSE;
    }
    bool ReadLine(std::string& line) override { return static_cast<bool>(std::getline(std::cin, line)); }
};

}  // namespace

int main(int argc, char** argv)
{
    // An empty removable drive makes a file operation fail quietly, without
    // the system's box: nobody may be there to answer it.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const zevo::CodePage cp =
        zevo::CodePage::FromPredicate([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
    Win32Output out;
    Win32Input input;
    zevo::Win32Registry registry;
    zevo::Win32FileOperations files(cp);
    zevo::Win32Platform process;
    zevo::ConsolePlatform platform{out, files, cp, &registry, &process, &input};
    return zevo::RunConsoleCommand(std::vector<std::string>(argv + 1, argv + argc), platform);
}
