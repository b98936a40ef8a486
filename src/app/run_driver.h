// Drives a run from a one-shot window timer: one entry per tick with a
// pause of the Speed position x 10 ms, or the whole data file in one tick at
// the Fast position (0). Also the stop between two ticks and the three ways
// a run finishes, each with its own log rule.
#pragma once

#include "app/end_of_run.h"
#include "script/hosts.h"
#include "script/interpreter.h"
#include "script/run_state.h"

namespace zevo {

class RunTimer {
public:
    virtual ~RunTimer() = default;
    virtual void Arm(int milliseconds) = 0;
    virtual void Kill() = 0;
};

class RunDriver {
public:
    RunDriver(RunState& state, Interpreter& interpreter, DialogHost& dialog, RunTimer& timer,
              Settings& settings, RestartHost& restart, ProcessHost& process);

    // The run button: starts a run when the data file opens.
    void Start();
    // One timer tick.
    void Tick();
    // The stop button: ends the run between two ticks, without the
    // end-of-run handling.
    void Stop();
    bool Running() const { return m_running; }

    // True while a Fast tick works, its finishing and end-of-run handling
    // included: the dialog need not show its panes until the tick ends.
    bool InFastTick() const { return m_inFastTick; }

private:
    enum class Finish { NormalSpeed, Fast, SpeedChanged };
    void FinishRun(Finish how);
    void FastTick();

    RunState& m_state;
    Interpreter& m_interpreter;
    DialogHost& m_dialog;
    RunTimer& m_timer;
    Settings& m_settings;
    RestartHost& m_restart;
    ProcessHost& m_process;
    bool m_running = false;
    bool m_inFastTick = false;
};

}  // namespace zevo
