#include "script/directive_syntax.h"

#include <cstdio>

namespace zevo {

namespace {

std::string Field(const std::string& text, size_t pos, size_t length)
{
    return pos < text.size() ? text.substr(pos, length) : std::string();
}

size_t LeadingBlanks(const std::string& text)
{
    size_t count = 0;
    while (count < text.size() && IsSpace(text[count]))
        ++count;
    return count;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A time item that is not HH:MM or HH:MM:SS with two-digit parts in range.
void NoteTime(Diagnostics& diagnostics, const std::string& time, size_t offset, int seconds)
{
    bool exact = time.size() == 5 || time.size() == 8;
    for (size_t i = 0; exact && i < time.size(); ++i)
        exact = i % 3 == 2 ? time[i] == ':' : IsDigit(time[i]);
    const int hours = LeadingDecimal(Field(time, 0, 2)), minutes = LeadingDecimal(Field(time, 3, 2));
    if (exact && hours < 24 && minutes < 60 && (time.size() == 5 || LeadingDecimal(time.substr(6)) < 60))
        return;
    char read[32];
    std::snprintf(read, sizeof read, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    MixedText message = MixedText("'").Data(time).Program("' is no time of the form HH:MM or HH:MM:SS");
    message.Program(": the reader reads " + std::string(read));
    if (seconds >= 24 * 3600)
        message.Program(", which no day reaches");
    diagnostics.Add("time-format", offset, message.Program("."));
}

}  // namespace

DirectiveText::DirectiveText(const std::string& line, const CodePage& cp)
    : m_command(cp.ToUpper(AfterChars(line, 1)))
{
}

int SplitQuoted(const std::string& text, const CodePage& cp, std::vector<std::string>& pieces,
                ArgumentNotes* notes)
{
    pieces.clear();
    std::string rest = Trim(text);
    size_t restStart = LeadingBlanks(text);  // where `rest` begins in `text`
    if (notes != nullptr)
        notes->starts.clear();
    while (static_cast<int>(pieces.size()) < kMaxDirectiveArgs) {
        size_t open = cp.Find(rest, '"');
        if (open == std::string::npos)
            break;
        size_t close = cp.Find(rest, '"', open + 1);
        if (close == std::string::npos) {
            if (notes != nullptr) {
                notes->diagnostics->Add("unterminated-quote", notes->offset + restStart + open,
                                       MixedText("This quote is never closed, so the directive is "
                                                 "not carried out."));
            }
            return -1;
        }
        pieces.push_back(rest.substr(open + 1, close - open - 1));
        if (notes != nullptr)
            notes->starts.push_back(notes->offset + restStart + open);
        const std::string after = rest.substr(close + 1);
        rest = TrimLeft(after);
        restStart += close + 1 + after.size() - rest.size();
    }
    const size_t more = cp.Find(rest, '"');
    if (notes != nullptr && more != std::string::npos) {
        notes->diagnostics->Add("too-many-arguments", notes->offset + restStart + more,
                               MixedText("Only 13 quoted arguments are read: the rest of the line is "
                                         "ignored."));
    }
    return static_cast<int>(pieces.size());
}

int SplitWords(const std::string& text, const CodePage& cp, std::vector<std::string>& items,
               ArgumentNotes* notes)
{
    items.clear();
    std::string rest = Trim(text);
    size_t restStart = LeadingBlanks(text);
    if (notes != nullptr)
        notes->starts.clear();
    for (;;) {
        size_t blank = cp.Find(rest, ' ');
        if (notes != nullptr)
            notes->starts.push_back(notes->offset + restStart);
        if (blank == std::string::npos || static_cast<int>(items.size()) == kMaxDirectiveArgs - 1) {
            items.push_back(blank == std::string::npos ? rest : rest.substr(0, blank));
            if (notes != nullptr && blank != std::string::npos) {
                const std::string after = rest.substr(blank + 1);
                const size_t next = rest.size() - TrimLeft(after).size();
                notes->diagnostics->Add("too-many-arguments", notes->offset + restStart + next,
                                       MixedText("Only 13 items are read: the rest of the line is "
                                                 "ignored."));
            }
            break;
        }
        items.push_back(rest.substr(0, blank));
        const std::string after = rest.substr(blank + 1);
        rest = TrimLeft(after);
        restStart += blank + 1 + after.size() - rest.size();
    }
    return static_cast<int>(items.size());
}

int TimeToSeconds(const std::string& item, Diagnostics* diagnostics, size_t offset)
{
    std::string time = TrimLeft(item);
    int seconds = LeadingDecimal(Field(time, 0, 2)) * 3600 + LeadingDecimal(Field(time, 3, 2)) * 60;
    if (time.size() == 8)
        seconds += LeadingDecimal(time.substr(6, 2));
    if (diagnostics != nullptr)
        NoteTime(*diagnostics, time, offset + item.size() - time.size(), seconds);
    return seconds;
}

}  // namespace zevo
