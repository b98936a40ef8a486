// A registry for a test: an empty scratch key in the in-memory registry, or
// (on Windows) below HKEY_CURRENT_USER\Software\ZevoTest, removed afterwards.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "registry/registry.h"

namespace zevo::test {

class ScratchRegistry {
public:
    virtual ~ScratchRegistry() = default;
    virtual Registry& Reg() = 0;
    virtual KeyHandle Base() = 0;
    // Root and path of the scratch key, as a key line names them.
    virtual RootKey BaseRoot() const { return RootKey::CurrentUser; }
    virtual std::string BasePath() const = 0;
};

struct RegistryFactory {
    std::string name;
    std::function<std::unique_ptr<ScratchRegistry>()> make;
};

// Test names and failure messages show the registry's name.
inline void PrintTo(const RegistryFactory& factory, std::ostream* out)
{
    *out << factory.name;
}

// The in-memory registry everywhere; the real one as well on Windows.
std::vector<RegistryFactory> RegistryFactories();

}  // namespace zevo::test
