#include "console/console_run.h"

namespace zevo {

int RunVerify(const ConsoleCommand&, ConsolePlatform& platform)
{
    platform.out.Err("zevoc: verify is not built yet\n");
    return kExitCannotRun;
}

int RunApply(const ConsoleCommand&, ConsolePlatform& platform)
{
    platform.out.Err("zevoc: apply is not built yet\n");
    return kExitCannotRun;
}

}  // namespace zevo
