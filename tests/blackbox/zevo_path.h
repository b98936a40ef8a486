// Where the black-box tests find zevo.exe: in the build folder, two levels
// above this test program (build/windows/tests/blackbox).
#pragma once

#include <windows.h>

#include <string>

inline std::string ZevoProgramPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.erase(folder.find_last_of('\\'));  // .../tests/blackbox
    folder.erase(folder.find_last_of('\\'));  // .../tests
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "zevo.exe";
}
