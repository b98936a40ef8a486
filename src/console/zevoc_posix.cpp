// zevoc on a system without the Windows registry: lint only. Data files are
// read in the code page that ZEVO_CODE_PAGE names (932 for Shift-JIS; any
// other value or none: single-byte). Paths are found as Windows finds them
// (backslashes, any case), relative to the current folder; no file is ever
// opened for writing.
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/text_file.h"
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

// The path as Windows would find it here: backslashes as separators, and a
// part that does not exist as written matched without regard to case (a
// directive's paths arrive upper-cased). As written when nothing matches.
std::string ResolvePath(const std::string& path)
{
    std::string slashed = path;
    for (char& c : slashed)
        c = c == '\\' ? '/' : c;
    struct stat info;
    if (stat(slashed.c_str(), &info) == 0)
        return slashed;
    std::string resolved = !slashed.empty() && slashed[0] == '/' ? "/" : "";
    size_t start = resolved.size();
    while (start <= slashed.size()) {
        size_t end = slashed.find('/', start);
        if (end == std::string::npos)
            end = slashed.size();
        std::string part = slashed.substr(start, end - start);
        if (!part.empty() && stat((resolved + part).c_str(), &info) != 0) {
            DIR* dir = opendir(resolved.empty() ? "." : resolved.c_str());
            for (dirent* e = dir ? readdir(dir) : nullptr; e != nullptr; e = readdir(dir)) {
                if (strcasecmp(e->d_name, part.c_str()) == 0) {
                    part = e->d_name;
                    break;
                }
            }
            if (dir != nullptr)
                closedir(dir);
        }
        resolved += part;
        if (end < slashed.size())
            resolved += '/';
        start = end + 1;
    }
    return stat(resolved.c_str(), &info) == 0 ? resolved : slashed;
}

// Data files are only ever read here: any other open is refused.
std::FILE* OpenForReading(const std::string& path, zevo::TextFile::Mode mode)
{
    return mode == zevo::TextFile::Mode::Read ? std::fopen(ResolvePath(path).c_str(), "rb") : nullptr;
}

// Answers which files exist; changes nothing.
class PosixFileLookup : public zevo::FileOperations {
public:
    bool MatchesFile(const std::string& path) override
    {
        struct stat info;
        return stat(ResolvePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }
    std::string FullPath(const std::string& path) override
    {
        char full[PATH_MAX];
        return realpath(ResolvePath(path).c_str(), full) != nullptr ? std::string(full) : path;
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
    zevo::TextFile::SetOpenFunction(OpenForReading);
    zevo::ConsolePlatform platform{out, lookup,
                                   codePage != nullptr && std::string(codePage) == "932"
                                       ? zevo::CodePage::ShiftJis()
                                       : zevo::CodePage::SingleByte()};
    return zevo::RunConsoleCommand(std::vector<std::string>(argv + 1, argv + argc), platform);
}
