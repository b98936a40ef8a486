#include "common/diagnostics.h"

#include <cstdio>

namespace zevo {

void Diagnostics::BeginFile(const std::string& path)
{
    m_file = path;
    m_muted = false;
    m_segments.clear();
}

void Diagnostics::BeginEntry(int line, int column)
{
    m_segments.clear();
    m_segments.push_back(Segment{0, line, column});
}

void Diagnostics::ContinueEntry(size_t offset, int line, int column)
{
    m_segments.push_back(Segment{offset, line, column});
}

void Diagnostics::Add(const char* rule, size_t offset, const MixedText& message)
{
    if (m_muted)
        return;
    Finding finding;
    finding.file = m_file;
    finding.rule = rule;
    finding.message = message;
    Segment where = m_segments.empty() ? Segment{0, 0, 1} : m_segments.front();
    if (offset != std::string::npos) {
        for (const Segment& segment : m_segments) {
            if (segment.offset > offset)
                break;
            where = segment;
        }
    }
    finding.line = where.line;
    finding.column = where.column;
    if (offset != std::string::npos)
        finding.column += static_cast<int>(offset - where.offset);
    m_findings.push_back(finding);
}

MixedText QuotedChar(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x7F) {
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", u);
        return MixedText(code);
    }
    return MixedText("'").Data(std::string(1, c)).Program("'");
}

}  // namespace zevo
