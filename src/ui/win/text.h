// Text at the window boundary: the program keeps data in the system code
// page and its own texts in UTF-8; windows take UTF-16.
#pragma once

#include <string>

#include "common/mixed_text.h"

namespace zevo::win {

std::wstring Utf8ToWide(const std::string& utf8);
// System code page (CP_ACP) bytes to UTF-16 and back.
std::wstring AnsiToWide(const std::string& ansi);
std::string WideToAnsi(const std::wstring& wide);
std::wstring MixedToWide(const MixedText& text);

}  // namespace zevo::win
