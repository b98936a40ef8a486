// Whether a text is exactly one valid JSON value (RFC 8259): enough of a
// parser to prove that what the console program prints is JSON.
#pragma once

#include <cstring>
#include <string>

namespace zevo::test {

class JsonCheck {
public:
    static bool Valid(const std::string& text)
    {
        JsonCheck check{text.c_str()};
        return check.Value(0) && (check.Blank(), *check.m_p == '\0') && check.m_p == text.c_str() + text.size();
    }

private:
    explicit JsonCheck(const char* p) : m_p(p) {}
    void Blank() { while (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r') ++m_p; }
    bool Eat(char c) { return Blank(), *m_p == c ? (++m_p, true) : false; }
    bool Word(const char* w) { const size_t n = std::strlen(w); return std::strncmp(m_p, w, n) == 0 ? (m_p += n, true) : false; }
    bool Digits() { const char* start = m_p; while (*m_p >= '0' && *m_p <= '9') ++m_p; return m_p > start; }
    bool String()
    {
        if (*m_p++ != '"')
            return false;
        while (*m_p != '"') {
            const unsigned char c = static_cast<unsigned char>(*m_p++);
            if (c < 0x20)
                return false;  // also the end of the text
            if (c != '\\')
                continue;
            const char escaped = *m_p++;
            if (escaped == 'u') {
                if (std::strspn(m_p, "0123456789abcdefABCDEF") < 4)
                    return false;
                m_p += 4;
            } else if (escaped == '\0' || std::strchr("\"\\/bfnrt", escaped) == nullptr) {
                return false;
            }
        }
        ++m_p;
        return true;
    }
    bool Number()
    {
        if (*m_p == '-')
            ++m_p;
        if (*m_p == '0')
            ++m_p;
        else if (!Digits())
            return false;
        if (*m_p == '.' && (++m_p, !Digits()))
            return false;
        if (*m_p == 'e' || *m_p == 'E') {
            ++m_p;
            if (*m_p == '+' || *m_p == '-')
                ++m_p;
            if (!Digits())
                return false;
        }
        return true;
    }
    bool Value(int depth)
    {
        Blank();
        if (depth > 64)
            return false;
        if (*m_p == '"')
            return String();
        if (Eat('{')) {
            if (Eat('}'))
                return true;
            do {
                if (!(Blank(), String()) || !Eat(':') || !Value(depth + 1))
                    return false;
            } while (Eat(','));
            return Eat('}');
        }
        if (Eat('[')) {
            if (Eat(']'))
                return true;
            do {
                if (!Value(depth + 1))
                    return false;
            } while (Eat(','));
            return Eat(']');
        }
        return Word("true") || Word("false") || Word("null") || Number();
    }

    const char* m_p;
};

}  // namespace zevo::test
