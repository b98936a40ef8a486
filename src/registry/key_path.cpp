#include "registry/key_path.h"

namespace zevo {

KeyHandle GetRootKey(Registry& registry, const std::string& name)
{
    static const struct {
        const char* name;
        RootKey root;
    } kRoots[] = {
        {"HKEY_CLASSES_ROOT", RootKey::ClassesRoot}, {"HKEY_CURRENT_USER", RootKey::CurrentUser},
        {"HKEY_LOCAL_MACHINE", RootKey::LocalMachine}, {"HKEY_USERS", RootKey::Users},
        {"HKEY_CURRENT_CONFIG", RootKey::CurrentConfig}, {"HKEY_DYN_DATA", RootKey::DynData},
    };
    for (const auto& entry : kRoots) {
        if (name == entry.name)
            return registry.Root(entry.root);
    }
    return 0;
}

int OpenKey(Registry& registry, ScopedKey& key, const std::string& root, const std::string& path)
{
    key.Close();
    KeyHandle rootKey = GetRootKey(registry, root);
    if (rootKey == 0)
        return 0;
    KeyHandle opened = 0;
    if (registry.CreateKey(rootKey, path, &opened) != kErrorSuccess)
        return 0;
    key.Reset(registry, opened);
    return 1;
}

long OpenExistingKey(Registry& registry, ScopedKey& key, const std::string& root,
                     const std::string& path)
{
    key.Close();
    KeyHandle rootKey = GetRootKey(registry, root);
    if (rootKey == 0)
        return kErrorBadPathname;
    KeyHandle opened = 0;
    const long rc = registry.OpenKeyForReading(rootKey, path, &opened);
    if (rc == kErrorSuccess)
        key.Reset(registry, opened);
    return rc;
}

}  // namespace zevo
