#include "app/run_driver.h"

namespace zevo {

namespace {

const int kFirstTickMilliseconds = 10;
const int kMillisecondsPerSpeedStep = 10;
const unsigned kEntriesPerKeepAlive = 32;

}  // namespace

RunDriver::RunDriver(RunState& state, Interpreter& interpreter, DialogHost& dialog,
                     RunTimer& timer, Settings& settings, RestartHost& restart,
                     ProcessHost& process)
    : m_state(state),
      m_interpreter(interpreter),
      m_dialog(dialog),
      m_timer(timer),
      m_settings(settings),
      m_restart(restart),
      m_process(process)
{
}

void RunDriver::Start()
{
    m_dialog.FetchInput();
    if (!m_interpreter.StartRun())
        return;
    m_dialog.EnableControls(false);
    m_dialog.UnlockRunControls();
    m_running = true;
    m_timer.Arm(kFirstTickMilliseconds);
}

void RunDriver::Tick()
{
    if (!m_running)
        return;
    m_timer.Kill();
    m_dialog.FetchInput();
    if (m_dialog.SpeedPosition() != 0) {
        if (m_interpreter.ProcessEntry() != 0)
            m_timer.Arm(m_dialog.SpeedPosition() * kMillisecondsPerSpeedStep);
        else
            FinishRun(Finish::NormalSpeed);
    } else {
        m_inFastTick = true;
        FastTick();
        m_inFastTick = false;
        m_dialog.UpdateDisplay();
    }
}

void RunDriver::FastTick()
{
    for (;;) {
        int result;
        unsigned entries = 0;
        do {
            result = m_interpreter.ProcessEntry();
            // An entry takes microseconds: asking the clock after every 32nd
            // is often enough for a window that looks in every 100 ms.
            if (++entries % kEntriesPerKeepAlive == 0)
                m_dialog.KeepAlive();
        } while (result == 1 && m_dialog.SpeedPosition() == 0);

        // A directive moved the speed (or the file is exhausted): two more
        // entries in this tick, then the run goes on at the new speed.
        if (m_interpreter.ProcessEntry() == 0 && m_dialog.SpeedPosition() == 0) {
            FinishRun(Finish::Fast);
            return;
        }
        if (m_interpreter.ProcessEntry() == 0) {
            FinishRun(Finish::SpeedChanged);
            return;
        }
        if (m_dialog.SpeedPosition() != 0) {
            m_timer.Arm(m_dialog.SpeedPosition() * kMillisecondsPerSpeedStep);
            return;
        }
        // Back at Fast within the same tick: a run never ends before its
        // data file does, so the Fast loop goes on.
    }
}

void RunDriver::FinishRun(Finish how)
{
    m_running = false;
    // Where the process end was only recorded (tests), nothing follows it.
    if (m_interpreter.ProcessEnded())
        return;
    if (how != Finish::NormalSpeed)
        m_timer.Kill();
    // A Fast run leaves a minimised dialog as it is.
    if (how != Finish::Fast)
        m_dialog.Restore();
    // At normal speed the log is written only when a tracked change was seen.
    const bool writeLog = m_state.m_bLog && (how != Finish::NormalSpeed || m_state.m_bChangesSeen);
    m_interpreter.FinishRun(writeLog);
    // After a Fast run the members are shown when the tick ends, so that a
    // run that ends the program ("/T") never fills its panes for nobody.
    m_dialog.UpdateDisplay();
    m_dialog.EnableControls(true);
    m_dialog.EnableStop(false);
    EndOfRun(m_state, m_settings, m_restart, m_process);
}

void RunDriver::Stop()
{
    m_timer.Kill();
    m_running = false;
    m_interpreter.StopRun();
    m_dialog.EnableControls(true);
    m_dialog.Restore();
    m_dialog.EnableStop(false);
}

}  // namespace zevo
