// Files and folders through KERNEL32's ANSI calls: path tests, the drive
// list, and copying and deleting the plain files of one folder level.
#pragma once

#include <string>
#include <vector>

#include "common/code_page.h"
#include "script/hosts.h"

namespace zevo {

// Path texts are bytes in the system code page: the second byte of a
// double-byte character (0x5C in many Shift-JIS names) is no "\".
//
// True for "C:" and "C:\" without asking the disk, else when an entry that
// matches the path is a folder ("C:\WORK" is, "C:\WORK\" is not).
bool MatchesDirectory(const std::string& path);
// True when at least one plain file matches; false for a path ending in ":"
// or "\" without asking the disk.
bool MatchesFile(const std::string& path);
// The letters of the drives present, in order; returns how many (0 to 26).
int GetDriveLetters(int letters[26]);

// The search pattern for a folder, file, drive or wildcard path.
std::string NormalizePattern(const std::string& path);
// The plain files that the path names, in the order the platform lists them.
int ListFiles(const std::string& path, std::vector<std::string>& names);

class Win32FileOperations : public FileOperations {
public:
    explicit Win32FileOperations(const CodePage& cp) : m_cp(cp) {}

    bool MatchesFile(const std::string& path) override;
    std::string FullPath(const std::string& path) override;
    FileResult CopyFiles(const std::string& source, const std::string& destination) override;
    FileResult DeleteFiles(const std::string& pattern) override;
    FileResult MakeDirectory(const std::string& path) override;
    FileResult RemoveEmptyDirectory(const std::string& path) override;

private:
    const CodePage m_cp;
};

}  // namespace zevo
