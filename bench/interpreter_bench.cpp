// Time of a whole run through the interpreter against the in-memory
// registry, for data files of 10,000 and 100,000 values: the ratio shows
// whether the cost per entry stays the same as the run grows.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "../tests/script/recording_hosts.h"
#include "registry/memory_registry.h"
#include "script/interpreter.h"

using namespace zevo;

namespace {

void WriteDataFile(const std::string& path, int values)
{
    std::ofstream out(path, std::ios::binary);
    out << "REGEDIT4\r\n/T\r\n";
    for (int i = 0; i < values; ++i) {
        if (i % 50 == 0)
            out << "[HKEY_CURRENT_USER\\Software\\ZevoBench\\Key" << i / 50 << "]\r\n";
        switch (i % 3) {
        case 0:
            out << "\"s" << i << "\"=\"text value " << i << "\"\r\n";
            break;
        case 1:
            out << "\"d" << i << "\"=dword:" << std::hex << i << std::dec << "\r\n";
            break;
        default:
            out << "\"b" << i << "\"=hex:01,02,03,04,05,06,07,08\r\n";
            break;
        }
    }
}

// Seconds for one run; the registry is the same for both passes, so the
// second pass is a rerun in which nothing differs.
double RunOnce(MemoryRegistry& registry, const std::string& path, bool history, size_t* listed)
{
    const CodePage cp = CodePage::ShiftJis();
    RunState state;
    test::RecordingDialog dialog;
    test::RecordingProcess process;
    test::RecordingFiles files;
    state.m_strDataFile = path;
    state.m_bHistory = history;
    state.m_strHistoryFile = path + ".zvh";
    Interpreter interpreter(state, registry, cp, dialog, process, files);
    auto start = std::chrono::steady_clock::now();
    interpreter.StartRun();
    while (interpreter.ProcessEntry() == 1) {
    }
    interpreter.FinishRun(false);
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    *listed = state.m_strChangedItems.size();
    return elapsed.count();
}

}  // namespace

int main()
{
    std::printf("%-8s %-12s %10s %12s %14s\n", "values", "pass", "seconds", "us/value", "list bytes");
    double perValue[2][2] = {};
    const int sizes[2] = {10000, 100000};
    for (int s = 0; s < 2; ++s) {
        const std::string path = "zevo-bench-" + std::to_string(sizes[s]) + ".zvd";
        WriteDataFile(path, sizes[s]);
        MemoryRegistry registry(CodePage::ShiftJis());
        for (int pass = 0; pass < 2; ++pass) {
            size_t listed = 0;
            double seconds = RunOnce(registry, path, pass == 0, &listed);
            perValue[s][pass] = seconds * 1e6 / sizes[s];
            std::printf("%-8d %-12s %10.3f %12.3f %14zu\n", sizes[s],
                        pass == 0 ? "first apply" : "rerun", seconds, perValue[s][pass], listed);
        }
        std::remove(path.c_str());
        std::remove((path + ".zvh").c_str());
    }
    std::printf("per-value time, 100,000 over 10,000: first apply %.2f, rerun %.2f (1.00 is linear)\n",
                perValue[1][0] / perValue[0][0], perValue[1][1] / perValue[0][1]);
    return 0;
}
