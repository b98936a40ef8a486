#include "fileops/win32_file_operations.h"

#include <windows.h>

#include "fileops/find_handle.h"
#include "fileops/path_text.h"
#include "script/history_log.h"

namespace zevo {

namespace {

bool IsDirectory(const WIN32_FIND_DATAA& data)
{
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Calls `visit` for each entry matching the pattern until it returns true;
// true when one did.
template <typename Visit>
bool AnyEntry(const std::string& pattern, Visit visit)
{
    WIN32_FIND_DATAA data;
    FindHandle find(pattern, data);
    if (!find.Found())
        return false;
    do {
        if (visit(data))
            return true;
    } while (find.Next(data));
    return false;
}

// The ANSI calls read path bytes in the system code page; the free path
// functions split them the same way.
const CodePage& SystemCodePage()
{
    static const CodePage cp =
        CodePage::FromPredicate([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
    return cp;
}

// The last character when it is a single byte, else '\0': the second byte of
// a double-byte character (0x5C in many Shift-JIS names) is no separator.
char LastChar(const std::string& text, const CodePage& cp)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < text.size(); i += cp.CharLength(text, i))
        last = i;
    return last != std::string::npos && last + 1 == text.size() ? text[last] : '\0';
}

bool EndsInSeparator(const std::string& path, const CodePage& cp)
{
    char last = LastChar(path, cp);
    return last == ':' || last == '\\';
}

bool FileMatches(const std::string& path, const CodePage& cp)
{
    if (EndsInSeparator(path, cp))
        return false;
    return AnyEntry(path, [](const WIN32_FIND_DATAA& data) { return !IsDirectory(data); });
}

std::string Normalize(const std::string& path, const CodePage& cp)
{
    if (EndsInSeparator(path, cp))
        return path + "*.*";
    if (!FileMatches(path, cp))
        return path + "\\*.*";
    return path;
}

void ListPattern(const std::string& pattern, std::vector<std::string>& names)
{
    names.clear();
    AnyEntry(pattern, [&names](const WIN32_FIND_DATAA& data) {
        if (!IsDirectory(data))
            names.push_back(data.cFileName);
        return false;
    });
}

bool TooLong(const std::string& path)
{
    return path.size() > kMaxPathBytes;
}

}  // namespace

bool MatchesDirectory(const std::string& path)
{
    if (path.size() == 2 && path[1] == ':')
        return true;
    if (path.size() == 3 && path[1] == ':' && path[2] == '\\')
        return true;
    return AnyEntry(path, [](const WIN32_FIND_DATAA& data) { return IsDirectory(data); });
}

bool MatchesFile(const std::string& path)
{
    return FileMatches(path, SystemCodePage());
}

int GetDriveLetters(int letters[26])
{
    DWORD mask = GetLogicalDrives();
    int count = 0;
    for (int bit = 0; bit < 26; ++bit) {
        if (mask & (1u << bit))
            letters[count++] = 'A' + bit;
    }
    return count;
}

std::string NormalizePattern(const std::string& path)
{
    return Normalize(path, SystemCodePage());
}

int ListFiles(const std::string& path, std::vector<std::string>& names)
{
    ListPattern(NormalizePattern(path), names);
    return static_cast<int>(names.size());
}

bool Win32FileOperations::MatchesFile(const std::string& path)
{
    return !TooLong(path) && FileMatches(path, m_cp);
}

std::string Win32FileOperations::FullPath(const std::string& path)
{
    char buffer[MAX_PATH * 4];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer)
        return path;
    return std::string(buffer, length);
}

FileResult Win32FileOperations::CopyFiles(const std::string& source,
                                          const std::string& destination)
{
    if (source.empty() || destination.empty())
        return FileResult::Failed;
    if (TooLong(source) || TooLong(destination))
        return FileResult::PathTooLong;
    // The set of files is fixed before anything is copied.
    const std::string pattern = Normalize(source, m_cp);
    std::vector<std::string> names;
    ListPattern(pattern, names);

    std::string target = destination;
    if (!EndsInSeparator(target, m_cp)) {
        // A destination that is an existing plain file (and no folder)
        // would have every name glued onto it: refused.
        if (!MatchesDirectory(target) && FileMatches(target, m_cp))
            return FileResult::DestinationIsFile;
        target += '\\';
    }
    // Every path is checked before the first copy: a refusal does nothing.
    const std::string prefix = PatternDirectory(pattern, m_cp);
    for (const std::string& name : names) {
        if (TooLong(prefix + name) || TooLong(target + name))
            return FileResult::PathTooLong;
    }
    for (const std::string& name : names) {
        if (!CopyFileA((prefix + name).c_str(), (target + name).c_str(), FALSE))
            return FileResult::Failed;
    }
    return names.empty() ? FileResult::NothingToDo : FileResult::Done;
}

FileResult Win32FileOperations::DeleteFiles(const std::string& pattern)
{
    // An empty pattern would name the plain files of the current drive's root.
    if (pattern.empty())
        return FileResult::Failed;
    if (TooLong(pattern))
        return FileResult::PathTooLong;
    const std::string normalized = Normalize(pattern, m_cp);
    std::vector<std::string> names;
    ListPattern(normalized, names);
    const std::string prefix = PatternDirectory(normalized, m_cp);
    for (const std::string& name : names) {
        if (TooLong(prefix + name))
            return FileResult::PathTooLong;
    }
    for (const std::string& name : names) {
        if (!DeleteFileA((prefix + name).c_str()))
            return FileResult::Failed;
    }
    return names.empty() ? FileResult::NothingToDo : FileResult::Done;
}

FileResult Win32FileOperations::MakeDirectory(const std::string& path)
{
    if (TooLong(path))
        return FileResult::PathTooLong;
    if (CreateDirectoryA(path.c_str(), nullptr))
        return FileResult::Done;
    return GetLastError() == ERROR_ALREADY_EXISTS && MatchesDirectory(path) ? FileResult::NothingToDo
                                                                            : FileResult::Failed;
}

FileResult Win32FileOperations::RemoveEmptyDirectory(const std::string& path)
{
    if (TooLong(path))
        return FileResult::PathTooLong;
    if (RemoveDirectoryA(path.c_str()))
        return FileResult::Done;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileResult::NothingToDo
                                                                          : FileResult::Failed;
}

}  // namespace zevo
