// Whether the main dialog answers during a long Fast run: starts zevo.exe on
// a data file that ends the program, and every 50 ms asks the dialog whether
// it is hung and sends it WM_NULL, as the system's hung-window check does.
// Usage: responsiveness.exe ZEVO.EXE DATAFILE
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD process;
    HWND dialog;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (process != search->process || std::string(className) != "#32770")
        return TRUE;
    search->dialog = window;
    return FALSE;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: responsiveness.exe ZEVO.EXE DATAFILE\n");
        return 2;
    }
    std::string line = std::string("\"") + argv[1] + "\" " + argv[2];
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION p = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &p))
        return 2;
    const DWORD start = GetTickCount();
    Search search = {p.dwProcessId, nullptr};
    while (search.dialog == nullptr && WaitForSingleObject(p.hProcess, 10) == WAIT_TIMEOUT)
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    int samples = 0, hung = 0, late = 0;
    DWORD slowest = 0;
    while (search.dialog != nullptr && WaitForSingleObject(p.hProcess, 50) == WAIT_TIMEOUT) {
        ++samples;
        if (IsHungAppWindow(search.dialog))
            ++hung;
        const DWORD asked = GetTickCount();
        DWORD_PTR result = 0;
        const bool answered = SendMessageTimeoutW(search.dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
        const DWORD took = GetTickCount() - asked;
        if (!answered && WaitForSingleObject(p.hProcess, 0) == WAIT_OBJECT_0)
            break;  // the program ended while it was asked
        if (took > slowest)
            slowest = took;
        if (!answered || took > 200)
            ++late;
    }
    WaitForSingleObject(p.hProcess, INFINITE);
    std::printf("run %.1f s, %d samples, hung %d, over 200 ms %d, slowest answer %lu ms\n",
                (GetTickCount() - start) / 1000.0, samples, hung, late, static_cast<unsigned long>(slowest));
    CloseHandle(p.hThread);
    CloseHandle(p.hProcess);
    return hung == 0 && late == 0 ? 0 : 1;
}
