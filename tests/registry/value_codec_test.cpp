#include "registry/value_codec.h"

#include <gtest/gtest.h>

namespace zevo {
namespace {

using Bytes = std::vector<uint8_t>;

// Lines are read with Shift-JIS; a row with kSingle, a single-byte page, follows the row it
// differs from. "\x95\x5C" is 表 and "\x83\x5C" is ソ: their second byte is a backslash.
const CodePage kSjis = CodePage::ShiftJis(), kSingle = CodePage::SingleByte();

// The file-data text as it was before: a line without the decoder's marker leaves it so.
const std::string kNone = "<untouched>";

TEST(ValueCodec, NameAndType)
{
    // A type marker counts anywhere after the first "=", in the order dword:, hex:, hex(n):; a quote
    // and any other "hex(N):" only right after it. A quote in a name cannot be escaped. (Values
    // written check hex(2), hex(7).) -1: no known form.
    const struct { std::string line, name; int64_t type; const CodePage* cp = &kSjis; } rows[] = {
        {"\"v\"=hex(b):", "v", 11}, {"\"v\"=hex(B):01", "v", 11}, {"\"v\"=hex(12345678):", "v", 0x12345678},
        {"\"v\"=hex(ffffffff):", "v", 0xffffffff}, {"\"v\"=hex(123456789):", "v", -1}, {"\"v\"=hex():", "v", -1},
        {"\"v\"=hex(g):", "v", -1}, {"\"v\"= hex(b):", "v", -1}, {"\"v\"=hex(b)", "v", -1}, {"\"v\"=hex(04):", "v", 4},
        {"@=\"x\"", "", 1}, {"abc=def", "", -1}, {"\"open=1", "", -1}, {"\"C:\\\\dir\"=\"\"", "C:\\dir", 1},
        {"\"a\\\"b\"=\"x\"", "a\\", 1}, {"\"v\"=hex(0):", "v", 0}, {"\"v\"=hex(5):", "v", 5},
        {"\"v\"=hex(6):", "v", 6}, {"\"v\"=hex(8):", "v", 8}, {"\"v\"=hex(1):", "v", 1}, {"\"v\"=", "v", -1},
        {"\"v\" dword:1", "v", -1}, {"\"v\"= \"x\"", "v", -1}, {"\"v\"=DWORD:00000001", "v", -1},
        {"\"v\"= hex:01", "v", 3}, {"\"v\"=hex:dword:", "v", 4}, {"\"v\"=hex(7):hex:", "v", 3},
        {"\"dword:\"=hex:01", "dword:", 3}, {"\"\\\\a\"=\"x\"", "\\a", 1},
        {"; \"a\"=\"b\"", "a", 1},  // looks commented out, yet it is a value line
        {"\"\x95\"x\"=1", "\x95\"x", -1}, {"\"\x95\"x\"=1", "\x95", -1, &kSingle},
        {"\"\x95=\"=dword:1", "\x95=", 4}, {"\"\x95=\"=dword:1", "\x95=", 1, &kSingle},
        {"\"v\"=\x95" "dword:1", "v", -1}, {"\"v\"=\x95" "dword:1", "v", 4, &kSingle},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line + (r.cp == &kSingle ? " [single-byte]" : ""));
        EXPECT_EQ(GetValueName(r.line, *r.cp), r.name);
        const ValueForm form = GetValueForm(r.line, *r.cp);
        EXPECT_EQ(form.known ? static_cast<int64_t>(form.type) : -1, r.type);
    }
}

TEST(ValueCodec, DwordAndStringData)
{
    const struct { std::string line; uint32_t value; std::string fileData;
                   const CodePage* cp = &kSjis; } rows[] = {
        {"\"v\"=dword:0000001a", 26, "0000001a"}, {"\"v\"=dword:1A", 26, "1A"}, {"\"v\"=dword:", 0, ""},
        {"\"v\"=dword:FFFFFFFF", 0xFFFFFFFF, "FFFFFFFF"}, {"\"v\"=dword:000000019  ", 1, "000000019  "},
        {"\"v\"=DWORD:00000001", 0xFFFFFFFF, kNone}, {"\"dword:0000000b\"=\"x\"", 0xFFFFFFFF, kNone},
        {"\"dword:1\"=dword:00000002", 2, "00000002"},  // a name never gives the number
        {"\"v\"=\x95" "dword:3", 0xFFFFFFFF, kNone}, {"\"v\"=\x95" "dword:3", 3, "3", &kSingle},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line + (r.cp == &kSingle ? " [single-byte]" : ""));
        std::string fileData = kNone;
        EXPECT_EQ(GetDwordData(r.line, *r.cp, fileData), r.value);
        EXPECT_EQ(fileData, r.fileData);
    }
    // The last character goes as the closing quote, whatever it is; the first =" counts, even in
    // the name. The string is left as the file-data text too; kNone: it is empty, the text untouched.
    const struct { std::string line, value; const CodePage* cp = &kSjis; } strings[] = {
        {"\"a\"=\"\"", ""}, {"\"a\"=\"", ""}, {"\"v\"= \"x\"", kNone}, {"\"s\"=\"xy", "x"},
        {"\"a=\"b\"=\"c\"", "b\"=\"c"}, {"\"p\"=\"C:\\\\dir\\\\\"", "C:\\dir\\"},
        {"\"p\"=\"a\\\\\\b\"", "a\\\\b"}, {"\"q\"=\"say \\\"hi\\\"\"", "say \\\"hi\\\""},
        {"\"p\"=\"\x83\x5C\\\"", "\x83\x5C\\"}, {"\"p\"=\"\x83\x5C\\\"", "\x83\x5C", &kSingle},
        {"\"\x95=\"=\"x\"", "x"}, {"\"\x95=\"=\"x\"", "=\"x", &kSingle},
    };
    for (const auto& r : strings) {
        SCOPED_TRACE(r.line + (r.cp == &kSingle ? " [single-byte]" : ""));
        std::string fileData = kNone;
        EXPECT_EQ(GetStringData(r.line, *r.cp, fileData), r.value == kNone ? "" : r.value);
        EXPECT_EQ(fileData, r.value);
    }
}

