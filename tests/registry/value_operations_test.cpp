#include "registry/value_operations.h"

#include "registry/value_codec.h"
#include "registry_fixture.h"

namespace zevo {
namespace {

using namespace std::string_literals;

const CodePage kShiftJis = CodePage::ShiftJis();
const uint32_t kAbsent = 0xFFFFFFFEu;  // the registry holds no value

class ValueOperationsTest : public test::RegistryTest {};

std::string List(size_t n)  // "ab,ab,...", n bytes
{
    std::string list = "ab";
    while (--n > 0)
        list += ",ab";
    return list;
}

TEST_P(ValueOperationsTest, ComparesAndWrites)
{
    ValueDisplay display;
    ValueOperations ops(Reg(), kShiftJis, display);
    const std::string big(128000, '\xab');
    // Compared by the registry's type; equal values are compared below, after each write.
    const struct { uint32_t type; std::string bytes, line; int same; std::string fileData, registryData;
                   bool longData; } rows[] = {
        {kRegDword, "\xff\xff\xff\xff", "\"v\"=hex:ff,ff,ff,ff", 0, "ff,ff,ff,ff", "ffffffff", false},
        {kRegSz, "", "\"v\"=dword:00000000", 1, "00000000", "", false},  // no =": the empty string
        {kRegSz, "abc", "\"v\"=\"ABC\"", 0, "ABC", "abc", false},
        // A string that holds "dword:" reads as a number against a dword; it is still written as a string.
        {kRegDword, "\1\0\0\0"s, "\"v\"=\"dword:00000001\"", 0, "00000001\"", "00000001", false},
        {kRegDword, "", "\"v\"=dword:00000000", 1, "00000000", "00000000", false},  // a dword of no bytes
        // Other types compare bytes, whatever the line's own byte-list form.
        {kRegBinary, "\1\0"s, "\"v\"=hex(8):01,00", 1, "01,00", "01,00", false},
        // Any other "hex(N):" list equals only the same type and bytes.
        {kRegBinary, "\1\0"s, "\"v\"=hex(3):01,00", 1, "01,00", "01,00", false},
        {kRegDword, "\1\0\0\0"s, "\"v\"=hex(b):01,00,00,00", 0, "01,00,00,00", "00000001", false},
        {kRegBinary, "\x01\x02", "\"v\"=hex:01,03", 0, "01,03", "01,02", false},
        {kRegBinary, "\x01", "\"v\"=hex:01,02", 0, "01,02", "01", false},
        {kRegBinary, "\x01", "\"v\"=hex:02", 0, "02", "01", false},
        {kRegExpandSz, "%\0"s, "\"v\"=\"%\"", 0, "%", "25,00", true},  // no byte list: long
        {kAbsent, "", "\"v\"=\"new\"", 0, "new", "", false},
        {kAbsent, "", "\"v\"=dword:0000000a", 0, "0000000a", "", false},
        {kAbsent, "", "\"v\"=other", 0, "other", "", false},
        // Byte data over 100 bytes is flagged as long; a value over 128000 bytes cannot be read.
        {kRegBinary, big.substr(0, 100), "\"v\"=hex:" + List(100), 1, List(100), List(100), false},
        {kRegBinary, big.substr(0, 101), "\"v\"=hex:" + List(101), 1, List(101), List(100), true},
        {kRegBinary, big, "\"v\"=hex:" + List(128000), 1, List(128000), List(100), true},
        {kRegBinary, big + "\xab", "\"v\"=hex:" + List(128001), 0, List(128001), "", true},
        {kAbsent, "", "\"v\"=hex:" + List(100), 0, List(100), "", false},
    };
    int writes = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line.substr(0, 30));
        Reg().DeleteValue(Base(), "v");
        ASSERT_EQ(r.type == kAbsent ? kErrorSuccess : Set(Base(), "v", r.type, r.bytes), kErrorSuccess);
        display = ValueDisplay{"stale file data", "stale registry data", false};
        EXPECT_EQ(ops.CompareValue(r.line, Base()), r.same);
        EXPECT_EQ(display.m_strFileData, r.fileData);
        EXPECT_EQ(display.m_strRegistryData, r.registryData);
        EXPECT_EQ(display.m_bLongData, r.longData);
        // The write after a comparison writes the line's own form, whatever the registry held.
        const int written = ops.SetValue(Base(), r.line);
        writes += written;
        EXPECT_EQ(ops.CompareValue(r.line, Base()), written) << "a written value compares equal";
    }
    EXPECT_EQ(writes, static_cast<int>(std::size(rows)) - 2) << "all but \"other\" and the list too long";
    // A string stored without its zero: the comparison reads nothing after its bytes.
    const auto exact = [this](const char* text, uint32_t size) {
        Reg().SetValueExact(Base(), "v", kRegSz, reinterpret_cast<const uint8_t*>(text), size);
    };
    exact("abcd", 4);
    ops.CompareValue("\"v\"=\"x\"", Base());
    exact("abc", 3);
    EXPECT_EQ(ops.CompareValue("\"v\"=\"abc\"", Base()), 1);
    const struct { std::string line, stored; } lines[] = {
        {"\"s\"=\"\"", "1:\0"s}, {"\"s\"=\"a\nb\"", "1:a\nb\0"s}, {"@=\"x\"", "1:x\0"s}, {"\"e\"=hex:", "3:"},
        {"\"s\"=\"\x95\x5C\x83\x5C\"", "1:\x95\x5C\x83\x5C\0"s}, {"\"b\"=hex:00,ff,00", "3:\0\xff\0"s},
        {"\"d\"=dword:12345678", "4:\x78\x56\x34\x12"}, {"\"x\"=hex(2):25,00", "2:%\0"s},
        {"\"m\"=hex(7):61,00,00", "7:a\0\0"s},
        // At most 128000 bytes, a trailing comma's byte of 0 among them.
        {"\"L\"=hex:" + List(128000), "3:" + big}, {"\"L\"=hex:" + List(128001), "error 2"},
        {"\"L\"=hex:" + List(127999) + ",", "3:" + big.substr(1) + '\0'},
        {"\"L\"=hex:" + List(128000) + ",", "error 2"},
        // Any type, its bytes exactly; never a list the reader does not find.
        {"\"u\"=hex(4):01,00", "4:\1\0"s}, {"\"t\"=hex(1):61,62", "1:ab"}, {"\"n\"=hex(ffffffff):", "4294967295:"},
        {"\"u\"= hex:01", "error 2"},
    };
    for (const auto& r : lines) {
        SCOPED_TRACE(r.line.substr(0, 30));
        const std::string name = GetValueName(r.line, kShiftJis);
        Reg().DeleteValue(Base(), name);
        const bool written = r.stored != "error 2";
        EXPECT_EQ(ops.SetValue(Base(), r.line), written ? 1 : 0);
        EXPECT_EQ(Get(Base(), name, kMaxValueBytes), r.stored);
        EXPECT_EQ(ops.CompareValue(r.line, Base()), written ? 1 : 0) << "a written value compares equal";
    }
    EXPECT_EQ(ops.ReadOldValue("\"B\"", Base()), 1);
    EXPECT_EQ(display.m_strRegistryData, "00,ff,00");
    EXPECT_EQ(ops.ReadOldValue("\"missing\"", Base()), 0);
    EXPECT_EQ(display.m_strRegistryData, "");
}

INSTANTIATE_TEST_SUITE_P(All, ValueOperationsTest, ::testing::ValuesIn(test::RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo
