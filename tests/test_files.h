// Scratch files for tests: a folder of its own per test process, removed at exit.
#pragma once

#include <string>

namespace zevo::test {

std::string ScratchFolder();
std::string ScratchPath(const std::string& name);  // the file itself is not created
std::string WriteScratchFile(const std::string& name, const std::string& bytes);  // returns the path
std::string ReadWholeFile(const std::string& path);  // empty when it cannot be read

}  // namespace zevo::test
