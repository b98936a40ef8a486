#include "script/data_file_reader.h"

#include <utility>
#include <vector>

namespace zevo {

namespace {

const char kStringStart[] = "\"=\"";

// "line 4" or "lines 4-7".
std::string LineRange(int first, int last)
{
    return first == last ? "line " + std::to_string(first)
                         : "lines " + std::to_string(first) + "-" + std::to_string(last);
}

size_t LeadingBlanks(const std::string& raw)
{
    size_t count = 0;
    while (count < raw.size() && IsSpace(raw[count]))
        ++count;
    return count;
}

void NoteRefusedLine(Diagnostics* diagnostics, const Entry& entry, const std::string& raw,
                     int entryLine)
{
    if (diagnostics == nullptr)
        return;
    diagnostics->BeginEntry(entry.line, 1);
    const bool nul = entry.kind == EntryKind::HasNul;
    if (nul && entry.line == 1 && raw.size() >= 2 &&
        (raw[0] == '\0' || raw[1] == '\0' || raw.compare(0, 2, "\xFF\xFE") == 0 ||
         raw.compare(0, 2, "\xFE\xFF") == 0)) {
        diagnostics->Add("utf16-file", std::string::npos,
                         MixedText("This file is UTF-16 text, not text in the system code page: every "
                                   "line holds NUL bytes, so the reader refuses them all."));
        diagnostics->MuteFile();
        return;
    }
    MixedText message(nul ? "The reader refuses this line whole because it holds a NUL byte"
                          : "The reader refuses this line of more than 127,999 bytes whole");
    if (entryLine != entry.line)
        message.Program(", and with it the value begun on line " + std::to_string(entryLine));
    diagnostics->Add(nul ? "nul-byte" : "line-too-long", nul ? raw.find('\0') : std::string::npos,
                     message.Program("."));
}

// The end of the file: a Ctrl-Z with text after it, and an entry the end cut short.
void NoteEnd(Diagnostics* diagnostics, const TextFile& file, const char* unfinished,
             int entryLine, size_t offset)
{
    if (diagnostics == nullptr)
        return;
    if (unfinished != nullptr) {
        diagnostics->Add("unfinished-entry", offset,
                         MixedText(unfinished).Program(" so the reader drops the value begun on line " +
                                                       std::to_string(entryLine) + "."));
    }
    if (file.CtrlZLine() > 0) {
        diagnostics->BeginEntry(file.CtrlZLine(), static_cast<int>(file.CtrlZColumn()));
        diagnostics->Add("after-ctrl-z", std::string::npos,
                         MixedText("A Ctrl-Z ends the file here: the reader never reads the text after it."));
    }
}

// Reads one more physical line of an entry being joined. False when the
// entry ends here: at the end of the file (the caller reports the file as
// exhausted) or at a refused line (`entry` then says why).
bool ReadJoinedLine(TextFile& file, std::string& raw, Entry& entry, bool& atEnd,
                    Diagnostics* diagnostics)
{
    const int entryLine = entry.line;
    switch (file.ReadLine(raw, kMaxLineBytes)) {
    case TextFile::ReadResult::End:
        atEnd = true;
        return false;
    case TextFile::ReadResult::TooLong:
        entry.kind = EntryKind::TooLong;
        entry.line = file.LineNumber();
        entry.text.clear();
        NoteRefusedLine(diagnostics, entry, raw, entryLine);
        return false;
    case TextFile::ReadResult::Line:
        break;
    }
    if (raw.find('\0') != std::string::npos) {
        entry.kind = EntryKind::HasNul;
        entry.line = file.LineNumber();
        entry.text.clear();
        NoteRefusedLine(diagnostics, entry, raw, entryLine);
        return false;
    }
    return true;
}

// The kind of line just classified, where it is not what it looks like.
void NoteLineKind(Diagnostics* diagnostics, const Entry& entry)
{
    const std::string& text = entry.text;
    if (entry.line == 1 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        diagnostics->Add("utf8-file", 0,
                         MixedText("The file begins with a UTF-8 byte order mark: the reader takes its "
                                   "three bytes as text of this line, and every other character as "
                                   "the system code page's."));
    } else if (entry.line == 1 && text.compare(0, 36, "Windows Registry Editor Version 5.00") == 0) {
        diagnostics->Add("regedit5-file", 0,
                         MixedText("This is a registry editor 5 file, not REGEDIT4: the reader skips "
                                   "this line and reads the rest as REGEDIT4, where some of its forms "
                                   "do nothing."));
        diagnostics->MuteFile();
    } else if (entry.kind == EntryKind::Value && text[0] == ';') {
        diagnostics->Add("commented-value", 0,
                         MixedText("A ';' line is no comment when it holds '=': the reader carries it "
                                   "out as a value line (comments begin with //)."));
    } else if (entry.kind == EntryKind::Other && text[0] != ';') {
        diagnostics->Add("ignored-line", 0,
                         MixedText("The reader skips this line: it is no key, value, directive or "
                                   "comment line."));
    }
}

// A value line whose joined text breaks the backslash rule.
void NoteSingleBackslash(Diagnostics* diagnostics, const std::string& line, size_t backslash)
{
    const std::string after = TrimLeft(line.substr(backslash + 1));
    MixedText message;
    if (backslash + 1 < line.size() && line[backslash + 1] == '"')
        message.Program("The backslash before this quote is single (this format has no escaped quote),");
    else if (after.empty())
        message.Program("Blanks after this backslash keep it from continuing the line, and it is single,");
    else
        message.Program("The backslash before ").Append(QuotedChar(line[backslash + 1])).Program(
            " is single (write \\\\ for one backslash),");
    diagnostics->Add("broken-backslash", backslash, message.Program(" so the reader drops this value line."));
}

}  // namespace

bool StripLineEnd(std::string& text)
{
    size_t length = text.size();
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n'))
        --length;
    bool stripped = length < text.size();
    text.resize(length);
    return stripped;
}

std::string NormalizeLine(const std::string& raw)
{
    std::string line;
    AppendNormalized(raw, line);
    return line;
}

void AppendNormalized(const std::string& raw, std::string& out)
{
    size_t start = 0;
    while (start < raw.size() && IsSpace(raw[start]))
        ++start;
    size_t end = raw.size();
    while (end > start && (raw[end - 1] == '\r' || raw[end - 1] == '\n'))
        --end;
    out.append(raw, start, end - start);
}

EntryKind ClassifyLine(const std::string& line, const CodePage& cp)
{
    if (line.empty())
        return EntryKind::Blank;
    if (line == "REGEDIT4")
        return EntryKind::Header;
    if (line[0] == '/')
        return line.size() > 1 && line[1] == '/' ? EntryKind::Comment : EntryKind::Directive;
    if (line[0] == '[')
        return EntryKind::Key;
    if (cp.Find(line, '=') != std::string::npos)
        return EntryKind::Value;
    return EntryKind::Other;
}

void SplitKeyLine(const std::string& line, const CodePage& cp, std::string& root,
                  std::string& path, Diagnostics* diagnostics)
{
    size_t backslash = cp.Find(line, '\\', line.empty() ? 0 : 1);
    size_t end = line.empty() ? 0 : line.size() - 1;  // the closing bracket
    if (backslash == std::string::npos) {
        root = end > 1 ? line.substr(1, end - 1) : std::string();
        path.clear();
    } else {
        root = line.substr(1, backslash - 1);
        path = end > backslash + 1 ? line.substr(backslash + 1, end - backslash - 1) : std::string();
    }
    if (diagnostics != nullptr && line.size() > 1 && line.back() != ']') {
        diagnostics->Add("key-closing-bracket", end,
                         MixedText("The key line does not end with ']', yet its last character, ")
                             .Append(QuotedChar(line.back()))
                             .Program(", is dropped as if it were: the key is '")
                             .Data(path.empty() ? root : root + "\\" + path)
                             .Program("'."));
    }
}

bool BackslashesDoubled(const std::string& text, const CodePage& cp)
{
    return FindSingleBackslash(text, cp) == std::string::npos;
}

size_t FindSingleBackslash(const std::string& text, const CodePage& cp)
{
    for (size_t i = cp.Find(text, '\\'); i != std::string::npos; i = cp.Find(text, '\\', i + 2)) {
        if (i + 1 >= text.size() || text[i + 1] != '\\')
            return i;
    }
    return std::string::npos;
}

bool ReadEntry(TextFile& file, const CodePage& cp, Entry& entry, Diagnostics* diagnostics)
{
    std::string& raw = entry.raw;
    entry.text.clear();
    switch (file.ReadLine(raw, kMaxLineBytes)) {
    case TextFile::ReadResult::End:
        NoteEnd(diagnostics, file, nullptr, 0, 0);
        return false;
    case TextFile::ReadResult::TooLong:
        entry.kind = EntryKind::TooLong;
        entry.line = file.LineNumber();
        NoteRefusedLine(diagnostics, entry, raw, entry.line);
        return true;
    case TextFile::ReadResult::Line:
        break;
    }
    entry.kind = EntryKind::Blank;
    entry.line = file.LineNumber();
    if (raw.find('\0') != std::string::npos) {
        entry.kind = EntryKind::HasNul;
        NoteRefusedLine(diagnostics, entry, raw, entry.line);
        return true;
    }
    AppendNormalized(raw, entry.text);
    entry.kind = ClassifyLine(entry.text, cp);
    if (diagnostics != nullptr) {
        diagnostics->BeginEntry(entry.line, static_cast<int>(LeadingBlanks(raw)) + 1);
        if (!entry.text.empty())
            NoteLineKind(diagnostics, entry);
    }
    if (entry.kind != EntryKind::Value)
        return true;

    // Hex lists go on over lines that end with a backslash; the test looks at
    // the last byte only, even when it is the second byte of a character.
    std::string& line = entry.text;
    const bool continued = !line.empty() && line.back() == '\\';
    std::string firstRaw;
    if (continued) {
        firstRaw = raw;
        if (diagnostics != nullptr && cp.Find(line, "=hex") == std::string::npos) {
            diagnostics->Add("line-continues", line.size() - 1,
                             MixedText().Program("The line ends with a backslash, so the reader joins line " +
                                                 std::to_string(entry.line + 1) + " to it."));
        }
    }
    bool atEnd = false;
    while (!line.empty() && line.back() == '\\') {
        line.pop_back();
        if (!ReadJoinedLine(file, raw, entry, atEnd, diagnostics)) {
            if (atEnd) {
                NoteEnd(diagnostics, file, "The file ends after this backslash,", entry.line,
                        line.size());
            }
            return !atEnd;
        }
        if (diagnostics != nullptr) {
            diagnostics->ContinueEntry(line.size(), file.LineNumber(),
                                       static_cast<int>(LeadingBlanks(raw)) + 1);
        }
        AppendNormalized(raw, line);
    }

    // A string whose closing quote is not at the end of the line goes on
    // until a line with a double quote; the line breaks stay in the string.
    size_t start = cp.Find(line, kStringStart);
    if (start != std::string::npos) {
        size_t data = start + sizeof kStringStart - 1;
        if (data == line.size() || line.back() != '"') {
            std::string joined = continued ? firstRaw : raw;
            std::vector<std::pair<size_t, int>> pieces;  // where each line joined begins
            const int firstTaken = file.LineNumber() + 1;
            bool takesEntries = false;
            do {
                if (!ReadJoinedLine(file, raw, entry, atEnd, diagnostics)) {
                    if (atEnd) {
                        NoteEnd(diagnostics, file, "The file ends inside this string,", entry.line,
                                data - 1);
                    }
                    return !atEnd;
                }
                if (diagnostics != nullptr) {
                    pieces.emplace_back(joined.size(), file.LineNumber());
                    const EntryKind kind = ClassifyLine(NormalizeLine(raw), cp);
                    takesEntries = takesEntries || (kind != EntryKind::Blank && kind != EntryKind::Other);
                }
                joined += raw;
            } while (cp.Find(raw, '"') == std::string::npos);
            StripLineEnd(joined);
            if (diagnostics != nullptr) {
                const size_t closing = cp.Find(line, '"', data);
                if (closing != std::string::npos || takesEntries) {
                    MixedText message(closing != std::string::npos
                                          ? "The closing quote is followed by more text, so the string"
                                          : "The string has no closing quote at the end of its line, so it");
                    message.Program(" goes on over " + LineRange(firstTaken, file.LineNumber()) +
                                    ", up to the next line with a quote, line breaks included.");
                    diagnostics->Add("string-swallows-lines",
                                     closing != std::string::npos ? closing + 1 : data - 1, message);
                }
                diagnostics->BeginEntry(entry.line, 1);
                for (const auto& piece : pieces)
                    diagnostics->ContinueEntry(piece.first, piece.second, 1);
            }
            line = joined;
        }
    }

    const size_t backslash = FindSingleBackslash(line, cp);
    if (backslash != std::string::npos) {
        entry.kind = EntryKind::BrokenBackslash;
        if (diagnostics != nullptr)
            NoteSingleBackslash(diagnostics, line, backslash);
    }
    return true;
}

}  // namespace zevo
