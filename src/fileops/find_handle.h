// Owns a search of one folder level (FindFirstFileA / FindNextFileA).
#pragma once

#include <windows.h>

#include <string>

namespace zevo {

class FindHandle {
public:
    FindHandle(const std::string& pattern, WIN32_FIND_DATAA& data)
        : m_handle(FindFirstFileA(pattern.c_str(), &data))
    {
    }
    ~FindHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool Found() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(m_handle, &data) != FALSE; }

private:
    HANDLE m_handle;
};

}  // namespace zevo
