#include "console/undo_journal.h"

#include <algorithm>

#include "registry/key_path.h"
#include "registry/value_codec.h"
#include "script/history_log.h"
#include "script/value_lines.h"

namespace zevo {

namespace {

// The names of a key path, without the empty ones the platform passes over.
std::vector<std::string> PathNames(const std::string& path, const CodePage& cp)
{
    std::vector<std::string> names;
    for (size_t start = 0; start <= path.size();) {
        size_t end = cp.Find(path, '\\', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::string Joined(const std::vector<std::string>& names, size_t count)
{
    std::string path;
    for (size_t i = 0; i < count; ++i)
        path += (i > 0 ? "\\" : "") + names[i];
    return path;
}

}  // namespace

UndoJournal::UndoJournal(Registry& registry, const CodePage& cp)
    : m_registry(registry), m_cp(cp), m_data(kMaxValueBytes + 1)
{
}

bool UndoJournal::Open(const std::string& path, const std::string& header)
{
    if (!m_file.Open(path, TextFile::Mode::WriteTruncate))
        return false;
    m_path = path;
    Write("REGEDIT4\n" + header);
    return !m_failed;
}

bool UndoJournal::Close()
{
    if (!m_file.Close())
        m_failed = true;
    if (m_failed)
        return false;
    // Each key deletion only at its last place, where every key below it is
    // gone. The file is replaced in one step; if that fails, the journal as
    // written stays, which is right too.
    std::vector<std::string> lines;
    for (size_t start = 0; start < m_text.size();) {
        const size_t end = m_text.find('\n', start);
        lines.push_back(m_text.substr(start, end - start + 1));
        start = end + 1;
    }
    std::string finished;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool deletion = lines[i].compare(0, 4, "/%=[") == 0;
        if (!deletion || std::find(lines.begin() + i + 1, lines.end(), lines[i]) == lines.end())
            finished += lines[i];
    }
    if (finished != m_text)
        WriteLog(m_path, finished);  // writes any text beside the file, then puts it in place
    return true;
}

void UndoJournal::Write(const std::string& text)
{
    m_text += text;
    // Handed to the system before the change it takes back is made.
    if (!m_file.Write(text) || !m_file.Flush())
        m_failed = true;
}

std::string UndoJournal::KeyId(const std::string& root, const std::string& path) const
{
    const std::vector<std::string> names = PathNames(path, m_cp);
    return m_cp.ToUpper(names.empty() ? root : root + "\\" + Joined(names, names.size()));
}

bool UndoJournal::CreatedByRun(const std::string& keyId) const
{
    return m_created.count(keyId) != 0;
}

void UndoJournal::BeforeKeyOpen(const std::string& root, const std::string& path)
{
    const KeyHandle rootKey = GetRootKey(m_registry, root);
    if (rootKey == 0)
        return;
    // The first missing key on the path, and every key below it, is created.
    const std::vector<std::string> names = PathNames(path, m_cp);
    size_t existing = 0;
    for (KeyHandle key = 0; existing < names.size(); ++existing) {
        const long rc = m_registry.OpenKeyForReading(rootKey, Joined(names, existing + 1), &key);
        if (rc == kErrorFileNotFound)
            break;
        // A key that cannot be read is there: never take it for a new one,
        // which the undo file would delete.
        if (rc != kErrorSuccess)
            return;
        m_registry.CloseKey(key);
    }
    if (existing == names.size())
        return;
    for (size_t depth = existing + 1; depth <= names.size(); ++depth) {
        const std::string id = KeyId(root, Joined(names, depth));
        // A key the run deleted was there before it: the undo file makes it again.
        if (m_deleted.count(id) == 0)
            m_created.insert(id);
    }
    // Deleted again deepest first, each with every key above it that the run
    // created: the last deletion of a key comes after those of all the keys
    // the run creates below it, so that the file is right whenever it ends.
    std::string lines;
    for (size_t depth = names.size(); depth > 0; --depth) {
        const std::string id = KeyId(root, Joined(names, depth));
        if (CreatedByRun(id))
            lines += "/%=[" + id + "]\n";
    }
    Write(lines);
}

std::string UndoJournal::SpelledPath(const std::string& root, const std::string& path)
{
    const std::string id = KeyId(root, path);
    auto known = m_spelled.find(id);
    if (known != m_spelled.end())
        return known->second;
    const std::vector<std::string> names = PathNames(path, m_cp);
    const KeyHandle rootKey = GetRootKey(m_registry, root);
    std::string spelled;
    std::vector<RegistryName> subkeys;
    for (size_t i = 0; i < names.size(); ++i) {
        std::string name = names[i];
        KeyHandle parent = rootKey;
        if (i > 0 && m_registry.OpenKeyForReading(rootKey, spelled, &parent) != kErrorSuccess)
            parent = 0;
        if (parent != 0 && m_registry.ListSubkeys(parent, subkeys) == kErrorSuccess) {
            for (const RegistryName& subkey : subkeys) {
                if (m_cp.ToUpper(subkey.name) == m_cp.ToUpper(name))
                    name = subkey.name;
            }
        }
        if (i > 0)
            m_registry.CloseKey(parent);
        spelled += (i > 0 ? "\\" : "") + name;
    }
    m_spelled[id] = spelled;
    return spelled;
}

void UndoJournal::UseKey(const std::string& root, const std::string& path)
{
    std::string line;
    if (!FormatKeyLine(root, SpelledPath(root, path), m_cp, line))
        line = "// not taken back: the key line of [" + KeyId(root, path) + "] cannot be written\n";
    if (line != m_keyLine)
        Write("\n" + line);
    m_keyLine = line;
}

void UndoJournal::RecordValue(KeyHandle key, const std::string& keyId, const std::string& name)
{
    uint32_t type = 0, size = static_cast<uint32_t>(m_data.size());
    const long rc = m_registry.QueryValue(key, name, &type, m_data.data(), &size);
    if (rc == kErrorFileNotFound) {
        Write(m_cp.Find(name, '"') == std::string::npos
                  ? "/%=\"" + name + "\"\n"
                  : "// not taken back: the new value [" + keyId + "] of a name with a double quote\n");
        return;
    }
    std::string lines, why;
    if (rc == kErrorMoreData || size > kMaxValueBytes)
        why = "its data are longer than 128,000 bytes";
    else if (rc != kErrorSuccess)
        why = "it cannot be read";
    if (why.empty() && FormatValueLines(name, type, m_data.data(), size, m_cp, lines, why))
        Write(lines);
    else
        Write("// not taken back: [" + keyId + "] \"" + name + "\": " + why + "\n");
}

void UndoJournal::BeforeValueChange(KeyHandle key, const std::string& root, const std::string& path,
                                    const std::string& name)
{
    const std::string id = KeyId(root, path);
    // The first change of a value records its state before the run; a value
    // in a key the run created goes with the key.
    if (CreatedByRun(id) || !m_recorded.insert(id + "\n" + m_cp.ToUpper(name)).second)
        return;
    UseKey(root, path);
    // The name as the registry spells it, when the value was there before
    // the run; the key's names are listed once.
    auto listed = m_valueNames.find(id);
    if (listed == m_valueNames.end()) {
        listed = m_valueNames.emplace(id, std::map<std::string, std::string>()).first;
        std::vector<RegistryName> names;
        m_registry.ListValues(key, names);
        for (const RegistryName& value : names)
            listed->second.emplace(m_cp.ToUpper(value.name), value.name);
    }
    const auto spelled = listed->second.find(m_cp.ToUpper(name));
    RecordValue(key, id, spelled == listed->second.end() ? name : spelled->second);
}

void UndoJournal::BeforeKeyDelete(const std::string& root, const std::string& path)
{
    const std::string id = KeyId(root, path);
    ScopedKey key;
    if (CreatedByRun(id) || OpenExistingKey(m_registry, key, root, path) != kErrorSuccess)
        return;
    m_deleted.insert(id);
    UseKey(root, path);
    std::vector<RegistryName> names;
    m_registry.ListValues(key, names);
    for (const RegistryName& value : names) {
        if (m_recorded.insert(id + "\n" + m_cp.ToUpper(value.name)).second)
            RecordValue(key, id, value.name);
    }
}

void UndoJournal::NotTakenBack(const std::string& line)
{
    Write("// not taken back: " + line + "\n");
}

}  // namespace zevo
