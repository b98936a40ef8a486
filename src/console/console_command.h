// The console program's command line: a command, its files and options.
#pragma once

#include <string>
#include <vector>

namespace zevo {

struct ConsoleCommand {
    enum class Kind { Usage, Verify, Apply, Lint, Capture };
    Kind kind = Kind::Usage;
    std::vector<std::string> files;  // data files, or the keys to capture
    std::string output;              // capture: the file to write ("": standard output)
    std::string undo;                // apply: the undo file to write
    bool json = false;
    bool sarif = false;
    bool strict = false;
    std::string problem;  // why the line is not a valid command; empty when it is
};

// Reads the arguments after the program's name.
ConsoleCommand ParseConsoleCommand(const std::vector<std::string>& args);

// The short usage text (printed with every usage error).
extern const char kConsoleUsage[];

// Exit codes of the console program.
enum : int {
    kExitDone = 0,
    kExitFound = 1,       // differences, problems or findings
    kExitCannotRun = 2,   // usage, or a file or key that cannot be read
    kExitRestartRequired = 3010,
};

}  // namespace zevo
