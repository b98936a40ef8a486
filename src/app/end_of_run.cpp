#include "app/end_of_run.h"

namespace zevo {

const char kRestartQuestion[] = "Windows95を再起動しますか。";

namespace {

const char kLoop[] = "LOOP";

// True when the previous finished run had Windows restarted; it is then
// set back to "N" and this restart is skipped.
bool RestartedJustBefore(Settings& settings)
{
    std::string loop;
    settings.ReadSetting(kLoop, loop);
    if (loop != "L")
        return false;
    settings.WriteSetting(kLoop, "N");
    return true;
}

}  // namespace

bool RestartWanted(const RunState& state)
{
    return state.m_bChangesSeen && !state.m_bVerifyByData && state.m_nRestartMode != 0;
}

void EndOfRun(RunState& state, Settings& settings, RestartHost& restart, ProcessHost& process)
{
    const bool restartWanted = RestartWanted(state);
    if (restartWanted && state.m_nRestartMode == 1) {
        restart.KillRunTimer();
        if (!RestartedJustBefore(settings) && restart.ConfirmRestart(kRestartQuestion)) {
            settings.WriteSetting(kLoop, "L");
            restart.RequestRestart();
        }
        if (state.m_bExitAtEnd) {
            process.ExitProcess(0);
            return;
        }
    } else if (restartWanted && state.m_nRestartMode == 2) {
        if (!RestartedJustBefore(settings)) {
            settings.WriteSetting(kLoop, "L");
            restart.ShowRestartNotice();
            // The notice was closed while the program still runs: ask again.
            restart.RequestRestart();
        }
    }
    settings.WriteSetting(kLoop, "N");
    if (state.m_bExitAtEnd)
        process.ExitProcess(0);
}

}  // namespace zevo
