#include "registry/memory_registry.h"

#include <cstring>

namespace zevo {

namespace {

// The predefined roots use the platform's own handle values. The dynamic
// data root is missing, as on the NT family.
const KeyHandle kFirstRootHandle = 0x80000000u;
const int kRootCount = 5;
const size_t kMaxKeyNameLength = 255;
const size_t kMaxValueNameLength = 16383;

}  // namespace

struct MemoryRegistry::Key {
    struct Value {
        std::string name;  // as first written
        uint32_t type = 0;
        std::vector<uint8_t> data;
    };
    std::string name;  // as first created
    Key* parent = nullptr;
    bool deleted = false;
    bool readOnly = false;
    std::map<std::string, std::shared_ptr<Key>> subkeys;  // by folded name
    std::map<std::string, Value> values;                  // by folded name
};

MemoryRegistry::MemoryRegistry(const CodePage& cp) : m_cp(cp)
{
    for (int i = 0; i < kRootCount; ++i)
        m_roots.push_back(std::make_shared<Key>());
}

MemoryRegistry::~MemoryRegistry() = default;

KeyHandle MemoryRegistry::Root(RootKey root)
{
    switch (root) {
    case RootKey::ClassesRoot:
        return kFirstRootHandle;
    case RootKey::CurrentUser:
        return kFirstRootHandle + 1;
    case RootKey::LocalMachine:
        return kFirstRootHandle + 2;
    case RootKey::Users:
        return kFirstRootHandle + 3;
    case RootKey::CurrentConfig:
        return kFirstRootHandle + 4;
    case RootKey::DynData:
        return 0;
    }
    return 0;
}

std::string MemoryRegistry::Fold(const std::string& name) const
{
    // Names compare without regard to the case of single-byte letters; a
    // double-byte character is compared as it is.
    std::string folded = name;
    for (size_t i = 0; i < folded.size(); i += m_cp.CharLength(folded, i)) {
        if (folded[i] >= 'A' && folded[i] <= 'Z')
            folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
    }
    return folded;
}

MemoryRegistry::Key* MemoryRegistry::Resolve(KeyHandle handle, long* error) const
{
    Key* key = nullptr;
    if (handle >= kFirstRootHandle && handle < kFirstRootHandle + kRootCount) {
        key = m_roots[handle - kFirstRootHandle].get();
    } else {
        auto it = m_handles.find(handle);
        if (it != m_handles.end())
            key = it->second.get();
    }
    if (key == nullptr) {
        *error = kErrorInvalidHandle;
        return nullptr;
    }
    if (key->deleted) {
        *error = kErrorKeyDeleted;
        return nullptr;
    }
    *error = kErrorSuccess;
    return key;
}

long MemoryRegistry::Walk(KeyHandle parent, const std::string& path, bool create,
                          KeyHandle* result, bool* created)
{
    *result = 0;
    bool made = false;
    long error;
    Key* key = Resolve(parent, &error);
    if (key == nullptr)
        return error;
    if (!path.empty() && path[0] == '\\')
        return kErrorBadPathname;

    std::shared_ptr<Key> current;
    if (parent >= kFirstRootHandle && parent < kFirstRootHandle + kRootCount)
        current = m_roots[parent - kFirstRootHandle];
    else
        current = m_handles[parent];

    // Empty names between backslashes are passed over, as the platform does.
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = m_cp.Find(path, '\\', start);
        if (end == std::string::npos)
            end = path.size();
        std::string name = path.substr(start, end - start);
        start = end + 1;
        if (name.empty())
            continue;
        if (name.size() > kMaxKeyNameLength)
            return kErrorInvalidParameter;
        std::string folded = Fold(name);
        auto it = current->subkeys.find(folded);
        if (it == current->subkeys.end()) {
            if (!create)
                return kErrorFileNotFound;
            if (current->readOnly)
                return kErrorAccessDenied;
            auto child = std::make_shared<Key>();
            made = true;
            child->name = name;
            child->parent = current.get();
            child->readOnly = current->readOnly;
            it = current->subkeys.emplace(folded, child).first;
        }
        current = it->second;
    }
    KeyHandle handle = m_nextHandle;
    m_nextHandle += 4;
    m_handles[handle] = current;
    *result = handle;
    if (created != nullptr)
        *created = made;
    return kErrorSuccess;
}

long MemoryRegistry::CreateKey(KeyHandle parent, const std::string& path, KeyHandle* result,
                               bool* created)
{
    return Walk(parent, path, true, result, created);
}

