#include "app/command_line.h"

#include "common/code_page.h"

namespace zevo {

int ParseCommandLine(const std::string& commandLine, std::string& path)
{
    const std::string line = Trim(commandLine);
    std::string argument;
    if (!line.empty() && line[0] == '"') {
        size_t close = line.find('"', 1);
        argument = close == std::string::npos ? std::string() : line.substr(close + 1);
    } else {
        size_t blank = line.find(' ');
        if (blank == std::string::npos)
            return 0;
        argument = line.substr(blank + 1);
    }
    path = TrimLeft(argument);
    if (path.empty())
        return 0;
    if (path[0] == '"') {
        size_t close = path.find('"', 1);
        path = TrimLeft(close == std::string::npos ? path.substr(1) : path.substr(1, close - 1));
    }
    return path.empty() ? 0 : 1;
}

}  // namespace zevo
