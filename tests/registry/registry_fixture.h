// A registry for a test with an empty scratch key below HKEY_CURRENT_USER: the
// in-memory registry, or (on Windows) the real one, the key removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "registry/registry.h"

namespace zevo::test {

class ScratchRegistry {
public:
    explicit ScratchRegistry(Registry* registry);  // takes it over
    ~ScratchRegistry();
    Registry& Reg() { return *m_registry; }
    KeyHandle Base() { return m_base; }
    std::string BasePath() const { return m_path; }

private:
    std::unique_ptr<Registry> m_registry;
    std::string m_path;
    ScopedKey m_base;
};

struct RegistryFactory {
    std::string name;
    std::function<std::unique_ptr<ScratchRegistry>()> make;
};

inline void PrintTo(const RegistryFactory& factory, std::ostream* out) { *out << factory.name; }

// The in-memory registry everywhere; the real one as well on Windows.
std::vector<RegistryFactory> RegistryFactories();

class RegistryTest : public ::testing::TestWithParam<RegistryFactory> {
protected:
    void SetUp() override { m_scratch = GetParam().make(); }
    Registry& Reg() { return m_scratch->Reg(); }
    KeyHandle Base() { return m_scratch->Base(); }
    long Set(KeyHandle key, const std::string& name, uint32_t type, const std::string& bytes)
    {
        return Reg().SetValue(key, name, type, reinterpret_cast<const uint8_t*>(bytes.data()),
                              static_cast<uint32_t>(bytes.size()));
    }
    std::string Get(KeyHandle key, const std::string& name, uint32_t bufferSize = 64)  // "type:bytes"
    {
        std::vector<uint8_t> buffer(bufferSize);
        uint32_t type = 0, size = bufferSize;
        long rc = Reg().QueryValue(key, name, &type, buffer.data(), &size);
        if (rc != kErrorSuccess)
            return "error " + std::to_string(rc);
        return std::to_string(type) + ":" + std::string(buffer.begin(), buffer.begin() + size);
    }

    std::unique_ptr<ScratchRegistry> m_scratch;
};

}  // namespace zevo::test
