// Helpers for tests that drive the program's dialogs through their windows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace zevo::test {

// A mouse click on a tree-view item's expand button, which toggles it and,
// unlike TVM_EXPAND, notifies every time. False when the item shows no button.
bool TreeClickButton(HWND tree, HTREEITEM item);
// Removes a file, or a folder with everything in it.
void RemoveAll(const std::string& path);

}  // namespace zevo::test
