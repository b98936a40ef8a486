#include "registry/key_path.h"

namespace zevo {

namespace {

// Why a root name is none of the six, and what a run does with it.
void NoteUnknownRoot(Diagnostics& diagnostics, const std::string& name, size_t offset)
{
    static const char* const kShort[][2] = {
        {"HKCR", "HKEY_CLASSES_ROOT"}, {"HKCU", "HKEY_CURRENT_USER"}, {"HKLM", "HKEY_LOCAL_MACHINE"},
        {"HKU", "HKEY_USERS"}, {"HKCC", "HKEY_CURRENT_CONFIG"}, {"HKDD", "HKEY_DYN_DATA"},
    };
    if (!name.empty() && name[0] == '-') {
        diagnostics.Add("key-deletion", offset - 1,
                        MixedText("'[-...]' is the registry editor's key deletion, which this format "
                                  "does not have: no key is deleted or opened (use /%=[...])."));
        return;
    }
    MixedText message = MixedText("'").Data(name).Program("' is none of the six root names");
    std::string upper = name;
    for (char& c : upper)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (const auto& pair : kShort) {
        if (upper == pair[0] || (upper == pair[1] && name != pair[1]))
            message.Program(" (write " + std::string(pair[1]) + ")");
    }
    diagnostics.Add("unknown-root", offset,
                    message.Program(": the run opens no key under it."));
}

}  // namespace

KeyHandle GetRootKey(Registry& registry, const std::string& name, Diagnostics* diagnostics,
                     size_t offset)
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
    if (diagnostics != nullptr)
        NoteUnknownRoot(*diagnostics, name, offset);
    return 0;
}

int OpenKey(Registry& registry, ScopedKey& key, const std::string& root, const std::string& path,
            bool* created)
{
    key.Close();
    if (created != nullptr)
        *created = false;
    KeyHandle rootKey = GetRootKey(registry, root);
    if (rootKey == 0)
        return 0;
    KeyHandle opened = 0;
    if (registry.CreateKey(rootKey, path, &opened, created) != kErrorSuccess)
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
