#include "test_files.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace zevo::test {

namespace fs = std::filesystem;

std::string ScratchFolder()
{
    static const struct Folder {
        fs::path path = fs::temp_directory_path() / ("zevo-test-" + std::to_string(std::random_device()()));
        Folder() { fs::create_directories(path); }
        ~Folder() { std::error_code ignored; fs::remove_all(path, ignored); }
    } folder;
    return folder.path.string();
}

std::string ScratchPath(const std::string& name) { return (fs::path(ScratchFolder()) / name).string(); }

std::string WriteScratchFile(const std::string& name, const std::string& bytes)
{
    std::ofstream(ScratchPath(name), std::ios::binary) << bytes;
    return ScratchPath(name);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

}  // namespace zevo::test
