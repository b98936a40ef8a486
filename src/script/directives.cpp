// The directive lines of a data file: "/" followed by a letter, a flag
// character and arguments at fixed positions.
#include "fileops/path_text.h"
#include "registry/key_path.h"
#include "script/interpreter.h"
#include "script/directive_notes.h"
#include "script/messages.h"

namespace zevo {

namespace {

// A guard against a chain of hand-overs that no path comparison catches
// (the same file under names the platform does not resolve to one).
const size_t kMaxDataFilesPerRun = 4096;

}  // namespace

void Interpreter::ExecuteDirective(const std::string& line)
{
    // Deletions and hand-overs change what a created key holds: from here on
    // its values are asked for again.
    m_keyCreated = false;
    DirectiveText directive(line, m_cp);
    const char letter = directive.Letter();
    const char flag = directive.Flag();
    // Conditions and the history switch work whatever the conditions say.
    const bool alwaysCarriedOut = letter == 'A' || (letter == 'L' && flag == 'H');
    if (m_diagnostics != nullptr)
        NoteDirectiveForm(directive, line);
    if ((!alwaysCarriedOut && !m_state.m_bActive) ||
        (m_readOnly && LeftAloneWhenReadOnly(directive, line))) {
        m_dialog.UpdateDisplay();
        return;
    }
    RunState& s = m_state;
    switch (letter) {
    case '!':
        if (flag == '-')
            m_dialog.SetSpeedPosition(0);
        else if (flag != '\0')
            m_dialog.SetSpeedPosition(LeadingDecimal(TrimLeft(AfterChars(directive.Command(), 1))));
        break;
    case '%':
        if (flag != '=')
            Note("delete-form", 2, "/% needs '=' right after it: the line does nothing.");
        else if (directive.CharAt(2) == '"')
            DeleteValue(directive);
        else if (directive.CharAt(2) == '[')
            DeleteKey(directive);
        else
            Note("delete-form", 3, "/%= must be followed by '\"' or '[': the line does nothing.");
        break;
    case '*':
        s.m_strText.Clear();
        s.m_strText.Data(AfterChars(line, 2)).Program(messages::kLineEnd);
        m_dialog.UpdateDisplay();
        m_dialog.ScrollTextToEnd();
        if (m_report != nullptr) {
            RunEvent event = EventHere(RunEvent::Kind::Text);
            event.text.Data(AfterChars(line, 2));
            Emit(event);
        }
        break;
    case 'A':
        SetCondition(directive, line);
        break;
    case 'C':
    case 'D':
    case 'M':
    case 'R':
        FileDirective(directive);
        break;
    case 'E':
        s.m_nRestartMode = flag == 'Y' ? 2 : 1;
        break;
    case 'F':
        HandOver(directive);
        break;
    case 'G':
        if (s.m_bVerify)
            break;
        if (m_journal != nullptr)
            m_journal->NotTakenBack("/" + directive.Command());
        m_process.StartProgram(AfterChars(directive.Command(), 2));
        break;
    case 'I':
        if (flag == '\0')
            m_dialog.Minimize();
        else if (flag == '-')
            m_dialog.Restore();
        break;
    case 'L':
        SwitchLogFiles(directive);
        break;
    case 'Q':
        Quit(directive);
        return;
    case 'T':
        s.m_bExitAtEnd = flag != '-';
        break;
    case 'V':
        if (flag == '\0') {
            s.m_bVerify = true;
            s.m_bVerifyByData = true;
        } else if (flag == '-') {
            s.m_bVerify = false;
        }
        break;
    case 'X':
        if (flag == '-') {
            m_dialog.UnlockRunControls();
            s.m_bControlsUnlocked = true;
        } else {
            m_dialog.EnableControls(false);
            if (flag == '\0')
                s.m_bControlsUnlocked = false;
        }
        break;
    case 'Z':
        if (flag == '\0')
            s.m_bTrackChanges = true;
        else if (flag == '-')
            s.m_bTrackChanges = false;
        break;
    default:
        Note("unknown-directive", letter == '\0' ? 0 : 1,
             "There is no such directive: the run ignores this line.");
        break;
    }
    m_dialog.UpdateDisplay();
}

bool Interpreter::LeftAloneWhenReadOnly(const DirectiveText& directive, const std::string& line)
{
    // What changes files, starts programs, switches the log or history file,
    // waits for a person, ends the run or moves the window; and "/V-", which
    // would let the values be written.
    static const std::string kChanging = "CDMRGETQLIX!";
    const char letter = directive.Letter();
    const bool changing = (letter != '\0' && kChanging.find(letter) != std::string::npos) ||
                          (letter == 'V' && directive.Flag() == '-');
    if (!changing)
        return false;
    RunEvent event = EventHere(RunEvent::Kind::NotCarriedOut);
    event.text.Data(line);
    Emit(event);
    return true;
}

bool Interpreter::TakeQuotedPaths(const DirectiveText& directive, size_t needed)
{
    ArgumentNotes notes{m_diagnostics, 1, {}};
    const int count = SplitQuoted(directive.Command(), m_cp, m_args, m_diagnostics ? &notes : nullptr);
    if (count < 0 || m_args.size() < needed) {
        ReportLine(messages::kMissingArgument);
        if (count >= 0) {
            Note("missing-argument", std::string::npos,
                 needed == 2 ? "This directive needs two quoted paths: it is not carried out."
                             : "This directive needs a quoted path: it is not carried out.");
        }
        return false;
    }
    for (size_t i = 0; i < needed; ++i) {
        // An empty path would reach the current folder or a drive root.
        if (m_args[i].empty()) {
            ReportLine(messages::kEmptyPath);
            Note("empty-argument", notes.starts.empty() ? 0 : notes.starts[i],
                 "An empty path is refused: the directive is not carried out.");
            return false;
        }
        if (m_args[i].size() > kMaxPathBytes) {
            ReportLine(messages::kPathTooLong);
            Note("path-too-long", notes.starts.empty() ? 0 : notes.starts[i],
                 "A path of more than 511 bytes is refused: the directive is not carried out.");
            return false;
        }
    }
    return true;
}

void Interpreter::DeleteValue(const DirectiveText& directive)
{
    RunState& s = m_state;
    // An empty name ("") is the key's default value.
    ArgumentNotes notes{m_diagnostics, 1, {}};
    if (SplitQuoted(directive.Command(), m_cp, m_args, m_diagnostics ? &notes : nullptr) < 1) {
        ReportLine(messages::kMissingArgument);
        return;
    }
    if (g_hDirectiveKey == 0) {
        // Under a key that does not exist the value is absent already.
        if (!m_keyMissing) {
            ReportLine(messages::kNoCurrentKey);
            NoteNoKey();
        }
        return;
    }
    const std::string name = m_args[0];
    bool exists = m_values.ReadOldValue("\"" + name + "\"", g_hDirectiveKey) == 1;
    if (!s.m_bVerify && exists && m_journal != nullptr)
        m_journal->BeforeValueChange(g_hDirectiveKey, g_strCurrentRoot, g_strCurrentPath, name);
    if (s.m_bVerify) {
        // Listed as it would be deleted; nothing is deleted or recorded.
        if (!exists)
            return;
    } else if (const long rc = m_registry.DeleteValue(g_hDirectiveKey, name); rc != kErrorSuccess) {
        // A value that is not there is as the line wants it.
        if (rc != kErrorFileNotFound)
            ReportProblemQuietly(MixedText(messages::kValueNotDeleted));
        return;
    }
    if (m_report != nullptr) {
        RunEvent event = EventHere(s.m_bVerify ? RunEvent::Kind::ValueShouldBeAbsent : RunEvent::Kind::ValueDeleted);
        event.key = s.m_strKeyPath;
        event.name = name;
        event.registryData = s.m_strRegistryData;
        Emit(event);
    }
    if (s.m_bTrackChanges)
        s.m_bChangesSeen = true;
    if (s.m_bHistory && !s.m_bVerify) {
        WriteHistory("[" + s.m_strKeyPath + "]" + name + "\n(Old)" + s.m_strRegistryData +
                     "\n-- Value Deleted --\n\n");
    }
    s.m_strChangedItems += "[" + s.m_strKeyPath + "]" + name + " -- Value deleted --\r\n";
}

void Interpreter::DeleteKey(const DirectiveText& directive)
{
    RunState& s = m_state;
    const std::string keyText = AfterChars(directive.Command(), 2);
    std::string root, parentPath, name;
    SplitKeyPath(keyText, m_cp, root, parentPath, name);
    if (m_diagnostics != nullptr && keyText.size() > 1 && keyText.back() != ']') {
        m_diagnostics->Add("key-closing-bracket", keyText.size() + 2,
                           MixedText("The key does not end with ']', yet its last character, ")
                               .Append(QuotedChar(keyText.back()))
                               .Program(", is dropped as if it were."));
    }
    // An empty name would make the platform delete the parent itself.
    if (name.empty()) {
        ReportLine(messages::kNoKeyName);
        Note("no-key-name", 3, "There is no key name below the root, so nothing is deleted.");
        return;
    }
    if (m_diagnostics != nullptr)
        GetRootKey(m_registry, root, m_diagnostics, 4);
    ScopedKey parent(m_registry);
    if (!m_readOnly && m_journal != nullptr)
        m_journal->BeforeKeyOpen(root, parentPath);
    if (m_readOnly ? OpenExistingKey(m_registry, parent, root, parentPath) != kErrorSuccess
                   : !OpenKey(m_registry, parent, root, parentPath)) {
        if (!m_readOnly)
            ReportProblemQuietly(MixedText(messages::kKeyNotDeleted));
        return;
    }
    const std::string path = parentPath.empty() ? name : parentPath + "\\" + name;
    if (!s.m_bVerify && m_journal != nullptr)
        m_journal->BeforeKeyDelete(root, path);
    if (s.m_bVerify) {
        KeyHandle existing = 0;
        if (m_registry.OpenKeyForReading(parent, name, &existing) != kErrorSuccess)
            return;
        m_registry.CloseKey(existing);
    } else if (const long rc = m_registry.DeleteKey(parent, name); rc != kErrorSuccess) {
        // A key that is not there is as the line wants it.
        if (rc != kErrorFileNotFound)
            ReportProblemQuietly(MixedText(messages::kKeyNotDeleted));
        return;
    }
    if (m_report != nullptr) {
        RunEvent event = EventHere(s.m_bVerify ? RunEvent::Kind::KeyShouldBeAbsent : RunEvent::Kind::KeyDeleted);
        event.key = root + "\\" + path;
        Emit(event);
    }
    if (s.m_bTrackChanges)
        s.m_bChangesSeen = true;
    if (s.m_bHistory && !s.m_bVerify)
        WriteHistory(keyText + "  -- Key Deleted --\n\n");
    s.m_strChangedItems += keyText + " -- Key deleted --\r\n";
}

void Interpreter::SetCondition(const DirectiveText& directive, const std::string& line)
{
    RunState& s = m_state;
    const char which = directive.CharAt(1);
    bool* flag = which == 'M'   ? &s.m_bMonthMatch
                 : which == 'W' ? &s.m_bWeekdayMatch
                 : which == 'T' ? &s.m_bTimeMatch
                                : nullptr;
    if (flag == nullptr) {
        Note("unknown-directive", 1, "There is no such condition (/AM, /AW, /AT): the run ignores this line.");
        return;
    }
    if (directive.CharAt(2) == '-') {
        *flag = true;
    } else {
        if (m_diagnostics != nullptr && line.size() > 3 && line[3] != ' ')
            NoteSeparator(*m_diagnostics, line, 3);
        std::vector<std::string> items;
        ArgumentNotes notes{m_diagnostics, 4, {}};
        SplitWords(AfterChars(line, 4), m_cp, items, m_diagnostics ? &notes : nullptr);
        if (m_diagnostics != nullptr && which != 'T')
            NoteConditionItems(*m_diagnostics, which, items, notes.starts);
        if (which == 'T') {
            if (items.size() < 2) {
                Note("condition-empty", std::string::npos,
                     "/AT needs two times: the run ignores it, and the time condition stays as it was.");
                return;
            }
            const int from = TimeToSeconds(items[0], m_diagnostics, notes.starts.empty() ? 0 : notes.starts[0]);
            const int to = TimeToSeconds(items[1], m_diagnostics, notes.starts.empty() ? 0 : notes.starts[1]);
            const int now = s.m_nNowSeconds;
            *flag = from <= to ? (from <= now && now <= to) : (now >= from || now <= to);
        } else {
            const int now = which == 'M' ? s.m_nNowMonth : s.m_nNowWeekday;
            *flag = false;
            for (const std::string& item : items) {
                if (LeadingDecimal(item) == now)
                    *flag = true;
            }
        }
    }
    s.m_bActive = m_ignoreConditions || (s.m_bMonthMatch && s.m_bWeekdayMatch && s.m_bTimeMatch);
}

void Interpreter::FileDirective(const DirectiveText& directive)
{
    const char letter = directive.Letter();
    if (!TakeQuotedPaths(directive, letter == 'C' ? 2 : 1))
        return;
    // Verify changes nothing, files and folders included.
    if (m_state.m_bVerify)
        return;
    if (m_journal != nullptr)
        m_journal->NotTakenBack("/" + directive.Command());
    switch (letter) {
    case 'C':
        ReportFileResult(m_files.CopyFiles(m_args[0], m_args[1]));
        break;
    case 'D':
        ReportFileResult(m_files.DeleteFiles(m_args[0]));
        break;
    case 'M':
        ReportFileResult(m_files.MakeDirectory(m_args[0]));
        break;
    default:
        ReportFileResult(m_files.RemoveEmptyDirectory(m_args[0]));
        break;
    }
}

void Interpreter::ReportFileResult(FileResult result)
{
    // A plain failure of the platform is not shown in the message pane, as
    // before; what the program itself refused is.
    switch (result) {
    case FileResult::Done:
        Emit(EventHere(RunEvent::Kind::FileOperation));
        break;
    case FileResult::NothingToDo:
        break;
    case FileResult::Failed:
        ReportProblemQuietly(MixedText(messages::kFileOperationFailed));
        break;
    case FileResult::PathTooLong:
        ReportLine(messages::kPathTooLong);
        break;
    case FileResult::DestinationIsFile:
        ReportLine(messages::kDestinationIsFile);
        break;
    }
}

void Interpreter::HandOver(const DirectiveText& directive)
{
    RunState& s = m_state;
    if (!TakeQuotedPaths(directive, 1))
        return;
    const std::string path = m_args[0];
    if (!m_files.MatchesFile(path)) {
        Note("handover-missing", std::string::npos,
             "No file matches this path, so the run ignores this line and goes on in this file.");
        return;
    }
    if (m_filesRead.count(m_cp.ToUpper(m_files.FullPath(path))) != 0 ||
        m_filesRead.size() >= kMaxDataFilesPerRun) {
        ReportLine(messages::kAlreadyRead);
        Note("handover-cycle", std::string::npos,
             "This run has read that file already, so it refuses the hand-over and goes on in this file.");
        return;
    }
    if (m_diagnostics != nullptr)
        NoteUnreadLines();
    g_runDataFile.Close();
    if (OpenDataFile(path)) {
        s.m_strChangedItems += "File=" + path + "\r\n";
        m_dialog.UpdateDisplay();
        return;
    }
    // The data file stays closed: the run ends at the next entry. The pane
    // shows the failure only when the log cannot be written either.
    if (m_diagnostics != nullptr)
        m_diagnostics->CannotRead(path);
    const MixedText message =
        MixedText(messages::kDataFileBefore).Data(path).Program(messages::kCannotOpen);
    if (m_readOnly || WriteLog(s.m_strLogFile, s.m_strChangedItems))
        ReportProblemQuietly(message);
    else
        Report(MixedText(message).Program(messages::kLineEnd));
}

void Interpreter::SwitchLogFiles(const DirectiveText& directive)
{
    RunState& s = m_state;
    const char flag = directive.Flag();
    if (flag == 'H') {
        const char historyFlag = directive.CharAt(2);
        if (historyFlag == '-') {
            s.m_bHistory = false;
            CloseHistoryFile();
        } else if (historyFlag == '=') {
            if (!TakeQuotedPaths(directive, 1))
                return;
            CloseHistoryFile();
            s.m_strHistoryFile = m_args[0];
            if (OpenHistoryFile(s.m_strHistoryFile)) {
                s.m_bHistory = true;
            } else {
                Report(MixedText(messages::kHistoryFileBefore)
                           .Data(s.m_strHistoryFile)
                           .Program(messages::kCannotOpen)
                           .Program(messages::kLineEnd));
                s.m_bHistory = false;
            }
        }
        return;
    }
    if (flag == '-') {
        s.m_bLog = false;
    } else if (flag == '=') {
        if (!TakeQuotedPaths(directive, 1))
            return;
        s.m_bLog = true;
        s.m_strLogFile = m_args[0];
    }
}

void Interpreter::Quit(const DirectiveText& directive)
{
    const char flag = directive.Flag();
    if (flag == '\0' || flag == 'Y') {
        if (!m_dialog.ConfirmBox(MixedText(messages::kAbortQuestion),
                                 MixedText(messages::kAbortCaption))) {
            m_dialog.UpdateDisplay();
            return;
        }
    }
    EndProcess();
}

}  // namespace zevo
