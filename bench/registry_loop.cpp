// The registry API's own limit for a run: for each value one query and,
// where the registry differs, one set, with every key opened once. It makes
// the same values that bench/fast_run.py writes into its data files.
// Usage: registry_loop.exe VALUES
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    const int values = argc > 1 ? std::atoi(argv[1]) : 10000;
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
