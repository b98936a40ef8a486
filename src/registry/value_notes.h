// What the value codec tells a Diagnostics sink about a value line: each
// function is called where the codec takes the decision it describes, and
// says what a run does with the line.
#pragma once

#include <cstdint>
#include <string>

#include "common/diagnostics.h"

namespace zevo {

// A line whose name is not quoted text before its "=" (`open` and `close`
// are its first two quotes, npos when missing).
void NoteUnquotedName(Diagnostics& diagnostics, const std::string& line, size_t open, size_t close);
// Data after the "=" (at `data`) of no form the codec knows.
void NoteUnknownForm(Diagnostics& diagnostics, const std::string& line, size_t data);
// The text after "dword:" (at `offset`) when it is not eight hex digits.
void NoteDwordDigits(Diagnostics& diagnostics, const std::string& digits, size_t offset,
                     uint32_t value);
// A byte list of more than kMaxValueBytes bytes, or one a final colon empties.
void NoteHexTooLong(Diagnostics& diagnostics, size_t list);
void NoteHexColonAtEnd(Diagnostics& diagnostics, size_t colon);
// A string whose last character, dropped as its closing quote, is none.
void NoteStringEnd(Diagnostics& diagnostics, const std::string& line);

// The elements of one byte list that are not two hex digits, reported once
// per kind for the whole list: a long list of bad elements is one finding.
class HexListNotes {
public:
    // The element from `begin` to `end` (its comma or the line's end) gave `byte`.
    void Element(const std::string& line, size_t begin, size_t end, uint8_t byte);
    void TrailingComma(size_t comma) { m_trailingComma = comma; }
    void Report(Diagnostics& diagnostics, const std::string& line) const;

private:
    // The first element of a kind, and how many there are; nothing that
    // allocates, as a run without diagnostics builds one per list too.
    struct Kind {
        int count = 0;
        size_t begin = 0, end = 0;
        uint8_t byte = 0;
    };
    Kind m_blank;   // an element with a blank before or inside its digits
    Kind m_digits;  // an element that is not two hex digits
    size_t m_trailingComma = std::string::npos;
};

}  // namespace zevo
