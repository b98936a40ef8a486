#include "ui_test_util.h"

#include <gtest/gtest.h>

#include "ui/win/text.h"

namespace zevo::test {

namespace {

// The program registers the common control classes at start-up; the tests
// do it once before the first dialog.
class CommonControlsEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
    }
};

const ::testing::Environment* const g_commonControls =
    ::testing::AddGlobalTestEnvironment(new CommonControlsEnvironment);

LRESULT SendTree(HWND tree, UINT message, WPARAM wParam, const void* lParam)
{
    return SendMessageW(tree, message, wParam, reinterpret_cast<LPARAM>(lParam));
}

HTREEITEM Related(HWND tree, HTREEITEM item, UINT relation)
{
    return reinterpret_cast<HTREEITEM>(SendTree(tree, TVM_GETNEXTITEM, relation, item));
}

// The item's text rectangle, or false when the item is not shown.
bool TextRect(HWND tree, HTREEITEM item, RECT& rect)
{
    SendTree(tree, TVM_ENSUREVISIBLE, 0, item);
    *reinterpret_cast<HTREEITEM*>(&rect) = item;
    return SendTree(tree, TVM_GETITEMRECT, TRUE, &rect) != FALSE;
}

template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            visit(folder + "\\" + name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void RemoveTree(const std::string& folder)
{
    ForEachEntry(folder, [](const std::string& path, bool isFolder) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (isFolder)
            RemoveTree(path);
        else
            DeleteFileA(path.c_str());
    });
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

void PumpMessages(HWND dialog)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog != nullptr && IsWindow(dialog) && IsDialogMessageW(dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void ClickButton(HWND dialog, int id)
{
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PostKey(HWND window, UINT key)
{
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, &text[0], static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text;
}

std::string AnsiWindowText(HWND window)
{
    return win::WideToAnsi(WindowText(window));
}

std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent)
{
    std::vector<HTREEITEM> children;
    HTREEITEM child = parent == TVI_ROOT ? Related(tree, nullptr, TVGN_ROOT)
                                         : Related(tree, parent, TVGN_CHILD);
    for (; child != nullptr; child = Related(tree, child, TVGN_NEXT))
        children.push_back(child);
    return children;
}

std::string TreeText(HWND tree, HTREEITEM item)
{
    wchar_t buffer[1024] = L"";
    TVITEMW query = {};
    query.mask = TVIF_HANDLE | TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = static_cast<int>(sizeof(buffer) / sizeof(buffer[0]));
    if (!SendTree(tree, TVM_GETITEMW, 0, &query))
        return "<no item>";
    return win::WideToAnsi(buffer);
}

std::vector<std::string> TreeChildTexts(HWND tree, HTREEITEM parent)
{
    std::vector<std::string> texts;
    for (HTREEITEM child : TreeChildren(tree, parent))
        texts.push_back(TreeText(tree, child));
    return texts;
}

int TreePicture(HWND tree, HTREEITEM item)
{
    const LRESULT state = SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item),
                                       TVIS_STATEIMAGEMASK);
    return static_cast<int>((state & TVIS_STATEIMAGEMASK) >> 12);
}

bool TreeIsExpanded(HWND tree, HTREEITEM item)
{
    return (SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

HTREEITEM TreeSelection(HWND tree)
{
    return Related(tree, nullptr, TVGN_CARET);
}

HTREEITEM TreeFindChild(HWND tree, HTREEITEM parent, const std::string& text)
{
    for (HTREEITEM child : TreeChildren(tree, parent)) {
        if (lstrcmpiA(TreeText(tree, child).c_str(), text.c_str()) == 0)
            return child;
    }
    return nullptr;
}

bool TreeExpand(HWND tree, HTREEITEM item)
{
    return SendTree(tree, TVM_EXPAND, TVE_EXPAND, item) != FALSE;
}

bool TreeSelect(HWND tree, HTREEITEM item)
{
    return SendTree(tree, TVM_SELECTITEM, TVGN_CARET, item) != FALSE;
}

bool TreeClickButton(HWND tree, HTREEITEM item)
{
    RECT text;
    if (!TextRect(tree, item, text))
        return false;
    const int y = (text.top + text.bottom) / 2;
    for (int x = 0; x < text.left; ++x) {
        TVHITTESTINFO hit = {};
        hit.pt = {x, y};
        if (reinterpret_cast<HTREEITEM>(SendTree(tree, TVM_HITTEST, 0, &hit)) == item &&
            (hit.flags & TVHT_ONITEMBUTTON) != 0) {
            SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            SendMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
            return true;
        }
    }
    return false;
}

bool TreeDoubleClick(HWND tree, HTREEITEM item)
{
    RECT text;
    if (!TextRect(tree, item, text))
        return false;
    SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((text.left + text.right) / 2, (text.top + text.bottom) / 2));
    return true;
}

ScratchTree::ScratchTree()
{
    static int serial = 0;
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH)
        return;
    const std::string root = std::string(temp, length) + "zevo-ui-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    if (CreateDirectoryA(root.c_str(), nullptr))
        m_root = root;
}

ScratchTree::~ScratchTree()
{
    if (Ok())
        RemoveTree(m_root);
}

std::string ScratchTree::Path(const std::string& relative) const
{
    return relative.empty() ? m_root : m_root + "\\" + relative;
}

bool ScratchTree::MakeFolder(const std::string& relative) const
{
    return CreateDirectoryA(Path(relative).c_str(), nullptr) != FALSE;
}

bool ScratchTree::MakeFile(const std::string& relative) const
{
    HANDLE file = CreateFileA(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool ScratchTree::Remove(const std::string& relative) const
{
    const std::string path = Path(relative);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        RemoveTree(path);
    else
        DeleteFileA(path.c_str());
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace zevo::test
