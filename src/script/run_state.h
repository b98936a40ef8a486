// The state of a run that the main dialog shows and the interpreter works
// on. The dialog binds its controls to these members; the interpreter sets
// them and asks the dialog to show them.
#pragma once

#include <string>

#include "common/mixed_text.h"
#include "registry/value_operations.h"

namespace zevo {

// A local date and time, as the run clock takes it.
struct RunTime {
    int year = 1970;
    int month = 1;    // 1 to 12
    int day = 1;      // 1 to 31
    int weekday = 1;  // 1 Sunday to 7 Saturday
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// m_strFileData, m_strRegistryData and m_bLongData come from ValueDisplay.
struct RunState : ValueDisplay {
    // Texts bound to the dialog's fields and panes.
    std::string m_strDataFile;
    std::string m_strLogFile;
    std::string m_strHistoryFile;
    std::string m_strKeyPath;
    std::string m_strValueName;
    std::string m_strChangedItems;  // also the log file's content
    MixedText m_strText;            // the message pane

    // Options bound to the check boxes.
    bool m_bLog = false;
    bool m_bVerify = false;
    bool m_bHistory = false;

    // The run clock and the conditions of "/AM", "/AW" and "/AT".
    RunTime m_timeRunStart;
    int m_nNowMonth = 0;
    int m_nNowWeekday = 0;
    int m_nNowSeconds = 0;
    bool m_bMonthMatch = false;
    bool m_bWeekdayMatch = false;
    bool m_bTimeMatch = false;
    bool m_bActive = false;

    // Choices for the end of the run; kept from one run to the next.
    bool m_bVerifyByData = false;
    bool m_bTrackChanges = false;
    bool m_bExitAtEnd = false;
    bool m_bChangesSeen = false;
    int m_nRestartMode = 0;  // 0 none, 1 ask, 2 without asking
    bool m_bControlsUnlocked = false;

    // Takes the run clock: start time, month, weekday and seconds, and every
    // condition holds again.
    void SetRunClock(const RunTime& now)
    {
        m_timeRunStart = now;
        m_nNowMonth = now.month;
        m_nNowWeekday = now.weekday;
        m_nNowSeconds = now.hour * 3600 + now.minute * 60 + now.second;
        m_bMonthMatch = m_bWeekdayMatch = m_bTimeMatch = m_bActive = true;
    }
};

}  // namespace zevo
