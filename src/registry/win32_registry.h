// The registry through ADVAPI32's ANSI calls: names and data are bytes in the
// system code page, as the data file has them.
#pragma once

#include <vector>

#include "registry/registry.h"

namespace zevo {

class Win32Registry : public Registry {
public:
    KeyHandle Root(RootKey root) override;
    long CreateKey(KeyHandle parent, const std::string& path, KeyHandle* result,
                   bool* created = nullptr) override;
    long OpenKey(KeyHandle parent, const std::string& path, KeyHandle* result) override;
    long OpenKeyForReading(KeyHandle parent, const std::string& path, KeyHandle* result) override;
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

private:
    std::vector<uint8_t> m_text;  // a string with its terminator, reused from call to call
};

}  // namespace zevo
