// A tree of drives, folders and files of one extension, from which the
// browse buttons take a data, log or history file path. A folder is read one
// level at a time, again at each expand and collapse, so it always shows what
// the disk holds now.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/code_page.h"
#include "ui/win/controls.h"
#include "ui/win/dialog.h"

namespace zevo {

// The cells of the picture strip IDB_CHOOSER_IMAGES, shown as the items'
// state pictures.
enum ChooserPicture {
    kNoPicture = 0,
    kClosedFolder = 1,
    kOpenFolder = 2,
    kDocument = 3,
    kMemoryChip = 4,
    kHardDisk = 5,
    kRemovableDrive = 6,
    kCdRom = 7,
};

// The picture for a drive of the type GetDriveTypeA reports. A network drive
// shows the hard disk; an unknown type or a missing root shows none.
ChooserPicture DrivePicture(UINT driveType);

class CFileChooserDlg : public win::Dialog {
public:
    // `extension` with its dot, in upper case: ".ZVD", ".ZVL" or ".ZVH".
    explicit CFileChooserDlg(const std::string& extension);

    // The full path of a tree item, always ending in "\": "C:\" for a
    // drive, "C:\WINDOWS\" for a folder, "C:\WINDOWS\A.ZVD\" for a file.
    std::string GetItemPath(HTREEITEM item) const;

    std::string m_strExtension;
    // The path field's text when the dialog ended with OK (may be empty).
    std::string m_strPath;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnNotify(NMHDR* header, LRESULT* result) override;

private:
    void OnItemExpanded(HTREEITEM item);
    void OnSelChanged(HTREEITEM item);
    // Replaces the children of `item` by the folders and listed files the
    // disk holds under it, sorted.
    void ReadLevel(HTREEITEM item);
    void DeleteChildren(HTREEITEM item);
    // True when the last four characters of `text`, upper-cased, are the extension.
    bool EndsInExtension(const std::string& text) const;

    const CodePage m_cp;
    win::ImageList m_imageList;
    win::TreeView m_treeCtrl;
};

}  // namespace zevo
