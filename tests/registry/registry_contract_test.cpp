// What the program relies on from the registry, checked against every
// implementation: the in-memory one everywhere, the real one on Windows
// (under Wine in CI). A difference here means the fake has drifted.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "registry/memory_registry.h"
#include "registry/value_codec.h"
#include "registry_fixture.h"

namespace zevo {
namespace {

class RegistryContractTest : public ::testing::TestWithParam<test::RegistryFactory> {
protected:
    void SetUp() override
    {
        m_scratch = GetParam().make();
        ASSERT_NE(Base(), 0u);
    }
    Registry& Reg() { return m_scratch->Reg(); }
    KeyHandle Base() { return m_scratch->Base(); }

    long Set(KeyHandle key, const std::string& name, uint32_t type, const std::string& bytes)
    {
        return Reg().SetValue(key, name, type, reinterpret_cast<const uint8_t*>(bytes.data()),
                              static_cast<uint32_t>(bytes.size()));
    }
    // The value's type and bytes as "type:bytes", or "error N".
    std::string Get(KeyHandle key, const std::string& name, uint32_t bufferSize = 64)
    {
        std::vector<uint8_t> buffer(bufferSize);
        uint32_t type = 0, size = bufferSize;
        long rc = Reg().QueryValue(key, name, &type, buffer.data(), &size);
        if (rc != kErrorSuccess)
            return "error " + std::to_string(rc);
        return std::to_string(type) + ":" + std::string(buffer.begin(), buffer.begin() + size);
    }

