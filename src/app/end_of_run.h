// What happens when a run has finished: the restart of Windows that the
// data file asked for (with or without asking), the "LOOP" value that keeps
// a rerun after the restart from restarting again, and the end of the
// program ("/T").
#pragma once

#include "app/settings.h"
#include "script/hosts.h"
#include "script/run_state.h"

namespace zevo {

// The dialogs and the platform call around a restart.
class RestartHost {
public:
    virtual ~RestartHost() = default;
    // Shows the question in the confirmation dialog; true for OK.
    virtual bool ConfirmRestart(const char* question) = 0;
    // Shows the restart notice modally; its first paint requests the restart.
    virtual void ShowRestartNotice() = 0;
    // Asks Windows to restart (the shutdown privilege is enabled first).
    virtual void RequestRestart() = 0;
    // Kills the run's timer.
    virtual void KillRunTimer() = 0;
};

// The restart question, "Shall Windows 95 be restarted?".
extern const char kRestartQuestion[];

// True when the data file asked for a restart ("/E", "/EY") and a tracked
// change was seen, and no "/V" made the run a check.
bool RestartWanted(const RunState& state);

// Called once a run has finished, its files closed and its log written.
void EndOfRun(RunState& state, Settings& settings, RestartHost& restart, ProcessHost& process);

}  // namespace zevo
