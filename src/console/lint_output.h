// The findings of "zevoc lint" in its three forms: one line per finding
// (the console's code page), one JSON object per line, or one SARIF 2.1.0
// log (both UTF-8).
#pragma once

#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "console/console_output.h"

namespace zevo {

// "FILE:LINE:COLUMN: warning: MESSAGE [rule]" lines.
std::string FindingsAsText(const std::vector<Finding>& findings, ConsoleOutput& out);
// {"file", "line", "column", "rule", "message"} per line.
std::string FindingsAsJsonLines(const std::vector<Finding>& findings, ConsoleOutput& out);
std::string FindingsAsSarif(const std::vector<Finding>& findings, ConsoleOutput& out);

// The rules lint knows, with a short description each; empty when the rule
// is not one of them.
const char* RuleDescription(const std::string& rule);

// A path of the data file as a URI reference: absolute paths (also drive
// paths and shares) as file: URIs, relative ones relative, bytes outside the
// unreserved characters percent-encoded. The path is UTF-8.
std::string PathToUri(const std::string& utf8Path);

}  // namespace zevo
