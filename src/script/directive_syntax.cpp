#include "script/directive_syntax.h"

namespace zevo {

namespace {

std::string Field(const std::string& text, size_t pos, size_t length)
{
    return pos < text.size() ? text.substr(pos, length) : std::string();
}

}  // namespace

DirectiveText::DirectiveText(const std::string& line, const CodePage& cp)
    : m_command(cp.ToUpper(AfterChars(line, 1)))
{
}

int SplitQuoted(const std::string& text, const CodePage& cp, std::vector<std::string>& pieces)
{
    pieces.clear();
    std::string rest = Trim(text);
    while (static_cast<int>(pieces.size()) < kMaxDirectiveArgs) {
        size_t open = cp.Find(rest, '"');
        if (open == std::string::npos)
            break;
        size_t close = cp.Find(rest, '"', open + 1);
        if (close == std::string::npos)
            return -1;
        pieces.push_back(rest.substr(open + 1, close - open - 1));
        rest = TrimLeft(rest.substr(close + 1));
    }
    return static_cast<int>(pieces.size());
}

int SplitWords(const std::string& text, const CodePage& cp, std::vector<std::string>& items)
{
    items.clear();
    std::string rest = Trim(text);
    for (;;) {
        size_t blank = cp.Find(rest, ' ');
        if (blank == std::string::npos || static_cast<int>(items.size()) == kMaxDirectiveArgs - 1) {
            items.push_back(blank == std::string::npos ? rest : rest.substr(0, blank));
            break;
        }
        items.push_back(rest.substr(0, blank));
        rest = TrimLeft(rest.substr(blank + 1));
    }
    return static_cast<int>(items.size());
}

int TimeToSeconds(const std::string& item)
{
    std::string time = TrimLeft(item);
    int seconds = LeadingDecimal(Field(time, 0, 2)) * 3600 + LeadingDecimal(Field(time, 3, 2)) * 60;
    if (time.size() == 8)
        seconds += LeadingDecimal(time.substr(6, 2));
    return seconds;
}

}  // namespace zevo
