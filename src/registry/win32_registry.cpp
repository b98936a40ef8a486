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

// The name in the system code page, and whether it converts back to the
// same UTF-16 text (no character was replaced or approximated).
RegistryName FromWideName(const wchar_t* wide, int length)
{
    RegistryName result;
    if (length == 0)
        return result;
    BOOL replaced = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &replaced);
    result.name.resize(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, &result.name[0], size, nullptr, &replaced);
    std::wstring back(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, result.name.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, result.name.data(), size, &back[0], static_cast<int>(back.size()));
    result.exact = !replaced && back == std::wstring(wide, static_cast<size_t>(length));
    return result;
}

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
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

long Win32Registry::CreateKey(KeyHandle parent, const std::string& path, KeyHandle* result,
                              bool* created)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    char emptyClass[] = "";
    LONG rc = RegCreateKeyExA(ToHkey(parent), path.c_str(), 0, emptyClass, 0, KEY_ALL_ACCESS,
                              nullptr, &key, &disposition);
    *result = rc == ERROR_SUCCESS ? FromHkey(key) : 0;
    if (created != nullptr)
        *created = rc == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
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

long Win32Registry::SetValueExact(KeyHandle key, const std::string& name, uint32_t type,
                                  const uint8_t* data, uint32_t size)
{
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

long Win32Registry::ListSubkeys(KeyHandle key, std::vector<RegistryName>& names)
{
    names.clear();
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        const LONG rc = RegEnumKeyExW(ToHkey(key), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (rc != ERROR_SUCCESS)
            return rc;
        names.push_back(FromWideName(name, static_cast<int>(length)));
    }
}

long Win32Registry::ListValues(KeyHandle key, std::vector<RegistryName>& names)
{
    names.clear();
    DWORD maxName = 0, maxData = 0;
    LONG rc = RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               &maxName, &maxData, nullptr, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    std::vector<wchar_t> name(maxName + 1);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size()), type = 0;
        rc = RegEnumValueW(ToHkey(key), i, name.data(), &length, nullptr, &type, data.data(), &size);
        if (rc == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (rc != ERROR_SUCCESS)
            return rc;
        RegistryName value = FromWideName(name.data(), static_cast<int>(length));
        // Text data goes through the code page as the name does: an odd
        // byte, or a character the code page lacks, does not come back.
        if (value.exact && IsStringType(type)) {
            value.exact = size % 2 == 0 &&
                          FromWideName(reinterpret_cast<const wchar_t*>(data.data()), static_cast<int>(size / 2)).exact;
        }
        names.push_back(value);
    }
}

void Win32Registry::CloseKey(KeyHandle key)
{
    if (key != 0 && !IsPredefined(key))
        RegCloseKey(ToHkey(key));
}

}  // namespace zevo
