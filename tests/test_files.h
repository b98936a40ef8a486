// Scratch files for tests: a folder of its own per test process, removed at exit.
#pragma once

#include <string>

namespace zevo::test {

// The scratch folder itself.
std::string ScratchFolder();
// A path in the scratch folder; the file itself is not created.
std::string ScratchPath(const std::string& name);
// Writes the bytes exactly as given and returns the path.
std::string WriteScratchFile(const std::string& name, const std::string& bytes);
// The whole content of a file, or an empty text when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace zevo::test
