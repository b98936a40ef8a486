// Carries out a data file one entry at a time: key lines open keys, value
// lines are compared, listed, recorded and written, directive lines do what
// they say. Everything outside (registry, files, dialog, process) is reached
// through interfaces, so a whole run works without a window.
#pragma once

#include <set>
#include <unordered_set>
#include <string>

#include "common/code_page.h"
#include "common/diagnostics.h"
#include "common/mixed_text.h"
#include "common/text_file.h"
#include "registry/registry.h"
#include "registry/value_operations.h"
#include "script/data_file_reader.h"
#include "script/directive_syntax.h"
#include "script/history_log.h"
#include "script/change_journal.h"
#include "script/hosts.h"
#include "script/run_report.h"
#include "script/run_state.h"

namespace zevo {

class Interpreter {
public:
    Interpreter(RunState& state, Registry& registry, const CodePage& cp, DialogHost& dialog,
                ProcessHost& process, FileOperations& files);

    // The start of a run: clears the panes, takes the run clock, lists and
    // opens the data file and opens the history file when History is on.
    // False when the data file cannot be opened (the log is then written).
    bool StartRun();
    // Handles the next entry of the data file. 1 when one entry (or an
    // ignored line) was handled, 0 when the data file is exhausted.
    int ProcessEntry();
    // The end of a run: closes the history and the data file and writes the
    // log when `writeLog`.
    void FinishRun(bool writeLog);
    // A stop between two entries: closes the data file and writes the log
    // when Log is on. The history file stays open.
    void StopRun();
    // Flushes and closes every open file; called before the process ends.
    void CloseFiles();

    void ExecuteDirective(const std::string& line);

    // A report that hears of every change and problem (the console program).
    void SetReport(RunReport* report) { m_report = report; }
    // A journal told before every change to the registry (an undo file).
    void SetJournal(ChangeJournal* journal) { m_journal = journal; }
    // A run that changes nothing at all: keys are opened for reading and never
    // created, Verify stays on, no log or history file is switched, and every
    // directive that would change something is reported as not carried out.
    // Set before StartRun, with Verify on.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // Every entry is handled as if the conditions held; their items are still
    // read.
    void SetIgnoreConditions(bool ignore) { m_ignoreConditions = ignore; }
    // Hears of every line whose effect an author may not expect, from the
    // reader, the value codec and the directives as they decide (lint).
    void SetDiagnostics(Diagnostics* diagnostics)
    {
        m_diagnostics = diagnostics;
        m_values.SetDiagnostics(diagnostics);
    }

    int OpenHistoryFile(const std::string& path);
    void CloseHistoryFile();
    void WriteHistory(const std::string& text);

    bool DataFileOpen() const { return g_runDataFile.IsOpen(); }
    bool HistoryFileOpen() const { return g_historyFile.IsOpen(); }
    // A directive ended the process (seen only where ExitProcess returns).
    bool ProcessEnded() const { return m_processEnded; }

private:
    int ReadAndHandleEntry(Entry& entry);
    void HandleKeyLine(const std::string& line);
    void HandleValueLine(const std::string& line);
    // For the diagnostics: a line that needs a key where none is open.
    void NoteNoKey();

    void DeleteValue(const DirectiveText& directive);
    void DeleteKey(const DirectiveText& directive);
    void SetCondition(const DirectiveText& directive, const std::string& line);
    void HandOver(const DirectiveText& directive);
    void SwitchLogFiles(const DirectiveText& directive);
    void FileDirective(const DirectiveText& directive);
    void Quit(const DirectiveText& directive);

    // The quoted paths a directive needs; false (and a message) when fewer
    // are given or one is unterminated, empty or too long.
    bool TakeQuotedPaths(const DirectiveText& directive, size_t needed);
    bool OpenDataFile(const std::string& path);
    void EndProcess();

    // Appends a message to the pane and shows it; the report hears of it as
    // `kind`.
    void Report(const MixedText& message, RunEvent::Kind kind = RunEvent::Kind::Problem);
    // A report on the current line: "<file> <n>行目: <problem>".
    void ReportLine(const char* problem, RunEvent::Kind kind = RunEvent::Kind::Problem);
    // A failure that only the report hears of: the message pane has never
    // shown it.
    void ReportProblemQuietly(const MixedText& problem);
    void ShowMessage(const MixedText& message);
    // An event at the current line of the current data file.
    RunEvent EventHere(RunEvent::Kind kind) const;
    // The event of the value line being handled, its key and name filled in.
    RunEvent& ValueEvent(RunEvent::Kind kind);
    void Emit(const RunEvent& event);
    void ReportFileResult(FileResult result);
    // The read-only run's answer to a directive that would change something:
    // true when it was reported and must not be carried out.
    bool LeftAloneWhenReadOnly(const DirectiveText& directive, const std::string& line);
    // For the diagnostics: what a directive's flag and fixed positions make
    // of it, and the arguments of those a read-only run leaves alone.
    void NoteDirectiveForm(const DirectiveText& directive, const std::string& line);
    // For the diagnostics: the lines of the data file that a hand-over
    // leaves unread (read here to their end).
    void NoteUnreadLines();
    // A finding on the current line, when there is a diagnostics sink.
    void Note(const char* rule, size_t offset, const char* message)
    {
        if (m_diagnostics != nullptr)
            m_diagnostics->Add(rule, offset, MixedText(message));
    }
    // Once per history file: a record that did not reach the disk.
    void ReportHistoryFailure();

    RunState& m_state;
    Registry& m_registry;
    const CodePage m_cp;
    DialogHost& m_dialog;
    ProcessHost& m_process;
    FileOperations& m_files;
    ValueOperations m_values;

    // The data file and history file of the run, the current key and the
    // key handed to the directive just being carried out.
    TextFile g_runDataFile;
    HistoryFile g_historyFile;
    std::string g_strCurrentRoot;
    std::string g_strCurrentPath;
    ScopedKey g_hCurrentKey;
    KeyHandle g_hDirectiveKey = 0;

    Entry m_spareEntry;                  // buffers for the next entry read
    std::string m_currentDataFile;       // as opened, for messages
    int m_lineNumber = 0;                // of the entry being handled
    std::set<std::string> m_filesRead;   // this run's data files, upper-cased
    std::vector<std::string> m_args;     // quoted pieces of the current directive
    bool m_processEnded = false;
    bool m_historyFailureReported = false;
    RunReport* m_report = nullptr;
    RunEvent m_valueEvent;  // reused by ValueEvent
    ChangeJournal* m_journal = nullptr;
    bool m_readOnly = false;
    bool m_ignoreConditions = false;
    // A read-only run's key line named a key that does not exist: every
    // value under it is missing.
    bool m_keyMissing = false;
    // The current key was created by its key line, and no directive has
    // come since (any directive may change keys or name another data file):
    // it holds only the values written since, by these names (upper-cased).
    bool m_keyCreated = false;
    std::unordered_set<std::string> m_namesWrittenInCreatedKey;
    Diagnostics* m_diagnostics = nullptr;
    bool m_exitAtEndSeen = false;  // a "/T" before: the run is meant to go on unattended
};

}  // namespace zevo
