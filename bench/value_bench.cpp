// Per-value cost of compare and write against the real registry: first
// apply (every value differs and is written) and rerun (nothing differs).
// The "fresh buffers" rows add what a run would cost if every comparison
// took two zero-filled 128001-byte buffers and every write one of 128000
// bytes from the heap, as the program's buffers would without reuse.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "registry/value_operations.h"
#include "registry/win32_registry.h"

using namespace zevo;

namespace {

std::vector<std::string> MakeLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        char line[128];
        switch (i % 3) {
        case 0:
            std::snprintf(line, sizeof line, "\"s%d\"=\"text value %d\"", i, i);
            break;
        case 1:
            std::snprintf(line, sizeof line, "\"d%d\"=dword:%08x", i, i);
            break;
        default:
            std::snprintf(line, sizeof line, "\"b%d\"=hex:%02x,01,02,03,04,05,06,07", i, i & 0xFF);
            break;
        }
        lines.push_back(line);
    }
    return lines;
}

double RunPass(ValueOperations& ops, KeyHandle key, const std::vector<std::string>& lines,
               bool freshBuffers, int* written)
{
    auto start = std::chrono::steady_clock::now();
    *written = 0;
    for (const std::string& line : lines) {
        if (freshBuffers) {
            std::vector<uint8_t> registryBuffer(128001), fileBuffer(128001);
            registryBuffer[0] = fileBuffer[0];
        }
        if (ops.CompareValue(line, key) == 0) {
            if (freshBuffers) {
                std::vector<uint8_t> setBuffer(128000);
                setBuffer[0] = 1;
            }
            *written += ops.SetValue(key, line);
        }
    }
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / static_cast<double>(lines.size());
}

}  // namespace

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const char* path = "Software\\ZevoBench";
    std::vector<std::string> lines = MakeLines(count);
    CodePage cp = CodePage::ShiftJis();
    Win32Registry registry;
    ValueDisplay display;
    ValueOperations ops(registry, cp, display);

    std::printf("values per pass: %d\n", count);
    std::printf("%-16s %-14s %12s %8s\n", "pass", "buffers", "us/value", "written");
    for (bool fresh : {false, true, false, true}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, path);
        KeyHandle key = 0;
        registry.CreateKey(registry.Root(RootKey::CurrentUser), path, &key);
        int written = 0;
        double first = RunPass(ops, key, lines, fresh, &written);
        std::printf("%-16s %-14s %12.2f %8d\n", "first apply", fresh ? "fresh" : "reused", first,
                    written);
        double rerun = RunPass(ops, key, lines, fresh, &written);
        std::printf("%-16s %-14s %12.2f %8d\n", "rerun", fresh ? "fresh" : "reused", rerun, written);
        registry.CloseKey(key);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, path);
    return 0;
}
