#include "registry/key_path.h"

#include "registry_fixture.h"

namespace zevo {
namespace {

class KeyPathTest : public test::RegistryTest {};

TEST_P(KeyPathTest, OpensBelowARootNamedExactly)
{
    // Known and unknown names alternate: a failure leaves the null key, never the key held before.
    const struct { const char* name; bool known; } roots[] = {
        {"HKEY_CLASSES_ROOT", true}, {"hkey_current_user", false}, {"HKEY_CURRENT_USER", true},
        {"HKLM", false}, {"HKEY_LOCAL_MACHINE", true}, {"HKEY_CURRENT_USER ", false}, {"HKEY_USERS", true},
        {"", false}, {"HKEY_CURRENT_CONFIG", true}, {"HKEY_PERFORMANCE_DATA", false},
    };
    ScopedKey key(Reg());
    for (const auto& root : roots) {
        SCOPED_TRACE(root.name);
        EXPECT_EQ(OpenKey(Reg(), key, root.name, ""), root.known ? 1 : 0);
        EXPECT_EQ(key.Get() != 0, root.known);
    }
    // The key is made with every key on its path; names ignore the case of letters.
    ASSERT_EQ(OpenKey(Reg(), key, "HKEY_CURRENT_USER", m_scratch->BasePath() + "\\New\\Deep"), 1);
    KeyHandle deep = 0;
    EXPECT_EQ(Reg().OpenKey(Base(), "new\\DEEP", &deep), kErrorSuccess);
    Reg().CloseKey(deep);
    EXPECT_EQ(OpenKey(Reg(), key, "HKEY_CURRENT_USER", "\\Bad"), 0);
    EXPECT_EQ(key.Get(), 0u);
}

INSTANTIATE_TEST_SUITE_P(All, KeyPathTest, ::testing::ValuesIn(test::RegistryFactories()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zevo
