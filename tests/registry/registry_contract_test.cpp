// What the program relies on from a registry, checked on the in-memory one and (on Windows, under
// Wine in CI) the real one: a difference here means the fake has drifted.
#include <algorithm>

#include "registry/memory_registry.h"
#include "registry/value_codec.h"
#include "registry_fixture.h"

namespace zevo {
namespace {

class RegistryContractTest : public test::RegistryTest {
protected:
    // The result of opening (or creating) a key below `parent`; the key is closed again.
    long Open(KeyHandle parent, const std::string& path, bool create = false)
    {
        KeyHandle key = 0;
        long rc = create ? Reg().CreateKey(parent, path, &key) : Reg().OpenKey(parent, path, &key);
        EXPECT_EQ(key != 0, rc == kErrorSuccess);
        Reg().CloseKey(key);
        return rc;
    }
};

TEST_P(RegistryContractTest, KeyPathsAndNames)
{
    const struct { std::string path; bool created; } rows[] = {
        {"Trail\\", true}, {"Dbl\\\\X", true}, {"With Blank", true}, {"\\Lead", false}, {"\x83\x41", true},
        {std::string(255, 'n'), true}, {std::string(300, 'n'), false}, {"\x95\x5C\\\x83\x5C", true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Open(Base(), row.path, true) == kErrorSuccess, row.created) << row.path.substr(0, 12);
    EXPECT_EQ(Open(Base(), "\x95"), kErrorFileNotFound) << "the 0x5C second byte of 表 split the name";
    // Only single-byte letters ignore case: ア (83 41) is not ッ (83 61). Any type code is kept.
    EXPECT_EQ(Open(Base(), "\x83\x61"), kErrorFileNotFound);
    ASSERT_EQ(Set(Base(), "Value", 0xFFFFFFFFu, "1"), kErrorSuccess);
    EXPECT_EQ(Get(Base(), "VALUE"), "4294967295:1");
    // Listed as first written, double-byte names whole.
    std::vector<RegistryName> keys, values;
    ASSERT_EQ(Reg().ListSubkeys(Base(), keys) + Reg().ListValues(Base(), values), kErrorSuccess);
    std::string listed;
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const RegistryName& name : keys)
        listed += name.name.substr(0, 3) + (name.exact ? "|" : "?|");
    EXPECT_EQ(listed + values.at(0).name, "Dbl|Tra|Wit|nnn|\x83\x41|\x95\x5C|Value");
}

TEST_P(RegistryContractTest, BufferLimits)
{
    const std::string full(kMaxValueBytes, '\x5a');
    ASSERT_EQ(Set(Base(), "full", kRegBinary, full), kErrorSuccess);
    ASSERT_EQ(Set(Base(), "over", kRegBinary, full + "x"), kErrorSuccess);
    EXPECT_EQ(Get(Base(), "full", kMaxValueBytes), "3:" + full);
    std::vector<uint8_t> buffer(kMaxValueBytes + 1, 0xEE);  // a canary behind the offered size
    uint32_t type = 0, size = kMaxValueBytes;
    EXPECT_EQ(Reg().QueryValue(Base(), "over", &type, buffer.data(), &size), kErrorMoreData);
    EXPECT_EQ(size, kMaxValueBytes + 1);
    EXPECT_EQ(buffer[kMaxValueBytes], 0xEE);
    ASSERT_EQ(Set(Base(), "s", kRegSz, "abc"), kErrorSuccess);
    EXPECT_EQ(Get(Base(), "s", 3), "error 234") << "the terminator needs room as well";
}

TEST_P(RegistryContractTest, HandlesAndDeletion)
{
    KeyHandle handle = 0, leaf = 0, parent = 0;  // the null key fails every call
    for (long rc : {Reg().CreateKey(0, "x", &handle), Reg().DeleteValue(0, "v"), Reg().DeleteKey(0, "x")})
        EXPECT_NE(rc, kErrorSuccess);
    Reg().CloseKey(Reg().Root(RootKey::CurrentUser));  // harmless: the root still works afterwards
    EXPECT_EQ(Open(Reg().Root(RootKey::CurrentUser), "Software"), kErrorSuccess);

    ASSERT_EQ(Set(Base(), "v", kRegBinary, "x"), kErrorSuccess);
    ASSERT_EQ(Reg().CreateKey(Base(), "P\\Leaf", &leaf), kErrorSuccess);
    ASSERT_EQ(Reg().OpenKey(Base(), "P", &parent), kErrorSuccess);
    EXPECT_EQ(Reg().DeleteValue(Base(), "V"), kErrorSuccess);
    EXPECT_EQ(Reg().DeleteValue(Base(), "v"), kErrorFileNotFound);
    EXPECT_EQ(Reg().DeleteKey(Base(), "P"), kErrorAccessDenied) << "a key with subkeys stays";
    EXPECT_EQ(Reg().DeleteKey(parent, "Missing"), kErrorFileNotFound);
    EXPECT_EQ(Reg().DeleteKey(parent, "LEAF"), kErrorSuccess);
    EXPECT_NE(Set(leaf, "v", kRegBinary, "x"), kErrorSuccess) << "a deleted key's handle";
    EXPECT_EQ(Get(leaf, "v").substr(0, 6), "error ");
    Reg().CloseKey(leaf);
    EXPECT_EQ(Reg().DeleteKey(parent, ""), kErrorSuccess) << "the opened key itself: never pass it";
    Reg().CloseKey(parent);
    EXPECT_EQ(Open(Base(), "P"), kErrorFileNotFound);
    if (auto* memory = dynamic_cast<MemoryRegistry*>(&Reg())) {
        EXPECT_EQ(memory->OpenHandleCount(), 1u) << "the fake counts open handles for leak checks";
    }
}

INSTANTIATE_TEST_SUITE_P(All, RegistryContractTest, ::testing::ValuesIn(test::RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo
