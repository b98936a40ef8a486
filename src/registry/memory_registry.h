// A registry held in memory, for the portable core's tests and fuzzing. It
// keeps the promises the program relies on from the platform's registry,
// down to the error codes a Windows registry gives for the same calls.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "registry/registry.h"

namespace zevo {

class MemoryRegistry : public Registry {
public:
    explicit MemoryRegistry(const CodePage& cp);
    ~MemoryRegistry() override;

    KeyHandle Root(RootKey root) override;
    long CreateKey(KeyHandle parent, const std::string& path, KeyHandle* result,
                   bool* created = nullptr) override;
    long OpenKey(KeyHandle parent, const std::string& path, KeyHandle* result) override;
    long QueryValue(KeyHandle key, const std::string& name, uint32_t* type, uint8_t* data,
                    uint32_t* size) override;
    long SetValue(KeyHandle key, const std::string& name, uint32_t type, const uint8_t* data,
                  uint32_t size) override;
    long SetValueExact(KeyHandle key, const std::string& name, uint32_t type, const uint8_t* data,
                       uint32_t size) override;
    long DeleteValue(KeyHandle key, const std::string& name) override;
    long DeleteKey(KeyHandle parent, const std::string& name) override;
    long ListSubkeys(KeyHandle key, std::vector<RegistryName>& names) override;
    long ListValues(KeyHandle key, std::vector<RegistryName>& names) override;
    void CloseKey(KeyHandle key) override;

    // Handles opened and not yet closed: a test's check for leaks.
    size_t OpenHandleCount() const { return m_handles.size(); }
    // Values asked for so far: a test's check that a run asks no more than it must.
    size_t QueryCount() const { return m_queries; }
    // Every write below this key path (root and path as in a key line)
    // fails with access denied from now on.
    void DenyWrites(RootKey root, const std::string& path);

private:
    struct Key;
    Key* Resolve(KeyHandle handle, long* error) const;
    long Walk(KeyHandle parent, const std::string& path, bool create, KeyHandle* result,
              bool* created = nullptr);
    std::string Fold(const std::string& name) const;

    CodePage m_cp;
    std::vector<std::shared_ptr<Key>> m_roots;
    std::map<KeyHandle, std::shared_ptr<Key>> m_handles;
    KeyHandle m_nextHandle = 0x1000;
    size_t m_queries = 0;
};

}  // namespace zevo
