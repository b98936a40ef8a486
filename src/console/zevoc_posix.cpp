// zevoc on a system without the Windows registry: lint only. Data files are
// read in the code page that ZEVO_CODE_PAGE names (932 for Shift-JIS; any
// other value or none: single-byte).
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/console_main.h"

namespace {

class PosixOutput : public zevo::ConsoleOutput {
public:
    void Out(const std::string& bytes) override { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }
    void Err(const std::string& bytes) override { std::fwrite(bytes.data(), 1, bytes.size(), stderr); }
    std::string FromProgram(const std::string& utf8) override { return utf8; }
    std::string DataToUtf8(const std::string& bytes) override
    {
        // Without the Windows conversion tables, bytes above 127 are taken as Latin-1.
        std::string out;
        for (char c : bytes) {
            const unsigned char u = static_cast<unsigned char>(c);
            if (u < 0x80) {
                out += c;
            } else {
                out += static_cast<char>(0xC0 | (u >> 6));
                out += static_cast<char>(0x80 | (u & 0x3F));
            }
        }
        return out;
    }
};

// Answers which files exist; changes nothing.
class PosixFileLookup : public zevo::FileOperations {
public:
    bool MatchesFile(const std::string& path) override
    {
        struct stat info;
        return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }
    std::string FullPath(const std::string& path) override
    {
        char full[PATH_MAX];
        return realpath(path.c_str(), full) != nullptr ? std::string(full) : path;
    }
    zevo::FileResult CopyFiles(const std::string&, const std::string&) override { return zevo::FileResult::Done; }
    zevo::FileResult DeleteFiles(const std::string&) override { return zevo::FileResult::Done; }
    zevo::FileResult MakeDirectory(const std::string&) override { return zevo::FileResult::Done; }
    zevo::FileResult RemoveEmptyDirectory(const std::string&) override { return zevo::FileResult::Done; }
};

}  // namespace

int main(int argc, char** argv)
{
    const char* codePage = std::getenv("ZEVO_CODE_PAGE");
    PosixOutput out;
    PosixFileLookup lookup;
    zevo::ConsolePlatform platform{out, lookup,
                                   codePage != nullptr && std::string(codePage) == "932"
                                       ? zevo::CodePage::ShiftJis()
                                       : zevo::CodePage::SingleByte()};
    return zevo::RunConsoleCommand(std::vector<std::string>(argv + 1, argv + argc), platform);
}
