// Argument syntax of directive lines: the fixed positions of letter and flag,
// quoted pieces, blank-separated lists and times of day.
#pragma once

#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/diagnostics.h"

namespace zevo {

// At most this many pieces or list items are stored for one directive.
const int kMaxDirectiveArgs = 13;

// The upper-cased text after the slash of a directive line, with the fixed
// positions of its letter and flag character.
class DirectiveText {
public:
    DirectiveText(const std::string& line, const CodePage& cp);

    const std::string& Command() const { return m_command; }
    // The letter after the slash; 0 for a slash alone.
    char Letter() const { return CharAt(0); }
    // The character at a byte position of the command text; 0 past its end.
    char CharAt(size_t pos) const { return pos < m_command.size() ? m_command[pos] : '\0'; }
    // The flag of a one-letter directive (the character after the letter).
    char Flag() const { return CharAt(1); }

private:
    std::string m_command;
};

// Where a directive's argument text stands in its line, for findings on it.
struct ArgumentNotes {
    Diagnostics* diagnostics;
    size_t offset = 0;          // of the text in the entry's line
    std::vector<size_t> starts; // set: where each piece or item begins in the line
};

// Stores the double-quoted pieces of the text, without their quotes, in
// `pieces` (replacing its content). Returns the number stored, or -1 when a
// piece's closing quote is missing (the pieces before it stay stored).
int SplitQuoted(const std::string& text, const CodePage& cp, std::vector<std::string>& pieces,
                ArgumentNotes* notes = nullptr);

// Stores the blank-separated items of the text (a run of blanks is one
// separator) in `items`. Returns the number stored, at least 1.
int SplitWords(const std::string& text, const CodePage& cp, std::vector<std::string>& items,
               ArgumentNotes* notes = nullptr);

// "HH:MM" or "HH:MM:SS" as seconds after midnight: hours from the first two
// characters, minutes from the fourth and fifth, seconds from the last two
// when the item is exactly eight characters long. `diagnostics` hears of an
// item of another form or out of range (at `offset` of the line).
int TimeToSeconds(const std::string& item, Diagnostics* diagnostics = nullptr, size_t offset = 0);

}  // namespace zevo
