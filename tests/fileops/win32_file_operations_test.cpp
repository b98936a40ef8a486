#include "fileops/win32_file_operations.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "test_files.h"

namespace zevo {
namespace {

using Names = std::vector<std::string>;

// Shift-JIS names whose second byte is 0x5C, the backslash.
const std::string kHyo = "\x95\x5C";                     // 表
const std::string kSo = "\x83\x5C";                      // ソ
const std::string kSofuto = "\x83\x5C\x83\x74\x83\x67";  // ソフト (0x74 is "t")
const Names kAllPlain = {"A.TXT", "B.DAT", "SYS.DAT", "h.txt"};

std::string Repeat(const std::string& text, int count)
{
    std::string out;
    while (count-- > 0)
        out += text;
    return out;
}

// Calls `visit` with each entry of a folder but "." and "..".
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder.empty() ? "*" : folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            visit(folder.empty() ? name : folder + "\\" + name, name,
                  (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

// The plain files directly in a folder, sorted, found without the code under test.
Names PlainFiles(const std::string& folder)
{
    Names names;
    ForEachEntry(folder, [&names](const std::string&, const std::string& name, bool isFolder) {
        if (!isFolder)
            names.push_back(name);
    });
    std::sort(names.begin(), names.end());
    return names;
}

// Empties a folder ("" for the current one) and everything below it.
void RemoveContents(const std::string& folder)
{
    ForEachEntry(folder, [](const std::string& path, const std::string&, bool isFolder) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (isFolder) {
            RemoveContents(path);
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    });
}

// Each test gets an empty folder of its own under the temp folder; the
// helpers take paths relative to it.
class Win32FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int serial = 0;
        char temp[MAX_PATH], current[MAX_PATH];
        DWORD length = GetTempPathA(MAX_PATH, temp);
        ASSERT_TRUE(length > 0 && length < MAX_PATH);
        ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, current), 0u);
        m_saved = current;
        m_root = std::string(temp, length) + "zevo-files-" + std::to_string(GetCurrentProcessId()) +
                 "-" + std::to_string(++serial);
        ASSERT_TRUE(CreateDirectoryA(m_root.c_str(), nullptr)) << m_root;
    }
    void TearDown() override
    {
        // Relative paths also reach what lies beyond the full-path limit.
        if (SetCurrentDirectoryA(m_root.c_str()))
            RemoveContents("");
        SetCurrentDirectoryA(m_saved.c_str());
        RemoveDirectoryA(m_root.c_str());
    }

