// A dialog from a template in the program's resources: one static dialog
// procedure finds the object and forwards every message to OnMessage, a
// plain switch. Nothing is thrown across it.
#pragma once

#include "ui/win/window.h"

namespace zevo::win {

class Dialog : public Window {
public:
    explicit Dialog(int templateId) : m_templateId(templateId) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the code it ended with (-1 when it
    // could not be created).
    INT_PTR DoModal(HWND parent = nullptr);
    // Creates the dialog without a modal loop (tests drive it by messages).
    HWND Create(HWND parent = nullptr);
    // Ends a modal dialog, or destroys one made by Create.
    void End(INT_PTR result);
    INT_PTR Result() const { return m_result; }

    // Check boxes and item texts.
    bool IsChecked(int id) const { return IsDlgButtonChecked(m_hwnd, id) == BST_CHECKED; }
    void SetCheck(int id, bool checked) const
    {
        CheckDlgButton(m_hwnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }

protected:
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // A button or menu command; true when handled.
    virtual bool OnCommand(int id, int code)
    {
        (void)id;
        (void)code;
        return false;
    }
    // A notification from a control; true when handled, with its result.
    virtual bool OnNotify(NMHDR* header, LRESULT* result)
    {
        (void)header;
        (void)result;
        return false;
    }
    virtual void OnTimer(UINT_PTR id) { (void)id; }
    // WM_PAINT; true when handled.
    virtual bool OnPaint() { return false; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    bool m_modal = false;
    INT_PTR m_result = 0;
};

}  // namespace zevo::win
