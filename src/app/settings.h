// The program's own state in the registry: string values under
// HKEY_CURRENT_USER\Software\PLV\ZEVO ("LOOP" keeps a rerun after a restart
// of Windows from restarting again).
#pragma once

#include <string>

#include "registry/registry.h"

namespace zevo {

class Settings {
public:
    explicit Settings(Registry& registry) : m_registry(registry) {}

    // Stores the text as a REG_SZ value, creating the key when missing.
    // 1 on success, 0 on failure.
    int WriteSetting(const std::string& name, const std::string& text);
    // Reads a value of at most 511 characters; the text ends at the value's
    // size or its first zero byte. 1 on success; 0 (and an empty text) when
    // the key or value is missing or the value does not fit.
    int ReadSetting(const std::string& name, std::string& text);

private:
    Registry& m_registry;
};

}  // namespace zevo
