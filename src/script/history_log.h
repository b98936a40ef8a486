// The history file, a change record that grows from run to run, and the log
// file, the changed-items list written in one piece.
#pragma once

#include <string>

#include "common/text_file.h"
#include "script/run_state.h"

namespace zevo {

// Paths longer than this are refused rather than cut.
const size_t kMaxPathBytes = 511;

class HistoryFile {
public:
    // Opens the file for appending (created when missing, never emptied)
    // and writes a block header with the run's start time, for example
    // "<< 1998 7 5 9:3:7 >>". A path ending in LF is taken without it.
    // False when the file cannot be opened.
    bool Open(std::string path, const RunTime& runStart);
    bool IsOpen() const { return m_file.IsOpen(); }
    // Flushes, puts the file on the disk and closes; nothing happens when
    // it is not open.
    void Close();
    // Writes the text as it is (every LF as CR LF) and hands it to the
    // system at once; nothing when not open.
    void Write(const std::string& text);
    // A write since opening did not reach the file.
    bool WriteFailed() const { return m_writeFailed; }

private:
    TextFile m_file;
    bool m_writeFailed = false;
};

// Writes the text as the whole log file (every LF as CR LF). The new file is
// written completely beside the old one and then put in its place, so that
// a failure leaves the earlier log as it was. A path ending in LF is taken
// without it. Returns 1 when written, 0 otherwise.
int WriteLog(std::string path, const std::string& text);

}  // namespace zevo
