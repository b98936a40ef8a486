#include "registry/key_path.h"

#include <gtest/gtest.h>

#include <memory>

#include "registry_fixture.h"

namespace zevo {
namespace {

class KeyPathTest : public ::testing::TestWithParam<test::RegistryFactory> {
protected:
    void SetUp() override { m_scratch = GetParam().make(); }
    Registry& Reg() { return m_scratch->Reg(); }
    std::unique_ptr<test::ScratchRegistry> m_scratch;
};

TEST_P(KeyPathTest, RootNamesMatchExactly)
{
    const struct {
        const char* name;
        bool known;
    } cases[] = {
        {"HKEY_CLASSES_ROOT", true},  {"HKEY_CURRENT_USER", true},    {"HKEY_LOCAL_MACHINE", true},
        {"HKEY_USERS", true},         {"HKEY_CURRENT_CONFIG", true},  {"hkey_current_user", false},
        {"HKLM", false},              {"HKEY_PERFORMANCE_DATA", false}, {"HKEY_CURRENT_USER ", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetRootKey(Reg(), c.name) != 0, c.known);
        ScopedKey key(Reg());
        EXPECT_EQ(OpenKey(Reg(), key, c.name, "") == 1, c.known);
        EXPECT_EQ(key.Get() != 0, c.known);
    }
    // Where the platform has no dynamic-data root, opening it simply fails.
    ScopedKey key(Reg());
    int opened = OpenKey(Reg(), key, "HKEY_DYN_DATA", "");
    EXPECT_EQ(opened == 1, key.Get() != 0);
}

TEST_P(KeyPathTest, OpensByCreating)
{
    const std::string base = m_scratch->BasePath();
    ScopedKey key(Reg());
    ASSERT_EQ(OpenKey(Reg(), key, "HKEY_CURRENT_USER", base + "\\New\\Deep"), 1);
    uint8_t byte = 7;
    ASSERT_EQ(Reg().SetValue(key, "v", 3, &byte, 1), kErrorSuccess);

    // Opening an existing key is the same call; both handles see one key.
    ScopedKey again(Reg());
    ASSERT_EQ(OpenKey(Reg(), again, "HKEY_CURRENT_USER", base + "\\NEW\\deep"), 1);
    uint32_t type = 0, size = 1;
    EXPECT_EQ(Reg().QueryValue(again, "v", &type, &byte, &size), kErrorSuccess);

    // A failure leaves the null key behind, never the key held before.
    EXPECT_EQ(OpenKey(Reg(), again, "HKEY_CURRENT_USER", "\\Bad"), 0);
    EXPECT_EQ(again.Get(), 0u);
    EXPECT_EQ(OpenKey(Reg(), key, "hkey_current_user", base), 0);
    EXPECT_EQ(key.Get(), 0u);
}

INSTANTIATE_TEST_SUITE_P(All, KeyPathTest, ::testing::ValuesIn(test::RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo
