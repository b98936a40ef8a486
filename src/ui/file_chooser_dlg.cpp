#include "ui/file_chooser_dlg.h"

#include <vector>

#include "fileops/find_handle.h"
#include "fileops/win32_file_operations.h"
#include "script/history_log.h"
#include "ui/resource.h"
#include "ui/win/text.h"

namespace zevo {

namespace {

// The picture strip: cells 17 pixels wide, white shows the background.
const int kPictureWidth = 17;
const COLORREF kTransparent = RGB(255, 255, 255);

// Under every drive and listed folder until it is read.
const wchar_t kPlaceholder[] = L"d";

struct Prompt {
    const char* extension;
    const char* text;  // UTF-8
};

const Prompt kPrompts[] = {
    {".ZVD", "ZEVOデータファイル(拡張子ZVD)を指定して下さい。"
             "ツリービューの中のファイル名をクリックして選択できます。"},
    {".ZVL", "ZEVOログファイル(拡張子ZVL)を指定して下さい。"
             "ツリービューの中のファイル名をクリックして選択できます。"},
    {".ZVH", "ZEVOヒストリファイル(拡張子ZVH)を指定して下さい。"
             "ツリービューの中のファイル名をクリックして選択できます。"},
};

// The prompt for an extension, compared byte for byte; none for another one.
const char* PromptFor(const std::string& extension)
{
    for (const Prompt& prompt : kPrompts) {
        if (extension == prompt.extension)
            return prompt.text;
    }
    return "";
}

bool IsFolder(const WIN32_FIND_DATAA& data)
{
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsDotEntry(const std::string& name)
{
    return name == "." || name == "..";
}

// True when the text ends in a "\" of its own, not in the second byte of a
// double-byte character.
bool EndsInSeparator(const std::string& text, const CodePage& cp)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < text.size(); i += cp.CharLength(text, i))
        last = i;
    return last != std::string::npos && last + 1 == text.size() && text[last] == '\\';
}

}  // namespace

ChooserPicture DrivePicture(UINT driveType)
{
    switch (driveType) {
    case DRIVE_REMOVABLE:
        return kRemovableDrive;
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
        return kHardDisk;
    case DRIVE_CDROM:
        return kCdRom;
    case DRIVE_RAMDISK:
        return kMemoryChip;
    default:
        return kNoPicture;
    }
}

CFileChooserDlg::CFileChooserDlg(const std::string& extension)
    : win::Dialog(IDD_FILE_CHOOSER),
      m_strExtension(extension),
      m_cp(CodePage::FromPredicate([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }))
{
}

bool CFileChooserDlg::OnInitDialog()
{
    m_treeCtrl.Attach(Item(IDC_TREE));
    Item(IDC_TEXT).SetText(win::AnsiToWide(m_strPath));

    int letters[26];
    const int count = GetDriveLetters(letters);
    Item(IDC_CHOOSER_PROMPT).SetText(win::Utf8ToWide(PromptFor(m_strExtension)));

    if (m_imageList.LoadStrip(IDB_CHOOSER_IMAGES, kPictureWidth, kTransparent))
        m_treeCtrl.SetStateImageList(m_imageList);

    std::vector<HTREEITEM> drives;
    for (int i = 0; i < count; ++i) {
        const std::string name = std::string(1, static_cast<char>(letters[i])) + ":";
        const UINT type = GetDriveTypeA((name + "\\").c_str());
        drives.push_back(
            m_treeCtrl.InsertItem(TVI_ROOT, win::AnsiToWide(name), DrivePicture(type)));
    }
    for (HTREEITEM drive : drives)
        m_treeCtrl.InsertItem(drive, kPlaceholder, kClosedFolder);
    return true;
}

std::string CFileChooserDlg::GetItemPath(HTREEITEM item) const
{
    std::vector<std::string> names;
    for (; item != nullptr; item = m_treeCtrl.Parent(item))
        names.push_back(win::WideToAnsi(m_treeCtrl.ItemText(item)));
    std::string path;
    for (auto name = names.rbegin(); name != names.rend(); ++name)
        path += *name + "\\";
    return path;
}

bool CFileChooserDlg::OnNotify(NMHDR* header, LRESULT* result)
{
    if (header->idFrom != IDC_TREE)
        return false;
    switch (header->code) {
    case TVN_ITEMEXPANDEDW:
        OnItemExpanded(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem);
        *result = 0;
        return true;
    case TVN_SELCHANGEDW:
        OnSelChanged(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem);
        *result = 0;
        return true;
    case NM_DBLCLK:
        *result = 0;
        OnOK();
        return true;
    default:
        return false;
    }
}

void CFileChooserDlg::OnItemExpanded(HTREEITEM item)
{
    // Drives keep their own picture.
    if (m_treeCtrl.Parent(item) != nullptr)
        m_treeCtrl.SetPicture(item, m_treeCtrl.IsExpanded(item) ? kOpenFolder : kClosedFolder);
    ReadLevel(item);
}

void CFileChooserDlg::ReadLevel(HTREEITEM item)
{
    DeleteChildren(item);

    // A pattern beyond the path limit lists nothing rather than a part of it.
    const std::string pattern = GetItemPath(item) + "*";
    if (pattern.size() <= kMaxPathBytes) {
        WIN32_FIND_DATAA data;
        FindHandle find(pattern, data);
        if (find.Found()) {
            do {
                if (IsFolder(data)) {
                    if (!IsDotEntry(data.cFileName)) {
                        HTREEITEM folder = m_treeCtrl.InsertItem(
                            item, win::AnsiToWide(data.cFileName), kClosedFolder);
                        m_treeCtrl.InsertItem(folder, kPlaceholder, kClosedFolder);
                    }
                } else if (EndsInExtension(data.cFileName)) {
                    m_treeCtrl.InsertItem(item, win::AnsiToWide(data.cFileName), kDocument);
                }
            } while (find.Next(data));
        }
    }
    m_treeCtrl.SortChildren(item);
}

void CFileChooserDlg::DeleteChildren(HTREEITEM item)
{
    // Deleting the selected item would pass the selection from one sibling
    // to the next, each time with its notifications; it moves up to the
    // item first, where a collapse puts it anyway.
    const HTREEITEM selected = m_treeCtrl.Selection();
    for (HTREEITEM above = selected != nullptr ? m_treeCtrl.Parent(selected) : nullptr;
         above != nullptr; above = m_treeCtrl.Parent(above)) {
        if (above == item) {
            m_treeCtrl.Select(item);
            break;
        }
    }
    while (HTREEITEM child = m_treeCtrl.FirstChild(item))
        m_treeCtrl.DeleteItem(child);
}

bool CFileChooserDlg::EndsInExtension(const std::string& text) const
{
    // The starts of the last four characters, in a ring.
    size_t starts[4] = {0, 0, 0, 0};
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i += m_cp.CharLength(text, i))
        starts[count++ % 4] = i;
    const size_t from = count < 4 ? 0 : starts[count % 4];
    return m_cp.ToUpper(text.substr(from)) == m_strExtension;
}

void CFileChooserDlg::OnSelChanged(HTREEITEM item)
{
    if (item != nullptr)
        m_strPath = GetItemPath(item);
    // A file, or a folder named like one, is shown without the final "\".
    if (EndsInSeparator(m_strPath, m_cp) &&
        EndsInExtension(m_strPath.substr(0, m_strPath.size() - 1)))
        m_strPath.pop_back();
    Item(IDC_TEXT).SetText(win::AnsiToWide(m_strPath));
}

void CFileChooserDlg::OnOK()
{
    m_strPath = win::WideToAnsi(Item(IDC_TEXT).Text());
    End(IDOK);
}

}  // namespace zevo
