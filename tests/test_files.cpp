#include "test_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace zevo::test {

namespace {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("zevo-test-" + std::to_string(random()) + "-" + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

const std::filesystem::path& Folder()
{
    static ScratchFolder folder;
    return folder.Path();
}

}  // namespace

std::string ScratchFolder()
{
    return Folder().string();
}

std::string ScratchPath(const std::string& name)
{
    return (Folder() / name).string();
}

std::string WriteScratchFile(const std::string& name, const std::string& bytes)
{
    std::string path = ScratchPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zevo::test
