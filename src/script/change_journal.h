// Told before each change a run makes, while the registry still holds what
// was there before it: what an undo file needs (the console's apply --undo).
// The dialog passes none.
#pragma once

#include <string>

#include "registry/registry.h"

namespace zevo {

class ChangeJournal {
public:
    virtual ~ChangeJournal() = default;
    // Before a key is opened with create semantics: it and every missing key
    // on its path may be created.
    virtual void BeforeKeyOpen(const std::string& root, const std::string& path) = 0;
    // Before a value of the open key (root\path) is written or deleted.
    virtual void BeforeValueChange(KeyHandle key, const std::string& root, const std::string& path,
                                   const std::string& name) = 0;
    // Before a key is deleted (it has no subkeys, or the deletion fails).
    virtual void BeforeKeyDelete(const std::string& root, const std::string& path) = 0;
    // A file operation or a program start: nothing takes it back.
    virtual void NotTakenBack(const std::string& line) = 0;
};

}  // namespace zevo
