// A registry value as data-file lines: the plainest form that the reader
// reads back as exactly that name, type and data. Each form is tried by
// reading it back through the reader and the value codec, never taken on
// trust.
#pragma once

#include <cstdint>
#include <string>

#include "common/code_page.h"

namespace zevo {

// The lines (each ending in LF) that write this value: a string as "...",
// a four-byte DWORD as dword:, binary data as hex:, and every other value,
// or one of these that would not read back byte for byte, as hex(N): (long
// lists go on over lines of at most 80 characters). False when no line
// carries the value; `why` then says it in a few words.
bool FormatValueLines(const std::string& name, uint32_t type, const uint8_t* data, size_t size,
                      const CodePage& cp, std::string& lines, std::string& why);

// The key line "[root\path]" (ending in LF); false when the reader would
// not read it back as that key.
bool FormatKeyLine(const std::string& root, const std::string& path, const CodePage& cp,
                   std::string& line);

}  // namespace zevo
