// Byte-string helpers that honour the double-byte characters of the system
// code page. Data file, registry data, log and history are bytes in that code
// page; a search for a delimiter must never stop on the second byte of a
// double-byte character (in Shift-JIS that byte can be 0x5C, the backslash).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zevo {

class CodePage {
public:
    using LeadBytePredicate = bool (*)(unsigned char);

    // No lead bytes at all, as on a Western system.
    static CodePage SingleByte();
    // Shift-JIS (code page 932): lead bytes 0x81-0x9F and 0xE0-0xFC.
    static CodePage ShiftJis();
    // Built from the platform's own test (IsDBCSLeadByte in the program).
    static CodePage FromPredicate(LeadBytePredicate isLeadByte);

    bool IsLeadByte(unsigned char c) const { return m_lead[c]; }

    // Length in bytes of the character that starts at s[pos]: 2 for a lead
    // byte followed by a second byte, else 1.
    size_t CharLength(const std::string& s, size_t pos) const
    {
        return (IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size()) ? 2 : 1;
    }

    // First occurrence at a character boundary at or after `from` (which must
    // itself be a boundary); npos when there is none.
    size_t Find(const std::string& s, char c, size_t from = 0) const;
    size_t Find(const std::string& s, std::string_view needle, size_t from = 0) const;
    // Last occurrence at a character boundary; npos when there is none.
    size_t FindLast(const std::string& s, char c) const;

    // ASCII letters to upper case; double-byte characters stay as they are.
    std::string ToUpper(const std::string& s) const;

private:
    std::array<bool, 256> m_lead{};
};

// The C library's white space in the "C" locale: blank, tab, LF, VT, FF, CR.
bool IsSpace(char c);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
std::string Trim(const std::string& s);

// The rest of the text after its first n bytes; empty when it is shorter.
std::string AfterChars(const std::string& s, size_t n);

// A decimal number read from the leading digits of the text (no digits: 0).
// Saturates instead of overflowing.
int LeadingDecimal(const std::string& s);

}  // namespace zevo
