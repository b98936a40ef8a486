#include "registry/value_codec.h"

#include <cctype>
#include <utility>

#include "registry/value_notes.h"

namespace zevo {

namespace {

int DigitValue(char c)
{
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    int code = static_cast<signed char>(c);
    return code > '9' ? code - 55 : code - 48;
}

struct TypeMarker {
    const char* text;
    int type;
};

const TypeMarker kTypeMarkers[] = {
    {"dword:", kRegDword},           {"hex:", kRegBinary},     {"hex(0):", kRegNone},
    {"hex(2):", kRegExpandSz},       {"hex(5):", kRegDwordBigEndian},
    {"hex(6):", kRegLink},           {"hex(7):", kRegMultiSz}, {"hex(8):", kRegResourceList},
};

}  // namespace

std::string FoldBackslashes(std::string text, const CodePage& cp)
{
    // Most names and strings hold no backslash at all.
    if (text.find('\\') == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t length = cp.CharLength(text, i);
        out.append(text, i, length);
        if (length == 1 && text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\')
            i += 2;
        else
            i += length;
    }
    return out;
}

std::string GetValueName(const std::string& line, const CodePage& cp, Diagnostics* diagnostics)
{
    if (!line.empty() && line[0] == '@')
        return std::string();
    size_t open = cp.Find(line, '"');
    size_t close = open == std::string::npos ? open : cp.Find(line, '"', open + 1);
    if (close == std::string::npos || cp.Find(line, '=') < open) {
        if (diagnostics != nullptr)
            NoteUnquotedName(*diagnostics, line, open, close);
        if (close == std::string::npos)
            return std::string();
    }
    return FoldBackslashes(line.substr(open + 1, close - open - 1), cp);
}

ValueForm GetValueForm(const std::string& line, const CodePage& cp, Diagnostics* diagnostics)
{
    ValueForm form;
    size_t equals = cp.Find(line, '=');
    if (equals == std::string::npos)
        return form;
    size_t data = equals + 1;
    form.known = true;
    if (data < line.size() && line[data] == '"') {
        form.type = kRegSz;
        return form;
    }
    for (const TypeMarker& marker : kTypeMarkers) {
        if (cp.Find(line, marker.text, data) != std::string::npos) {
            form.type = static_cast<uint32_t>(marker.type);
            return form;
        }
    }
    // "hex(N):" with one to eight hex digits, as the registry editor writes
    // every other type.
    static const std::string_view kTyped = "hex(";
    const size_t digits = data + kTyped.size();
    size_t end = digits;
    while (end < line.size() && end - digits < 8 && std::isxdigit(static_cast<unsigned char>(line[end])))
        ++end;
    if (line.compare(data, kTyped.size(), kTyped) == 0 && end > digits &&
        line.compare(end, 2, "):") == 0) {
        form.type = HexToDword(line.data() + digits, end - digits);
        form.typed = true;
        return form;
    }
    form.known = false;
    if (diagnostics != nullptr)
        NoteUnknownForm(*diagnostics, line, data);
    return form;
}

int GetValueType(const std::string& line, const CodePage& cp, Diagnostics* diagnostics)
{
    const ValueForm form = GetValueForm(line, cp, diagnostics);
    return form.known ? static_cast<int>(form.type) : kUnknownType;
}

uint32_t GetDwordData(const std::string& line, const CodePage& cp, std::string& fileData,
                      bool* found, Diagnostics* diagnostics)
{
    static const std::string_view kMarker = "dword:";
    // After the "=" that GetValueForm reads the form after: "dword:" in the
    // name must not give the number.
    const size_t equals = cp.Find(line, '=');
    size_t marker = equals == std::string::npos ? equals : cp.Find(line, kMarker, equals + 1);
    if (found != nullptr)
        *found = marker != std::string::npos;
    if (marker == std::string::npos)
        return 0xFFFFFFFFu;
    fileData.assign(line, marker + kMarker.size(), std::string::npos);
    const uint32_t value = HexToDword(fileData.data(), fileData.size());
    if (diagnostics != nullptr)
        NoteDwordDigits(*diagnostics, fileData, marker + kMarker.size(), value);
    return value;
}

int GetHexData(const std::string& line, const CodePage& cp, std::vector<uint8_t>& bytes,
               std::string& fileData, bool* found, Diagnostics* diagnostics)
{
    size_t marker = cp.Find(line, "=hex");
    if (found != nullptr)
        *found = marker != std::string::npos;
    if (marker == std::string::npos)
        return -1;
    size_t typeText = marker + 1;
    bytes.clear();
    size_t colon = cp.Find(line, ':', typeText);
    if (line.back() == ':') {
        if (diagnostics != nullptr && colon != line.size() - 1)
            NoteHexColonAtEnd(*diagnostics, line.size() - 1);
        fileData.clear();
        return 0;
    }
    size_t list = colon == std::string::npos ? typeText : colon + 1;
    fileData.assign(line, list, std::string::npos);

    // Each element gives the byte of its first two characters; a list that
    // ends with a comma has one more byte of value 0.
    HexListNotes notes;
    size_t pos = list;
    for (;;) {
        if (bytes.size() == kMaxValueBytes) {
            if (diagnostics != nullptr)
                NoteHexTooLong(*diagnostics, list);
            return -1;
        }
        bytes.push_back(static_cast<uint8_t>(HexToByte(line.data() + pos, line.size() - pos)));
        size_t comma = cp.Find(line, ',', pos);
        if (diagnostics != nullptr)
            notes.Element(line, pos, comma == std::string::npos ? line.size() : comma, bytes.back());
        if (comma == std::string::npos)
            break;
        pos = comma + 1;
        if (pos == line.size()) {
            if (bytes.size() == kMaxValueBytes) {
                if (diagnostics != nullptr)
                    NoteHexTooLong(*diagnostics, list);
                return -1;
            }
            bytes.push_back(0);
            if (diagnostics != nullptr)
                notes.TrailingComma(comma);
            break;
        }
    }
    if (diagnostics != nullptr)
        notes.Report(*diagnostics, line);
    return static_cast<int>(bytes.size());
}

const std::string& GetStringData(const std::string& line, const CodePage& cp,
                                 std::string& fileData, bool* found, Diagnostics* diagnostics)
{
    static const std::string kNone;
    size_t marker = cp.Find(line, "=\"");
    if (found != nullptr)
        *found = marker != std::string::npos;
    if (marker == std::string::npos)
        return kNone;
    fileData.assign(line, marker + 2, std::string::npos);
    if (diagnostics != nullptr && !fileData.empty() && fileData.back() != '"')
        NoteStringEnd(*diagnostics, line);
    if (!fileData.empty())
        fileData.pop_back();
    fileData = FoldBackslashes(std::move(fileData), cp);
    return fileData;
}

int HexToByte(const char* text, size_t length)
{
    int high = DigitValue(length > 0 ? text[0] : '\0');
    int low = DigitValue(length > 1 ? text[1] : '\0');
    return 16 * high + low;
}

uint32_t HexToDword(const char* text, size_t length)
{
    size_t digits = length < 8 ? length : 8;
    uint32_t value = 0;
    for (size_t i = 0; i < digits; ++i)
        value = value * 16u + static_cast<uint32_t>(DigitValue(text[i]));
    return value;
}

uint32_t BytesToDword(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

ValueText FormatValueText(int type, const uint8_t* data, size_t size)
{
    ValueText result;
    result.longData = FormatValueText(type, data, size, result.text);
    return result;
}

bool FormatValueText(int type, const uint8_t* data, size_t size, std::string& text)
{
    static const char kHex[] = "0123456789abcdef";
    text.clear();
    if (type == kRegDword) {
        uint8_t four[4] = {0, 0, 0, 0};
        for (size_t i = 0; i < size && i < 4; ++i)
            four[i] = data[i];
        uint32_t value = BytesToDword(four);
        text.resize(8);
        for (int i = 7; i >= 0; --i) {
            text[static_cast<size_t>(i)] = kHex[value & 0xF];
            value >>= 4;
        }
        return false;
    }
    if (type == kRegSz) {
        size_t length = 0;
        while (length < size && data[length] != 0)
            ++length;
        text.assign(reinterpret_cast<const char*>(data), length);
        return false;
    }
    size_t shown = size < kMaxDisplayBytes ? size : kMaxDisplayBytes;
    text.reserve(shown * 3);
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0)
            text.push_back(',');
        text.push_back(kHex[data[i] >> 4]);
        text.push_back(kHex[data[i] & 0xF]);
    }
    return size > kMaxDisplayBytes;
}

}  // namespace zevo
