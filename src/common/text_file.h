// A text file with the line rules of the C runtime's text mode, applied by
// this class itself so that the bytes are the same on Windows and on Linux:
// reading, a line ends at LF and a CR directly before that LF is dropped, and
// a Ctrl-Z byte ends the file; writing, every LF becomes CR LF.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace zevo {

class TextFile {
public:
    enum class Mode {
        Read,           // existing file, reading only
        WriteTruncate,  // created or emptied, writing
        Append,         // created when missing, never emptied, writes go to the end
    };

    enum class ReadResult {
        Line,     // one physical line, its LF kept when it had one
        TooLong,  // a line longer than the limit; it has been skipped whole
        End,      // nothing more to read
    };

    // How files are opened: fopen in binary mode unless a test or fuzz
    // target puts its own function in place (to keep files in a sandbox or
    // to make the disk fail).
    using OpenFunction = std::FILE* (*)(const std::string& path, Mode mode);
    static void SetOpenFunction(OpenFunction open);

    TextFile() = default;
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    bool Open(const std::string& path, Mode mode);
    // Takes over an already open stream (a memory stream in tests and fuzzing).
    bool OpenStream(std::FILE* stream, Mode mode);
    // Reads these bytes as a file's: how the reader will read back a text
    // before it is written.
    void OpenText(const std::string& bytes);
    bool IsOpen() const { return m_file != nullptr || m_inMemory; }
    // Flushes, asks the system to put a written file on the disk, and
    // closes; false when buffered text could not be written.
    bool Close();

    // Reads the next physical line into `line`. A line whose text (without
    // its line end) is longer than maxBytes is skipped up to its end and
    // reported as TooLong. Lines are counted from 1 since Open.
    ReadResult ReadLine(std::string& line, size_t maxBytes);
    int LineNumber() const { return m_lineNumber; }
    // Reading stopped at an error of the disk, not at the end of the file.
    bool ReadFailed() const { return m_readFailed; }
    // Where a Ctrl-Z ended the file while bytes followed it: line and byte
    // (from 1); line 0 when none did.
    int CtrlZLine() const { return m_ctrlZLine; }
    size_t CtrlZColumn() const { return m_ctrlZColumn; }

    // Writes the text with every LF turned into CR LF; false on a write error.
    bool Write(const std::string& text);
    // Hands what is buffered to the system; false on a write error.
    bool Flush();

private:
    bool FillBuffer();

    std::FILE* m_file = nullptr;
    Mode m_mode = Mode::Read;
    std::vector<char> m_buffer;
    std::string m_converted;  // the text being written, with CR LF
    size_t m_bufferPos = 0;
    size_t m_bufferEnd = 0;
    bool m_atEnd = false;
    bool m_readFailed = false;
    int m_lineNumber = 0;
    bool m_inMemory = false;
    int m_ctrlZLine = 0;
    size_t m_ctrlZColumn = 0;
};

}  // namespace zevo
