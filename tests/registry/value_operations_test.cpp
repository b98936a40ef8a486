#include "registry/value_operations.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "registry/value_codec.h"
#include "registry_fixture.h"

namespace zevo {
namespace {

const CodePage kShiftJis = CodePage::ShiftJis();

class ValueOperationsTest : public ::testing::TestWithParam<test::RegistryFactory> {
protected:
    void SetUp() override
    {
        m_scratch = GetParam().make();
        m_ops = std::make_unique<ValueOperations>(m_scratch->Reg(), kShiftJis, m_display);
    }
    KeyHandle Base() { return m_scratch->Base(); }
    void Put(const std::string& name, uint32_t type, const std::string& bytes)
    {
        ASSERT_EQ(m_scratch->Reg().SetValue(Base(), name, type,
                                            reinterpret_cast<const uint8_t*>(bytes.data()),
                                            static_cast<uint32_t>(bytes.size())),
                  kErrorSuccess);
    }
    // The stored value as "type:bytes", or "missing".
    std::string Stored(const std::string& name)
    {
        std::vector<uint8_t> buffer(kMaxValueBytes);
        uint32_t type = 0, size = kMaxValueBytes;
        if (m_scratch->Reg().QueryValue(Base(), name, &type, buffer.data(), &size) != kErrorSuccess)
            return "missing";
        return std::to_string(type) + ":" + std::string(buffer.begin(), buffer.begin() + size);
    }

    std::unique_ptr<test::ScratchRegistry> m_scratch;
    ValueDisplay m_display;
    std::unique_ptr<ValueOperations> m_ops;
};

struct CompareCase {
    const char* label;
    uint32_t registryType;  // 0xFFFFFFFE: the registry holds no value
    std::string registryBytes;
    std::string line;
    int same;
    std::string fileData;
    std::string registryData;
    bool longData;
};

const uint32_t kAbsent = 0xFFFFFFFEu;

TEST_P(ValueOperationsTest, ComparesByTheRegistrysType)
{
    const std::string dword1("\x01\0\0\0", 4);
    const CompareCase cases[] = {
        {"dword equal", kRegDword, dword1, "\"v\"=dword:00000001", 1, "00000001", "00000001", false},
        {"dword against bytes", kRegDword, dword1, "\"v\"=hex:01,00,00,00", 0, "01,00,00,00",
         "00000001", false},
        {"dword, upper-case digits", kRegDword, std::string("\x1a\0\0\x80", 4),
         "\"v\"=dword:8000001A", 1, "8000001A", "8000001a", false},
        {"binary against an unknown byte-list form", kRegBinary, dword1,
         "\"v\"=hex(4):01,00,00,00", 1, "01,00,00,00", "01,00,00,00", false},
        {"empty string against dword zero", kRegSz, "", "\"v\"=dword:00000000", 1, "00000000", "",
         false},
        {"string equal with folded backslashes", kRegSz, "C:\\x", "\"v\"=\"C:\\\\x\"", 1, "C:\\x",
         "C:\\x", false},
        {"string differs in case", kRegSz, "abc", "\"v\"=\"ABC\"", 0, "ABC", "abc", false},
        {"Shift-JIS string", kRegSz, "\x95\x5C", "\"v\"=\"\x95\x5C\"", 1, "\x95\x5C", "\x95\x5C",
         false},
        {"expand string bytes", kRegExpandSz, std::string("%\0", 2), "\"v\"=hex(2):25,00", 1,
         "25,00", "25,00", false},
        {"expand string against a string line", kRegExpandSz, std::string("%\0", 2), "\"v\"=\"%\"",
         0, "%", "25,00", true},
        {"binary against empty list", kRegBinary, "", "\"v\"=hex:", 1, "", "", false},
        {"binary, trailing comma adds a zero", kRegBinary, std::string("\x01\0", 2),
         "\"v\"=hex:01,", 1, "01,", "01,00", false},
        {"missing value", kAbsent, "", "\"v\"=\"new\"", 0, "new", "", false},
        {"missing value, dword line", kAbsent, "", "\"v\"=dword:0000000a", 0, "0000000a", "",
         false},
        {"missing value, unknown form", kAbsent, "", "\"v\"=other", 0, "other", "", false},
        {"default value", kRegSz, "x", "@=\"x\"", 1, "x", "x", false},
    };
    for (const CompareCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::string name = GetValueName(c.line, kShiftJis);
        m_scratch->Reg().DeleteValue(Base(), name);
        if (c.registryType != kAbsent)
            Put(name, c.registryType, c.registryBytes);
        m_display = ValueDisplay{"stale file data", "stale registry data", false};
        EXPECT_EQ(m_ops->CompareValue(c.line, Base()), c.same);
        EXPECT_EQ(m_display.m_strFileData, c.fileData);
        EXPECT_EQ(m_display.m_strRegistryData, c.registryData);
        EXPECT_EQ(m_display.m_bLongData, c.longData);
    }
}

TEST_P(ValueOperationsTest, LongValues)
{
    std::string bytes, list;
    for (int i = 0; i < 200; ++i) {
        bytes.push_back(static_cast<char>(i));
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02x,", i);
        list += pair;
    }
    list.pop_back();
    Put("v", kRegBinary, bytes);
    EXPECT_EQ(m_ops->CompareValue("\"v\"=hex:" + list, Base()), 1);
    EXPECT_TRUE(m_display.m_bLongData);
    EXPECT_EQ(m_display.m_strRegistryData, list.substr(0, 100 * 3 - 1));
    EXPECT_EQ(m_display.m_strFileData, list);

    // Over 128000 bytes the registry's value cannot be read: always different.
    std::string huge(kMaxValueBytes + 1, '\x01');
    Put("h", kRegBinary, huge);
    std::string hugeList;
    for (size_t i = 0; i < huge.size(); ++i)
        hugeList += "01,";
    hugeList.pop_back();
    m_display.m_strRegistryData = "stale";
    EXPECT_EQ(m_ops->CompareValue("\"h\"=hex:" + hugeList, Base()), 0);
    EXPECT_EQ(m_display.m_strRegistryData, "");
    EXPECT_EQ(m_ops->SetValue(Base(), "\"h\"=hex:" + hugeList), 0) << "too long to write";
}

TEST_P(ValueOperationsTest, WritesByTheLinesType)
{
    const struct {
        const char* line;
        int written;
        std::string stored;
    } cases[] = {
        {"\"s\"=\"text\"", 1, std::string("1:text\0", 7)},
        {"\"s\"=\"\"", 1, std::string("1:\0", 3)},
        {"\"s\"=\"C:\\\\dir\\\\\"", 1, std::string("1:C:\\dir\\\0", 10)},
        {"\"s\"=\"a\nb\"", 1, std::string("1:a\nb\0", 6)},
        {"@=\"x\"", 1, std::string("1:x\0", 4)},
        {"\"d\"=dword:8000001a", 1, std::string("4:\x1a\0\0\x80", 6)},
        {"\"d\"=dword:1A", 1, std::string("4:\x1a\0\0\0", 6)},
        {"\"b\"=hex:0A,ff", 1, "3:\x0a\xff"},
        {"\"b\"=hex:", 1, "3:"},
        {"\"n\"=hex(0):01", 1, std::string("0:\x01", 3)},
        {"\"x\"=hex(2):25,00", 1, std::string("2:%\0", 4)},
        {"\"m\"=hex(7):61,00,00", 1, std::string("7:a\0\0", 5)},
        {"\"r\"=hex(8):01", 1, "8:\x01"},
        // Never stored with the type code 0xFFFFFFFF.
        {"\"u\"=hex(4):01,00,00,00", 0, "missing"},
        {"\"u\"=DWORD:00000001", 0, "missing"},
        {"abc=def", 0, "missing"},
        {"\"u\"= hex:01", 0, "missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string name = GetValueName(c.line, kShiftJis);
        m_scratch->Reg().DeleteValue(Base(), name);
        EXPECT_EQ(m_ops->SetValue(Base(), c.line), c.written);
        EXPECT_EQ(Stored(name), c.stored);
        if (c.written) {
            EXPECT_EQ(m_ops->CompareValue(c.line, Base()), 1) << "a written value compares equal";
        }
    }
}

TEST_P(ValueOperationsTest, NullKeyAndOldValues)
{
    EXPECT_EQ(m_ops->CompareValue("\"v\"=\"x\"", 0), 0);
    EXPECT_EQ(m_display.m_strFileData, "x");
    EXPECT_EQ(m_ops->SetValue(0, "\"v\"=\"x\""), 0);
    EXPECT_EQ(m_ops->ReadOldValue("\"v\"", 0), 0);

    Put("OLDNAME", kRegBinary, "\x01\x02");
    EXPECT_EQ(m_ops->ReadOldValue("\"OLDNAME\"", Base()), 1);
    EXPECT_EQ(m_display.m_strRegistryData, "01,02");
    EXPECT_EQ(m_ops->ReadOldValue("\"MISSING\"", Base()), 0);
    EXPECT_EQ(m_display.m_strRegistryData, "");
}

INSTANTIATE_TEST_SUITE_P(All, ValueOperationsTest, ::testing::ValuesIn(test::RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo
