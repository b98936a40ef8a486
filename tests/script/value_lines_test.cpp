// Values as data-file lines: the plainest form that reads back exactly, else a byte list of the type.
#include <gtest/gtest.h>

#include "registry/value_codec.h"
#include "script/value_lines.h"

namespace zevo {
namespace {

using namespace std::string_literals;

TEST(ValueLines, PlainestFormThatReadsBack)
{
    const std::string thirty(30, '\x11');
    const struct { std::string name; uint32_t type; std::string data, lines; } rows[] = {
        {"", kRegSz, "x\0"s, "@=\"x\"\n"}, {"a\\b", kRegSz, "C:\\\0"s, "\"a\\\\b\"=\"C:\\\\\"\n"},
        {"\x95\x5C", kRegSz, "\x95\x5C\0"s, "\"\x95\x5C\"=\"\x95\x5C\"\n"},  // a 0x5C second byte is no backslash
        {"s", kRegSz, "abc", "\"s\"=hex(1):61,62,63\n"}, {"s", kRegSz, "a\0b\0"s, "\"s\"=hex(1):61,00,62,00\n"},
        {"m", kRegSz, "a\nb\0"s, "\"m\"=\"a\nb\"\n"}, {"m", kRegSz, "a\r\nb\0"s, "\"m\"=\"a\r\nb\"\n"},
        {"m", kRegSz, "x\"\ny\0"s, "\"m\"=hex(1):78,22,0a,79,00\n"},  // would end at the first line's quote
        {"m", kRegSz, "x\\\ny\0"s, "\"m\"=hex(1):78,5c,0a,79,00\n"},  // would go on as a byte list
        {"d", kRegDword, "\x10\0\0\x80"s, "\"d\"=dword:80000010\n"}, {"d", kRegDword, "\1\2", "\"d\"=hex(4):01,02\n"},
        {"b", kRegBinary, "", "\"b\"=hex:\n"}, {"e", kRegExpandSz, "%\0"s, "\"e\"=hex(2):25,00\n"},
        {"q", 11, "\1", "\"q\"=hex(b):01\n"}, {"t", 0xffffffffu, "", "\"t\"=hex(ffffffff):\n"},
        {"b", kRegBinary, thirty, "\"b\"=hex:11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,\\\n"
                                  "  11,11,11,11,11,11,11\n"},
    };
    for (const auto& r : rows) {
        std::string lines, why;
        EXPECT_TRUE(FormatValueLines(r.name, r.type, reinterpret_cast<const uint8_t*>(r.data.data()), r.data.size(),
                                     CodePage::ShiftJis(), lines, why)) << r.lines;
        EXPECT_EQ(lines, r.lines);
    }
    const struct { std::string name, data, why; } refused[] = {
        {"q\"", "x", "its name holds a double quote"}, {"a\nb", "x", "no data-file line reads back as this value"},
        {"big", std::string(kMaxValueBytes + 1, 'x'), "its data are longer than 128,000 bytes"},
    };
    for (const auto& r : refused) {
        std::string lines, why;
        EXPECT_FALSE(FormatValueLines(r.name, kRegBinary, reinterpret_cast<const uint8_t*>(r.data.data()), r.data.size(),
                                      CodePage::ShiftJis(), lines, why));
        EXPECT_EQ(why, r.why);
    }
    std::string line;
    EXPECT_TRUE(FormatKeyLine("HKEY_CURRENT_USER", "a]", CodePage::ShiftJis(), line));
    EXPECT_EQ(line, "[HKEY_CURRENT_USER\\a]]\n");
    EXPECT_FALSE(FormatKeyLine("HKEY_CURRENT_USER", "a\nb", CodePage::ShiftJis(), line));
}

}  // namespace
}  // namespace zevo
