// The registry as the program uses it: the few calls it makes, with the
// platform's results (0 for success, else a Win32 error code). The program
// runs on the ADVAPI32 implementation; the portable core's tests run on an
// in-memory one that keeps the same promises.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zevo {

// An open key, or one of the predefined roots; 0 is the null key, on which
// every call fails.
using KeyHandle = std::uintptr_t;

// Win32 error codes the callers and the tests look at.
enum : long {
    kErrorSuccess = 0,
    kErrorFileNotFound = 2,
    kErrorAccessDenied = 5,
    kErrorInvalidHandle = 6,
    kErrorInvalidParameter = 87,
    kErrorBadPathname = 161,
    kErrorMoreData = 234,
    kErrorKeyDeleted = 1018,
};

enum class RootKey {
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    CurrentConfig,
    DynData,
};

// A subkey's or a value's name as the code-page calls give it. `exact` is
// false when the name, or a value's string data, holds characters that the
// system code page lacks: the code-page calls then read substitutes, and
// writing them back would not give the same name or text.
struct RegistryName {
    std::string name;
    bool exact = true;
};

class Registry {
public:
    virtual ~Registry() = default;

    // The predefined handle of a root; 0 where the platform lacks it.
    virtual KeyHandle Root(RootKey root) = 0;

    // Opens the key below `parent`, creating it and every missing key on the
    // way, with full access. An empty path opens `parent` itself anew.
    // `created`, when given, tells whether the key itself was made by this
    // call (it then holds no values).
    virtual long CreateKey(KeyHandle parent, const std::string& path, KeyHandle* result,
                           bool* created = nullptr) = 0;
    // Opens an existing key; fails when it does not exist.
    virtual long OpenKey(KeyHandle parent, const std::string& path, KeyHandle* result) = 0;
    // The same with read access only, which is all a check of the registry
    // may ask for (a user may read keys that only an administrator can write).
    virtual long OpenKeyForReading(KeyHandle parent, const std::string& path, KeyHandle* result)
    {
        return OpenKey(parent, path, result);
    }

    // Reads a value ("" is the default value). `*size` is the buffer's size
    // on entry and the value's size on return; a value larger than the
    // buffer fails with kErrorMoreData.
    virtual long QueryValue(KeyHandle key, const std::string& name, uint32_t* type,
                            uint8_t* data, uint32_t* size) = 0;
    // Writes a value of any 32-bit type code. A REG_SZ is passed without its
    // terminating zero and reads back as the same text.
    virtual long SetValue(KeyHandle key, const std::string& name, uint32_t type,
                          const uint8_t* data, uint32_t size) = 0;
    // Writes exactly these bytes, a REG_SZ too ("hex(1):" in a data file).
    virtual long SetValueExact(KeyHandle key, const std::string& name, uint32_t type,
                               const uint8_t* data, uint32_t size) = 0;
    virtual long DeleteValue(KeyHandle key, const std::string& name) = 0;
    // Deletes a key below `parent` that has no subkeys.
    virtual long DeleteKey(KeyHandle parent, const std::string& name) = 0;
    // The names of a key's subkeys, or of its values, in the platform's order.
    virtual long ListSubkeys(KeyHandle key, std::vector<RegistryName>& names) = 0;
    virtual long ListValues(KeyHandle key, std::vector<RegistryName>& names) = 0;
    virtual void CloseKey(KeyHandle key) = 0;
};

// Owns one open key of a registry and closes it on destruction. Predefined
// roots are never closed.
class ScopedKey {
public:
    ScopedKey() = default;
    explicit ScopedKey(Registry& registry) : m_registry(&registry) {}
    ~ScopedKey() { Close(); }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    KeyHandle Get() const { return m_key; }
    operator KeyHandle() const { return m_key; }

    // Closes the key held and takes the new one (opened by `registry`).
    void Reset(Registry& registry, KeyHandle key)
    {
        Close();
        m_registry = &registry;
        m_key = key;
    }
    void Close()
    {
        if (m_key != 0 && m_registry != nullptr)
            m_registry->CloseKey(m_key);
        m_key = 0;
    }

private:
    Registry* m_registry = nullptr;
    KeyHandle m_key = 0;
};

}  // namespace zevo
