// Carries out a data file one entry at a time: key lines open keys, value
// lines are compared, listed, recorded and written, directive lines do what
// they say. Everything outside (registry, files, dialog, process) is reached
// through interfaces, so a whole run works without a window.
#pragma once

#include <set>
#include <string>

#include "common/code_page.h"
#include "common/mixed_text.h"
#include "common/text_file.h"
#include "registry/registry.h"
#include "registry/value_operations.h"
#include "script/data_file_reader.h"
#include "script/directive_syntax.h"
#include "script/history_log.h"
#include "script/hosts.h"
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

    // Appends a message and shows it.
    void Report(const MixedText& message);
    // A report on the current line: "<file> <n>行目: <problem>".
    void ReportLine(const char* problem);
    void ReportFileResult(FileResult result);
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
};

}  // namespace zevo