    std::string At(const std::string& relative) const { return m_root + "\\" + relative; }
    void Folder(const std::string& relative) const
    {
        ASSERT_TRUE(CreateDirectoryA(At(relative).c_str(), nullptr)) << relative;
    }
    void File(const std::string& relative, DWORD attributes = 0, const std::string& bytes = "") const
    {
        std::ofstream(At(relative), std::ios::binary) << (bytes.empty() ? "content of " + relative : bytes);
        ASSERT_TRUE(Exists(relative)) << relative;
        if (attributes != 0) {
            ASSERT_TRUE(SetFileAttributesA(At(relative).c_str(), attributes));
        }
    }
    std::string Content(const std::string& relative) const { return test::ReadWholeFile(At(relative)); }
    bool Exists(const std::string& relative) const
    {
        return GetFileAttributesA(At(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    Names FilesIn(const std::string& relative) const
    {
        return PlainFiles(relative.empty() ? m_root : At(relative));
    }
    // Plain files (a hidden and a system one among them) and a subfolder with
    // a file of its own.
    void SourceFolder(const std::string& name) const
    {
        Folder(name);
        File(name + "\\A.TXT");
        File(name + "\\B.DAT");
        File(name + "\\h.txt", FILE_ATTRIBUTE_HIDDEN);
        File(name + "\\SYS.DAT", FILE_ATTRIBUTE_SYSTEM);
        Folder(name + "\\SUB");
        File(name + "\\SUB\\S.TXT");
    }
    // Upper case, as the interpreter passes every argument.
    std::string Upper(const std::string& text) const { return m_cp.ToUpper(text); }
    // A path of exactly `bytes` bytes below the scratch folder.
    std::string OfLength(size_t bytes) const { return At("") + std::string(bytes - At("").size(), 'N'); }

    std::string m_root, m_saved;
    const CodePage m_cp = CodePage::FromPredicate([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
    Win32FileOperations m_files{m_cp};
};

TEST_F(Win32FilesTest, PathTestsAskTheDiskOnlyWhenNeeded)
{
    SourceFolder("SRC");
    Folder("ONLY");
    Folder("ONLY\\INNER");
    std::string absent = "?:";  // a drive that is not there
    for (int bit = 25; bit >= 0; --bit) {
        if (!(GetLogicalDrives() & (1u << bit)))
            absent[0] = static_cast<char>('A' + bit);
    }
    const struct {
        std::string path;
        bool directory, file;
    } cases[] = {
        {"C:", true, false},           {"C:\\", true, false},
        {absent, true, false},         {absent + "\\", true, false},
        {At("SRC"), true, false},      {At("SRC\\"), false, false},
        {At("SRC\\A.TXT"), false, true}, {Upper(At("SRC\\H.TXT")), false, true},
        {At("SRC\\*.TXT"), false, true}, {At("SRC\\S*"), true, true},
        {At("SRC\\SU?"), true, false},   {At("ONLY\\*.*"), true, false},
        {At("NONE"), false, false},      {At("NONE\\*.*"), false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(MatchesDirectory(c.path), c.directory);
        EXPECT_EQ(MatchesFile(c.path), c.file);
        EXPECT_EQ(m_files.MatchesFile(c.path), c.file);
    }
    EXPECT_FALSE(m_files.MatchesFile(OfLength(512)));
}

TEST_F(Win32FilesTest, DriveLettersFollowTheDriveMask)
{
    int letters[26];
    std::fill(std::begin(letters), std::end(letters), -1);
    const int count = GetDriveLetters(letters);
    DWORD seen = 0;
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(letters[i] >= 'A' && letters[i] <= 'Z' && (i == 0 || letters[i - 1] < letters[i])) << i;
        seen |= 1u << (letters[i] - 'A');
    }
    EXPECT_EQ(seen, GetLogicalDrives());
    EXPECT_NE(seen & (1u << (m_root[0] - 'A')), 0u);  // the temp folder's drive
    EXPECT_EQ(std::count(letters + count, letters + 26, -1), 26 - count);
}

TEST_F(Win32FilesTest, PatternsAndListsOfPlainFiles)
{
    SourceFolder("SRC");
    Folder("ONLY");
    Folder("ONLY\\INNER");
    const std::string src = At("SRC");
    const struct {
        std::string path, pattern;
        Names names;
    } cases[] = {
        {src, src + "\\*.*", kAllPlain},
        {src + "\\", src + "\\*.*", kAllPlain},
        {src + "\\*.*", src + "\\*.*", kAllPlain},
        {Upper(src), Upper(src) + "\\*.*", kAllPlain},
        {src + "\\*.TXT", src + "\\*.TXT", {"A.TXT", "h.txt"}},
        {src + "\\H.TXT", src + "\\H.TXT", {"h.txt"}},
        {At("ONLY"), At("ONLY\\*.*"), {}},
        {At("NONE"), At("NONE\\*.*"), {}},
        {"C:", "C:*.*", {"(not listed)"}},
        {"C:\\", "C:\\*.*", {"(not listed)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(NormalizePattern(c.path), c.pattern);
        if (c.names == Names{"(not listed)"})
            continue;
        Names names = {"stale"};
        const int count = ListFiles(c.path, names);
        EXPECT_EQ(count, static_cast<int>(names.size()));
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names);
    }
}

TEST_F(Win32FilesTest, CopiesThePlainFilesOfOneLevel)
{
    SourceFolder("SRC");
    Folder("ONLY");
    Folder("ONLY\\INNER");
    const struct {
        std::string source, destination;
        Names copied;
    } cases[] = {
        {At("SRC"), At("D0"), kAllPlain},
        {At("SRC\\"), At("D1\\"), kAllPlain},
        {At("SRC\\*.*"), At("D2"), kAllPlain},
        {Upper(At("SRC")), Upper(At("D3")), kAllPlain},
        {At("SRC\\*.TXT"), At("D4"), {"A.TXT", "h.txt"}},
        {At("SRC\\A.TXT"), At("D5\\"), {"A.TXT"}},
        {At("SRC\\NONE*"), At("D6"), {}},
        {At("ONLY"), At("D7"), {}},
    };
    int serial = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source + " -> " + c.destination);
        const std::string folder = "D" + std::to_string(serial++);
        Folder(folder);
        EXPECT_EQ(m_files.CopyFiles(c.source, c.destination), FileResult::Done);
        EXPECT_EQ(FilesIn(folder), c.copied);
        for (const std::string& name : c.copied)
            EXPECT_EQ(Content(folder + "\\" + name), Content("SRC\\" + name)) << name;
        EXPECT_FALSE(Exists(folder + "\\SUB"));
    }
    // A bare drive means the current folder of that drive.
    ASSERT_TRUE(SetCurrentDirectoryA(At("D7").c_str()));
    EXPECT_EQ(m_files.CopyFiles(At("SRC\\*.DAT"), m_root.substr(0, 2)), FileResult::Done);
    EXPECT_EQ(FilesIn("D7"), (Names{"B.DAT", "SYS.DAT"}));
}

TEST_F(Win32FilesTest, CopyRefusalsAndFailuresCopyNothing)
{
    SourceFolder("SRC");
    Folder("DST");
    File("OLD.TXT", 0, "old");
    File("SRC\\" + std::string(40, 'L') + ".TXT");
    const struct {
        std::string source, destination;
        FileResult result;
    } cases[] = {
        {At("SRC"), At("NODIR"), FileResult::Failed},
        {At("SRC"), At("NODIR\\"), FileResult::Failed},
        {At("SRC"), At("OLD.TXT"), FileResult::DestinationIsFile},
        {At("SRC\\A.TXT"), At("OLD.TXT"), FileResult::DestinationIsFile},
        {OfLength(512), At("DST"), FileResult::PathTooLong},
        {At("SRC"), OfLength(512), FileResult::PathTooLong},
        // The destination itself is short enough, with the long name it is not.
        {At("SRC"), OfLength(480), FileResult::PathTooLong},
        {OfLength(511), At("DST"), FileResult::Done},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source + " -> " + c.destination);
        EXPECT_EQ(m_files.CopyFiles(c.source, c.destination), c.result);
        EXPECT_EQ(FilesIn("DST"), Names{});
        EXPECT_FALSE(Exists("NODIR"));
        EXPECT_EQ(Content("OLD.TXT"), "old");
        EXPECT_FALSE(Exists("OLD.TXTA.TXT"));
    }
}

TEST_F(Win32FilesTest, EmptyArgumentsTouchNothing)
{
    SourceFolder("X");
    Folder("DST");
    // What an empty text would reach: the current folder and its drive's root.
    ASSERT_TRUE(SetCurrentDirectoryA(At("X").c_str()));
    const std::string marker = m_root.substr(0, 3) + "zevo-marker-" + std::to_string(GetCurrentProcessId());
    std::ofstream(marker) << "marker";
    const bool haveMarker = GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES;

    EXPECT_EQ(m_files.DeleteFiles(""), FileResult::Failed);
    EXPECT_EQ(m_files.CopyFiles("", At("DST")), FileResult::Failed);
    EXPECT_EQ(m_files.CopyFiles(At("X"), ""), FileResult::Failed);
    EXPECT_EQ(FilesIn("X"), kAllPlain);
    EXPECT_EQ(FilesIn("DST"), Names{});
    EXPECT_EQ(GetFileAttributesA((m_root.substr(0, 3) + "SYS.DAT").c_str()), INVALID_FILE_ATTRIBUTES);
    if (haveMarker) {
        EXPECT_TRUE(DeleteFileA(marker.c_str()));
    }
}

TEST_F(Win32FilesTest, CopyOverwritesAndStopsAtTheFirstFailure)
{
    SourceFolder("SRC");
    Folder("DST");
    File("DST\\A.TXT", 0, "a longer old content that must go");
    EXPECT_EQ(m_files.CopyFiles(At("SRC"), At("DST")), FileResult::Done);
    EXPECT_EQ(Content("DST\\A.TXT"), Content("SRC\\A.TXT"));

    // A folder in the way of the second file. (A read-only target would do on
    // Windows, but Wine, run as root here, overwrites it.)
    Names order;
    ASSERT_EQ(ListFiles(At("SRC"), order), 4);
    RemoveContents(At("DST"));
    Folder("DST\\" + order[1]);
    EXPECT_EQ(m_files.CopyFiles(At("SRC"), At("DST")), FileResult::Failed);
    EXPECT_EQ(FilesIn("DST"), Names{order[0]});
}

TEST_F(Win32FilesTest, DeletesThePlainFilesOfOneLevel)
{
    const struct {
        const char* pattern;
        Names left;
    } cases[] = {
        {"X", {}},
        {"X\\", {}},
        {"X\\*.*", {}},
        {"X\\*.TXT", {"B.DAT", "SYS.DAT"}},
        {"X\\A.TXT", {"B.DAT", "SYS.DAT", "h.txt"}},
        {"X\\NONE*", kAllPlain},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        SourceFolder("X");
        EXPECT_EQ(m_files.DeleteFiles(Upper(At(c.pattern))), FileResult::Done);
        EXPECT_EQ(FilesIn("X"), c.left);
        EXPECT_EQ(FilesIn("X\\SUB"), Names{"S.TXT"});
        RemoveContents(At("X"));
        RemoveDirectoryA(At("X").c_str());
    }
}

TEST_F(Win32FilesTest, DeleteStopsAtAReadOnlyFile)
{
    SourceFolder("X");
    EXPECT_EQ(m_files.DeleteFiles(OfLength(512)), FileResult::PathTooLong);
    EXPECT_EQ(m_files.DeleteFiles(At("X\\") + std::string(600, '*')), FileResult::PathTooLong);
    EXPECT_EQ(FilesIn("X"), kAllPlain);

    // Wine refuses to delete a read-only file as Windows does.
    Names order;
    ASSERT_EQ(ListFiles(At("X"), order), 4);
    ASSERT_TRUE(SetFileAttributesA(At("X\\" + order[1]).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(m_files.DeleteFiles(At("X")), FileResult::Failed);
    order.erase(order.begin());
    std::sort(order.begin(), order.end());
    EXPECT_EQ(FilesIn("X"), order);
}

TEST_F(Win32FilesTest, MakesAndRemovesFolders)
{
    File("F.TXT");
    enum Op { Make, Remove };
    const struct {
        Op op;
        std::string path;
        FileResult result;
    } steps[] = {
        {Make, At("NEW"), FileResult::Done},            {Make, At("NEW"), FileResult::Failed},
        {Make, At("NO\\CHILD"), FileResult::Failed},    {Make, "", FileResult::Failed},
        {Make, OfLength(512), FileResult::PathTooLong}, {Make, At("NEW\\CHILD"), FileResult::Done},
        {Remove, At("NEW"), FileResult::Failed},        {Remove, At("NEW\\CHILD"), FileResult::Done},
        {Remove, At("NEW"), FileResult::Done},          {Remove, At("NEW"), FileResult::Failed},
        {Remove, At("F.TXT"), FileResult::Failed},      {Remove, "", FileResult::Failed},
        {Remove, OfLength(512), FileResult::PathTooLong},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE((s.op == Make ? "make " : "remove ") + s.path);
        EXPECT_EQ(s.op == Make ? m_files.MakeDirectory(s.path) : m_files.RemoveEmptyDirectory(s.path),
                  s.result);
    }
    EXPECT_FALSE(Exists("NEW"));
    EXPECT_TRUE(Exists("F.TXT"));
}

TEST_F(Win32FilesTest, FullPathResolvesRelativeAndDottedPaths)
{
    ASSERT_TRUE(SetCurrentDirectoryA(m_root.c_str()));
    EXPECT_EQ(Upper(m_files.FullPath("A.TXT")), Upper(At("A.TXT")));
    EXPECT_EQ(m_files.FullPath(At("SUB\\..\\.\\A.TXT")), At("A.TXT"));
}

TEST_F(Win32FilesTest, JapaneseNamesWithABackslashSecondByte)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the Shift-JIS code page";
    // The folder ソ lies beside files whose names start with ソ.
    Folder(kSo);
    File(kSo + "\\" + kHyo + ".TXT");
    File(kSo + "\\" + kSofuto + ".TXT");
    File(kSo + "\\A.TXT");
    File(kSofuto + ".TXT");
    File(kSo + kHyo);
    Folder(kHyo);
    const Names inSo = FilesIn(kSo);
    ASSERT_EQ(inSo.size(), 3u);

    EXPECT_TRUE(MatchesDirectory(At(kSo)));
    EXPECT_FALSE(MatchesFile(At(kSo)));
    EXPECT_TRUE(MatchesFile(At(kSo + kHyo)));
    EXPECT_TRUE(m_files.MatchesFile(Upper(At(kSo + "\\" + kSofuto + ".txt"))));
    EXPECT_EQ(NormalizePattern(At(kSo)), At(kSo + "\\*.*"));
    EXPECT_EQ(NormalizePattern(At(kSo + kHyo)), At(kSo + kHyo));
    Names names;
    EXPECT_EQ(ListFiles(At(kSo), names), 3);

    EXPECT_EQ(m_files.CopyFiles(Upper(At(kSo)), Upper(At(kHyo))), FileResult::Done);
    EXPECT_EQ(FilesIn(kHyo), inSo);
    EXPECT_EQ(m_files.CopyFiles(At(kSo + kHyo), At(kHyo)), FileResult::Done);
    EXPECT_EQ(Content(kHyo + "\\" + kSo + kHyo), Content(kSo + kHyo));
    EXPECT_EQ(m_files.CopyFiles(At(kSo), At(kSo + kHyo)), FileResult::DestinationIsFile);

    EXPECT_EQ(m_files.DeleteFiles(Upper(At(kSo))), FileResult::Done);
    EXPECT_EQ(FilesIn(kSo), Names{});
    EXPECT_EQ(m_files.DeleteFiles(At(kHyo + "\\" + kSo + "*")), FileResult::Done);
    EXPECT_EQ(FilesIn(kHyo), (Names{"A.TXT", kHyo + ".TXT"}));
    // Nothing beside the folders was touched.
    EXPECT_EQ(FilesIn(""), (Names{kSofuto + ".TXT", kSo + kHyo}));
}

TEST_F(Win32FilesTest, LongJapanesePathsAreCheckedBeforeAnythingIsDone)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the Shift-JIS code page";
    // Double-byte names make paths of up to 511 bytes that stay below the
    // platform's 260 characters when given relative to the current folder.
    ASSERT_TRUE(SetCurrentDirectoryA(m_root.c_str()));
    std::string deep;
    for (int level = 0; level < 3; ++level) {
        deep += (level ? "\\" : "") + Repeat(kHyo, 78);
        if (!CreateDirectoryA(deep.c_str(), nullptr))
            GTEST_SKIP() << "no full paths beyond 260 characters here";
    }
    ASSERT_EQ(deep.size(), 470u);
    // 511 and 513 bytes with the folder in front.
    const std::string exact = Repeat(kHyo, 20), over = Repeat(kHyo, 21);
    ASSERT_TRUE(CreateDirectoryA("DST", nullptr));
    for (const std::string& name : {std::string("A.TXT"), std::string("B.TXT"), exact, over}) {
        std::ofstream(deep + "\\" + name) << name;
        ASSERT_NE(GetFileAttributesA((deep + "\\" + name).c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(m_files.CopyFiles(deep, "DST"), FileResult::PathTooLong);
    EXPECT_EQ(m_files.DeleteFiles(deep), FileResult::PathTooLong);
    EXPECT_EQ(FilesIn("DST"), Names{});
    EXPECT_EQ(PlainFiles(deep).size(), 4u);

    EXPECT_EQ(m_files.CopyFiles(deep + "\\*.TXT", "DST"), FileResult::Done);
    EXPECT_EQ(FilesIn("DST"), (Names{"A.TXT", "B.TXT"}));
    EXPECT_EQ(m_files.DeleteFiles(deep + "\\" + exact), FileResult::Done);
    EXPECT_EQ(PlainFiles(deep).size(), 3u);
}

}  // namespace
}  // namespace zevo
