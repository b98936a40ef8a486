#include "script/data_file_reader.h"

namespace zevo {

namespace {

// Reads one more physical line of an entry being joined. False when the
// entry ends here: at the end of the file (the caller reports the file as
// exhausted) or at a refused line (`entry` then says why).
bool ReadJoinedLine(TextFile& file, std::string& raw, Entry& entry, bool& atEnd)
{
    switch (file.ReadLine(raw, kMaxLineBytes)) {
    case TextFile::ReadResult::End:
        atEnd = true;
        return false;
    case TextFile::ReadResult::TooLong:
        entry.kind = EntryKind::TooLong;
        entry.line = file.LineNumber();
        entry.text.clear();
        return false;
    case TextFile::ReadResult::Line:
        break;
    }
    if (raw.find('\0') != std::string::npos) {
        entry.kind = EntryKind::HasNul;
        entry.line = file.LineNumber();
        entry.text.clear();
        return false;
    }
    return true;
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
                  std::string& path)
{
    size_t backslash = cp.Find(line, '\\', line.empty() ? 0 : 1);
    size_t end = line.empty() ? 0 : line.size() - 1;  // the closing bracket
    if (backslash == std::string::npos) {
        root = end > 1 ? line.substr(1, end - 1) : std::string();
        path.clear();
        return;
    }
    root = line.substr(1, backslash - 1);
    path = end > backslash + 1 ? line.substr(backslash + 1, end - backslash - 1) : std::string();
}

bool BackslashesDoubled(const std::string& text, const CodePage& cp)
{
    for (size_t i = cp.Find(text, '\\'); i != std::string::npos; i = cp.Find(text, '\\', i + 2)) {
        if (i + 1 >= text.size() || text[i + 1] != '\\')
            return false;
    }
    return true;
}

bool ReadEntry(TextFile& file, const CodePage& cp, Entry& entry)
{
    std::string& raw = entry.raw;
    entry.text.clear();
    switch (file.ReadLine(raw, kMaxLineBytes)) {
    case TextFile::ReadResult::End:
        return false;
    case TextFile::ReadResult::TooLong:
        entry.kind = EntryKind::TooLong;
        entry.line = file.LineNumber();
        return true;
    case TextFile::ReadResult::Line:
        break;
    }
    entry.kind = EntryKind::Blank;
    entry.line = file.LineNumber();
    if (raw.find('\0') != std::string::npos) {
        entry.kind = EntryKind::HasNul;
        return true;
    }
    AppendNormalized(raw, entry.text);
    entry.kind = ClassifyLine(entry.text, cp);
    if (entry.kind != EntryKind::Value)
        return true;

    // Hex lists go on over lines that end with a backslash; the test looks at
    // the last byte only, even when it is the second byte of a character.
    std::string& line = entry.text;
    const bool continued = !line.empty() && line.back() == '\\';
    std::string firstRaw;
    if (continued)
        firstRaw = raw;
    bool atEnd = false;
    while (!line.empty() && line.back() == '\\') {
        line.pop_back();
        if (!ReadJoinedLine(file, raw, entry, atEnd))
            return !atEnd;
        AppendNormalized(raw, line);
    }

    // A string whose closing quote is not at the end of the line goes on
    // until a line with a double quote; the line breaks stay in the string.
    static const std::string kStringStart = "\"=\"";
    size_t start = cp.Find(line, kStringStart);
    if (start != std::string::npos) {
        size_t data = start + kStringStart.size();
        if (data == line.size() || line.back() != '"') {
            std::string joined = continued ? firstRaw : raw;
            do {
                if (!ReadJoinedLine(file, raw, entry, atEnd))
                    return !atEnd;
                joined += raw;
            } while (cp.Find(raw, '"') == std::string::npos);
            StripLineEnd(joined);
            line = joined;
        }
    }

    if (!BackslashesDoubled(line, cp))
        entry.kind = EntryKind::BrokenBackslash;
    return true;
}

}  // namespace zevo
