// Splitting path texts, honouring double-byte characters: a 0x5C second
// byte is never a separator.
#pragma once

#include <string>

#include "common/code_page.h"

namespace zevo {

// Splits "[root\parent\...\last]" (first and last character dropped
// unchecked) into the root, the parent path and the last name. Without any
// backslash: root only, parent empty, `last` left as it was, result false.
bool SplitKeyPath(const std::string& text, const CodePage& cp, std::string& root,
                  std::string& parent, std::string& last);

// The drive and folder part of a pattern, keeping its final separator:
// "C:\WORK\*.TXT" gives "C:\WORK\", "C:*.*" gives "C:", "*.TXT" gives "".
std::string PatternDirectory(const std::string& pattern, const CodePage& cp);

}  // namespace zevo