TEST(ValueCodec, HexData)
{
    // Each element gives the byte of its first two characters, whatever they are; a colon at the
    // end of the line empties the list. The size limit is checked where values are written.
    const struct { std::string line; int count; Bytes bytes; std::string fileData;
                   const CodePage* cp = &kSjis; } rows[] = {
        {"\"v\"=hex:", 0, {}, ""}, {"\"v\"=hex:01,02:", 0, {}, ""}, {"\"v\"=hex:01,02", 2, {1, 2}, "01,02"},
        {"\"v\"=hex:01,02,", 3, {1, 2, 0}, "01,02,"}, {"\"v\"=hex:1", 1, {0xE0}, "1"},
        {"\"v\"=hex:123,4", 2, {0x12, 0x10}, "123,4"}, {"\"v\"=hex:01,,02", 3, {1, 0xC0, 2}, "01,,02"},
        {"\"v\"=hex", 1, {0x1E}, "hex"}, {"\"v\"= hex:01", -1, {0xEE}, kNone},
        {"\"v\"\x95=hex:01", -1, {0xEE}, kNone}, {"\"v\"\x95=hex:01", 1, {1}, "01", &kSingle},
        {"\"v\"=hex:01\x95,02", 1, {1}, "01\x95,02"},
        {"\"v\"=hex:01\x95,02", 2, {1, 2}, "01\x95,02", &kSingle},
    };
    std::string tooLong = "\"v\"=hex:00";
    for (size_t i = 0; i < kMaxValueBytes; ++i)
        tooLong += ",00";
    Bytes bytes;
    std::string text;
    EXPECT_EQ(GetHexData(tooLong, kSjis, bytes, text), -1) << "one byte more than a value holds";
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line + (r.cp == &kSingle ? " [single-byte]" : ""));
        Bytes bytes = {0xEE};
        std::string fileData = kNone;
        EXPECT_EQ(GetHexData(r.line, *r.cp, bytes, fileData), r.count);
        EXPECT_EQ(bytes, r.bytes);
        EXPECT_EQ(fileData, r.fileData);
    }
}

TEST(ValueCodec, HexDigitArithmetic)
{
    // Unvalidated: c counts c - 55 above '9', else c - 48. Nothing past `length` is read.
    const struct { std::string text; size_t length; int byteValue; uint32_t dwordValue; } rows[] = {
        {"987654321", 9, 0x98, 0x98765432}, {"1A", 1, 16 - 48, 0x01}, {"5", 0, -16 * 48 - 48, 0},
        {"G0000000", 8, 0x100, 0}, {"zz", 2, 16 * 35 + 35, 16 * 35 + 35}, {" 1", 2, -16 * 16 + 1, 0xFFFFFF01},
        {"\x95" "0", 2, -155 * 16, static_cast<uint32_t>(-155 * 16)},  // a signed byte
    };
    for (const auto& r : rows) {
        SCOPED_TRACE("\"" + r.text + "\" length " + std::to_string(r.length));
        EXPECT_EQ(HexToByte(r.text.data(), r.length), r.byteValue);
        EXPECT_EQ(HexToDword(r.text.data(), r.length), r.dwordValue);
    }
}

TEST(ValueCodec, FormatValueText)
{
    // Only type 4 is a number; byte data shows its first 100 bytes, strings are never cut.
    std::string shown = "ab";
    while (shown.size() < 299)
        shown += ",ab";
    Bytes more(101, 0xAB);
    more[100] = 0xCD;
    const struct { int type; Bytes data; std::string text; bool longData = false; } rows[] = {
        {kRegDword, {0x1A, 0x00, 0x00, 0x80}, "8000001a"}, {kRegDword, {0x34, 0x12}, "00001234"},
        {kRegDword, {}, "00000000"}, {kRegDword, {1, 0, 0, 0, 0xFF}, "00000001"},
        {kRegSz, {'a', 'b', 0, 'c'}, "ab"}, {kRegSz, Bytes(300, 'a'), std::string(300, 'a')},
        {kRegBinary, {0x01, 0xA0, 0xFF}, "01,a0,ff"}, {kRegBinary, {}, ""},
        {kRegDwordBigEndian, {0, 0, 0, 1}, "00,00,00,01"},
        {kRegBinary, Bytes(more.begin(), more.end() - 1), shown}, {kRegBinary, more, shown, true},
    };
    for (const auto& r : rows) {
        // Exact-size heap blocks: reading past them is caught. Nothing of the text before stays.
        std::string pane = "01,02,03,04,05,06,07,08,09,0a,0b,0c";
        EXPECT_EQ(FormatValueText(r.type, r.data.data(), r.data.size(), pane), r.longData) << r.text;
        EXPECT_EQ(pane, r.text);
        EXPECT_EQ(FormatValueText(r.type, r.data.data(), r.data.size()).longData, r.longData);
    }
}

}  // namespace
}  // namespace zevo
