#include "common/mixed_text.h"

namespace zevo {

void MixedText::Add(bool program, const std::string& bytes)
{
    if (bytes.empty())
        return;
    if (!m_pieces.empty() && m_pieces.back().program == program)
        m_pieces.back().bytes += bytes;
    else
        m_pieces.push_back(Piece{program, bytes});
}

MixedText& MixedText::Program(const std::string& utf8)
{
    Add(true, utf8);
    return *this;
}

MixedText& MixedText::Data(const std::string& codePageBytes)
{
    Add(false, codePageBytes);
    return *this;
}

MixedText& MixedText::Append(const MixedText& other)
{
    for (const Piece& piece : other.m_pieces)
        Add(piece.program, piece.bytes);
    return *this;
}

std::string MixedText::Joined() const
{
    std::string out;
    for (const Piece& piece : m_pieces)
        out += piece.bytes;
    return out;
}

}  // namespace zevo
