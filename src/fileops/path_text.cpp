#include "fileops/path_text.h"

namespace zevo {

namespace {

std::string WithoutLastChar(const std::string& text)
{
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

}  // namespace

bool SplitKeyPath(const std::string& text, const CodePage& cp, std::string& root,
                  std::string& parent, std::string& last)
{
    size_t first = cp.Find(text, '\\');
    if (first == std::string::npos) {
        root = text.size() > 2 ? text.substr(1, text.size() - 2) : std::string();
        parent.clear();
        return false;
    }
    root = first > 1 ? text.substr(1, first - 1) : std::string();
    const std::string rest = text.substr(first + 1);
    size_t separator = cp.FindLast(rest, '\\');
    if (separator == std::string::npos) {
        last = WithoutLastChar(rest);
        parent.clear();
    } else {
        last = WithoutLastChar(rest.substr(separator + 1));
        parent = rest.substr(0, separator);
    }
    return true;
}

std::string PatternDirectory(const std::string& pattern, const CodePage& cp)
{
    size_t start = pattern.size() >= 2 && pattern[1] == ':' ? 2 : 0;
    size_t end = start;
    for (size_t i = start; i < pattern.size(); i += cp.CharLength(pattern, i)) {
        if (pattern[i] == '\\' || pattern[i] == '/')
            end = i + 1;
    }
    return pattern.substr(0, end);
}

}  // namespace zevo
