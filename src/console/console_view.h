// A run seen from the console: the dialog's calls show nothing here, the
// changed-items list is printed as it grows, and every event of the run's
// report is printed and counted. The interpreter is the same one the dialog
// drives; this is only another view over the run's state.
#pragma once

#include <string>

#include "common/diagnostics.h"
#include "console/console_main.h"
#include "console/quiet_dialog.h"
#include "script/hosts.h"
#include "script/run_report.h"
#include "script/run_state.h"

namespace zevo {

class ConsoleView : public QuietDialog, public ProcessHost, public RunReport {
public:
    // `verify`: a read-only check, which prints differences; otherwise an
    // apply, which prints the changed-items list.
    ConsoleView(RunState& state, ConsolePlatform& platform, bool verify, bool json);

    // Prints the changed-items lines added since the last call.
    void UpdateDisplay() override;
    // "/Q": asked on the console when standard input is one; otherwise the
    // run goes on, as after Cancel. (A notice says what the message pane
    // says right after it: not shown.)
    bool ConfirmBox(const MixedText& text, const MixedText& caption) override;

    // ProcessHost: programs start; the end of the process is only recorded,
    // so that the summary is still printed.
    RunTime LocalTime() override;
    void StartProgram(const std::string& commandLine) override;
    void ExitProcess(int) override {}

    void Event(const RunEvent& event) override;
    // Lines the reader drops or misreads, as warnings on standard error.
    void Warn(const std::vector<Finding>& findings);

    // The last line: the counts, and the exit code they give. `strict`: a
    // check's warnings make it fail.
    int PrintSummary(bool restartWanted, bool strict);

private:
    std::string ToConsole(const MixedText& text);
    std::string Place(const RunEvent& event) const;
    void PrintEventText(const RunEvent& event);
    void PrintEventJson(const RunEvent& event);

    RunState& m_state;
    ConsolePlatform& m_platform;
    ConsoleOutput& m_out;
    const bool m_verify;
    const bool m_json;
    std::string m_line;         // the list's line being printed
    size_t m_itemsPrinted = 0;  // bytes of the changed-items list already printed

    int m_differences = 0;
    int m_notCarriedOut = 0;
    int m_valuesWritten = 0;
    int m_valuesDeleted = 0;
    int m_keysDeleted = 0;
    int m_fileOperations = 0;
    int m_problems = 0;
    bool m_cannotCheck = false;
};

}  // namespace zevo
