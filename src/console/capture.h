// "zevoc capture": writes a data file that recreates keys with all their
// subkeys and values, exact to the byte.
#pragma once

#include "console/console_command.h"
#include "console/console_main.h"

namespace zevo {

// 0 when every value was captured, 1 when some could not be (each named in
// a comment line of the file), 2 when a key cannot be read.
int RunCapture(const ConsoleCommand& command, ConsolePlatform& platform);

}  // namespace zevo
