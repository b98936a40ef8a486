// Helpers for tests that drive the program's dialogs through their windows:
// the message queue, buttons and keys, tree-view items, dialogs run modally
// under a script, and scratch folders on the real disk.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zevo::test {

// Handles every waiting message; those for `dialog` first go through its
// keyboard handling (Tab, Enter, Esc), as in a program's message loop.
void PumpMessages(HWND dialog = nullptr);
// A click on a button, as the user makes it.
void ClickButton(HWND dialog, int id);
// Posts a key press and release to a window.
void PostKey(HWND window, UINT key);
std::wstring WindowText(HWND window);
// A window's text in the system code page.
std::string AnsiWindowText(HWND window);

// Tree-view items; TVI_ROOT stands for the top level.
std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent);
// An item's text in the system code page.
std::string TreeText(HWND tree, HTREEITEM item);
std::vector<std::string> TreeChildTexts(HWND tree, HTREEITEM parent);
// The state picture: bits 12-15 of the item state.
int TreePicture(HWND tree, HTREEITEM item);
bool TreeIsExpanded(HWND tree, HTREEITEM item);
HTREEITEM TreeSelection(HWND tree);
// The child whose text equals `text` regardless of case; null when none does.
HTREEITEM TreeFindChild(HWND tree, HTREEITEM parent, const std::string& text);
// TVM_EXPAND: the control notifies its parent only the first time an item
// is expanded this way, and never on a collapse.
bool TreeExpand(HWND tree, HTREEITEM item);
bool TreeSelect(HWND tree, HTREEITEM item);
// A mouse click on the item's expand button, which toggles it and notifies
// every time. False when no button place was found on the item's row. The
// item must be shown: the control expands collapsed folders above it first.
bool TreeClickButton(HWND tree, HTREEITEM item);
// A double click on the item's text; the item must be shown, as above.
bool TreeDoubleClick(HWND tree, HTREEITEM item);

// Runs a dialog modally and drives it from inside its own modal loop: once
// the dialog is up, the script runs; messages the script posts are handled
// next, and a dialog still open after them ends with kNotEnded instead of
// blocking the test.
template <typename DialogT>
class ScriptedModal : public DialogT {
public:
    static const INT_PTR kNotEnded = -2;
    using Script = std::function<void(DialogT& dialog)>;

    template <typename... Args>
    explicit ScriptedModal(Args&&... args) : DialogT(std::forward<Args>(args)...)
    {
    }

    INT_PTR RunModal(Script script)
    {
        m_script = std::move(script);
        const INT_PTR result = this->DoModal();
        PumpMessages();  // what the script posted to a window that is gone now
        return result;
    }

protected:
    static const UINT kRunScript = WM_APP + 100;
    static const UINT kGiveUp = WM_APP + 101;

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_INITDIALOG: {
            const INT_PTR result = DialogT::OnMessage(message, wParam, lParam);
            PostMessageW(this->m_hwnd, kRunScript, 0, 0);
            return result;
        }
        case kRunScript:
            m_script(*this);
            PostMessageW(this->m_hwnd, kGiveUp, 0, 0);
            return TRUE;
        case kGiveUp:
            this->End(kNotEnded);
            return TRUE;
        default:
            return DialogT::OnMessage(message, wParam, lParam);
        }
    }

private:
    Script m_script;
};

// An empty folder of its own under the temp folder, removed with everything
// in it when the object goes. Paths are bytes in the system code page.
class ScratchTree {
public:
    ScratchTree();
    ~ScratchTree();
    ScratchTree(const ScratchTree&) = delete;
    ScratchTree& operator=(const ScratchTree&) = delete;

    bool Ok() const { return !m_root.empty(); }
    // The full path of the folder itself ("" for it) or of an entry in it.
    std::string Path(const std::string& relative = "") const;
    bool MakeFolder(const std::string& relative) const;
    bool MakeFile(const std::string& relative) const;
    bool Remove(const std::string& relative) const;

private:
    std::string m_root;
};

}  // namespace zevo::test
