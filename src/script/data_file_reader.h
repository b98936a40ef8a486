// Reads a data file as the sequence of entries a run sees: physical lines
// normalised and classified, value lines joined across trailing backslashes
// and multi-line strings and checked against the backslash rule.
#pragma once

#include <string>

#include "common/code_page.h"
#include "common/text_file.h"
#include "common/diagnostics.h"

namespace zevo {

// The longest physical line (without its line end) the reader accepts.
const size_t kMaxLineBytes = 127999;

enum class EntryKind {
    Blank,
    Header,     // "REGEDIT4"
    Comment,    // "//..."
    Directive,  // "/..."
    Key,        // "[...]"
    Value,      // contains "="; text is the joined line
    Other,
    BrokenBackslash,  // a value line with a backslash that is not doubled
    TooLong,          // a physical line over kMaxLineBytes, refused whole
    HasNul,           // a physical line holding a NUL byte, refused whole
};

struct Entry {
    EntryKind kind = EntryKind::Blank;
    std::string text;  // the normalised line (joined for a value line)
    int line = 0;      // number of the entry's first physical line
    std::string raw;   // the last physical line as read; its buffer is reused
};

// Leading white space off, then every CR and LF at the end.
std::string NormalizeLine(const std::string& raw);
// The same, appended to `out`.
void AppendNormalized(const std::string& raw, std::string& out);

// Removes every CR and LF at the end; true when it removed any.
bool StripLineEnd(std::string& text);

// The kind of a normalised physical line, tested in the format's order.
EntryKind ClassifyLine(const std::string& line, const CodePage& cp);

// Splits a key line "[root\path]" into root and path; the last character is
// always dropped as the closing bracket.
void SplitKeyLine(const std::string& line, const CodePage& cp, std::string& root,
                  std::string& path, Diagnostics* diagnostics = nullptr);

// True when every backslash of the text is one of a doubled pair.
bool BackslashesDoubled(const std::string& text, const CodePage& cp);
// The first backslash that is not one of a doubled pair; npos when none is.
size_t FindSingleBackslash(const std::string& text, const CodePage& cp);

// Reads the next entry. Returns false when the file is exhausted, which
// includes an entry left unfinished at the end of the file. `diagnostics`,
// when given, hears of every line the reader refuses, drops, joins or takes
// otherwise than it looks.
bool ReadEntry(TextFile& file, const CodePage& cp, Entry& entry,
               Diagnostics* diagnostics = nullptr);

}  // namespace zevo
