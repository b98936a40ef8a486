// What the directives tell a Diagnostics sink about their lines beyond what
// the argument syntax reports: each is called where a directive takes the
// decision it describes.
#pragma once

#include <string>
#include <vector>

#include "common/diagnostics.h"

namespace zevo {

// The character at `position` of the line, skipped as the blank before the
// arguments although it is none.
void NoteSeparator(Diagnostics& diagnostics, const std::string& line, size_t position);

// The items of "/AM" or "/AW" (`which` 'M' or 'W') that never match, and an
// empty list; `starts` says where each item begins in the line.
void NoteConditionItems(Diagnostics& diagnostics, char which, const std::vector<std::string>& items,
                        const std::vector<size_t>& starts);

}  // namespace zevo
