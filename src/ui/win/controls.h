// The common controls the dialogs use, with only the calls they make.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/win/window.h"

namespace zevo::win {

class TrackBar : public Window {
public:
    using Window::Window;
    void SetRange(int low, int high) const { Send(TBM_SETRANGE, TRUE, MAKELPARAM(low, high)); }
    int Position() const { return static_cast<int>(Send(TBM_GETPOS)); }
    // The control keeps the position within its range.
    void SetPosition(int position) const { Send(TBM_SETPOS, TRUE, position); }
};

// A tree view through its Unicode messages. Items carry a text and a state
// picture: the index of a cell of the state image list, 0 for none.
class TreeView : public Window {
public:
    using Window::Window;
    void SetStateImageList(HIMAGELIST list) const
    {
        Send(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(list));
    }
    // Adds an item after the last child of `parent` (TVI_ROOT for the top level).
    HTREEITEM InsertItem(HTREEITEM parent, const std::wstring& text, int picture) const
    {
        TVINSERTSTRUCTW insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_STATE;
        insert.item.pszText = const_cast<wchar_t*>(text.c_str());
        insert.item.state = INDEXTOSTATEIMAGEMASK(picture);
        insert.item.stateMask = TVIS_STATEIMAGEMASK;
        return reinterpret_cast<HTREEITEM>(
            Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    bool DeleteItem(HTREEITEM item) const
    {
        return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != FALSE;
    }
    bool SetPicture(HTREEITEM item, int picture) const
    {
        TVITEMW change = {};
        change.mask = TVIF_HANDLE | TVIF_STATE;
        change.hItem = item;
        change.state = INDEXTOSTATEIMAGEMASK(picture);
        change.stateMask = TVIS_STATEIMAGEMASK;
        return Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change)) != FALSE;
    }
    std::wstring ItemText(HTREEITEM item) const
    {
        // The control cuts a text to the buffer, so a full buffer is tried again larger.
        std::wstring text(MAX_PATH + 1, L'\0');
        for (;;) {
            TVITEMW query = {};
            query.mask = TVIF_HANDLE | TVIF_TEXT;
            query.hItem = item;
            query.pszText = &text[0];
            query.cchTextMax = static_cast<int>(text.size());
            if (Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)) == FALSE)
                return std::wstring();
            const size_t length = text.find(L'\0');
            if (length + 1 < text.size()) {
                text.resize(length);
                return text;
            }
            text.assign(text.size() * 2, L'\0');
        }
    }
    bool IsExpanded(HTREEITEM item) const
    {
        return (Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    }
    HTREEITEM Parent(HTREEITEM item) const { return Related(item, TVGN_PARENT); }
    HTREEITEM FirstChild(HTREEITEM item) const { return Related(item, TVGN_CHILD); }
    HTREEITEM Selection() const { return Related(nullptr, TVGN_CARET); }
    bool Select(HTREEITEM item) const
    {
        return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != FALSE;
    }
    // The control's own case-blind order of the texts, one level deep.
    bool SortChildren(HTREEITEM item) const
    {
        return Send(TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(item)) != FALSE;
    }

private:
    HTREEITEM Related(HTREEITEM item, UINT relation) const
    {
        return reinterpret_cast<HTREEITEM>(
            Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
};

// Owns an image list.
class ImageList {
public:
    ImageList() = default;
    ~ImageList() { Reset(); }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // A strip of cells from a bitmap resource; `mask` is the transparent colour.
    bool LoadStrip(int bitmapId, int cellWidth, COLORREF mask)
    {
        Reset();
        m_list = ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId),
                                      cellWidth, 1, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
        return m_list != nullptr;
    }
    operator HIMAGELIST() const { return m_list; }

private:
    void Reset()
    {
        if (m_list != nullptr)
            ImageList_Destroy(m_list);
        m_list = nullptr;
    }

    HIMAGELIST m_list = nullptr;
};

}  // namespace zevo::win
