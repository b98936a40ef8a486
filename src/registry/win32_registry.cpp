#include "registry/win32_registry.h"

#include <windows.h>

#include <vector>

namespace zevo {

namespace {

HKEY ToHkey(KeyHandle key)
{
    return reinterpret_cast<HKEY>(key);
}

KeyHandle FromHkey(HKEY key)
{
    return reinterpret_cast<KeyHandle>(key);
}

bool IsPredefined(KeyHandle key)
{
    // The predefined roots are the handles 0x80000000 to 0x80000006,
    // sign-extended on 64-bit Windows.
    return (key & 0xFFFFFFF0u) == 0x80000000u;
}

}  // namespace

KeyHandle Win32Registry::Root(RootKey root)
{
    switch (root) {
    case RootKey::ClassesRoot:
        return FromHkey(HKEY_CLASSES_ROOT);
    case RootKey::CurrentUser:
        return FromHkey(HKEY_CURRENT_USER);
    case RootKey::LocalMachine:
        return FromHkey(HKEY_LOCAL_MACHINE);
    case RootKey::Users:
        return FromHkey(HKEY_USERS);
    case RootKey::CurrentConfig:
        return FromHkey(HKEY_CURRENT_CONFIG);
    case RootKey::DynData:
        return FromHkey(HKEY_DYN_DATA);
    }
    return 0;
}

long Win32Registry::CreateKey(KeyHandle parent, const std::string& path, KeyHandle* result)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    char emptyClass[] = "";
    LONG rc = RegCreateKeyExA(ToHkey(parent), path.c_str(), 0, emptyClass, 0, KEY_ALL_ACCESS,
                              nullptr, &key, &disposition);
    *result = rc == ERROR_SUCCESS ? FromHkey(key) : 0;
    return rc;
}

long Win32Registry::OpenKey(KeyHandle parent, const std::string& path, KeyHandle* result)
{
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, KEY_ALL_ACCESS, &key);
    *result = rc == ERROR_SUCCESS ? FromHkey(key) : 0;
    return rc;
}

long Win32Registry::OpenKeyForReading(KeyHandle parent, const std::string& path, KeyHandle* result)
{
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, KEY_READ, &key);
    *result = rc == ERROR_SUCCESS ? FromHkey(key) : 0;
    return rc;
}

long Win32Registry::QueryValue(KeyHandle key, const std::string& name, uint32_t* type,
                               uint8_t* data, uint32_t* size)
{
    // Most values are small. The ANSI call converts through a buffer as large
    // as the one it is offered, so a small offer first is much cheaper; a
    // larger value is read again with the whole buffer.
    const DWORD kFirstOffer = 1024;
    DWORD valueType = 0;
    DWORD valueSize = *size < kFirstOffer ? *size : kFirstOffer;
    LONG rc = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType, data, &valueSize);
    if (rc == ERROR_MORE_DATA && valueSize <= *size) {
        valueSize = *size;
        rc = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType, data, &valueSize);
    }
    *type = valueType;
    *size = valueSize;
    return rc;
}

long Win32Registry::SetValue(KeyHandle key, const std::string& name, uint32_t type,
                             const uint8_t* data, uint32_t size)
{
    if (type == REG_SZ) {
        // Stored with its terminating zero, so that every reader on the
        // NT family finds a terminated string.
        m_text.assign(data, data + size);
        m_text.push_back(0);
        return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, m_text.data(), size + 1);
    }
    return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data, size);
}

long Win32Registry::DeleteValue(KeyHandle key, const std::string& name)
{
    return RegDeleteValueA(ToHkey(key), name.c_str());
}

long Win32Registry::DeleteKey(KeyHandle parent, const std::string& name)
{
    return RegDeleteKeyA(ToHkey(parent), name.c_str());
}

void Win32Registry::CloseKey(KeyHandle key)
{
    if (key != 0 && !IsPredefined(key))
        RegCloseKey(ToHkey(key));
}

}  // namespace zevo
