#include "common/text_file.h"

#include <cstring>

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
    if (mode == Mode::Read)
        m_buffer.resize(kReadChunk);
    return true;
}

bool TextFile::Close()
{
    if (m_file == nullptr)
        return true;
    bool ok = std::fclose(m_file) == 0;
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
    size_t pos = 0;
    while (pos < text.size()) {
        size_t lf = text.find('\n', pos);
        size_t end = lf == std::string::npos ? text.size() : lf;
        if (end > pos && std::fwrite(text.data() + pos, 1, end - pos, m_file) != end - pos)
            return false;
        if (lf == std::string::npos)
            break;
        if (std::fwrite("\r\n", 1, 2, m_file) != 2)
            return false;
        pos = lf + 1;
    }
    return true;
}

bool TextFile::Flush()
{
    return m_file != nullptr && std::fflush(m_file) == 0;
}

}  // namespace zevo
