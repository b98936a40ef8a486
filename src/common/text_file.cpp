#include "common/text_file.h"

#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zevo {

namespace {

const size_t kReadChunk = 64 * 1024;
const char kCtrlZ = 0x1A;

const char* ModeString(TextFile::Mode mode)
{
    switch (mode) {
    case TextFile::Mode::Read:
        return "rb";
    case TextFile::Mode::WriteTruncate:
        return "wb";
    case TextFile::Mode::Append:
        return "ab";
    }
    return "rb";
}

std::FILE* OpenWithStdio(const std::string& path, TextFile::Mode mode)
{
    return std::fopen(path.c_str(), ModeString(mode));
}

TextFile::OpenFunction g_openFunction = OpenWithStdio;

// Asks the system to put what it holds of the file on the disk itself
// (FlushFileBuffers on Windows). Best effort: a device (NUL, a pipe) or a
// test's memory stream has nothing to commit, and the text has reached the
// system already.
void CommitToDisk(std::FILE* file)
{
#ifdef _WIN32
    const int descriptor = _fileno(file);
    if (descriptor >= 0)
        _commit(descriptor);
#else
    const int descriptor = fileno(file);
    if (descriptor >= 0)
        fsync(descriptor);
#endif
}

}  // namespace

void TextFile::SetOpenFunction(OpenFunction open)
{
    g_openFunction = open != nullptr ? open : OpenWithStdio;
}

TextFile::~TextFile()
{
    Close();
}

bool TextFile::Open(const std::string& path, Mode mode)
{
    Close();
    if (path.empty())
        return false;
    return OpenStream(g_openFunction(path, mode), mode);
}

bool TextFile::OpenStream(std::FILE* stream, Mode mode)
{
    Close();
    if (stream == nullptr)
        return false;
    m_file = stream;
    m_mode = mode;
    m_bufferPos = m_bufferEnd = 0;
    m_atEnd = false;
    m_readFailed = false;
    m_lineNumber = 0;
    m_ctrlZLine = 0;
    if (mode == Mode::Read)
        m_buffer.resize(kReadChunk);
    return true;
}

void TextFile::OpenText(const std::string& bytes)
{
    Close();
    m_buffer.assign(bytes.begin(), bytes.end());
    m_mode = Mode::Read;
    m_inMemory = true;
    m_bufferPos = 0;
    m_bufferEnd = m_buffer.size();
    m_atEnd = true;  // nothing more to fill the buffer with
    m_readFailed = false;
    m_lineNumber = 0;
    m_ctrlZLine = 0;
}

bool TextFile::Close()
{
    m_inMemory = false;
    if (m_file == nullptr) {
        m_bufferPos = m_bufferEnd = 0;
        return true;
    }
    bool ok = true;
    if (m_mode != Mode::Read) {
        ok = std::fflush(m_file) == 0;
        CommitToDisk(m_file);
    }
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    m_bufferPos = m_bufferEnd = 0;
    return ok;
}

bool TextFile::FillBuffer()
{
    if (m_file == nullptr || m_atEnd || m_mode != Mode::Read)
        return false;
    m_bufferPos = 0;
    m_bufferEnd = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    if (m_bufferEnd == 0) {
        m_readFailed = std::ferror(m_file) != 0;
        m_atEnd = true;
        return false;
    }
    return true;
}

TextFile::ReadResult TextFile::ReadLine(std::string& line, size_t maxBytes)
{
    line.clear();
    bool tookAny = false;
    bool tooLong = false;
    bool hasNewline = false;
    size_t lineBytes = 0;
    for (;;) {
        if (m_bufferPos == m_bufferEnd && !FillBuffer())
            break;
        const char* start = m_buffer.data() + m_bufferPos;
        size_t available = m_bufferEnd - m_bufferPos;
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', available));
        size_t take = lf ? static_cast<size_t>(lf - start) + 1 : available;
        const char* ctrlZ = static_cast<const char*>(std::memchr(start, kCtrlZ, take));
        if (ctrlZ != nullptr) {
            // Text mode: Ctrl-Z is the end of the file, whatever follows it.
            take = static_cast<size_t>(ctrlZ - start);
            lf = nullptr;
            m_atEnd = true;
            m_bufferEnd = m_bufferPos + take;
            if (take + 1 < available || (m_file != nullptr && std::fgetc(m_file) != EOF)) {
                m_ctrlZLine = m_lineNumber + 1;
                m_ctrlZColumn = lineBytes + take + 1;
            }
        }
        if (take > 0)
            tookAny = true;
        // The line may carry CR LF beyond its text; anything longer is too long.
        if (!tooLong && line.size() + take > maxBytes + 2) {
            tooLong = true;
            line.clear();
        }
        if (!tooLong)
            line.append(start, take);
        m_bufferPos += take;
        lineBytes += take;
        if (lf != nullptr) {
            hasNewline = true;
            break;
        }
        if (ctrlZ != nullptr)
            break;
    }
    if (!tookAny)
        return ReadResult::End;
    ++m_lineNumber;
    if (tooLong)
        return ReadResult::TooLong;
    if (hasNewline && line.size() >= 2 && line[line.size() - 2] == '\r')
        line.erase(line.size() - 2, 1);
    size_t textLength = line.size() - (hasNewline ? 1 : 0);
    if (textLength > maxBytes) {
        line.clear();
        return ReadResult::TooLong;
    }
    return ReadResult::Line;
}

bool TextFile::Write(const std::string& text)
{
    if (m_file == nullptr || m_mode == Mode::Read)
        return false;
    // One call for the whole text, so that a flush after it hands the text
    // to the system in one piece.
    m_converted.clear();
    size_t pos = 0;
    for (size_t lf; (lf = text.find('\n', pos)) != std::string::npos; pos = lf + 1)
        m_converted.append(text, pos, lf - pos).append("\r\n");
    m_converted.append(text, pos, std::string::npos);
    return std::fwrite(m_converted.data(), 1, m_converted.size(), m_file) == m_converted.size();
}

bool TextFile::Flush()
{
    return m_file != nullptr && std::fflush(m_file) == 0;
}

}  // namespace zevo
