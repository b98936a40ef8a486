// Text for the message pane and message boxes, which mix the program's own
// texts (UTF-8 in the source) with bytes from the data file (system code
// page). Each piece keeps its own encoding until the window converts it, so
// Japanese messages show correctly whatever the system code page is.
#pragma once

#include <string>
#include <vector>

namespace zevo {

class MixedText {
public:
    struct Piece {
        bool program;       // true: UTF-8; false: system code page bytes
        std::string bytes;
    };

    MixedText() = default;
    // A text of the program's own, UTF-8.
    explicit MixedText(const char* programText) { Program(programText); }

    MixedText& Program(const std::string& utf8);
    MixedText& Data(const std::string& codePageBytes);
    MixedText& Append(const MixedText& other);

    void Clear() { m_pieces.clear(); }
    bool Empty() const { return m_pieces.empty(); }
    const std::vector<Piece>& Pieces() const { return m_pieces; }

    // All pieces one after the other, as they are (for tests and diagnostics).
    std::string Joined() const;

private:
    void Add(bool program, const std::string& bytes);

    std::vector<Piece> m_pieces;
};

}  // namespace zevo
