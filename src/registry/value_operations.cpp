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

ValueOperations::Decoder ValueOperations::DecoderForType(int type)
{
    return type == kRegDword ? Decoder::Dword : type == kRegSz ? Decoder::String : Decoder::Bytes;
}

ValueOperations::Decoder ValueOperations::DecoderForForm(const ValueForm& form)
{
    // A "hex(N):" list and a line of no known form are byte lists whatever N.
    return form.known && !form.typed ? DecoderForType(static_cast<int>(form.type)) : Decoder::Bytes;
}

const ValueForm& ValueOperations::ReadForm(const std::string& line, Diagnostics* diagnostics)
{
    m_reading.line = line;
    m_reading.form = GetValueForm(line, m_cp, diagnostics);
    m_reading.haveData = false;
    return m_reading.form;
}

ValueForm ValueOperations::LineForm(const std::string& line)
{
    return line == m_reading.line ? m_reading.form : ReadForm(line, nullptr);
}

void ValueOperations::Decode(const std::string& line, Decoder decoder, std::string& fileData,
                             bool* found, Diagnostics* diagnostics)
{
    LineReading& r = m_reading;
    switch (decoder) {
    case Decoder::Dword:
        r.number = GetDwordData(line, m_cp, fileData, found, diagnostics);
        break;
    case Decoder::String:
        r.text = GetStringData(line, m_cp, fileData, found, diagnostics);
        break;
    case Decoder::Bytes:
        r.byteCount = GetHexData(line, m_cp, m_lineData, fileData, found, diagnostics);
        break;
    }
    // The callers have read this line's form first; only the form's own
    // decoder gives the data that SetValue writes.
    r.haveData = decoder == DecoderForForm(r.form);
}

int ValueOperations::CompareValue(const std::string& line, KeyHandle key)
{
    return CompareValue(line, GetValueName(line, m_cp), key);
}

int ValueOperations::CompareValue(const std::string& line, const std::string& name, KeyHandle key)
{
    uint32_t type = 0, size = 0;
    if (!QueryValueText(key, name, type, size)) {
        ShowLineValue(line);
        return 0;
    }
    const uint8_t* registryData = m_registryData.data();
    std::string& fileData = m_display.m_strFileData;
    bool decoded = false;
    bool same = false;
    const ValueForm form = ReadForm(line, nullptr);
    // A "hex(N):" list of any type equals only that type with those bytes.
    // Otherwise the registry's type decides how the line is read: a string
    // equals only a string, a number only a dword line, and other types
    // compare bytes whatever the line's own byte-list form.
    const Decoder decoder = form.typed ? Decoder::Bytes : DecoderForType(static_cast<int>(type));
    Decode(line, decoder, fileData, &decoded, nullptr);
    switch (decoder) {
    case Decoder::Dword: {
        uint8_t four[4] = {0, 0, 0, 0};
        std::memcpy(four, registryData, size < 4 ? size : 4);
        same = form.known && form.type == kRegDword && BytesToDword(four) == m_reading.number;
        break;
    }
    case Decoder::String: {
        size_t length = 0;
        while (length < size && registryData[length] != 0)
            ++length;
        const std::string& text = m_reading.text;
        same = text.size() == length && std::memcmp(text.data(), registryData, length) == 0;
        break;
    }
    case Decoder::Bytes: {
        const int n = m_reading.byteCount;
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
    // Diagnostics that listen hear the form's notes: the form is read again for them.
    const ValueForm form = m_diagnostics == nullptr ? LineForm(line) : ReadForm(line, m_diagnostics);
    // A line of no known form is never written: its bytes are shown, not judged.
    Diagnostics* const decoding = form.known ? m_diagnostics : nullptr;
    const Decoder decoder = DecoderForForm(form);
    Decode(line, decoder, fileData, &decoded, decoder == Decoder::Bytes ? decoding : m_diagnostics);
    if (decoder == Decoder::Bytes && static_cast<unsigned>(m_reading.byteCount) > kMaxDisplayBytes &&
        decoded)
        m_display.m_bLongData = true;
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
    const ValueForm form = LineForm(line);
    if (!form.known)
        return 0;
    if (!m_reading.haveData)
        Decode(line, DecoderForForm(form), m_lineText, nullptr, nullptr);
    const LineReading& r = m_reading;
    long rc;
    switch (DecoderForForm(form)) {
    case Decoder::Dword: {
        const uint8_t bytes[4] = {static_cast<uint8_t>(r.number), static_cast<uint8_t>(r.number >> 8),
                                  static_cast<uint8_t>(r.number >> 16),
                                  static_cast<uint8_t>(r.number >> 24)};
        rc = m_registry.SetValue(key, name, kRegDword, bytes, 4);
        break;
    }
    case Decoder::String:
        rc = m_registry.SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(r.text.data()),
                                 static_cast<uint32_t>(r.text.size()));
        break;
    case Decoder::Bytes: {
        const int n = r.byteCount;
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
