#include "console/lint_command.h"

namespace zevo {

int RunLint(const std::vector<std::string>&, LintFormat, const CodePage&, FileOperations&,
            ConsoleOutput& out)
{
    out.Err("zevoc: lint is not built yet\n");
    return 2;
}

}  // namespace zevo
