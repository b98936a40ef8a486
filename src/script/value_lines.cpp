#include "script/value_lines.h"

#include <cstring>
#include <vector>

#include "common/text_file.h"
#include "registry/value_codec.h"
#include "script/data_file_reader.h"

namespace zevo {

namespace {

const size_t kMaxLineLength = 80;

std::string DoubledBackslashes(const std::string& text, const CodePage& cp)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t length = cp.CharLength(text, i);
        out.append(text, i, length);
        if (length == 1 && text[i] == '\\')
            out += '\\';
        i += length;
    }
    return out;
}

std::string NamePart(const std::string& name, const CodePage& cp)
{
    return name.empty() ? "@=" : "\"" + DoubledBackslashes(name, cp) + "\"=";
}

// "hex:" or "hex(N):" and the bytes, continued with a backslash before a
// line would grow past kMaxLineLength.
std::string ByteList(const std::string& start, const uint8_t* data, size_t size)
{
    static const char kHex[] = "0123456789abcdef";
    std::string lines, line = start;
    for (size_t i = 0; i < size; ++i) {
        std::string element = {kHex[data[i] >> 4], kHex[data[i] & 0xF]};
        if (i + 1 < size)
            element += ',';
        if (i > 0 && line.size() + element.size() + 1 > kMaxLineLength) {
            lines += line + "\\\n";
            line = "  ";
        }
        line += element;
    }
    return lines + line + "\n";
}

std::string TypedList(const std::string& namePart, uint32_t type, const uint8_t* data, size_t size)
{
    static const char kHex[] = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[type & 0xF]);
        type >>= 4;
    } while (type != 0);
    return ByteList(namePart + "hex(" + digits + "):", data, size);
}

// The plain form of the value, when its type has one.
std::string PlainLines(const std::string& namePart, uint32_t type, const uint8_t* data, size_t size,
                       const CodePage& cp)
{
    switch (type) {
    case kRegSz:
        if (size == 0 || data[size - 1] != 0)
            return std::string();
        return namePart + "\"" +
               DoubledBackslashes(std::string(reinterpret_cast<const char*>(data), size - 1), cp) + "\"\n";
    case kRegDword: {
        if (size != 4)
            return std::string();
        static const char kHex[] = "0123456789abcdef";
        std::string digits;
        for (int i = 3; i >= 0; --i)
            digits += {kHex[data[i] >> 4], kHex[data[i] & 0xF]};
        return namePart + "dword:" + digits + "\n";
    }
    case kRegBinary:
        return ByteList(namePart + "hex:", data, size);
    case kRegNone:
    case kRegExpandSz:
    case kRegDwordBigEndian:
    case kRegLink:
    case kRegMultiSz:
    case kRegResourceList:
        return TypedList(namePart, type, data, size);
    default:
        return std::string();
    }
}

// The one entry that the reader makes of the lines, as a data file holds
// them (CR LF line ends); false when they are not exactly one entry.
bool ReadOneEntry(const std::string& lines, const CodePage& cp, Entry& entry)
{
    std::string file;
    for (char c : lines)
        file += c == '\n' ? std::string("\r\n") : std::string(1, c);
    TextFile reader;
    reader.OpenText(file);
    Entry after;
    return ReadEntry(reader, cp, entry) && !ReadEntry(reader, cp, after);
}

// True when the reader and the codec give back exactly this value.
bool ReadsBack(const std::string& lines, const std::string& name, uint32_t type, const uint8_t* data,
               size_t size, const CodePage& cp)
{
    Entry entry;
    if (!ReadOneEntry(lines, cp, entry) || entry.kind != EntryKind::Value)
        return false;
    const std::string& line = entry.text;
    const ValueForm form = GetValueForm(line, cp);
    if (GetValueName(line, cp) != name || !form.known || form.type != type)
        return false;
    std::vector<uint8_t> bytes;
    std::string shown;
    if (!form.typed && type == kRegSz) {
        // Written with a terminating zero.
        const std::string& text = GetStringData(line, cp, shown);
        bytes.assign(text.begin(), text.end());
        bytes.push_back(0);
    } else if (!form.typed && type == kRegDword) {
        const uint32_t number = GetDwordData(line, cp, shown);
        bytes = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                 static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)};
    } else if (GetHexData(line, cp, bytes, shown) < 0) {
        return false;
    }
    return bytes.size() == size && (size == 0 || std::memcmp(bytes.data(), data, size) == 0);
}

}  // namespace

bool FormatKeyLine(const std::string& root, const std::string& path, const CodePage& cp,
                   std::string& line)
{
    line = "[" + root + (path.empty() ? "" : "\\" + path) + "]\n";
    Entry entry;
    std::string readRoot, readPath;
    if (!ReadOneEntry(line, cp, entry) || entry.kind != EntryKind::Key)
        return false;
    SplitKeyLine(entry.text, cp, readRoot, readPath);
    return readRoot == root && readPath == path;
}

bool FormatValueLines(const std::string& name, uint32_t type, const uint8_t* data, size_t size,
                      const CodePage& cp, std::string& lines, std::string& why)
{
    if (cp.Find(name, '"') != std::string::npos) {
        why = "its name holds a double quote";
        return false;
    }
    if (size > kMaxValueBytes) {
        why = "its data are longer than 128,000 bytes";
        return false;
    }
    const std::string namePart = NamePart(name, cp);
    lines = PlainLines(namePart, type, data, size, cp);
    if (!lines.empty() && ReadsBack(lines, name, type, data, size, cp))
        return true;
    lines = TypedList(namePart, type, data, size);
    if (ReadsBack(lines, name, type, data, size, cp))
        return true;
    lines.clear();
    why = "no data-file line reads back as this value";
    return false;
}

}  // namespace zevo
