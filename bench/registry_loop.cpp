// The registry API's own limit for a run: for each value one query and,
// where the registry differs, one set, with every key opened once. It makes
// the same values that bench/fast_run.py writes into its data files.
// Usage: registry_loop.exe VALUES [set | setw]
//   set:  one set per value and no query, as `regedit /s` does;
//   setw: the same through the wide call, converting name and text first.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const int values = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::string mode = argc > 2 ? argv[2] : "";
    std::vector<BYTE> buffer(128001);
    HKEY key = nullptr;
    int written = 0;
    for (int i = 0; i < values; ++i) {
        if (i % 50 == 0) {
            if (key != nullptr)
                RegCloseKey(key);
            char path[96];
            std::snprintf(path, sizeof path, "Software\\ZevoFastBench\\Key%d", i / 50);
            RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr);
        }
        char name[32];
        BYTE data[64];
        DWORD type, size;
        switch (i % 3) {
        case 0:
            std::snprintf(name, sizeof name, "s%d", i);
            size = static_cast<DWORD>(std::snprintf(reinterpret_cast<char*>(data), sizeof data,
                                                    "text value %d", i)) + 1;
            type = REG_SZ;
            break;
        case 1:
            std::snprintf(name, sizeof name, "d%d", i);
            std::memcpy(data, &i, 4);
            size = 4;
            type = REG_DWORD;
            break;
        default:
            std::snprintf(name, sizeof name, "b%d", i);
            for (int b = 0; b < 8; ++b)
                data[b] = static_cast<BYTE>(b + 1);
            data[0] = static_cast<BYTE>(i & 0xFF);
            size = 8;
            type = REG_BINARY;
            break;
        }
        if (mode == "set") {
            RegSetValueExA(key, name, 0, type, data, size);
            ++written;
            continue;
        }
        if (mode == "setw") {
            WCHAR wideName[32], wideText[64];
            MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, 32);
            if (type == REG_SZ) {
                const int count = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<char*>(data),
                                                      static_cast<int>(size), wideText, 64);
                RegSetValueExW(key, wideName, 0, type, reinterpret_cast<BYTE*>(wideText),
                               static_cast<DWORD>(count) * sizeof(WCHAR));
            } else {
                RegSetValueExW(key, wideName, 0, type, data, size);
            }
            ++written;
            continue;
        }
        // A small offer first, as the cheapest query of a small value.
        DWORD oldType = 0, oldSize = 1024;
        LONG rc = RegQueryValueExA(key, name, nullptr, &oldType, buffer.data(), &oldSize);
        if (rc == ERROR_MORE_DATA && oldSize <= 128000)
            rc = RegQueryValueExA(key, name, nullptr, &oldType, buffer.data(), &oldSize);
        if (rc != ERROR_SUCCESS || oldType != type || oldSize != size ||
            std::memcmp(buffer.data(), data, size) != 0) {
            RegSetValueExA(key, name, 0, type, data, size);
            ++written;
        }
    }
    if (key != nullptr)
        RegCloseKey(key);
    std::printf("%d values, %d written\n", values, written);
    return 0;
}
