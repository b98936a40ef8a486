#include "registry/value_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zevo {
namespace {

using Bytes = std::vector<uint8_t>;

// "\x95\x5C" is 表 and "\x83\x5C" is ソ: their second byte is a backslash.
const CodePage kSjis = CodePage::ShiftJis();
const CodePage kSingle = CodePage::SingleByte();

// Which code pages a row holds for; rows that differ come in pairs.
enum Pages { kBoth, kSjisOnly, kSingleOnly };

std::vector<const CodePage*> On(Pages pages)
{
    if (pages == kSjisOnly)
        return {&kSjis};
    if (pages == kSingleOnly)
        return {&kSingle};
    return {&kSjis, &kSingle};
}

std::string Trace(const char* label, const CodePage* cp)
{
    return std::string(label) + (cp == &kSjis ? " [932]" : " [single-byte]");
}

// The file-data text before a decoder runs; a line without the decoder's
// marker must leave it as it is.
const std::string kUntouched = "<untouched>";

TEST(ValueCodec, ValueName)
{
    const struct { const char* label; Pages pages; std::string line, name; } rows[] = {
        {"default value", kBoth, "@=\"x\"", ""},
        {"at sign wins over quotes", kBoth, "@\"n\"=\"x\"", ""},
        {"no quote", kBoth, "abc=def", ""},
        {"plain", kBoth, "\"Name\"=\"Sample\"", "Name"},
        {"no closing quote", kBoth, "\"open=1", ""},
        {"equals inside the name", kBoth, "\"a=b\"=\"c\"", "a=b"},
        {"doubled backslash", kBoth, "\"C:\\\\dir\"=\"\"", "C:\\dir"},
        {"quote cannot be escaped", kBoth, "\"a\\\"b\"=\"x\"", "a\\"},
        {"表 then a lone backslash", kSjisOnly, "\"\x95\x5C\\\"=1", "\x95\x5C\\"},
        {"表 then a lone backslash", kSingleOnly, "\"\x95\x5C\\\"=1", "\x95\x5C"},
        {"ソ then three backslashes", kSjisOnly, "\"\x83\x5C\\\\\\\"=1", "\x83\x5C\\\\"},
        {"ソ then three backslashes", kSingleOnly, "\"\x83\x5C\\\\\\\"=1", "\x83\x5C\\"},
        {"lead byte hides the closing quote", kSjisOnly, "\"\x95\"x\"=1", "\x95\"x"},
        {"lead byte hides the closing quote", kSingleOnly, "\"\x95\"x\"=1", "\x95"},
    };
    for (const auto& row : rows)
        for (const CodePage* cp : On(row.pages)) {
            SCOPED_TRACE(Trace(row.label, cp));
            EXPECT_EQ(GetValueName(row.line, *cp), row.name);
        }
}

TEST(ValueCodec, ValueType)
{
    const struct { const char* label; Pages pages; std::string line; int type; } rows[] = {
        {"default string", kBoth, "@=\"x\"", 1},
        {"dword", kBoth, "\"v\"=dword:FFFFFFFF", 4},
        {"upper-case DWORD", kBoth, "\"v\"=DWORD:00000001", -1},
        {"blank before dword", kBoth, "\"v\"= dword:00000001", 4},
        {"blank before hex", kBoth, "\"v\"= hex:01", 3},
        {"blank before a quote", kBoth, "\"v\"= \"x\"", -1},
        {"upper-case HEX", kBoth, "\"v\"=HEX:01", -1},
        {"hex(0)", kBoth, "\"v\"=hex(0):", 0},
        {"hex(2)", kBoth, "\"v\"=hex(2):41,00", 2},
        {"hex(5)", kBoth, "\"v\"=hex(5):00", 5},
        {"hex(6)", kBoth, "\"v\"=hex(6):00", 6},
        {"hex(7)", kBoth, "\"v\"=hex(7):00", 7},
        {"hex(8)", kBoth, "\"v\"=hex(8):00", 8},
        {"hex(1) unknown", kBoth, "\"v\"=hex(1):00", -1},
        {"dword searched before hex", kBoth, "\"v\"=hex:dword:", 4},
        {"hex: searched before hex(7)", kBoth, "\"v\"=hex(7):hex:", 3},
        {"marker anywhere in the data", kBoth, "\"v\"=junk dword:1", 4},
        {"nothing after equals", kBoth, "\"v\"=", -1},
        {"no equals", kBoth, "\"v\" dword:1", -1},
        {"equals inside the name", kBoth, "\"a=b\"=\"c\"", -1},
        {"data starts inside the name", kBoth, "\"x=dword:1\"=\"s\"", 4},
        {"marker before the first equals", kBoth, "\"dword:\"=hex:01", 3},
        {"equals hidden by lead byte", kSjisOnly, "\"\x95=\"=dword:1", 4},
        {"equals hidden by lead byte", kSingleOnly, "\"\x95=\"=dword:1", 1},
        {"dword hidden by lead byte", kSjisOnly, "\"v\"=\x95" "dword:00000001", -1},
        {"dword hidden by lead byte", kSingleOnly, "\"v\"=\x95" "dword:00000001", 4},
    };
    for (const auto& row : rows)
        for (const CodePage* cp : On(row.pages)) {
            SCOPED_TRACE(Trace(row.label, cp));
            EXPECT_EQ(GetValueType(row.line, *cp), row.type);
        }
}

TEST(ValueCodec, DwordData)
{
    const std::string& none = kUntouched;
    const struct {
        const char* label;
        Pages pages;
        std::string line;
        uint32_t value;
        std::string fileData;
    } rows[] = {
        {"lower-case digits", kBoth, "\"v\"=dword:0000001a", 26, "0000001a"},
        {"upper-case digits", kBoth, "\"v\"=dword:0000001A", 26, "0000001A"},
        {"all ones", kBoth, "\"v\"=dword:FFFFFFFF", 0xFFFFFFFF, "FFFFFFFF"},
        {"blank after equals", kBoth, "\"v\"= dword:00000001", 1, "00000001"},
        {"short text", kBoth, "\"v\"=dword:1A", 26, "1A"},
        {"no digits", kBoth, "\"v\"=dword:", 0, ""},
        {"ninth digit ignored", kBoth, "\"v\"=dword:000000019  ", 1, "000000019  "},
        {"letter past F", kBoth, "\"v\"=dword:0000000g", 16, "0000000g"},
        {"minus sign", kBoth, "\"v\"=dword:0000000-", 0xFFFFFFFD, "0000000-"},
        {"marker inside the name", kBoth, "\"dword:0000000b\"=\"x\"", 11, "0000000b\"=\"x\""},
        {"upper-case DWORD", kBoth, "\"v\"=DWORD:00000001", 0xFFFFFFFF, none},
        {"byte list", kBoth, "\"v\"=hex:01", 0xFFFFFFFF, none},
        {"hidden by lead byte", kSjisOnly, "\"v\"=\x95" "dword:00000003", 0xFFFFFFFF, none},
        {"hidden by lead byte", kSingleOnly, "\"v\"=\x95" "dword:00000003", 3, "00000003"},
    };
    for (const auto& row : rows)
        for (const CodePage* cp : On(row.pages)) {
            SCOPED_TRACE(Trace(row.label, cp));
            std::string fileData = kUntouched;
            EXPECT_EQ(GetDwordData(row.line, *cp, fileData), row.value);
            EXPECT_EQ(fileData, row.fileData);
        }
}

TEST(ValueCodec, HexData)
{
    const Bytes before = {0xEE, 0xEE, 0xEE};
    const std::string& none = kUntouched;
    const struct {
        const char* label;
        Pages pages;
        std::string line;
        int count;
        Bytes bytes;
        std::string fileData;
    } rows[] = {
        {"empty list", kBoth, "\"v\"=hex:", 0, {}, ""},
        {"colon at the end of the line", kBoth, "\"v\"=hex:01,02:", 0, {}, ""},
        {"two bytes", kBoth, "\"v\"=hex:01,02", 2, {1, 2}, "01,02"},
        {"trailing comma is a byte", kBoth, "\"v\"=hex:01,02,", 3, {1, 2, 0}, "01,02,"},
        {"hex(2)", kBoth, "\"v\"=hex(2):41,00", 2, {0x41, 0}, "41,00"},
        {"mixed case", kBoth, "\"v\"=hex:0A,ff", 2, {0x0A, 0xFF}, "0A,ff"},
        {"one digit at the end", kBoth, "\"v\"=hex:1", 1, {0xE0}, "1"},
        {"one digit, then a comma", kBoth, "\"v\"=hex:4,05", 2, {0x3C, 5}, "4,05"},
        {"long element", kBoth, "\"v\"=hex:123,4", 2, {0x12, 0x10}, "123,4"},
        {"blank not skipped", kBoth, "\"v\"=hex:01, 02", 2, {1, 0}, "01, 02"},
        {"empty element", kBoth, "\"v\"=hex:01,,02", 3, {1, 0xC0, 2}, "01,,02"},
        {"comma only", kBoth, "\"v\"=hex:,", 2, {0x90, 0}, ","},
        {"no colon", kBoth, "\"v\"=hex", 1, {0x1E}, "hex"},
        {"marker inside the name", kBoth, "\"a=hex\"=hex:01", 1, {1}, "01"},
        {"blank after equals", kBoth, "\"v\"= hex:01", -1, before, none},
        {"dword", kBoth, "\"v\"=dword:00000001", -1, before, none},
        {"comma hidden by lead byte", kSjisOnly, "\"v\"=hex:01\x95,02", 1, {1}, "01\x95,02"},
        {"comma hidden by lead byte", kSingleOnly, "\"v\"=hex:01\x95,02", 2, {1, 2}, "01\x95,02"},
        {"equals hidden by lead byte", kSjisOnly, "\"v\"\x95=hex:01", -1, before, none},
        {"equals hidden by lead byte", kSingleOnly, "\"v\"\x95=hex:01", 1, {1}, "01"},
    };
    for (const auto& row : rows)
        for (const CodePage* cp : On(row.pages)) {
            SCOPED_TRACE(Trace(row.label, cp));
            Bytes bytes = before;
            std::string fileData = kUntouched;
            EXPECT_EQ(GetHexData(row.line, *cp, bytes, fileData), row.count);
            EXPECT_EQ(bytes, row.bytes);
            EXPECT_EQ(fileData, row.fileData);
        }
}

TEST(ValueCodec, HexDataSizeLimit)
{
    const struct { const char* label; size_t elements; bool trailingComma; int count; } rows[] = {
        {"exactly the limit", 128000, false, 128000},
        {"limit reached by the trailing comma", 127999, true, 128000},
        {"trailing comma past the limit", 128000, true, -1},
        {"one element too many", 128001, false, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        std::string line = "\"big\"=hex:ab";
        for (size_t i = 1; i < row.elements; ++i)
            line += ",ab";
        if (row.trailingComma)
            line += ',';
        Bytes bytes;
        std::string fileData;
        EXPECT_EQ(GetHexData(line, kSjis, bytes, fileData), row.count);
        ASSERT_LE(bytes.size(), kMaxValueBytes);
        if (row.count > 0) {
            ASSERT_EQ(bytes.size(), static_cast<size_t>(row.count));
            EXPECT_EQ(bytes.back(), row.trailingComma ? 0x00 : 0xAB);
        }
    }
}

TEST(ValueCodec, StringData)
{
    const std::string& none = kUntouched;
    const struct { const char* label; Pages pages; std::string line, value, fileData; } rows[] = {
        {"default value", kBoth, "@=\"x\"", "x", "x"},
        {"empty string", kBoth, "\"a\"=\"\"", "", ""},
        {"opening quote only", kBoth, "\"a\"=\"", "", ""},
        {"doubled backslashes", kBoth, "\"p\"=\"C:\\\\dir\\\\\"", "C:\\dir\\", "C:\\dir\\"},
        {"three backslashes", kBoth, "\"p\"=\"a\\\\\\b\"", "a\\\\b", "a\\\\b"},
        {"escaped quotes stay", kBoth, "\"q\"=\"say \\\"hi\\\"\"", "say \\\"hi\\\"",
         "say \\\"hi\\\""},
        {"blanks after the quote", kBoth, "\"s\"=\"x\"  ", "x\" ", "x\" "},
        {"closing quote not checked", kBoth, "\"s\"=\"xy", "x", "x"},
        {"line breaks kept", kBoth, "\"A\"=\"\nfirst\nsecond\"", "\nfirst\nsecond",
         "\nfirst\nsecond"},
        {"equals-quote inside the name", kBoth, "\"a=\"b\"=\"c\"", "b\"=\"c", "b\"=\"c"},
        {"blank before the quote", kBoth, "\"v\"= \"x\"", "", none},
        {"dword", kBoth, "\"v\"=dword:00000001", "", none},
        {"ソ in a path", kBoth, "\"p\"=\"C:\\\\\x83\x5C\\\\x\"", "C:\\\x83\x5C\\x",
         "C:\\\x83\x5C\\x"},
        {"ソ then a lone backslash", kSjisOnly, "\"p\"=\"\x83\x5C\\\"", "\x83\x5C\\", "\x83\x5C\\"},
        {"ソ then a lone backslash", kSingleOnly, "\"p\"=\"\x83\x5C\\\"", "\x83\x5C", "\x83\x5C"},
        {"equals-quote hidden by lead byte", kSjisOnly, "\"\x95=\"=\"x\"", "x", "x"},
        {"equals-quote hidden by lead byte", kSingleOnly, "\"\x95=\"=\"x\"", "=\"x", "=\"x"},
    };
    for (const auto& row : rows)
        for (const CodePage* cp : On(row.pages)) {
            SCOPED_TRACE(Trace(row.label, cp));
            std::string fileData = kUntouched;
            EXPECT_EQ(GetStringData(row.line, *cp, fileData), row.value);
            EXPECT_EQ(fileData, row.fileData);
        }
}

TEST(ValueCodec, HexDigitArithmetic)
{
    const struct {
        std::string text;
        size_t length;  // how much of the text the call may read
        int byteValue;
        uint32_t dwordValue;
    } rows[] = {
        {"0A", 2, 0x0A, 0x0A},
        {"ff", 2, 0xFF, 0xFF},
        {"123456789", 9, 0x12, 0x12345678},
        {"abcdef01", 8, 0xAB, 0xABCDEF01},
        {"A", 1, 16 * 10 - 48, 0x0A},
        {"1A", 1, 16 - 48, 0x01},  // the A lies past the end
        {"", 0, -16 * 48 - 48, 0},
        {"G0000000", 8, 0x100, 0},  // G counts 16: the sum wraps
        {"zz", 2, 16 * 35 + 35, 16 * 35 + 35},
        {"-0000000", 8, -3 * 16, 0xD0000000},
        {" 1", 2, -16 * 16 + 1, 0xFFFFFF01},
        {"\x95" "0", 2, -155 * 16, static_cast<uint32_t>(-155 * 16)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("\"" + row.text + "\" length " + std::to_string(row.length));
        EXPECT_EQ(HexToByte(row.text.data(), row.length), row.byteValue);
        EXPECT_EQ(HexToDword(row.text.data(), row.length), row.dwordValue);
    }
    const uint8_t little[] = {0x1A, 0x00, 0x00, 0x80};
    EXPECT_EQ(BytesToDword(little), 0x8000001Au);
}

TEST(ValueCodec, FormatValueText)
{
    const struct { const char* label; int type; Bytes data; std::string text; } rows[] = {
        {"dword", kRegDword, {0x1A, 0x00, 0x00, 0x80}, "8000001a"},
        {"dword of two bytes", kRegDword, {0x34, 0x12}, "00001234"},
        {"dword of no bytes", kRegDword, {}, "00000000"},
        {"dword with extra bytes", kRegDword, {1, 0, 0, 0, 0xFF}, "00000001"},
        {"string", kRegSz, {'a', 'b', 0, 'c', 0}, "ab"},
        {"string without terminator", kRegSz, {'a', 'b', 'c'}, "abc"},
        {"string neither quoted nor escaped", kRegSz, {'\\', '"', 0x83, 0x5C, 0}, "\\\"\x83\x5C"},
        {"binary", kRegBinary, {0x01, 0xA0, 0xFF}, "01,a0,ff"},
        {"no bytes", kRegBinary, {}, ""},
        {"multi-string as bytes", kRegMultiSz, {'a', 0, 'b', 0, 0}, "61,00,62,00,00"},
        {"expandable string as bytes", kRegExpandSz, {'%', 0}, "25,00"},
        {"big-endian dword as bytes", kRegDwordBigEndian, {0, 0, 0, 1}, "00,00,00,01"},
        {"unknown type as bytes", kUnknownType, {0x7F}, "7f"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        // The rows' data are exact-size heap blocks: reading past them is caught.
        const ValueText value = FormatValueText(row.type, row.data.data(), row.data.size());
        EXPECT_EQ(value.text, row.text);
        EXPECT_FALSE(value.longData);
        // Written over the pane's text of the value before, nothing of it stays.
        std::string pane = "01,02,03,04,05,06,07,08,09,0a,0b,0c";
        EXPECT_FALSE(FormatValueText(row.type, row.data.data(), row.data.size(), pane));
        EXPECT_EQ(pane, row.text);
    }
}

TEST(ValueCodec, FormatValueTextDisplayLimit)
{
    const struct { const char* label; int type; size_t size, textLength; bool longData; } rows[] = {
        {"binary of 100 bytes", kRegBinary, 100, 299, false},
        {"binary of 101 bytes", kRegBinary, 101, 299, true},
        {"multi-string of 5000 bytes", kRegMultiSz, 5000, 299, true},
        {"string of 300 bytes", kRegSz, 300, 300, false},
        {"dword of 101 bytes", kRegDword, 101, 8, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Bytes data(row.size);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<uint8_t>('A' + i % 26);
        const ValueText value = FormatValueText(row.type, data.data(), data.size());
        EXPECT_EQ(value.text.size(), row.textLength);
        EXPECT_EQ(value.longData, row.longData);
        EXPECT_EQ(value.text.find_first_of("\r\n"), std::string::npos);
        if (row.type != kRegSz && row.type != kRegDword) {
            EXPECT_EQ(value.text.substr(0, 6) + value.text.substr(294), "41,42,55,56");
        }
    }
}

}  // namespace
}  // namespace zevo
