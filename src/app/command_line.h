// The program's one command-line argument: the data file's path.
#pragma once

#include <string>

namespace zevo {

// Takes the data file's path from a whole command line (program path first,
// quoted or not). Returns 1 and sets `path` when there is an argument; 0
// otherwise, with `path` unchanged or empty. The whole rest of the line,
// inner blanks included, is the path; a quoted path ends at its closing quote.
int ParseCommandLine(const std::string& commandLine, std::string& path);

}  // namespace zevo
