#include "registry/value_operations.h"

#include <cstring>

#include "registry/value_codec.h"

namespace zevo {

ValueOperations::ValueOperations(Registry& registry, const CodePage& cp, ValueDisplay& display)
    : m_registry(registry), m_cp(cp), m_display(display), m_registryData(kMaxValueBytes + 1)
{
    m_lineData.reserve(kMaxValueBytes);
}

int ValueOperations::QueryValueText(KeyHandle key, const std::string& name, uint32_t& type,
                                    uint32_t& size)
{
    m_display.m_strRegistryData.clear();
    size = kMaxValueBytes;
    const long rc = m_registry.QueryValue(key, name, &type, m_registryData.data(), &size);
    // A value too long to read is there all the same.
    m_lastFound = rc == kErrorSuccess || rc == kErrorMoreData;
    if (rc != kErrorSuccess)
        return 0;
    m_display.m_bLongData = FormatValueText(static_cast<int>(type), m_registryData.data(), size,
                                            m_display.m_strRegistryData);
    return 1;
}

int ValueOperations::CompareValue(const std::string& line, KeyHandle key)
{
    uint32_t type = 0, size = 0;
    if (!QueryValueText(key, GetValueName(line, m_cp), type, size)) {
        ShowLineValue(line);
        return 0;
    }
    const uint8_t* registryData = m_registryData.data();
    std::string& fileData = m_display.m_strFileData;
    bool decoded = false;
    bool same = false;
    const ValueForm form = GetValueForm(line, m_cp);
    // A "hex(N):" list of any type equals only that type with those bytes.
    // Otherwise the registry's type decides how the line is read: a string
    // equals only a string, a number only a dword line, and other types
    // compare bytes whatever the line's own byte-list form.
    switch (form.typed ? kUnknownType : static_cast<int>(type)) {
    case kRegDword: {
        uint8_t four[4] = {0, 0, 0, 0};
        std::memcpy(four, registryData, size < 4 ? size : 4);
        uint32_t number = GetDwordData(line, m_cp, fileData, &decoded);
        same = form.known && form.type == kRegDword && BytesToDword(four) == number;
        break;
    }
    case kRegSz: {
        size_t length = 0;
        while (length < size && registryData[length] != 0)
            ++length;
        const std::string& text = GetStringData(line, m_cp, fileData, &decoded);
        same = text.size() == length && std::memcmp(text.data(), registryData, length) == 0;
        break;
    }
    default: {
        int n = GetHexData(line, m_cp, m_lineData, fileData, &decoded);
        m_display.m_bLongData = static_cast<unsigned>(n) > kMaxDisplayBytes;
        same = n >= 0 && static_cast<uint32_t>(n) == size &&
               (n == 0 || std::memcmp(m_lineData.data(), registryData, size) == 0) &&
               (!form.typed || form.type == type);
        break;
    }
    }
    // When the registry's type finds nothing to decode in the line, the pane
    // still shows the line's own value, never the previous entry's.
    if (!decoded)
        ShowLineValue(line);
    return same ? 1 : 0;
}

int ValueOperations::CompareMissing(const std::string& line)
{
    m_display.m_strRegistryData.clear();
    m_lastFound = false;
    ShowLineValue(line);
    return 0;
}

void ValueOperations::ShowLineValue(const std::string& line)
{
    std::string& fileData = m_display.m_strFileData;
    bool decoded = false;
    const ValueForm form = GetValueForm(line, m_cp, m_diagnostics);
    // A line of no known form is never written: its bytes are shown, not judged.
    Diagnostics* const decoding = form.known ? m_diagnostics : nullptr;
    switch (form.known && !form.typed ? static_cast<int>(form.type) : kUnknownType) {
    case kRegDword:
        GetDwordData(line, m_cp, fileData, &decoded, m_diagnostics);
        break;
    case kRegSz:
        GetStringData(line, m_cp, fileData, &decoded, m_diagnostics);
        break;
    default: {
        int n = GetHexData(line, m_cp, m_lineData, fileData, &decoded, decoding);
        if (static_cast<unsigned>(n) > kMaxDisplayBytes && decoded)
            m_display.m_bLongData = true;
        break;
    }
    }
    if (!decoded) {
        // A form the codec does not know: show what stands after the "=".
        size_t equals = m_cp.Find(line, '=');
        fileData = equals == std::string::npos ? std::string() : line.substr(equals + 1);
    }
}

int ValueOperations::SetValue(KeyHandle key, const std::string& line)
{
    return SetValue(key, line, GetValueName(line, m_cp));
}

int ValueOperations::SetValue(KeyHandle key, const std::string& line, const std::string& name)
{
    const ValueForm form = GetValueForm(line, m_cp);
    if (!form.known)
        return 0;
    long rc;
    switch (form.typed ? kUnknownType : static_cast<int>(form.type)) {
    case kRegDword: {
        uint32_t number = GetDwordData(line, m_cp, m_lineText);
        const uint8_t bytes[4] = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                                  static_cast<uint8_t>(number >> 16),
                                  static_cast<uint8_t>(number >> 24)};
        rc = m_registry.SetValue(key, name, kRegDword, bytes, 4);
        break;
    }
    case kRegSz: {
        const std::string& text = GetStringData(line, m_cp, m_lineText);
        rc = m_registry.SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(text.data()),
                                 static_cast<uint32_t>(text.size()));
        break;
    }
    default: {
        int n = GetHexData(line, m_cp, m_lineData, m_lineText);
        if (n < 0)
            return 0;
        rc = form.typed ? m_registry.SetValueExact(key, name, form.type, m_lineData.data(),
                                                   static_cast<uint32_t>(n))
                        : m_registry.SetValue(key, name, form.type, m_lineData.data(),
                                              static_cast<uint32_t>(n));
        break;
    }
    }
    return rc == kErrorSuccess ? 1 : 0;
}

int ValueOperations::ReadOldValue(const std::string& line, KeyHandle key)
{
    uint32_t type = 0, size = 0;
    return QueryValueText(key, GetValueName(line, m_cp), type, size);
}

}  // namespace zevo
