// "zevoc verify" and "zevoc apply": a whole run of one data file at the Fast
// speed, reported on the console.
#pragma once

#include "console/console_command.h"
#include "console/console_main.h"

namespace zevo {

int RunVerify(const ConsoleCommand& command, ConsolePlatform& platform);
int RunApply(const ConsoleCommand& command, ConsolePlatform& platform);

}  // namespace zevo
