#include "ui_test_util.h"

#include <shellapi.h>

namespace zevo::test {

bool TreeClickButton(HWND tree, HTREEITEM item)
{
    RECT text = {};
    TreeView_EnsureVisible(tree, item);
    TreeView_GetItemRect(tree, item, &text, TRUE);
    // The button lies left of the text.
    TVHITTESTINFO hit = {{0, (text.top + text.bottom) / 2}, 0, nullptr};
    while (hit.pt.x < text.left &&
           (TreeView_HitTest(tree, &hit) != item || (hit.flags & TVHT_ONITEMBUTTON) == 0))
        ++hit.pt.x;
    if (hit.pt.x >= text.left)
        return false;
    SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
    SendMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
    return true;
}

void RemoveAll(const std::string& path)
{
    const std::string from = path + '\0';  // a list of names ends in two NULs
    SHFILEOPSTRUCTA op = {nullptr, FO_DELETE, from.c_str(), nullptr,
                          FOF_NO_UI, FALSE,     nullptr,      nullptr};
    SHFileOperationA(&op);
}

}  // namespace zevo::test
