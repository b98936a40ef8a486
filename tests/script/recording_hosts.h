// Hosts that record what a run asks of the dialog, the process and the file
// system, instead of doing it.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "script/hosts.h"

namespace zevo::test {

class RecordingDialog : public DialogHost {
public:
    void UpdateDisplay() override { ++updates; }
    void FetchInput() override { calls.push_back("fetch"); }
    void EnableStop(bool enable) override { calls.push_back(enable ? "stop on" : "stop off"); }
    void ScrollTextToEnd() override { ++scrolls; }
    void EnableControls(bool enable) override { calls.push_back(enable ? "enable" : "disable"); }
    void UnlockRunControls() override { calls.push_back("unlock"); }
    int SpeedPosition() override { return speed; }
    void SetSpeedPosition(int position) override
    {
        speed = position;
        calls.push_back("speed " + std::to_string(position));
    }
    void Minimize() override { calls.push_back("minimize"); }
    void Restore() override { calls.push_back("restore"); }
    bool ConfirmBox(const MixedText& text, const MixedText& caption) override
    {
        calls.push_back("box " + text.Joined() + "|" + caption.Joined());
        return confirmAnswer;
    }

    std::vector<std::string> calls;
    int speed = 0;
    bool confirmAnswer = true;
    int updates = 0;
    int scrolls = 0;
};

class RecordingProcess : public ProcessHost {
public:
    RunTime LocalTime() override { return now; }
    void StartProgram(const std::string& commandLine) override
    {
        calls.push_back("start " + commandLine);
    }
    void ExitProcess(int exitCode) override { calls.push_back("exit " + std::to_string(exitCode)); }

    // Wednesday 1998-07-15 09:03:07.
    RunTime now{1998, 7, 15, 4, 9, 3, 7};
    std::vector<std::string> calls;
};

// Records the file operations; MatchesFile and FullPath look at the real disk,
// so that hand-overs between real data files work.
class RecordingFiles : public FileOperations {
public:
    bool MatchesFile(const std::string& path) override
    {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file != nullptr)
            std::fclose(file);
        return file != nullptr;
    }
    std::string FullPath(const std::string& path) override { return path; }
    FileResult CopyFiles(const std::string& source, const std::string& destination) override
    {
        return Record("copy " + source + " " + destination);
    }
    FileResult DeleteFiles(const std::string& pattern) override { return Record("delete " + pattern); }
    FileResult MakeDirectory(const std::string& path) override { return Record("mkdir " + path); }
    FileResult RemoveEmptyDirectory(const std::string& path) override { return Record("rmdir " + path); }

    std::vector<std::string> calls;
    FileResult result = FileResult::Done;

private:
    FileResult Record(const std::string& call)
    {
        calls.push_back(call);
        return result;
    }
};

}  // namespace zevo::test
