// Where the console program writes, and the two conversions its texts need:
// the program's own texts are UTF-8 in the source and go to the console in
// the system code page, as data bytes already are; JSON output is UTF-8, so
// data bytes are converted for it.
#pragma once

#include <string>

namespace zevo {

class ConsoleOutput {
public:
    virtual ~ConsoleOutput() = default;
    // Bytes to standard output or standard error, as they are.
    virtual void Out(const std::string& bytes) = 0;
    virtual void Err(const std::string& bytes) = 0;
    // A text of the program's own (UTF-8) in the console's code page.
    virtual std::string FromProgram(const std::string& utf8) = 0;
    // Bytes in the system code page (paths, key names, data) as UTF-8.
    virtual std::string DataToUtf8(const std::string& codePageBytes) = 0;
};

}  // namespace zevo
