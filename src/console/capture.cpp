#include "console/capture.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/text_file.h"
#include "registry/key_path.h"
#include "registry/value_codec.h"
#include "script/value_lines.h"

namespace zevo {

namespace {

// Names in a stable order: without regard to the case of ASCII letters,
// then by their bytes.
void SortNames(std::vector<RegistryName>& names, const CodePage& cp)
{
    std::sort(names.begin(), names.end(), [&cp](const RegistryName& a, const RegistryName& b) {
        const std::string upperA = cp.ToUpper(a.name), upperB = cp.ToUpper(b.name);
        return upperA != upperB ? upperA < upperB : a.name < b.name;
    });
}

// A name for a comment line: control characters (a line break would end the
// comment) shown as '?'.
std::string ForComment(std::string text)
{
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20)
            c = '?';
    }
    return text;
}

class Capture {
public:
    Capture(Registry& registry, const CodePage& cp) : m_registry(registry), m_cp(cp), m_data(kMaxValueBytes + 1) {}

    // Writes the key and everything below it; false when a key cannot be read.
    bool Key(const std::string& root, const std::string& path);

    std::string text;
    int keys = 0, values = 0, notCaptured = 0;

private:
    void NotCaptured(const std::string& what, const std::string& why)
    {
        text += "// not captured: " + ForComment(what) + ": " + why + "\n";
        ++notCaptured;
    }

    Registry& m_registry;
    const CodePage m_cp;
    std::vector<uint8_t> m_data;
};

bool Capture::Key(const std::string& root, const std::string& path)
{
    const std::string keyName = path.empty() ? root : root + "\\" + path;
    ScopedKey key;
    std::vector<RegistryName> subkeys, names;
    if (OpenExistingKey(m_registry, key, root, path) != kErrorSuccess ||
        m_registry.ListSubkeys(key, subkeys) != kErrorSuccess || m_registry.ListValues(key, names) != kErrorSuccess)
        return false;
    std::string keyLine;
    text += "\n";
    if (!FormatKeyLine(root, path, m_cp, keyLine)) {
        NotCaptured("[" + keyName + "]", "no key line reads back as this key");
        return true;
    }
    text += keyLine;
    ++keys;
    SortNames(names, m_cp);
    for (const RegistryName& value : names) {
        const std::string what = "[" + keyName + "] " + (value.name.empty() ? "@" : "\"" + value.name + "\"");
        if (!value.exact) {
            NotCaptured(what, "its name or text does not survive the system code page");
            continue;
        }
        uint32_t type = 0, size = static_cast<uint32_t>(m_data.size());
        const long rc = m_registry.QueryValue(key, value.name, &type, m_data.data(), &size);
        std::string lines, why;
        if (rc == kErrorMoreData || (rc == kErrorSuccess && size > kMaxValueBytes))
            NotCaptured(what, "its data are longer than 128,000 bytes");
        else if (rc != kErrorSuccess)
            return false;
        else if (!FormatValueLines(value.name, type, m_data.data(), size, m_cp, lines, why))
            NotCaptured(what, why);
        else
            text += lines, ++values;
    }
    SortNames(subkeys, m_cp);
    for (const RegistryName& subkey : subkeys) {
        if (!subkey.exact) {
            text += "\n";
            NotCaptured("[" + keyName + "\\" + subkey.name + "]", "its name does not survive the system code page");
        } else if (!Key(root, path.empty() ? subkey.name : path + "\\" + subkey.name)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int RunCapture(const ConsoleCommand& command, ConsolePlatform& platform)
{
    ConsoleOutput& out = platform.out;
    Capture capture(*platform.registry, platform.cp);
    std::string named;
    for (const std::string& keyName : command.files)
        named += (named.empty() ? "" : ", ") + keyName;
    const RunTime now = platform.process->LocalTime();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    capture.text = "REGEDIT4\n// Captured by zevoc from " + ForComment(named) + " on " + stamp + ".\n";
    for (const std::string& keyName : command.files) {
        const size_t backslash = platform.cp.Find(keyName, '\\');
        const std::string root = keyName.substr(0, backslash);
        const std::string path = backslash == std::string::npos ? std::string() : keyName.substr(backslash + 1);
        if (!capture.Key(root, path)) {
            out.Err("zevoc: cannot read the key " + keyName + "\n");
            return kExitCannotRun;
        }
    }
    if (command.output.empty()) {
        out.Out(capture.text);
    } else {
        TextFile file;
        if (!file.Open(command.output, TextFile::Mode::WriteTruncate) || !file.Write(capture.text) || !file.Close()) {
            out.Err("zevoc: cannot write " + command.output + "\n");
            return kExitCannotRun;
        }
    }
    out.Err("zevoc: captured " + std::to_string(capture.keys) + " keys and " + std::to_string(capture.values) +
            " values; " + std::to_string(capture.notCaptured) + " not captured\n");
    return capture.notCaptured > 0 ? kExitFound : kExitDone;
}

}  // namespace zevo
