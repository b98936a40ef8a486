// "zevoc lint": reads data files as a run reads them, without touching the
// registry or any file, and reports every line whose effect an author may
// not expect.
#pragma once

#include <string>
#include <vector>

#include "common/code_page.h"
#include "console/console_output.h"
#include "script/hosts.h"

namespace zevo {

enum class LintFormat { Text, Json, Sarif };

// 0 when no file has a finding, 1 when any has, 2 when a file cannot be read.
// `lookup` answers which files exist (for hand-overs); nothing is changed
// through it.
int RunLint(const std::vector<std::string>& paths, LintFormat format, const CodePage& cp,
            FileOperations& lookup, ConsoleOutput& out);

}  // namespace zevo
