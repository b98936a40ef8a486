// Puts a completely written file in place of another in one step, so that a
// failure leaves the earlier file as it was.
#pragma once

#include <string>

namespace zevo {

// Moves `from` to `to`, replacing `to` when it exists. False on failure,
// and then `to` is unchanged.
bool MoveFileReplacing(const std::string& from, const std::string& to);

}  // namespace zevo