long MemoryRegistry::OpenKey(KeyHandle parent, const std::string& path, KeyHandle* result)
{
    return Walk(parent, path, false, result);
}

long MemoryRegistry::QueryValue(KeyHandle key, const std::string& name, uint32_t* type,
                                uint8_t* data, uint32_t* size)
{
    ++m_queries;
    long error;
    Key* k = Resolve(key, &error);
    if (k == nullptr)
        return error;
    auto it = k->values.find(Fold(name));
    if (it == k->values.end())
        return kErrorFileNotFound;
    const Key::Value& value = it->second;
    *type = value.type;
    uint32_t needed = static_cast<uint32_t>(value.data.size());
    if (needed > *size) {
        *size = needed;
        return kErrorMoreData;
    }
    if (needed > 0)
        std::memcpy(data, value.data.data(), needed);
    *size = needed;
    return kErrorSuccess;
}

long MemoryRegistry::SetValue(KeyHandle key, const std::string& name, uint32_t type,
                              const uint8_t* data, uint32_t size)
{
    // A string is kept with its terminating zero, as the program stores it
    // on Windows.
    if (type != 1 /* REG_SZ */)
        return SetValueExact(key, name, type, data, size);
    std::vector<uint8_t> text(data, data + size);
    text.push_back(0);
    return SetValueExact(key, name, type, text.data(), size + 1);
}

long MemoryRegistry::SetValueExact(KeyHandle key, const std::string& name, uint32_t type,
                                   const uint8_t* data, uint32_t size)
{
    long error;
    Key* k = Resolve(key, &error);
    if (k == nullptr)
        return error;
    if (name.size() > kMaxValueNameLength)
        return kErrorInvalidParameter;
    if (k->readOnly)
        return kErrorAccessDenied;
    Key::Value& value = k->values[Fold(name)];
    if (value.name.empty())
        value.name = name;
    value.type = type;
    value.data.assign(data, data + size);
    return kErrorSuccess;
}

long MemoryRegistry::DeleteValue(KeyHandle key, const std::string& name)
{
    long error;
    Key* k = Resolve(key, &error);
    if (k == nullptr)
        return error;
    if (k->readOnly)
        return kErrorAccessDenied;
    return k->values.erase(Fold(name)) == 1 ? kErrorSuccess : kErrorFileNotFound;
}

long MemoryRegistry::DeleteKey(KeyHandle parent, const std::string& name)
{
    KeyHandle target = 0;
    long error = OpenKey(parent, name, &target);
    if (error != kErrorSuccess)
        return error;
    Key* key = m_handles[target].get();
    CloseKey(target);
    // Like the platform, an empty name deletes the opened key itself; a key
    // with subkeys, and a root, cannot be deleted.
    if (key->parent == nullptr || !key->subkeys.empty() || key->parent->readOnly)
        return kErrorAccessDenied;
    for (auto it = key->parent->subkeys.begin(); it != key->parent->subkeys.end(); ++it) {
        if (it->second.get() == key) {
            key->deleted = true;
            key->parent->subkeys.erase(it);
            break;
        }
    }
    return kErrorSuccess;
}

long MemoryRegistry::ListSubkeys(KeyHandle key, std::vector<RegistryName>& names)
{
    names.clear();
    long error;
    Key* k = Resolve(key, &error);
    if (k == nullptr)
        return error;
    for (const auto& subkey : k->subkeys)
        names.push_back({subkey.second->name, true});
    return kErrorSuccess;
}

long MemoryRegistry::ListValues(KeyHandle key, std::vector<RegistryName>& names)
{
    names.clear();
    long error;
    Key* k = Resolve(key, &error);
    if (k == nullptr)
        return error;
    for (const auto& value : k->values)
        names.push_back({value.second.name, true});
    return kErrorSuccess;
}

void MemoryRegistry::CloseKey(KeyHandle key)
{
    m_handles.erase(key);
}

void MemoryRegistry::DenyWrites(RootKey root, const std::string& path)
{
    KeyHandle key = 0;
    if (CreateKey(Root(root), path, &key) != kErrorSuccess)
        return;
    // The key and every key below it; keys made later inherit it.
    std::vector<Key*> pending = {m_handles[key].get()};
    while (!pending.empty()) {
        Key* k = pending.back();
        pending.pop_back();
        k->readOnly = true;
        for (auto& subkey : k->subkeys)
            pending.push_back(subkey.second.get());
    }
    CloseKey(key);
}

}  // namespace zevo