    std::unique_ptr<test::ScratchRegistry> m_scratch;
};

TEST_P(RegistryContractTest, CreateMakesTheWholePathAndOpensIt)
{
    ScopedKey deep(Reg());
    KeyHandle handle = 0;
    ASSERT_EQ(Reg().CreateKey(Base(), "New\\Deep", &handle), kErrorSuccess);
    deep.Reset(Reg(), handle);
    EXPECT_EQ(Set(deep, "v", kRegBinary, "x"), kErrorSuccess);

    ScopedKey reopened(Reg());
    ASSERT_EQ(Reg().OpenKey(Base(), "new\\DEEP", &handle), kErrorSuccess);
    reopened.Reset(Reg(), handle);
    EXPECT_EQ(Get(reopened, "V"), "3:x");

    // An empty path opens the parent anew; closing that handle leaves the parent open.
    ASSERT_EQ(Reg().CreateKey(deep, "", &handle), kErrorSuccess);
    EXPECT_NE(handle, deep.Get());
    Reg().CloseKey(handle);
    EXPECT_EQ(Get(deep, "v"), "3:x");
}

TEST_P(RegistryContractTest, KeyPathForms)
{
    const struct {
        const char* label;
        std::string path;
        bool created;
    } cases[] = {
        {"leading backslash", "\\Lead", false},
        {"trailing backslash", "Trail\\", true},
        {"doubled backslash", "Dbl\\\\X", true},
        {"blank inside a name", "With Blank", true},
        {"name of 255 characters", std::string(255, 'n'), true},
        {"name of 300 characters", std::string(300, 'n'), false},
        {"double-byte name with a 0x5C second byte", "\x95\x5C\\\x83\x5C", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        KeyHandle handle = 0;
        long rc = Reg().CreateKey(Base(), c.path, &handle);
        EXPECT_EQ(rc == kErrorSuccess, c.created) << "result " << rc;
        EXPECT_EQ(handle != 0, c.created);
        Reg().CloseKey(handle);
    }
    // The 0x5C second byte did not split the name: "表" is one key, not "\x95".
    KeyHandle handle = 0;
    EXPECT_EQ(Reg().OpenKey(Base(), "\x95", &handle), kErrorFileNotFound);
    ASSERT_EQ(Reg().OpenKey(Base(), "\x95\x5C", &handle), kErrorSuccess);
    Reg().CloseKey(handle);
}

TEST_P(RegistryContractTest, NamesIgnoreTheCaseOfSingleByteLettersOnly)
{
    ASSERT_EQ(Set(Base(), "Value", kRegBinary, "1"), kErrorSuccess);
    EXPECT_EQ(Get(Base(), "VALUE"), "3:1");
    // ア (83 41) and ッ (83 61) differ only in a second byte that looks like a letter.
    ASSERT_EQ(Set(Base(), "\x83\x41", kRegBinary, "2"), kErrorSuccess);
    EXPECT_EQ(Get(Base(), "\x83\x61"), "error 2");

    KeyHandle a = 0, b = 0;
    ASSERT_EQ(Reg().CreateKey(Base(), "\x83\x41", &a), kErrorSuccess);
    ASSERT_EQ(Reg().OpenKey(Base(), "\x83\x61", &b), kErrorFileNotFound);
    Reg().CloseKey(a);
}

TEST_P(RegistryContractTest, ValuesKeepTypeAndBytes)
{
    const struct {
        const char* label;
        std::string name;
        uint32_t type;
        std::string bytes;
        std::string readBack;
    } cases[] = {
        {"string without terminator", "s", kRegSz, "abc", std::string("1:abc\0", 6)},
        {"empty string", "e", kRegSz, "", std::string("1:\0", 3)},
        {"Shift-JIS string", "j", kRegSz, "\x95\x5C\x83\x5C", std::string("1:\x95\x5C\x83\x5C\0", 7)},
        {"default value", "", kRegSz, "x", std::string("1:x\0", 4)},
        {"dword", "d", kRegDword, std::string("\x1a\0\0\x80", 4), std::string("4:\x1a\0\0\x80", 6)},
        {"binary with zeros", "b", kRegBinary, std::string("\0\1\0", 3), std::string("3:\0\1\0", 5)},
        {"empty binary", "eb", kRegBinary, "", "3:"},
        {"expand string as bytes", "x", kRegExpandSz, std::string("%\0", 2), std::string("2:%\0", 4)},
        {"type 0xFFFFFFFF", "t1", 0xFFFFFFFFu, "ab", "4294967295:ab"},
        {"unknown type code", "t2", 0x12345678u, "ab", "305419896:ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_EQ(Set(Base(), c.name, c.type, c.bytes), kErrorSuccess);
        EXPECT_EQ(Get(Base(), c.name), c.readBack);
    }
    // A string reads back as the same text whatever the reader does with the size.
    std::vector<uint8_t> buffer(16);
    uint32_t type = 0, size = 16;
    ASSERT_EQ(Reg().QueryValue(Base(), "s", &type, buffer.data(), &size), kErrorSuccess);
    EXPECT_EQ(FormatValueText(type, buffer.data(), size).text, "abc");
}

TEST_P(RegistryContractTest, BufferLimits)
{
    std::string full(kMaxValueBytes, '\x5a');
    ASSERT_EQ(Set(Base(), "full", kRegBinary, full), kErrorSuccess);
    ASSERT_EQ(Set(Base(), "over", kRegBinary, full + "x"), kErrorSuccess);

    // A canary behind the offered size shows that nothing is written past it.
    std::vector<uint8_t> buffer(kMaxValueBytes + 16, 0xEE);
    uint32_t type = 0, size = kMaxValueBytes;
    ASSERT_EQ(Reg().QueryValue(Base(), "full", &type, buffer.data(), &size), kErrorSuccess);
    EXPECT_EQ(size, kMaxValueBytes);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + size), full);
    EXPECT_EQ(buffer[kMaxValueBytes], 0xEE);

    size = kMaxValueBytes;
    EXPECT_EQ(Reg().QueryValue(Base(), "over", &type, buffer.data(), &size), kErrorMoreData);
    EXPECT_EQ(size, kMaxValueBytes + 1);
    EXPECT_EQ(buffer[kMaxValueBytes], 0xEE);

    // A string needs room for its terminator as well.
    ASSERT_EQ(Set(Base(), "s", kRegSz, "abc"), kErrorSuccess);
    EXPECT_EQ(Get(Base(), "s", 3), "error 234");
    EXPECT_EQ(Get(Base(), "s", 4), std::string("1:abc\0", 6));
}

TEST_P(RegistryContractTest, NullHandleFailsEverywhere)
{
    KeyHandle handle = 1234;
    EXPECT_NE(Reg().CreateKey(0, "x", &handle), kErrorSuccess);
    EXPECT_EQ(handle, 0u);
    EXPECT_NE(Set(0, "v", kRegBinary, "x"), kErrorSuccess);
    EXPECT_NE(Get(0, "v"), "3:x");
    EXPECT_NE(Reg().DeleteValue(0, "v"), kErrorSuccess);
    EXPECT_NE(Reg().DeleteKey(0, "x"), kErrorSuccess);
    Reg().CloseKey(0);
}

TEST_P(RegistryContractTest, Deletion)
{
    ASSERT_EQ(Set(Base(), "v", kRegBinary, "x"), kErrorSuccess);
    EXPECT_EQ(Reg().DeleteValue(Base(), "V"), kErrorSuccess);
    EXPECT_EQ(Get(Base(), "v"), "error 2");
    EXPECT_EQ(Reg().DeleteValue(Base(), "v"), kErrorFileNotFound);

    KeyHandle leaf = 0, parent = 0;
    ASSERT_EQ(Reg().CreateKey(Base(), "P\\Leaf", &leaf), kErrorSuccess);
    ASSERT_EQ(Reg().OpenKey(Base(), "P", &parent), kErrorSuccess);
    EXPECT_EQ(Reg().DeleteKey(Base(), "P"), kErrorAccessDenied) << "a key with subkeys stays";
    EXPECT_EQ(Reg().DeleteKey(parent, "Missing"), kErrorFileNotFound);
    EXPECT_EQ(Reg().DeleteKey(parent, "LEAF"), kErrorSuccess);
    // A handle of a deleted key no longer reads or writes.
    EXPECT_NE(Set(leaf, "v", kRegBinary, "x"), kErrorSuccess);
    EXPECT_NE(Get(leaf, "v"), "3:x");
    Reg().CloseKey(leaf);

    // An empty name deletes the opened key itself: callers must never pass one.
    EXPECT_EQ(Reg().DeleteKey(parent, ""), kErrorSuccess);
    Reg().CloseKey(parent);
    KeyHandle gone = 0;
    EXPECT_EQ(Reg().OpenKey(Base(), "P", &gone), kErrorFileNotFound);
}

TEST_P(RegistryContractTest, PredefinedRoots)
{
    for (RootKey root : {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine,
                         RootKey::Users, RootKey::CurrentConfig}) {
        KeyHandle key = 0;
        EXPECT_EQ(Reg().CreateKey(Reg().Root(root), "", &key), kErrorSuccess);
        Reg().CloseKey(key);
    }
    // Closing a root is harmless: it still works afterwards.
    Reg().CloseKey(Reg().Root(RootKey::CurrentUser));
    KeyHandle key = 0;
    EXPECT_EQ(Reg().OpenKey(Reg().Root(RootKey::CurrentUser), "Software", &key), kErrorSuccess);
    Reg().CloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(All, RegistryContractTest, ::testing::ValuesIn(test::RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

TEST(MemoryRegistryTest, CountsOpenHandlesAndDeniesWrites)
{
    MemoryRegistry registry(CodePage::ShiftJis());
    KeyHandle cu = registry.Root(RootKey::CurrentUser);
    {
        ScopedKey key(registry);
        KeyHandle handle = 0;
        ASSERT_EQ(registry.CreateKey(cu, "Software\\A", &handle), kErrorSuccess);
        key.Reset(registry, handle);
        EXPECT_EQ(registry.OpenHandleCount(), 1u);
    }
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    EXPECT_EQ(registry.Root(RootKey::DynData), 0u);

    KeyHandle existing = 0;
    ASSERT_EQ(registry.CreateKey(cu, "Software\\A\\Old", &existing), kErrorSuccess);
    registry.DenyWrites(RootKey::CurrentUser, "Software\\A");
    uint8_t one = 1;
    EXPECT_EQ(registry.SetValue(existing, "v", kRegBinary, &one, 1), kErrorAccessDenied)
        << "keys that already existed below it are denied too";
    registry.CloseKey(existing);
    KeyHandle handle = 0;
    ASSERT_EQ(registry.OpenKey(cu, "Software\\A", &handle), kErrorSuccess);
    uint8_t byte = 1;
    EXPECT_EQ(registry.SetValue(handle, "v", kRegBinary, &byte, 1), kErrorAccessDenied);
    KeyHandle sub = 0;
    EXPECT_EQ(registry.CreateKey(handle, "Sub", &sub), kErrorAccessDenied);
    registry.CloseKey(handle);
}

}  // namespace
}  // namespace zevo
