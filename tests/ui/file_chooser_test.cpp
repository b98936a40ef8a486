#include "ui/file_chooser_dlg.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "ui/resource.h"
#include "ui/win/text.h"
#include "ui_test_util.h"

namespace zevo {
namespace {

using test::AnsiWindowText;
using test::ScriptedModal;
using test::TreeChildren;
using test::TreeChildTexts;
using test::TreeFindChild;
using test::TreePicture;
using test::TreeText;
using Texts = std::vector<std::string>;

const char kDataPrompt[] = "ZEVOデータファイル(拡張子ZVD)を指定して下さい。"
                          "ツリービューの中のファイル名をクリックして選択できます。";
const char kLogPrompt[] = "ZEVOログファイル(拡張子ZVL)を指定して下さい。"
                         "ツリービューの中のファイル名をクリックして選択できます。";
const char kHistoryPrompt[] = "ZEVOヒストリファイル(拡張子ZVH)を指定して下さい。"
                             "ツリービューの中のファイル名をクリックして選択できます。";

// Shift-JIS names; the second byte of both characters is 0x5C, the backslash.
const std::string kHyo = "\x95\x5C";                     // 表
const std::string kSo = "\x83\x5C";                      // ソ
const std::string kSofuto = "\x83\x5C\x83\x74\x83\x67";  // ソフト

const CodePage& SystemCodePage()
{
    static const CodePage cp =
        CodePage::FromPredicate([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
    return cp;
}

// The parts of a path between its "\" separators.
Texts SplitPath(const std::string& path)
{
    Texts parts;
    size_t from = 0;
    for (;;) {
        const size_t separator = SystemCodePage().Find(path, '\\', from);
        if (separator == std::string::npos) {
            if (from < path.size())
                parts.push_back(path.substr(from));
            return parts;
        }
        parts.push_back(path.substr(from, separator - from));
        from = separator + 1;
    }
}

// Written out here rather than taken from the code under test.
int ExpectedDrivePicture(UINT type)
{
    switch (type) {
    case DRIVE_REMOVABLE:
        return 6;
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
        return 5;
    case DRIVE_CDROM:
        return 7;
    case DRIVE_RAMDISK:
        return 4;
    default:
        return 0;
    }
}

// Each test gets a scratch folder holding files of several extensions,
// folders (one of them named like a data file, one empty, one hidden) and
// a few near misses.
class FileChooserTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_scratch.Ok());
        for (const char* folder : {"SUB", "OLD.ZVD", "EMPTY", "HID"})
            ASSERT_TRUE(m_scratch.MakeFolder(folder)) << folder;
        for (const char* file : {"A.ZVD", "b.zvd", "C.TXT", "X.ZVD.BAK", "XZVD", "_Z.ZVD",
                                 "LOG.ZVL", "HIS.ZVH", "H.ZVD", "SUB\\S.ZVD", "SUB\\T.TXT"})
            ASSERT_TRUE(m_scratch.MakeFile(file)) << file;
        ASSERT_TRUE(SetFileAttributesA(m_scratch.Path("HID").c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(SetFileAttributesA(m_scratch.Path("H.ZVD").c_str(),
                                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    }
    void TearDown() override
    {
        if (m_dialog != nullptr && IsWindow(m_dialog))
            DestroyWindow(m_dialog);
        test::PumpMessages();
    }

    // A chooser without a modal loop; the test drives it by messages.
    void Open(const std::string& extension)
    {
        m_chooser = std::make_unique<CFileChooserDlg>(extension);
        m_dialog = m_chooser->Create();
        ASSERT_NE(m_dialog, nullptr);
        m_tree = GetDlgItem(m_dialog, IDC_TREE);
        ASSERT_NE(m_tree, nullptr);
    }

    // Expands the drive and the folders down to the scratch folder, then
    // the given entries below it; returns the last item (null on failure).
    HTREEITEM Reveal(const Texts& below = {}) const
    {
        Texts parts = SplitPath(m_scratch.Path());
        parts.insert(parts.end(), below.begin(), below.end());
        HTREEITEM item = TVI_ROOT;
        for (size_t i = 0; i < parts.size(); ++i) {
            if (i > 0 && !test::TreeIsExpanded(m_tree, item))
                test::TreeExpand(m_tree, item);
            item = TreeFindChild(m_tree, item, parts[i]);
            if (item == nullptr) {
                ADD_FAILURE() << "no item " << parts[i] << " on the way to " << m_scratch.Path();
                return nullptr;
            }
        }
        return item;
    }
    // Reveals the folder and expands it.
    HTREEITEM Unfold(const Texts& folder) const
    {
        HTREEITEM item = Reveal(folder);
        if (item != nullptr && !test::TreeIsExpanded(m_tree, item)) {
            EXPECT_TRUE(test::TreeExpand(m_tree, item));
        }
        return item;
    }

    std::string PathField() const { return AnsiWindowText(GetDlgItem(m_dialog, IDC_TEXT)); }
    void TypeIntoPathField(const std::string& text) const
    {
        SetWindowTextW(GetDlgItem(m_dialog, IDC_TEXT), win::AnsiToWide(text).c_str());
    }

    test::ScratchTree m_scratch;
    std::unique_ptr<CFileChooserDlg> m_chooser;
    HWND m_dialog = nullptr;
    HWND m_tree = nullptr;
};

TEST_F(FileChooserTest, OpensWithTheDrivesEachWithAPlaceholder)
{
    Open(".ZVD");
    const DWORD drives = GetLogicalDrives();
    Texts expected;
    for (int bit = 0; bit < 26; ++bit) {
        if (drives & (1u << bit))
            expected.push_back(std::string(1, static_cast<char>('A' + bit)) + ":");
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(TreeChildTexts(m_tree, TVI_ROOT), expected);

    for (HTREEITEM drive : TreeChildren(m_tree, TVI_ROOT)) {
        const std::string name = TreeText(m_tree, drive);
        SCOPED_TRACE(name);
        EXPECT_EQ(TreePicture(m_tree, drive),
                  ExpectedDrivePicture(GetDriveTypeA((name + "\\").c_str())));
        EXPECT_FALSE(test::TreeIsExpanded(m_tree, drive));
        const std::vector<HTREEITEM> children = TreeChildren(m_tree, drive);
        ASSERT_EQ(children.size(), 1u);
        EXPECT_EQ(TreeText(m_tree, children[0]), "d");
        EXPECT_EQ(TreePicture(m_tree, children[0]), 1);
        EXPECT_TRUE(TreeChildren(m_tree, children[0]).empty());
    }
    EXPECT_EQ(TreePicture(m_tree, TreeFindChild(m_tree, TVI_ROOT, "C:")), 5);  // fixed
    EXPECT_EQ(test::TreeSelection(m_tree), nullptr);
    EXPECT_EQ(PathField(), "");
}

TEST(DrivePictureTest, EachDriveTypeHasItsCell)
{
    const struct {
        UINT type;
        int picture;
    } cases[] = {
        {DRIVE_UNKNOWN, 0}, {DRIVE_NO_ROOT_DIR, 0}, {DRIVE_REMOVABLE, 6}, {DRIVE_FIXED, 5},
        {DRIVE_REMOTE, 5},  {DRIVE_CDROM, 7},       {DRIVE_RAMDISK, 4},   {7, 0},
        {0xFFFFFFFFu, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DrivePicture(c.type), c.picture) << "drive type " << c.type;
}

TEST_F(FileChooserTest, TheStateImageListIsThePictureStrip)
{
    Open(".ZVD");
    const HIMAGELIST list =
        reinterpret_cast<HIMAGELIST>(SendMessageW(m_tree, TVM_GETIMAGELIST, TVSIL_STATE, 0));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageW(m_tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 12);
    int width = 0, height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &width, &height));
    EXPECT_EQ(width, 17);
    EXPECT_EQ(height, 13);

    // Each cell drawn over a colour the strip does not use: white is
    // transparent, cells 0 and 8-11 are empty, the others show something.
    const COLORREF background = RGB(255, 0, 255);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    for (int cell = 0; cell < 12; ++cell) {
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, brush);
        ASSERT_TRUE(ImageList_Draw(list, cell, dc, 0, 0, ILD_NORMAL));
        int drawn = 0, white = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF pixel = GetPixel(dc, x, y);
                drawn += pixel != background;
                white += pixel == RGB(255, 255, 255);
            }
        }
        const bool used = cell >= 1 && cell <= 7;
        EXPECT_EQ(drawn > 0, used) << "cell " << cell << ": " << drawn << " pixels drawn";
        EXPECT_EQ(white, 0) << "cell " << cell;
    }
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(FileChooserTest, ThePromptFollowsTheExtension)
{
    const struct {
        const char* extension;
        const char* prompt;
    } cases[] = {
        {".ZVD", kDataPrompt}, {".ZVL", kLogPrompt}, {".ZVH", kHistoryPrompt},
        {".zvd", ""},  // compared byte for byte
        {"ZVD", ""},           {".ZVD ", ""},         {".TXT", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        Open(c.extension);
        EXPECT_EQ(test::WindowText(GetDlgItem(m_dialog, IDC_CHOOSER_PROMPT)),
                  win::Utf8ToWide(c.prompt));
        DestroyWindow(m_dialog);
    }
}

TEST_F(FileChooserTest, AFolderListsItsFoldersAndTheFilesOfTheExtensionSorted)
{
    const Texts folders = {"EMPTY", "HID", "OLD.ZVD", "SUB"};
    const struct {
        const char* extension;
        Texts listed;
    } cases[] = {
        {".ZVD", {"_Z.ZVD", "A.ZVD", "b.zvd", "EMPTY", "H.ZVD", "HID", "OLD.ZVD", "SUB"}},
        {".ZVL", {"EMPTY", "HID", "LOG.ZVL", "OLD.ZVD", "SUB"}},
        {".ZVH", {"EMPTY", "HID", "HIS.ZVH", "OLD.ZVD", "SUB"}},
        {".TXT", {"C.TXT", "EMPTY", "HID", "OLD.ZVD", "SUB"}},
        // A lower-case extension never equals an upper-cased name.
        {".zvd", folders},
        {"", folders},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        Open(c.extension);
        HTREEITEM root = Unfold(Texts{});
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(TreeChildTexts(m_tree, root), c.listed);

        for (HTREEITEM item : TreeChildren(m_tree, root)) {
            const std::string name = TreeText(m_tree, item);
            SCOPED_TRACE(name);
            const bool isFolder = std::find(folders.begin(), folders.end(), name) != folders.end();
            EXPECT_EQ(TreePicture(m_tree, item), isFolder ? 1 : 3);
            EXPECT_FALSE(test::TreeIsExpanded(m_tree, item));
            if (isFolder) {
                // The placeholder gives the unread folder its expand button.
                const std::vector<HTREEITEM> children = TreeChildren(m_tree, item);
                ASSERT_EQ(children.size(), 1u);
                EXPECT_EQ(TreeText(m_tree, children[0]), "d");
                EXPECT_EQ(TreePicture(m_tree, children[0]), 1);
            } else {
                EXPECT_TRUE(TreeChildren(m_tree, item).empty());
            }
        }
        DestroyWindow(m_dialog);
    }
}

TEST_F(FileChooserTest, AnExpandedFolderShowsTheOpenFolderAndADriveKeepsItsPicture)
{
    Open(".ZVD");
    HTREEITEM drive = TreeFindChild(m_tree, TVI_ROOT, "C:");
    ASSERT_NE(drive, nullptr);
    ASSERT_TRUE(test::TreeExpand(m_tree, drive));
    EXPECT_EQ(TreePicture(m_tree, drive), 5);
    HTREEITEM windows = TreeFindChild(m_tree, drive, "windows");
    ASSERT_NE(windows, nullptr);
    EXPECT_EQ(TreeFindChild(m_tree, drive, "d"), nullptr);  // the placeholder is gone
    EXPECT_EQ(TreePicture(m_tree, windows), 1);

    HTREEITEM sub = Reveal({"SUB"});
    ASSERT_NE(sub, nullptr);
    ASSERT_TRUE(test::TreeExpand(m_tree, sub));
    EXPECT_TRUE(test::TreeIsExpanded(m_tree, sub));
    EXPECT_EQ(TreePicture(m_tree, sub), 2);
    EXPECT_EQ(TreeChildTexts(m_tree, sub), Texts{"S.ZVD"});

    ASSERT_TRUE(test::TreeClickButton(m_tree, sub));
    EXPECT_FALSE(test::TreeIsExpanded(m_tree, sub));
    EXPECT_EQ(TreePicture(m_tree, sub), 1);
}

TEST_F(FileChooserTest, EachCollapseAndExpandReadsTheFolderAgain)
{
    Open(".ZVD");
    HTREEITEM sub = Unfold(Texts{"SUB"});
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(TreeChildTexts(m_tree, sub), Texts{"S.ZVD"});

    ASSERT_TRUE(m_scratch.Remove("SUB\\S.ZVD"));
    ASSERT_TRUE(m_scratch.MakeFile("SUB\\NEW.ZVD"));
    ASSERT_TRUE(test::TreeClickButton(m_tree, sub));  // collapse
    EXPECT_FALSE(test::TreeIsExpanded(m_tree, sub));
    EXPECT_EQ(TreeChildTexts(m_tree, sub), Texts{"NEW.ZVD"});

    ASSERT_TRUE(m_scratch.MakeFile("SUB\\LATER.ZVD"));
    ASSERT_TRUE(m_scratch.MakeFolder("SUB\\DEEPER"));
    ASSERT_TRUE(test::TreeClickButton(m_tree, sub));  // expand
    EXPECT_TRUE(test::TreeIsExpanded(m_tree, sub));
    EXPECT_EQ(TreePicture(m_tree, sub), 2);
    EXPECT_EQ(TreeChildTexts(m_tree, sub), (Texts{"DEEPER", "LATER.ZVD", "NEW.ZVD"}));
    EXPECT_EQ(TreeChildTexts(m_tree, TreeFindChild(m_tree, sub, "DEEPER")), Texts{"d"});

    // A folder that is gone lists nothing and loses its button.
    ASSERT_TRUE(m_scratch.Remove("SUB"));
    ASSERT_TRUE(test::TreeClickButton(m_tree, sub));
    EXPECT_TRUE(TreeChildren(m_tree, sub).empty());
}

TEST_F(FileChooserTest, AnEmptyFolderLosesItsExpandButton)
{
    Open(".ZVD");
    HTREEITEM empty = Reveal({"EMPTY"});
    ASSERT_NE(empty, nullptr);
    ASSERT_EQ(TreeChildTexts(m_tree, empty), Texts{"d"});
    ASSERT_TRUE(test::TreeExpand(m_tree, empty));
    EXPECT_TRUE(TreeChildren(m_tree, empty).empty());
    EXPECT_EQ(TreePicture(m_tree, empty), 2);

    // Without children there is nothing to toggle, so nothing is read.
    ASSERT_TRUE(m_scratch.MakeFile("EMPTY\\LATE.ZVD"));
    test::TreeClickButton(m_tree, empty);
    EXPECT_TRUE(TreeChildren(m_tree, empty).empty());
}

TEST_F(FileChooserTest, ASelectionShowsItsPathAFileWithoutTheFinalSeparator)
{
    const struct {
        const char* extension;
        Texts item;
        const char* shown;  // after the scratch folder's path
    } cases[] = {
        {".ZVD", {"A.ZVD"}, "\\A.ZVD"},
        {".ZVD", {"b.zvd"}, "\\b.zvd"},
        {".ZVD", {"SUB", "S.ZVD"}, "\\SUB\\S.ZVD"},
        {".ZVD", {"SUB"}, "\\SUB\\"},
        {".ZVD", {"EMPTY"}, "\\EMPTY\\"},
        {".ZVD", {}, "\\"},
        // A folder named like a data file reads like one.
        {".ZVD", {"OLD.ZVD"}, "\\OLD.ZVD"},
        {".ZVL", {"OLD.ZVD"}, "\\OLD.ZVD\\"},
        {".ZVL", {"LOG.ZVL"}, "\\LOG.ZVL"},
        {".ZVH", {"HIS.ZVH"}, "\\HIS.ZVH"},
        {".TXT", {"C.TXT"}, "\\C.TXT"},
        {"", {"SUB"}, "\\SUB\\"},
    };
    for (const auto& c : cases) {
        const std::string shown = m_scratch.Path() + c.shown;
        SCOPED_TRACE(shown);
        Open(c.extension);
        HTREEITEM item = Reveal(c.item);
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(test::TreeSelect(m_tree, item));
        EXPECT_EQ(PathField(), shown);
        EXPECT_EQ(m_chooser->m_strPath, shown);
        const std::string itemPath = shown.back() == '\\' ? shown : shown + "\\";
        EXPECT_EQ(m_chooser->GetItemPath(item), itemPath);
        DestroyWindow(m_dialog);
    }
}

TEST_F(FileChooserTest, ADriveShowsItsRoot)
{
    Open(".ZVD");
    HTREEITEM drive = TreeFindChild(m_tree, TVI_ROOT, "C:");
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(m_chooser->GetItemPath(drive), "C:\\");
    ASSERT_TRUE(test::TreeSelect(m_tree, drive));
    EXPECT_EQ(PathField(), "C:\\");
}

TEST_F(FileChooserTest, EachSelectionReplacesWhatWasTyped)
{
    Open(".ZVD");
    HTREEITEM a = Unfold(Texts{});
    ASSERT_NE(a, nullptr);
    a = TreeFindChild(m_tree, a, "A.ZVD");
    HTREEITEM sub = Reveal({"SUB"});
    ASSERT_TRUE(test::TreeSelect(m_tree, a));
    TypeIntoPathField("D:\\TYPED.ZVD");
    ASSERT_TRUE(test::TreeSelect(m_tree, sub));
    EXPECT_EQ(PathField(), m_scratch.Path("SUB\\"));
}

TEST_F(FileChooserTest, CollapsingTheFolderOfTheSelectionSelectsTheFolder)
{
    // The selected file is not the last one: deleting it must not hand the
    // selection to the next one.
    ASSERT_TRUE(m_scratch.MakeFile("SUB\\U.ZVD"));
    Open(".ZVD");
    HTREEITEM sub = Unfold(Texts{"SUB"});
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(TreeChildTexts(m_tree, sub), (Texts{"S.ZVD", "U.ZVD"}));
    ASSERT_TRUE(test::TreeSelect(m_tree, TreeFindChild(m_tree, sub, "S.ZVD")));
    ASSERT_EQ(PathField(), m_scratch.Path("SUB\\S.ZVD"));

    ASSERT_TRUE(test::TreeClickButton(m_tree, sub));
    EXPECT_FALSE(test::TreeIsExpanded(m_tree, sub));
    EXPECT_EQ(TreePicture(m_tree, sub), 1);
    EXPECT_EQ(test::TreeSelection(m_tree), sub);
    EXPECT_EQ(PathField(), m_scratch.Path("SUB\\"));
    EXPECT_EQ(TreeChildTexts(m_tree, sub), (Texts{"S.ZVD", "U.ZVD"}));

    ASSERT_TRUE(test::TreeClickButton(m_tree, sub));
    EXPECT_TRUE(test::TreeIsExpanded(m_tree, sub));
    EXPECT_EQ(test::TreeSelection(m_tree), sub);
    EXPECT_EQ(TreeChildTexts(m_tree, sub), (Texts{"S.ZVD", "U.ZVD"}));
}

TEST_F(FileChooserTest, APathOfMoreThanAHundredLevelsIsShownWhole)
{
    // One-letter folders keep the path within the platform's limit.
    std::string relative = "L";
    Texts levels = {"L"};
    ASSERT_TRUE(m_scratch.MakeFolder(relative));
    while (levels.size() < 100) {
        relative += "\\L";
        levels.push_back("L");
        ASSERT_TRUE(m_scratch.MakeFolder(relative)) << relative.size();
    }
    ASSERT_TRUE(m_scratch.MakeFile(relative + "\\END.ZVD"));
    levels.push_back("END.ZVD");

    Open(".ZVD");
    HTREEITEM end = Reveal(levels);
    ASSERT_NE(end, nullptr);
    ASSERT_TRUE(test::TreeSelect(m_tree, end));
    EXPECT_EQ(PathField(), m_scratch.Path(relative + "\\END.ZVD"));
}

// How the dialog ends when it runs without a modal loop.
TEST_F(FileChooserTest, TheDialogEndsWithTheTextOfThePathField)
{
    const struct {
        const char* name;
        std::function<void(FileChooserTest& t)> act;
        INT_PTR result;
        const char* path;  // after the scratch folder's path; null for ""
    } cases[] = {
        {"OK with nothing selected",
         [](FileChooserTest& t) { test::ClickButton(t.m_dialog, IDOK); }, IDOK, nullptr},
        {"OK after selecting a file",
         [](FileChooserTest& t) {
             test::TreeSelect(t.m_tree, t.Reveal({"A.ZVD"}));
             test::ClickButton(t.m_dialog, IDOK);
         },
         IDOK, "\\A.ZVD"},
        {"OK after selecting a folder",
         [](FileChooserTest& t) {
             test::TreeSelect(t.m_tree, t.Reveal({"SUB"}));
             test::ClickButton(t.m_dialog, IDOK);
         },
         IDOK, "\\SUB\\"},
        {"OK after typing over a selection",
         [](FileChooserTest& t) {
             test::TreeSelect(t.m_tree, t.Reveal({"A.ZVD"}));
             t.TypeIntoPathField(t.m_scratch.Path("TYPED.ZVL"));
             test::ClickButton(t.m_dialog, IDOK);
         },
         IDOK, "\\TYPED.ZVL"},
        {"Enter",
         [](FileChooserTest& t) {
             test::TreeSelect(t.m_tree, t.Reveal({"b.zvd"}));
             test::PostKey(t.m_tree, VK_RETURN);
             test::PumpMessages(t.m_dialog);
         },
         IDOK, "\\b.zvd"},
        {"Cancel",
         [](FileChooserTest& t) { test::ClickButton(t.m_dialog, IDCANCEL); }, IDCANCEL, nullptr},
        {"Escape",
         [](FileChooserTest& t) {
             test::PostKey(t.m_tree, VK_ESCAPE);
             test::PumpMessages(t.m_dialog);
         },
         IDCANCEL, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(".ZVD");
        c.act(*this);
        EXPECT_FALSE(IsWindow(m_dialog));
        EXPECT_EQ(m_chooser->Result(), c.result);
        if (c.result == IDOK) {
            EXPECT_EQ(m_chooser->m_strPath, c.path == nullptr ? "" : m_scratch.Path() + c.path);
        }
    }
}

// The same in the dialog's own modal loop, as the browse buttons run it.
TEST_F(FileChooserTest, TheModalDialogEndsByDoubleClickOKAndEscape)
{
    using Chooser = ScriptedModal<CFileChooserDlg>;
    using Step = std::function<void(FileChooserTest& t, HWND dialog)>;
    const struct {
        const char* name;
        Step act;
        INT_PTR result;
        const char* path;  // after the scratch folder's path; null for ""
    } cases[] = {
        {"double click on a file",
         [](FileChooserTest& t, HWND) {
             HTREEITEM file = t.Reveal({"SUB", "S.ZVD"});
             test::TreeSelect(t.m_tree, file);  // the first click selects
             test::TreeDoubleClick(t.m_tree, file);
         },
         IDOK, "\\SUB\\S.ZVD"},
        {"double click on a folder",
         [](FileChooserTest& t, HWND) {
             HTREEITEM folder = t.Reveal({"OLD.ZVD"});
             test::TreeSelect(t.m_tree, folder);
             test::TreeDoubleClick(t.m_tree, folder);
         },
         IDOK, "\\OLD.ZVD"},
        {"OK with nothing selected",
         [](FileChooserTest&, HWND dialog) { test::ClickButton(dialog, IDOK); }, IDOK, nullptr},
        {"Escape",
         [](FileChooserTest& t, HWND) {
             test::TreeSelect(t.m_tree, t.Reveal({"A.ZVD"}));
             test::PostKey(t.m_tree, VK_ESCAPE);
         },
         IDCANCEL, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Chooser chooser(".ZVD");
        const INT_PTR result = chooser.RunModal([&](CFileChooserDlg& dialog) {
            m_dialog = dialog;
            m_tree = GetDlgItem(dialog, IDC_TREE);
            c.act(*this, dialog);
        });
        EXPECT_EQ(result, c.result);
        if (c.result == IDOK) {
            EXPECT_EQ(chooser.m_strPath, c.path == nullptr ? "" : m_scratch.Path() + c.path);
        }
    }
}

TEST_F(FileChooserTest, ShiftJisNamesAreListedAndSelected)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the Shift-JIS code page, not " << GetACP();
    ASSERT_TRUE(m_scratch.MakeFolder("JA"));
    ASSERT_TRUE(m_scratch.MakeFolder("JA\\" + kSo));
    ASSERT_TRUE(m_scratch.MakeFolder("JA\\" + kSo + ".ZVD"));
    for (const std::string& file : {kHyo + ".ZVD", kHyo + ".TXT", kSo + "\\" + kSofuto + ".zvd",
                                    kSo + "\\" + kHyo + "ZVD"})
        ASSERT_TRUE(m_scratch.MakeFile("JA\\" + file)) << file;

    Open(".ZVD");
    HTREEITEM ja = Unfold(Texts{"JA"});
    ASSERT_NE(ja, nullptr);
    EXPECT_EQ(TreeChildTexts(m_tree, ja), (Texts{kSo, kSo + ".ZVD", kHyo + ".ZVD"}));
    HTREEITEM so = Unfold(Texts{"JA", kSo});
    ASSERT_NE(so, nullptr);
    EXPECT_EQ(TreeChildTexts(m_tree, so), Texts{kSofuto + ".zvd"});

    const struct {
        Texts item;
        std::string shown;  // after the scratch folder's path
    } cases[] = {
        {{"JA", kHyo + ".ZVD"}, "\\JA\\" + kHyo + ".ZVD"},
        {{"JA", kSo}, "\\JA\\" + kSo + "\\"},
        {{"JA", kSo + ".ZVD"}, "\\JA\\" + kSo + ".ZVD"},
        {{"JA", kSo, kSofuto + ".zvd"}, "\\JA\\" + kSo + "\\" + kSofuto + ".zvd"},
    };
    for (const auto& c : cases) {
        const std::string shown = m_scratch.Path() + c.shown;
        SCOPED_TRACE(shown);
        HTREEITEM item = Reveal(c.item);
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(test::TreeSelect(m_tree, item));
        EXPECT_EQ(PathField(), shown);
    }
    test::ClickButton(m_dialog, IDOK);
    EXPECT_EQ(m_chooser->Result(), IDOK);
    EXPECT_EQ(m_chooser->m_strPath, m_scratch.Path("JA\\" + kSo + "\\" + kSofuto + ".zvd"));
}

}  // namespace
}  // namespace zevo
