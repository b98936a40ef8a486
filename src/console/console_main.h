// The console program's commands over whatever the platform provides: the
// Windows build gives a registry and processes, the native build only files.
#pragma once

#include <vector>

#include "common/code_page.h"
#include "console/console_command.h"
#include "console/console_output.h"
#include "registry/registry.h"
#include "script/hosts.h"

namespace zevo {

// Questions on the console ("/Q"); only asked when standard input is one.
class ConsoleInput {
public:
    virtual ~ConsoleInput() = default;
    virtual bool IsConsole() = 0;
    // One line typed by the user, without its line end; false at the end of input.
    virtual bool ReadLine(std::string& line) = 0;
};

struct ConsolePlatform {
    ConsoleOutput& out;
    FileOperations& files;
    CodePage cp;
    Registry* registry = nullptr;    // null where there is none (the native build)
    ProcessHost* process = nullptr;  // null with the registry
    ConsoleInput* input = nullptr;
};

// Carries out the command line's arguments (after the program's name) and
// returns the exit code.
int RunConsoleCommand(const std::vector<std::string>& args, ConsolePlatform& platform);

}  // namespace zevo
