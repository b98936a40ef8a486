#include "registry/value_notes.h"

#include <cstdio>

#include "common/code_page.h"

namespace zevo {

namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string HexNumber(uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

MixedText Quoted(const std::string& data)
{
    return MixedText("'").Data(data).Program("'");
}

std::string Lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

void NoteUnquotedName(Diagnostics& diagnostics, const std::string& line, size_t open, size_t close)
{
    if (close == std::string::npos) {
        diagnostics.Add("unquoted-name", 0,
                        MixedText("There is no quoted name before '=', so this line sets the key's "
                                  "default value."));
        return;
    }
    diagnostics.Add("unquoted-name", open,
                    MixedText("The name is not quoted before '=', so the reader takes the first quoted text, ")
                        .Append(Quoted(line.substr(open + 1, close - open - 1)))
                        .Program(", as the name."));
}

void NoteUnknownForm(Diagnostics& diagnostics, const std::string& line, size_t data)
{
    static const char* const kForms[] = {"dword:", "hex:", "hex(0):", "hex(2):", "hex(5):",
                                         "hex(6):", "hex(7):", "hex(8):"};
    const std::string rest = line.substr(data);
    if (TrimRight(rest) == "-") {
        diagnostics.Add("value-deletion", data,
                        MixedText("'=-' is the registry editor's deletion, which this format does not "
                                  "have: the value is neither deleted nor written (use /%=\"name\")."));
        return;
    }
    const std::string lower = Lower(rest);
    for (const char* form : kForms) {
        const size_t found = lower.find(form);
        if (found != std::string::npos) {
            diagnostics.Add("unknown-value-form", data + found,
                            MixedText("Forms are lower case: the reader does not know ")
                                .Append(Quoted(rest.substr(found, std::string(form).size())))
                                .Program(", so the value is never written."));
            return;
        }
    }
    MixedText message;
    if (lower.compare(0, 4, "hex(") == 0) {
        message.Append(Quoted(rest.substr(0, rest.find(':') + 1)))
            .Program(" is no form the reader writes (it knows hex:, hex(0):, hex(2): and hex(5): to "
                     "hex(8):), so the value is never written.");
    } else if (!rest.empty() && IsSpace(rest[0]) && TrimLeft(rest)[0] == '"') {
        message.Program("A string's quote must follow '=' directly: with the blank, the value is never "
                        "written.");
    } else {
        message.Program("The reader knows no such form (a quoted string, dword: or a hex list), so the "
                        "value is never written.");
    }
    diagnostics.Add("unknown-value-form", data, message);
}

void NoteDwordDigits(Diagnostics& diagnostics, const std::string& digits, size_t offset,
                     uint32_t value)
{
    bool eight = digits.size() >= 8 && TrimRight(digits.substr(8)).empty();
    for (size_t i = 0; eight && i < 8; ++i)
        eight = IsHexDigit(digits[i]);
    if (eight)
        return;
    MixedText message = MixedText().Program("dword: wants eight hex digits: the reader writes " + HexNumber(value, 8));
    if (!digits.empty())
        message.Program(" for ").Append(Quoted(digits.substr(0, 8)));
    if (digits.size() > 8)
        message.Program(" and ignores the rest");
    diagnostics.Add("dword-digits", offset, message.Program("."));
}

void NoteHexTooLong(Diagnostics& diagnostics, size_t list)
{
    diagnostics.Add("hex-too-long", list,
                    MixedText("The list holds more than 128,000 bytes, so the value is never written."));
}

void NoteHexColonAtEnd(Diagnostics& diagnostics, size_t colon)
{
    diagnostics.Add("hex-digits", colon,
                    MixedText("The line ends with a colon, which empties the list: the reader writes no "
                              "bytes."));
}

void NoteStringEnd(Diagnostics& diagnostics, const std::string& line)
{
    diagnostics.Add("string-last-char", line.size() - 1,
                    MixedText("The string does not end with a quote, so the reader drops its last "
                              "character, ")
                        .Append(QuotedChar(line.back()))
                        .Program(", as if it were one."));
}

void HexListNotes::Element(const std::string& line, size_t begin, size_t end, uint8_t byte)
{
    while (end > begin && IsSpace(line[end - 1]))
        --end;
    if (end - begin == 2 && IsHexDigit(line[begin]) && IsHexDigit(line[begin + 1]))
        return;
    bool blank = false;
    for (size_t i = begin; i < end; ++i)
        blank = blank || IsSpace(line[i]);
    Kind& kind = blank ? m_blank : m_digits;
    if (kind.count++ == 0)
        kind = Kind{1, begin, end, byte};
}

void HexListNotes::Report(Diagnostics& diagnostics, const std::string& line) const
{
    if (m_blank.count > 0) {
        MixedText message("A blank counts as a digit in ");
        message.Append(Quoted(line.substr(m_blank.begin, m_blank.end - m_blank.begin)))
            .Program(": the reader writes the byte " + HexNumber(m_blank.byte, 2));
        if (m_blank.count > 1)
            message.Program(" for it, and " + std::to_string(m_blank.count - 1) + " more elements have blanks");
        diagnostics.Add("hex-blank", m_blank.begin, message.Program("."));
    }
    if (m_digits.count > 0) {
        MixedText message = Quoted(line.substr(m_digits.begin, m_digits.end - m_digits.begin));
        message.Program(" is not two hex digits: the reader writes the byte " + HexNumber(m_digits.byte, 2));
        if (m_digits.count > 1)
            message.Program(" for it, and " + std::to_string(m_digits.count - 1) + " more elements are not either");
        diagnostics.Add("hex-digits", m_digits.begin, message.Program("."));
    }
    if (m_trailingComma != std::string::npos) {
        diagnostics.Add("hex-trailing-comma", m_trailingComma,
                        MixedText("The list ends with a comma, which adds a byte 00 to the value."));
    }
}

}  // namespace zevo
