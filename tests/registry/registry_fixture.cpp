#include "registry_fixture.h"

#include "registry/memory_registry.h"

#ifdef _WIN32
#include <windows.h>

#include "registry/win32_registry.h"
#endif

namespace zevo::test {

namespace {

class MemoryScratch : public ScratchRegistry {
public:
    MemoryScratch() : m_registry(CodePage::ShiftJis()), m_base(m_registry)
    {
        KeyHandle key = 0;
        m_registry.CreateKey(m_registry.Root(RootKey::CurrentUser), BasePath(), &key);
        m_base.Reset(m_registry, key);
    }
    Registry& Reg() override { return m_registry; }
    KeyHandle Base() override { return m_base; }
    std::string BasePath() const override { return "Software\\ZevoTest"; }

private:
    MemoryRegistry m_registry;
    ScopedKey m_base;
};

#ifdef _WIN32
class Win32Scratch : public ScratchRegistry {
public:
    Win32Scratch() : m_base(m_registry)
    {
        static int counter = 0;
        m_path = "Software\\ZevoTest\\" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++counter);
        RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        KeyHandle key = 0;
        m_registry.CreateKey(m_registry.Root(RootKey::CurrentUser), m_path, &key);
        m_base.Reset(m_registry, key);
    }
    ~Win32Scratch() override
    {
        m_base.Close();
        RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    }
    Registry& Reg() override { return m_registry; }
    KeyHandle Base() override { return m_base; }
    std::string BasePath() const override { return m_path; }

private:
    Win32Registry m_registry;
    std::string m_path;
    ScopedKey m_base;
};
#endif

}  // namespace

std::vector<RegistryFactory> RegistryFactories()
{
    std::vector<RegistryFactory> factories = {
        {"Memory", [] { return std::unique_ptr<ScratchRegistry>(new MemoryScratch()); }},
    };
#ifdef _WIN32
    factories.push_back({"Win32", [] { return std::unique_ptr<ScratchRegistry>(new Win32Scratch()); }});
#endif
    return factories;
}

}  // namespace zevo::test
