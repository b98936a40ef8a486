#include "common/replace_file.h"

#include <windows.h>

namespace zevo {

bool MoveFileReplacing(const std::string& from, const std::string& to)
{
    // rename() of the C runtime refuses an existing target on Windows.
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace zevo
