#include "script/history_log.h"

#include <cstdio>

#include "common/replace_file.h"

namespace zevo {

namespace {

void DropFinalLineFeed(std::string& path)
{
    if (!path.empty() && path.back() == '\n')
        path.pop_back();
}

}  // namespace

bool HistoryFile::Open(std::string path, const RunTime& runStart)
{
    DropFinalLineFeed(path);
    Close();
    if (path.size() > kMaxPathBytes || !m_file.Open(path, TextFile::Mode::Append))
        return false;
    m_writeFailed = false;
    char header[96];
    std::snprintf(header, sizeof header, "<< %d %d %d %d:%d:%d >>\n", runStart.year,
                  runStart.month, runStart.day, runStart.hour, runStart.minute, runStart.second);
    Write(header);
    return true;
}

void HistoryFile::Close()
{
    if (m_file.IsOpen() && !m_file.Close())
        m_writeFailed = true;
}

void HistoryFile::Write(const std::string& text)
{
    // Each record reaches the system before the run changes anything else,
    // so that a process ended at any moment keeps every earlier record.
    if (m_file.IsOpen() && !(m_file.Write(text) && m_file.Flush()))
        m_writeFailed = true;
}

int WriteLog(std::string path, const std::string& text)
{
    DropFinalLineFeed(path);
    if (path.empty() || path.size() > kMaxPathBytes)
        return 0;
    const std::string temporary = path + ".zevo-new";
    TextFile file;
    if (!file.Open(temporary, TextFile::Mode::WriteTruncate))
        return 0;
    bool written = file.Write(text);
    written = file.Close() && written;
    if (!written || !MoveFileReplacing(temporary, path)) {
        std::remove(temporary.c_str());
        return 0;
    }
    return 1;
}

}  // namespace zevo
