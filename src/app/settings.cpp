#include "app/settings.h"

namespace zevo {

namespace {

const char kSettingsKey[] = "Software\\PLV\\ZEVO";
const uint32_t kSettingBufferBytes = 512;
const uint32_t kRegSz = 1;

}  // namespace

int Settings::WriteSetting(const std::string& name, const std::string& text)
{
    KeyHandle handle = 0;
    if (m_registry.CreateKey(m_registry.Root(RootKey::CurrentUser), kSettingsKey, &handle) !=
        kErrorSuccess)
        return 0;
    ScopedKey key(m_registry);
    key.Reset(m_registry, handle);
    long rc = m_registry.SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(text.data()),
                                  static_cast<uint32_t>(text.size()));
    return rc == kErrorSuccess ? 1 : 0;
}

int Settings::ReadSetting(const std::string& name, std::string& text)
{
    text.clear();
    KeyHandle handle = 0;
    if (m_registry.OpenKey(m_registry.Root(RootKey::CurrentUser), kSettingsKey, &handle) !=
        kErrorSuccess)
        return 0;
    ScopedKey key(m_registry);
    key.Reset(m_registry, handle);
    uint8_t buffer[kSettingBufferBytes];
    uint32_t type = 0, size = kSettingBufferBytes;
    if (m_registry.QueryValue(key, name, &type, buffer, &size) != kErrorSuccess)
        return 0;
    size_t length = 0;
    while (length < size && buffer[length] != 0)
        ++length;
    text.assign(reinterpret_cast<const char*>(buffer), length);
    return 1;
}

}  // namespace zevo
