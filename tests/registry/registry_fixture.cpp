#include "registry_fixture.h"

#include "registry/memory_registry.h"

#ifdef _WIN32
#include <windows.h>

#include "registry/win32_registry.h"
#endif

namespace zevo::test {

ScratchRegistry::ScratchRegistry(Registry* registry) : m_registry(registry)
{
    static int counter = 0;  // a key of its own for each test of each process
    m_path = "Software\\ZevoTest\\" + std::to_string(++counter);
#ifdef _WIN32
    m_path += "-" + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());  // the real key, whichever registry is used
#endif
    KeyHandle key = 0;
    m_registry->CreateKey(m_registry->Root(RootKey::CurrentUser), m_path, &key);
    m_base.Reset(*m_registry, key);
}

ScratchRegistry::~ScratchRegistry()
{
    m_base.Close();
#ifdef _WIN32
    RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
#endif
}

std::vector<RegistryFactory> RegistryFactories()
{
    return {
        {"Memory", [] { return std::make_unique<ScratchRegistry>(new MemoryRegistry(CodePage::ShiftJis())); }},
#ifdef _WIN32
        {"Win32", [] { return std::make_unique<ScratchRegistry>(new Win32Registry()); }},
#endif
    };
}

}  // namespace zevo::test
