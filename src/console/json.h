// The little JSON the console program writes: quoted strings and numbers,
// assembled by the callers into one object per line or one document.
#pragma once

#include <string>

namespace zevo {

// The UTF-8 text as a JSON string, quotes included: quote, backslash and
// control characters escaped.
std::string JsonQuote(const std::string& utf8);

}  // namespace zevo
