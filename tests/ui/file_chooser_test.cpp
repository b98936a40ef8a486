#include "ui/file_chooser_dlg.h"

#include <gtest/gtest.h>

#include <bitset>
#include <fstream>
#include <memory>
#include <tuple>

#include "ui/resource.h"
#include "ui/win/text.h"
#include "ui_test_util.h"

namespace zevo {
namespace {

using Texts = std::vector<std::string>;

// Shift-JIS names; the second byte of ソ and of 表 is 0x5C, the backslash.
const std::string kHyo = "\x95\x5C", kSo = "\x83\x5C", kSofuto = "\x83\x5C\x83\x74\x83\x67";

// Each test gets a scratch folder holding files of several extensions, near
// misses and a folder named like a data file. A name ending in "\" is a folder's.
class FileChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        m_root = temp + ("zevo-ui-" + std::to_string(GetCurrentProcessId()));
        for (const char* name : {"", "SUB\\", "OLD.ZVD\\", "A.ZVD", "b.zvd", "C.TXT", "X.ZVD.BAK",
                                 "XZVD", "_Z.ZVD", "LOG.ZVL", "SUB\\S.ZVD"})
            Make(name);
    }
    void TearDown() override { test::RemoveAll(m_root); }

    std::string Path(const std::string& name) const { return m_root + "\\" + name; }
    void Make(const std::string& name) const
    {
        const std::string path = Path(name);
        if (path.back() == '\\' ? !CreateDirectoryA(path.c_str(), nullptr) : !std::ofstream(path))
            ADD_FAILURE() << "cannot make " << path;
    }
    void Open(const char* extension)
    {
        m_chooser = std::make_unique<CFileChooserDlg>(extension);
        m_tree = GetDlgItem(m_chooser->Create(), IDC_TREE);
    }
    // The item of a path, after expanding it, its drive and every folder on the way.
    HTREEITEM Reveal(const std::string& full, HTREEITEM parent = TVI_ROOT) const
    {
        const std::string target = full + (full.back() == '\\' ? "" : "\\");
        for (HTREEITEM item : Children(parent)) {
            const std::string path = m_chooser->GetItemPath(item);
            if (lstrcmpiA(target.substr(0, path.size()).c_str(), path.c_str()) != 0)
                continue;
            TreeView_Expand(m_tree, item, TVE_EXPAND);
            return path.size() == target.size() ? item : Reveal(full, item);
        }
        return nullptr;
    }
    std::vector<HTREEITEM> Children(HTREEITEM parent) const
    {
        std::vector<HTREEITEM> children;
        for (HTREEITEM child = TreeView_GetChild(m_tree, parent); child != nullptr;
             child = TreeView_GetNextSibling(m_tree, child))
            children.push_back(child);
        return children;
    }
    Texts Names(HTREEITEM parent) const
    {
        Texts names;
        for (HTREEITEM child : Children(parent))
            names.push_back(win::WideToAnsi(win::TreeView(m_tree).ItemText(child)));
        return names;
    }
    // The state picture: 1 closed folder, 2 open folder, 3 document, 5 hard disk.
    int Picture(HTREEITEM item) const
    {
        return static_cast<int>(TreeView_GetItemState(m_tree, item, TVIS_STATEIMAGEMASK) >> 12);
    }

    std::string m_root;
    std::unique_ptr<CFileChooserDlg> m_chooser;
    HWND m_tree = nullptr;
};

TEST_F(FileChooserTest, OpensWithTheDrivesUnreadAndOKWithoutASelectionGivesAnEmptyPath)
{
    const UINT pictures[][2] = {{DRIVE_UNKNOWN, 0}, {DRIVE_REMOVABLE, 6}, {DRIVE_FIXED, 5},
                                {DRIVE_REMOTE, 5},  {DRIVE_CDROM, 7},     {DRIVE_RAMDISK, 4}};
    for (const auto& p : pictures)
        EXPECT_EQ(static_cast<UINT>(DrivePicture(p[0])), p[1]) << "drive type " << p[0];

    Open(".ZVD");
    const std::vector<HTREEITEM> drives = Children(TVI_ROOT);
    EXPECT_EQ(drives.size(), std::bitset<26>(GetLogicalDrives()).count());
    for (HTREEITEM drive : drives)
        EXPECT_EQ(Names(drive), Texts{"d"});  // a placeholder until expanded
    int width = 0, height = 0;  // the state pictures: the strip, in cells 17 pixels wide
    EXPECT_TRUE(ImageList_GetIconSize(TreeView_GetImageList(m_tree, TVSIL_STATE), &width, &height));
    EXPECT_EQ(width, 17);
    m_chooser->Item(IDOK).Send(BM_CLICK);
    EXPECT_EQ(m_chooser->Result(), IDOK);
    EXPECT_EQ(m_chooser->m_strPath, "");
}

TEST_F(FileChooserTest, AFolderListsItsFoldersAndTheFilesOfTheExtensionSorted)
{
    // The extension, the folder's entries, and how the folder OLD.ZVD shows when selected.
    const std::tuple<const char*, Texts, const char*> cases[] = {
        {".ZVD", {"_Z.ZVD", "A.ZVD", "b.zvd", "OLD.ZVD", "SUB"}, "OLD.ZVD"},
        {".ZVL", {"LOG.ZVL", "OLD.ZVD", "SUB"}, "OLD.ZVD\\"},
    };
    for (const auto& [extension, listed, old] : cases) {
        SCOPED_TRACE(extension);
        Open(extension);
        EXPECT_EQ(Names(Reveal(Path(""))), listed);
        ASSERT_TRUE(TreeView_SelectItem(m_tree, Reveal(Path(old))));
        EXPECT_EQ(m_chooser->m_strPath, Path(old));
        m_chooser->Item(IDCANCEL).Send(BM_CLICK);
        EXPECT_EQ(m_chooser->Result(), IDCANCEL);
    }
}

TEST_F(FileChooserTest, EachExpandAndCollapseReadsTheFolderAgain)
{
    Make("SUB\\new.zvd");
    Open(".ZVD");
    HTREEITEM sub = Reveal(Path("SUB\\"));
    EXPECT_EQ(Picture(Reveal(m_root.substr(0, 3))), 5);  // an expanded drive keeps its picture
    EXPECT_EQ(Picture(sub), 2);
    EXPECT_EQ(Names(sub), (Texts{"new.zvd", "S.ZVD"}));

    // The selection, not the last child, moves up to the folder, not to a sibling.
    ASSERT_TRUE(TreeView_SelectItem(m_tree, Children(sub)[0]));
    test::RemoveAll(Path("SUB\\S.ZVD"));
    Make("SUB\\DEEPER\\");
    ASSERT_TRUE(test::TreeClickButton(m_tree, sub));  // collapse
    EXPECT_EQ(Picture(sub), 1);
    EXPECT_EQ(win::WideToAnsi(m_chooser->Item(IDC_TEXT).Text()), Path("SUB\\"));
    ASSERT_EQ(Names(sub), (Texts{"DEEPER", "new.zvd"}));
    EXPECT_EQ(Picture(Children(sub)[0]), 1);
    EXPECT_EQ(Names(Children(sub)[0]), Texts{"d"});
    EXPECT_EQ(Picture(Children(sub)[1]), 3);

    test::RemoveAll(Path("SUB"));
    ASSERT_TRUE(test::TreeClickButton(m_tree, sub));  // expand
    EXPECT_EQ(Names(sub), Texts{});  // a folder that is gone lists nothing

    // A double click ends the dialog with the text of the path field.
    m_chooser->Item(IDC_TEXT).SetText(win::AnsiToWide(Path("TYPED.ZVL")));
    NMHDR doubleClick = {m_tree, IDC_TREE, static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(*m_chooser, WM_NOTIFY, IDC_TREE, reinterpret_cast<LPARAM>(&doubleClick));
    EXPECT_EQ(m_chooser->Result(), IDOK);
    EXPECT_EQ(m_chooser->m_strPath, Path("TYPED.ZVL"));
}

TEST_F(FileChooserTest, ShiftJisNamesAreListedAndSelected)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the Shift-JIS code page, not " << GetACP();
    const std::string ja = "JA\\", so = ja + kSo, file = so + "\\" + kSofuto + ".zvd";
    for (const std::string& name :
         {ja, so + "\\", so + ".ZVD\\", file, ja + kHyo + ".ZVD", ja + kHyo + ".TXT"})
        Make(name);
    Open(".ZVD");
    EXPECT_EQ(Names(Reveal(Path(ja))), (Texts{kSo, kSo + ".ZVD", kHyo + ".ZVD"}));
    EXPECT_EQ(Names(Reveal(Path(so + "\\"))), Texts{kSofuto + ".zvd"});
    for (const std::string& shown : {so + "\\", so + ".ZVD", file}) {
        ASSERT_TRUE(TreeView_SelectItem(m_tree, Reveal(Path(shown))));
        EXPECT_EQ(m_chooser->m_strPath, Path(shown));
    }
    m_chooser->Item(IDOK).Send(BM_CLICK);
    EXPECT_EQ(m_chooser->m_strPath, Path(file));
}

}  // namespace
}  // namespace zevo
