// The undo file of "zevoc apply --undo": a data file that, applied after
// the run, puts back everything the run changed in the registry. Each entry
// is written, and handed to the system, before its change is made, and the
// file is right after every entry: a run killed at any moment leaves an undo
// file that takes back all that reached the registry. Such a file may delete
// a key it created before the keys below it (the later deletion of the same
// key then succeeds); a finished run leaves each deletion only at its last
// place.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/text_file.h"
#include "registry/registry.h"
#include "script/change_journal.h"

namespace zevo {

class UndoJournal : public ChangeJournal {
public:
    UndoJournal(Registry& registry, const CodePage& cp);

    // Creates the file with its header; false when it cannot be written.
    bool Open(const std::string& path, const std::string& header);
    // Closes the file, each key deletion left at its last place; false when
    // an entry could not be written: the file is then incomplete.
    bool Close();
    bool Failed() const { return m_failed; }

    void BeforeKeyOpen(const std::string& root, const std::string& path) override;
    void BeforeValueChange(KeyHandle key, const std::string& root, const std::string& path,
                           const std::string& name) override;
    void BeforeKeyDelete(const std::string& root, const std::string& path) override;
    void NotTakenBack(const std::string& line) override;

private:
    void Write(const std::string& text);
    // The key line of an existing key, its names as the registry spells them.
    void UseKey(const std::string& root, const std::string& path);
    std::string SpelledPath(const std::string& root, const std::string& path);
    // The value's old data (or its absence) under the current key line.
    void RecordValue(KeyHandle key, const std::string& keyId, const std::string& name);
    bool CreatedByRun(const std::string& keyId) const;
    std::string KeyId(const std::string& root, const std::string& path) const;

    Registry& m_registry;
    const CodePage m_cp;
    TextFile m_file;
    std::string m_path;
    std::string m_text;  // all written so far
    bool m_failed = false;
    std::string m_keyLine;                         // the last key line written
    std::set<std::string> m_recorded;              // key id + "\n" + upper-cased value name
    std::set<std::string> m_created;               // ids of keys this run created
    std::set<std::string> m_deleted;               // ids of keys this run deleted
    std::map<std::string, std::string> m_spelled;  // key id -> path as the registry spells it
    // key id -> upper-cased value name -> the name as the registry spells it
    std::map<std::string, std::map<std::string, std::string>> m_valueNames;
    std::vector<uint8_t> m_data;
};

}  // namespace zevo
