#include "console/console_main.h"

#include "console/capture.h"
#include "console/console_run.h"
#include "console/lint_command.h"

namespace zevo {

int RunConsoleCommand(const std::vector<std::string>& args, ConsolePlatform& platform)
{
    const ConsoleCommand command = ParseConsoleCommand(args);
    ConsoleOutput& out = platform.out;
    switch (command.kind) {
    case ConsoleCommand::Kind::Usage:
        out.Err("zevoc: " + command.problem + "\n" + kConsoleUsage);
        return kExitCannotRun;
    case ConsoleCommand::Kind::Lint:
        return RunLint(command.files,
                       command.sarif  ? LintFormat::Sarif
                       : command.json ? LintFormat::Json
                                      : LintFormat::Text,
                       platform.cp, platform.files, out);
    case ConsoleCommand::Kind::Verify:
    case ConsoleCommand::Kind::Apply:
    case ConsoleCommand::Kind::Capture:
        break;
    }
    if (platform.registry == nullptr || platform.process == nullptr) {
        out.Err("zevoc: " + args[0] + " needs the Windows registry; only lint works here\n");
        return kExitCannotRun;
    }
    switch (command.kind) {
    case ConsoleCommand::Kind::Verify:
        return RunVerify(command, platform);
    case ConsoleCommand::Kind::Capture:
        return RunCapture(command, platform);
    default:
        return RunApply(command, platform);
    }
}

}  // namespace zevo
