// Findings on a data file: lines whose effect an author may not expect. The
// reader, the value codec, the directive syntax and the interpreter add them
// where they decide what a run does with a line, so that a finding always
// says what a run does. They take the sink as an optional pointer: a run
// without one pays a null check and nothing more.
#pragma once

#include <string>
#include <vector>

#include "common/mixed_text.h"

namespace zevo {

struct Finding {
    std::string file;   // the data file as given or handed over
    int line = 0;       // physical line, from 1
    int column = 0;     // byte of that line, from 1
    std::string rule;   // a stable kebab-case name per kind of finding
    MixedText message;  // one English sentence; data pieces in the code page
};

class Diagnostics {
public:
    // The data file whose entries follow.
    void BeginFile(const std::string& path);
    // The entry being read begins at physical line `line`; its text begins
    // at byte `column` of that line.
    void BeginEntry(int line, int column);
    // The entry's text from byte `offset` on comes from physical line
    // `line`, beginning at byte `column` (lines joined into one entry).
    void ContinueEntry(size_t offset, int line, int column);

    // A finding at byte `offset` of the current entry's text (npos: the
    // entry's first byte).
    void Add(const char* rule, size_t offset, const MixedText& message);
    // The current file is not a data file of this format: the finding just
    // added says so, and nothing more is added for the file.
    void MuteFile() { m_muted = true; }
    // A data file that could not be opened or read to its end.
    void CannotRead(const std::string& path) { m_unreadable.push_back(path); }

    const std::string& File() const { return m_file; }
    int Line() const { return m_segments.empty() ? 0 : m_segments.front().line; }
    const std::vector<Finding>& Findings() const { return m_findings; }
    const std::vector<std::string>& Unreadable() const { return m_unreadable; }

private:
    struct Segment {
        size_t offset;
        int line;
        int column;
    };

    std::string m_file;
    bool m_muted = false;
    std::vector<Segment> m_segments;  // where the pieces of the current entry come from
    std::vector<Finding> m_findings;
    std::vector<std::string> m_unreadable;
};

// A character of the data file, quoted for a message: 'x', or its code when
// it is a control character or outside ASCII.
MixedText QuotedChar(char c);

}  // namespace zevo
