#include "ui/win/text.h"

#include <windows.h>

namespace zevo::win {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& utf8)
{
    return ToWide(CP_UTF8, utf8);
}

std::wstring AnsiToWide(const std::string& ansi)
{
    return ToWide(CP_ACP, ansi);
}

std::string WideToAnsi(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0], length,
                        nullptr, nullptr);
    return ansi;
}

std::wstring MixedToWide(const MixedText& text)
{
    std::wstring wide;
    for (const MixedText::Piece& piece : text.Pieces())
        wide += piece.program ? Utf8ToWide(piece.bytes) : AnsiToWide(piece.bytes);
    return wide;
}

}  // namespace zevo::win
