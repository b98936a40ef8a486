#include "common/code_page.h"

#include <climits>
#include <cstring>

namespace zevo {

CodePage CodePage::SingleByte()
{
    return CodePage();
}

CodePage CodePage::ShiftJis()
{
    CodePage cp;
    for (int c = 0x81; c <= 0x9F; ++c)
        cp.m_lead[c] = true;
    for (int c = 0xE0; c <= 0xFC; ++c)
        cp.m_lead[c] = true;
    return cp;
}

CodePage CodePage::FromPredicate(LeadBytePredicate isLeadByte)
{
    CodePage cp;
    for (int c = 0; c < 256; ++c)
        cp.m_lead[c] = isLeadByte(static_cast<unsigned char>(c));
    return cp;
}

size_t CodePage::Find(const std::string& s, char c, size_t from) const
{
    const size_t size = s.size();
    for (size_t i = from; i < size;) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (b == static_cast<unsigned char>(c))
            return i;
        i += (m_lead[b] && i + 1 < size) ? 2 : 1;
    }
    return std::string::npos;
}

size_t CodePage::Find(const std::string& s, std::string_view needle, size_t from) const
{
    if (needle.empty())
        return from <= s.size() ? from : std::string::npos;
    const size_t size = s.size();
    if (needle.size() > size)
        return std::string::npos;
    const size_t last = size - needle.size();
    const char first = needle[0];
    for (size_t i = from; i <= last;) {
        if (s[i] == first && std::memcmp(s.data() + i, needle.data(), needle.size()) == 0)
            return i;
        i += (m_lead[static_cast<unsigned char>(s[i])] && i + 1 < size) ? 2 : 1;
    }
    return std::string::npos;
}

size_t CodePage::FindLast(const std::string& s, char c) const
{
    size_t found = std::string::npos;
    for (size_t i = 0; i < s.size(); i += CharLength(s, i)) {
        if (s[i] == c)
            found = i;
    }
    return found;
}

std::string CodePage::ToUpper(const std::string& s) const
{
    std::string out = s;
    for (size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        if (out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
    return out;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string TrimLeft(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    return s.substr(i);
}

std::string TrimRight(const std::string& s)
{
    size_t n = s.size();
    while (n > 0 && IsSpace(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::string Trim(const std::string& s)
{
    return TrimLeft(TrimRight(s));
}

std::string AfterChars(const std::string& s, size_t n)
{
    return n < s.size() ? s.substr(n) : std::string();
}

int LeadingDecimal(const std::string& s)
{
    long long value = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(value);
}

}  // namespace zevo
