#include "console/console_command.h"

namespace zevo {

const char kConsoleUsage[] =
    "usage: zevoc verify FILE [--json] [--strict]\n"
    "       zevoc apply FILE [--json] [--undo UNDO-FILE]\n"
    "       zevoc lint FILE... [--json | --sarif]\n"
    "       zevoc capture KEY... [--output FILE]\n"
    "exit codes: 0 done or nothing found, 1 differences, problems or findings,\n"
    "            2 could not run, 3010 done and a restart of Windows is required\n";

ConsoleCommand ParseConsoleCommand(const std::vector<std::string>& args)
{
    ConsoleCommand command;
    if (args.empty()) {
        command.problem = "no command given";
        return command;
    }
    const std::string& name = args[0];
    if (name == "verify")
        command.kind = ConsoleCommand::Kind::Verify;
    else if (name == "apply")
        command.kind = ConsoleCommand::Kind::Apply;
    else if (name == "lint")
        command.kind = ConsoleCommand::Kind::Lint;
    else if (name == "capture")
        command.kind = ConsoleCommand::Kind::Capture;
    else {
        command.problem = "unknown command '" + name + "'";
        return command;
    }
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool valueFollows = i + 1 < args.size();
        if (arg == "--json" && command.kind != ConsoleCommand::Kind::Capture)
            command.json = true;
        else if (arg == "--output" && command.kind == ConsoleCommand::Kind::Capture && valueFollows)
            command.output = args[++i];
        else if (arg == "--undo" && command.kind == ConsoleCommand::Kind::Apply && valueFollows)
            command.undo = args[++i];
        else if (arg == "--sarif" && command.kind == ConsoleCommand::Kind::Lint)
            command.sarif = true;
        else if (arg == "--strict" && command.kind == ConsoleCommand::Kind::Verify)
            command.strict = true;
        else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-')
            command.problem = "unknown option '" + arg + "' for " + name;
        else
            command.files.push_back(arg);
    }
    if (command.problem.empty()) {
        if (command.json && command.sarif)
            command.problem = "--json and --sarif exclude each other";
        else if (command.files.empty())
            command.problem = name + (command.kind == ConsoleCommand::Kind::Capture ? " needs a key" : " needs a data file");
        else if ((command.kind == ConsoleCommand::Kind::Verify || command.kind == ConsoleCommand::Kind::Apply) &&
                 command.files.size() > 1)
            command.problem = name + " takes one data file";
    }
    if (!command.problem.empty())
        command.kind = ConsoleCommand::Kind::Usage;
    return command;
}

}  // namespace zevo
