#include "script/directive_notes.h"

#include <cstring>

#include "script/interpreter.h"

namespace zevo {

namespace {

// What ExecuteDirective's switch makes of the flag of each directive that
// takes nothing else: the flags it tells apart besides none at all, and the
// form it acts as with any other (null: it does nothing). It must follow the
// switch.
struct FlagReading {
    char letter;
    const char* flags;
    const char* otherwise;
};

const FlagReading kFlagReadings[] = {
    {'E', "Y", "/E"},  {'I', "-", nullptr}, {'Q', "YN", "/QN"}, {'T', "-", "/T"},
    {'V', "-", nullptr}, {'X', "-", "/X"},  {'Z', "-", nullptr},
};

void NoteFlag(Diagnostics& diagnostics, const DirectiveText& directive, const std::string& line,
              const FlagReading& reading)
{
    const std::string name = std::string("/") + reading.letter;
    if (directive.Flag() == '\0')
        return;
    if (std::strchr(reading.flags, directive.Flag()) == nullptr) {
        MixedText message = MixedText("The flag ").Append(QuotedChar(line[2]));
        if (reading.otherwise != nullptr)
            message.Program(" means nothing to " + name + ", which acts as " + reading.otherwise + ".");
        else
            message.Program(" means nothing to " + name + ", so the line does nothing.");
        diagnostics.Add("directive-flag", 2, message);
    } else if (directive.CharAt(2) != '\0') {
        diagnostics.Add("directive-flag", 3,
                        MixedText().Program(name + directive.Flag() + " reads nothing after its flag: the rest is ignored."));
    }
}

}  // namespace

void NoteSeparator(Diagnostics& diagnostics, const std::string& line, size_t position)
{
    diagnostics.Add("missing-separator", position,
                    MixedText("The character after /")
                        .Data(line.substr(1, position - 1))
                        .Program(" is skipped as the blank before its arguments, so ")
                        .Append(QuotedChar(line[position]))
                        .Program(" is not read."));
}

void NoteConditionItems(Diagnostics& diagnostics, char which, const std::vector<std::string>& items,
                        const std::vector<size_t>& starts)
{
    const int highest = which == 'M' ? 12 : 7;
    const std::string what = which == 'M' ? "month (1-12)" : "weekday (1-7)";
    if (items.size() == 1 && items[0].empty()) {
        diagnostics.Add("condition-empty", std::string::npos,
                        MixedText().Program(std::string("/A") + which +
                                  " without items never holds: the run carries out nothing after it "
                                  "until the condition changes."));
        return;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        bool digits = !item.empty();
        for (char c : item)
            digits = digits && c >= '0' && c <= '9';
        const int value = LeadingDecimal(item);
        const bool inRange = value >= 1 && value <= highest;
        if (digits && inRange)
            continue;
        MixedText message = MixedText("'").Data(item).Program("'");
        if (!digits)
            message.Program(" is read as " + std::to_string(value));
        if (!inRange)
            message.Program(std::string(digits ? " is" : ", which is") + " no " + what + ": it never matches");
        diagnostics.Add("condition-item", i < starts.size() ? starts[i] : 0, message.Program("."));
    }
}

void Interpreter::NoteDirectiveForm(const DirectiveText& directive, const std::string& line)
{
    Diagnostics& diagnostics = *m_diagnostics;
    const char letter = directive.Letter();
    const char flag = directive.Flag();
    for (const FlagReading& reading : kFlagReadings) {
        if (reading.letter == letter)
            NoteFlag(diagnostics, directive, line, reading);
    }
    switch (letter) {
    case '!':
        if (flag == '\0')
            Note("directive-flag", 1, "/! without a number does nothing.");
        break;
    case 'G':
        if (flag != '\0' && flag != ' ')
            NoteSeparator(diagnostics, line, 2);
        break;
    case 'L':
        if (flag == 'H' ? directive.CharAt(2) != '-' && directive.CharAt(2) != '='
                        : flag != '-' && flag != '=') {
            Note("directive-flag", flag == 'H' ? 3 : 2,
                 flag == 'H' ? "/LH does nothing without '-' or '=' after it."
                             : "/L does nothing without '-', '=' or 'H' after it.");
        } else if (m_readOnly && (flag == '=' || directive.CharAt(2) == '=')) {
            TakeQuotedPaths(directive, 1);
        }
        break;
    case 'C':
    case 'D':
    case 'M':
    case 'R':
        if (m_readOnly)
            TakeQuotedPaths(directive, letter == 'C' ? 2 : 1);
        break;
    case 'Q':
        if ((flag == '\0' || flag == 'Y') && m_exitAtEndSeen) {
            Note("quit-waits", 1,
                 "/Q stops to ask a person, so a run that /T meant to end by itself waits here for an answer.");
        }
        break;
    case 'T':
        m_exitAtEndSeen = m_exitAtEndSeen || flag != '-';
        break;
    default:
        break;
    }
}

void Interpreter::NoteUnreadLines()
{
    int first = 0, last = 0;
    std::string raw;
    for (TextFile::ReadResult result;
         (result = g_runDataFile.ReadLine(raw, kMaxLineBytes)) != TextFile::ReadResult::End;) {
        const EntryKind kind =
            result == TextFile::ReadResult::TooLong ? EntryKind::TooLong : ClassifyLine(NormalizeLine(raw), m_cp);
        if (kind == EntryKind::Blank || kind == EntryKind::Comment)
            continue;
        first = first == 0 ? g_runDataFile.LineNumber() : first;
        last = g_runDataFile.LineNumber();
    }
    if (first == 0)
        return;
    const std::string lines = first == last ? "line " + std::to_string(first) + " of this file is"
                                            : "lines " + std::to_string(first) + "-" + std::to_string(last) +
                                                  " of this file are";
    m_diagnostics->Add("unread-after-handover", std::string::npos,
                       MixedText().Program("The run goes on in the file named here and never comes back: " + lines +
                                 " never read."));
}

}  // namespace zevo
