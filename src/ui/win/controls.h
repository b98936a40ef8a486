// The common controls the dialogs use, with only the calls they make.
#pragma once

#include <windows.h>
#include <commctrl.h>

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

// Owns an image list.
class ImageList {
public:
    ImageList() = default;
    ~ImageList()
    {
        if (m_list != nullptr)
            ImageList_Destroy(m_list);
    }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // A strip of cells from a bitmap resource; `mask` is the transparent colour.
    bool LoadStrip(int bitmapId, int cellWidth, COLORREF mask)
    {
        m_list = ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId),
                                      cellWidth, 1, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
        return m_list != nullptr;
    }
    operator HIMAGELIST() const { return m_list; }

private:
    HIMAGELIST m_list = nullptr;
};

}  // namespace zevo::win
