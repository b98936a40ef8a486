// Arbitrary command lines through ParseCommandLine: it must return 0 or 1,
// leave a path only when it returns 1 (or an untouched / empty one), and
// never give a path with white space at its start or a double quote left
// from the quoting it removed at the start.
#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "common/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::string path = "\x01untouched";
    int result = zevo::ParseCommandLine(line, path);
    if (result != 0 && result != 1)
        __builtin_trap();
    if (result == 1) {
        if (path.empty() || zevo::IsSpace(path[0]) || path.size() > line.size())
            __builtin_trap();
    } else if (!path.empty() && path != "\x01untouched") {
        __builtin_trap();
    }
    return 0;
}
