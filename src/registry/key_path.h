// Root keys by name, and opening a key below a named root.
#pragma once

#include <string>

#include "common/diagnostics.h"
#include "registry/registry.h"

namespace zevo {

// The predefined root of one of the six names, spelled exactly
// ("HKEY_CURRENT_USER" ...); 0 for any other text.
// `diagnostics`, when given, hears of a name that is none of them (found
// at `offset` of the current line).
KeyHandle GetRootKey(Registry& registry, const std::string& name,
                     Diagnostics* diagnostics = nullptr, size_t offset = 0);

// Opens the key below the named root into `key`, creating it and every
// missing key on its path. Returns 1 when it is open; 0 on failure, and then
// `key` holds the null key (never an earlier, closed one).
// `created`, when given, tells whether the key itself was made now.
int OpenKey(Registry& registry, ScopedKey& key, const std::string& root, const std::string& path,
            bool* created = nullptr);

// Opens an existing key below the named root for reading, creating nothing.
// Returns the platform's result (kErrorFileNotFound when the key does not
// exist, kErrorBadPathname for an unknown root); `key` holds the null key
// unless it succeeded.
long OpenExistingKey(Registry& registry, ScopedKey& key, const std::string& root,
                     const std::string& path);

}  // namespace zevo
