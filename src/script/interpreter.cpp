#include "script/interpreter.h"

#include <utility>

#include "registry/key_path.h"
#include "registry/value_codec.h"
#include "script/messages.h"

namespace zevo {

namespace {

const char kLongDataNotice[] = " Not Displayed for Fast Process.";

}  // namespace

Interpreter::Interpreter(RunState& state, Registry& registry, const CodePage& cp,
                         DialogHost& dialog, ProcessHost& process, FileOperations& files)
    : m_state(state),
      m_registry(registry),
      m_cp(cp),
      m_dialog(dialog),
      m_process(process),
      m_files(files),
      m_values(registry, cp, state),
      g_hCurrentKey(registry)
{
}

void Interpreter::ShowMessage(const MixedText& message)
{
    m_state.m_strText.Append(message);
    m_dialog.UpdateDisplay();
    m_dialog.ScrollTextToEnd();
}

RunEvent Interpreter::EventHere(RunEvent::Kind kind) const
{
    RunEvent event;
    event.kind = kind;
    if (m_lineNumber > 0) {  // a line has been read
        event.file = m_currentDataFile;
        event.line = m_lineNumber;
    }
    return event;
}

RunEvent& Interpreter::ValueEvent(RunEvent::Kind kind)
{
    // A run reports up to two events for every value line: the strings keep
    // their buffers from one value to the next instead of allocating anew.
    RunEvent& event = m_valueEvent;
    event.kind = kind;
    event.file.assign(m_currentDataFile);
    event.line = m_lineNumber;
    event.key.assign(m_state.m_strKeyPath);
    event.name.assign(m_state.m_strValueName);
    event.missing = false;
    event.registryData.clear();
    event.fileData.clear();
    return event;
}

void Interpreter::Emit(const RunEvent& event)
{
    if (m_report != nullptr)
        m_report->Event(event);
}

void Interpreter::Report(const MixedText& message, RunEvent::Kind kind)
{
    ShowMessage(message);
    if (m_report == nullptr)
        return;
    RunEvent event;
    event.kind = kind;
    event.text = message;
    Emit(event);
}

void Interpreter::ReportLine(const char* problem, RunEvent::Kind kind)
{
    MixedText message;
    message.Data(m_currentDataFile)
        .Program(" " + std::to_string(m_lineNumber))
        .Program(messages::kLineLabel)
        .Program(problem)
        .Program(messages::kLineEnd);
    ShowMessage(message);
    if (m_report == nullptr)
        return;
    RunEvent event = EventHere(kind);
    event.text.Program(problem);
    Emit(event);
}

void Interpreter::ReportProblemQuietly(const MixedText& problem)
{
    if (m_report == nullptr)
        return;
    RunEvent event = EventHere(RunEvent::Kind::Problem);
    event.text = problem;
    Emit(event);
}

bool Interpreter::OpenDataFile(const std::string& path)
{
    if (!g_runDataFile.Open(path, TextFile::Mode::Read))
        return false;
    m_currentDataFile = path;
    m_filesRead.insert(m_cp.ToUpper(m_files.FullPath(path)));
    if (m_diagnostics != nullptr)
        m_diagnostics->BeginFile(path);
    return true;
}

bool Interpreter::StartRun()
{
    RunState& s = m_state;
    s.m_strChangedItems.clear();
    s.m_strText.Clear();
    s.m_strFileData.clear();
    s.m_strRegistryData.clear();
    s.m_strValueName.clear();
    s.m_bLongData = false;
    m_dialog.UpdateDisplay();

    s.SetRunClock(m_process.LocalTime());
    // A new run never works on the key of the run before it.
    g_hCurrentKey.Close();
    g_strCurrentRoot.clear();
    g_strCurrentPath.clear();
    m_filesRead.clear();
    m_processEnded = false;
    m_keyMissing = false;
    m_keyCreated = false;
    m_lineNumber = 0;

    if (!s.m_strDataFile.empty() && s.m_strDataFile.back() == '\n')
        s.m_strDataFile.pop_back();
    s.m_strChangedItems += "File=" + s.m_strDataFile + "\r\n";
    m_dialog.UpdateDisplay();

    g_runDataFile.Close();
    m_exitAtEndSeen = false;
    if (!OpenDataFile(s.m_strDataFile)) {
        if (m_diagnostics != nullptr)
            m_diagnostics->CannotRead(s.m_strDataFile);
        if (!m_readOnly)
            WriteLog(s.m_strLogFile, s.m_strChangedItems);
        Report(MixedText(messages::kDataFileBefore)
                   .Data(s.m_strDataFile)
                   .Program(messages::kCannotOpen)
                   .Program(messages::kLineEnd));
        return false;
    }
    if (s.m_bHistory && !OpenHistoryFile(s.m_strHistoryFile)) {
        Report(MixedText(messages::kHistoryFileBefore)
                   .Data(s.m_strHistoryFile)
                   .Program(messages::kCannotOpen)
                   .Program(messages::kLineEnd));
    }
    return true;
}

int Interpreter::OpenHistoryFile(const std::string& path)
{
    if (g_historyFile.Open(path, m_state.m_timeRunStart)) {
        m_historyFailureReported = false;
        return 1;
    }
    std::string shown = path;
    if (!shown.empty() && shown.back() == '\n')
        shown.pop_back();
    m_dialog.Notice(MixedText().Data(shown).Program(messages::kCannotOpen));
    return 0;
}

void Interpreter::CloseHistoryFile()
{
    g_historyFile.Close();
    ReportHistoryFailure();
}

void Interpreter::WriteHistory(const std::string& text)
{
    g_historyFile.Write(text);
    ReportHistoryFailure();
}

void Interpreter::ReportHistoryFailure()
{
    // Append-only: what the file held before stays; the run goes on.
    if (!g_historyFile.WriteFailed() || m_historyFailureReported)
        return;
    m_historyFailureReported = true;
    Report(MixedText(messages::kHistoryFileBefore)
               .Data(m_state.m_strHistoryFile)
               .Program(messages::kCannotWrite)
               .Program(messages::kLineEnd));
}

void Interpreter::FinishRun(bool writeLog)
{
    CloseHistoryFile();
    g_runDataFile.Close();
    if (writeLog && !WriteLog(m_state.m_strLogFile, m_state.m_strChangedItems))
        Report(MixedText(messages::kLogFileCannotOpen).Program(messages::kLineEnd));
}

void Interpreter::StopRun()
{
    g_runDataFile.Close();
    m_dialog.UpdateDisplay();
    if (m_state.m_bLog && !WriteLog(m_state.m_strLogFile, m_state.m_strChangedItems))
        Report(MixedText(messages::kLogFileCannotOpen).Program(messages::kLineEnd));
}

void Interpreter::CloseFiles()
{
    CloseHistoryFile();
    g_runDataFile.Close();
}

void Interpreter::EndProcess()
{
    CloseFiles();
    m_processEnded = true;
    m_process.ExitProcess(0);
}

int Interpreter::ProcessEntry()
{
    if (m_processEnded || !g_runDataFile.IsOpen())
        return 0;
    // The entry before lends its buffers: a long run allocates them once.
    Entry entry = std::move(m_spareEntry);
    int result = ReadAndHandleEntry(entry);
    m_spareEntry = std::move(entry);
    return result;
}

int Interpreter::ReadAndHandleEntry(Entry& entry)
{
    if (!ReadEntry(g_runDataFile, m_cp, entry, m_diagnostics)) {
        if (g_runDataFile.ReadFailed()) {
            if (m_diagnostics != nullptr)
                m_diagnostics->CannotRead(m_currentDataFile);
            Report(MixedText(messages::kDataFileBefore)
                           .Data(m_currentDataFile)
                           .Program(messages::kCannotReadToEnd)
                           .Program(messages::kLineEnd),
                   RunEvent::Kind::CannotCheck);
            g_runDataFile.Close();
        }
        return 0;
    }
    m_lineNumber = entry.line;
    switch (entry.kind) {
    case EntryKind::Blank:
    case EntryKind::Header:
    case EntryKind::Comment:
    case EntryKind::Other:
    case EntryKind::BrokenBackslash:
        break;
    case EntryKind::TooLong:
        ReportLine(messages::kLineTooLong);
        break;
    case EntryKind::HasNul:
        ReportLine(messages::kLineHasNul);
        break;
    case EntryKind::Directive:
        g_hDirectiveKey = g_hCurrentKey;
        ExecuteDirective(entry.text);
        break;
    case EntryKind::Key:
        HandleKeyLine(entry.text);
        break;
    case EntryKind::Value:
        HandleValueLine(entry.text);
        break;
    }
    return 1;
}

void Interpreter::NoteNoKey()
{
    if (m_diagnostics == nullptr)
        return;
    m_diagnostics->Add("value-without-key", std::string::npos,
                       MixedText(g_strCurrentRoot.empty() && g_strCurrentPath.empty()
                                     ? "No key line comes before this line, so the run skips it."
                                     : "The key line above opens no key, so the run skips this line."));
}

void Interpreter::HandleKeyLine(const std::string& line)
{
    SplitKeyLine(line, m_cp, g_strCurrentRoot, g_strCurrentPath, m_diagnostics);
    if (m_diagnostics != nullptr)
        GetRootKey(m_registry, g_strCurrentRoot, m_diagnostics, 1);
    m_state.m_strKeyPath = g_strCurrentPath.empty() ? g_strCurrentRoot
                                                    : g_strCurrentRoot + "\\" + g_strCurrentPath;
    m_dialog.UpdateDisplay();
    m_keyMissing = false;
    m_keyCreated = false;
    m_namesWrittenInCreatedKey.clear();
    if (m_readOnly) {
        const long rc = OpenExistingKey(m_registry, g_hCurrentKey, g_strCurrentRoot, g_strCurrentPath);
        if (rc == kErrorFileNotFound)
            m_keyMissing = true;
        else if (rc != kErrorSuccess)
            ReportLine(messages::kKeyNotOpened, GetRootKey(m_registry, g_strCurrentRoot) == 0
                                                    ? RunEvent::Kind::Problem
                                                    : RunEvent::Kind::CannotCheck);
        return;
    }
    // Opening creates the key, also with Verify on and while the conditions
    // do not hold.
    if (m_journal != nullptr)
        m_journal->BeforeKeyOpen(g_strCurrentRoot, g_strCurrentPath);
    if (!OpenKey(m_registry, g_hCurrentKey, g_strCurrentRoot, g_strCurrentPath, &m_keyCreated))
        ReportLine(messages::kKeyNotOpened);
}

void Interpreter::HandleValueLine(const std::string& line)
{
    RunState& s = m_state;
    s.m_strValueName = GetValueName(line, m_cp, m_diagnostics);
    if (!s.m_bActive)
        return;
    if (g_hCurrentKey.Get() == 0 && !m_keyMissing) {
        ReportLine(messages::kNoCurrentKey);
        NoteNoKey();
        return;
    }

    // A key this key line has just created holds only what the run wrote
    // into it since: any other value is missing, and is not asked for.
    std::string folded;
    if (m_keyCreated)
        folded = m_cp.ToUpper(s.m_strValueName);
    const bool knownMissing = m_keyCreated && m_namesWrittenInCreatedKey.count(folded) == 0;
    bool same = knownMissing ? m_values.CompareMissing(line) == 1
                             : m_values.CompareValue(line, s.m_strValueName, g_hCurrentKey) == 1;
    if (s.m_bTrackChanges && !same)
        s.m_bChangesSeen = true;
    if (!same && m_report != nullptr) {
        RunEvent& event = ValueEvent(RunEvent::Kind::ValueDiffers);
        event.missing = !m_values.LastValueFound();
        event.registryData = s.m_strRegistryData;
        event.fileData = s.m_strFileData;
        Emit(event);
    }

    // The record holds the display forms, taken before a long value's are
    // replaced by the notice; it is written once the registry took the value.
    std::string record;
    if (!same && !s.m_bVerify && s.m_bHistory) {
        record = "[" + s.m_strKeyPath + "]" + s.m_strValueName + "\n(Old)" + s.m_strRegistryData +
                 "\n(New)" + s.m_strFileData + "\n\n";
    }
    if (s.m_bLongData) {
        s.m_strRegistryData = kLongDataNotice;
        s.m_strFileData = kLongDataNotice;
    }
    s.m_bLongData = false;

    if (same) {
        m_dialog.UpdateDisplay();
        return;
    }
    std::string& items = s.m_strChangedItems;
    items.append(g_strCurrentRoot).append(1, '\\').append(g_strCurrentPath);
    items.append(" \"").append(s.m_strValueName).append("\"\r\n");
    m_dialog.UpdateDisplay();
    if (s.m_bVerify)
        return;
    if (!m_values.LineForm(line).known) {
        ReportLine(messages::kUnknownValueForm);
        return;
    }
    if (m_journal != nullptr)
        m_journal->BeforeValueChange(g_hCurrentKey, g_strCurrentRoot, g_strCurrentPath, s.m_strValueName);
    if (m_values.SetValue(g_hCurrentKey, line, s.m_strValueName) != 1) {
        ReportLine(messages::kValueNotWritten);
        return;
    }
    if (m_keyCreated)
        m_namesWrittenInCreatedKey.insert(std::move(folded));
    if (m_report != nullptr)
        Emit(ValueEvent(RunEvent::Kind::ValueWritten));
    WriteHistory(record);
}

}  // namespace zevo
