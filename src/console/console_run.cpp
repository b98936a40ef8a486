#include "console/console_run.h"

#include "app/end_of_run.h"
#include "common/diagnostics.h"
#include "console/console_view.h"
#include "console/undo_journal.h"
#include "script/interpreter.h"

namespace zevo {

namespace {

// One run of the data file at the Fast speed. A check starts with Verify on
// and changes nothing; an apply starts as the program does when a data file
// is named on its command line: Log, Verify and History off.
int RunDataFile(const ConsoleCommand& command, ConsolePlatform& platform, bool verify)
{
    RunState state;
    state.m_strDataFile = command.files[0];
    state.m_bVerify = verify;
    ConsoleView view(state, platform, verify, command.json);
    Interpreter interpreter(state, *platform.registry, platform.cp, view, view, platform.files);
    interpreter.SetReport(&view);
    interpreter.SetReadOnly(verify);
    // A check also says which lines the reader drops or misreads, as lint does.
    Diagnostics diagnostics;
    if (verify)
        interpreter.SetDiagnostics(&diagnostics);
    UndoJournal undo(*platform.registry, platform.cp);
    if (!command.undo.empty()) {
        if (!undo.Open(command.undo, "// Takes back what zevoc apply " + command.files[0] + " changed in the registry.\n")) {
            platform.out.Err("zevoc: cannot write the undo file " + command.undo + "\n");
            return kExitCannotRun;
        }
        interpreter.SetJournal(&undo);
    }
    if (!interpreter.StartRun())
        return kExitCannotRun;
    while (interpreter.ProcessEntry() == 1) {
    }
    view.Warn(diagnostics.Findings());
    if (!command.undo.empty() && !undo.Close()) {
        RunEvent event;
        event.text.Program("the undo file ").Data(command.undo).Program(" is incomplete: it could not be written");
        view.Event(event);
    }
    // "/Q" answered with OK ends the run at once, as it ends the program.
    const bool ended = interpreter.ProcessEnded();
    if (!ended)
        interpreter.FinishRun(!verify && state.m_bLog);
    view.UpdateDisplay();
    return view.PrintSummary(!verify && !ended && RestartWanted(state), command.strict);
}

}  // namespace

int RunVerify(const ConsoleCommand& command, ConsolePlatform& platform)
{
    return RunDataFile(command, platform, true);
}

int RunApply(const ConsoleCommand& command, ConsolePlatform& platform)
{
    return RunDataFile(command, platform, false);
}

}  // namespace zevo
