// A non-owning window handle with the few calls the dialogs make.
#pragma once

#include <windows.h>

#include <string>

namespace zevo::win {

class Window {
public:
    Window(HWND hwnd = nullptr) : m_hwnd(hwnd) {}
    operator HWND() const { return m_hwnd; }
    void Attach(HWND hwnd) { m_hwnd = hwnd; }

    Window Item(int id) const { return Window(GetDlgItem(m_hwnd, id)); }
    bool Enable(bool enable) const { return EnableWindow(m_hwnd, enable) != FALSE; }
    bool IsEnabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
    bool Show(int command) const { return ShowWindow(m_hwnd, command) != FALSE; }
    bool IsMinimized() const { return IsIconic(m_hwnd) != FALSE; }
    bool SetText(const std::wstring& text) const { return SetWindowTextW(m_hwnd, text.c_str()) != FALSE; }
    std::wstring Text() const
    {
        int length = GetWindowTextLengthW(m_hwnd);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        length = GetWindowTextW(m_hwnd, &text[0], length + 1);
        text.resize(static_cast<size_t>(length > 0 ? length : 0));
        return text;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageW(m_hwnd, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return PostMessageW(m_hwnd, message, wParam, lParam) != FALSE;
    }

protected:
    HWND m_hwnd;
};

}  // namespace zevo::win
