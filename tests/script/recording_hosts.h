// Hosts that record what a run asks of the dialog, the process and the file
// system, instead of doing it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "script/hosts.h"

namespace zevo::test {

class RecordingDialog : public DialogHost {
public:
    void UpdateDisplay() override { shown = state != nullptr ? Panes(*state) : ""; }
    void FetchInput() override { calls.push_back("fetch"); }
    void EnableStop(bool enable) override { calls.push_back(enable ? "stop on" : "stop off"); }
    void ScrollTextToEnd() override { ++scrolls; }
    void EnableControls(bool enable) override { calls.push_back(enable ? "enable" : "disable"); }
    void UnlockRunControls() override { calls.push_back("unlock"); }
    int SpeedPosition() override { return speed; }
    void SetSpeedPosition(int position) override { calls.push_back("speed " + std::to_string(speed = position)); }
    void Minimize() override { calls.push_back("minimize"); }
    void Restore() override { calls.push_back("restore"); }
    bool ConfirmBox(const MixedText& text, const MixedText& caption) override
    {
        calls.push_back("box " + text.Joined() + "|" + caption.Joined());
        return confirmAnswer;
    }

    // What the panes show: the members as they were at the last display update.
    static std::string Panes(const RunState& s)
    {
        return s.m_strKeyPath + "|" + s.m_strValueName + "|" + s.m_strFileData + "|" + s.m_strRegistryData + "|" +
               s.m_strChangedItems + "|" + s.m_strText.Joined();
    }

    std::vector<std::string> calls;
    int speed = 0, scrolls = 0;
    bool confirmAnswer = true;
    const RunState* state = nullptr;
    std::string shown;
};

class RecordingProcess : public ProcessHost {
public:
    RunTime LocalTime() override { return {1998, 7, 15, 4, 9, 3, 7}; }  // a Wednesday, 09:03:07
    void StartProgram(const std::string& commandLine) override { calls.push_back("start " + commandLine); }
    void ExitProcess(int exitCode) override { calls.push_back("exit " + std::to_string(exitCode)); }

    std::vector<std::string> calls;
};

// Records the file operations and answers each with `result`; MatchesFile
// looks at the real disk, so that hand-overs between data files work.
class RecordingFiles : public FileOperations {
public:
    bool MatchesFile(const std::string& path) override { return std::filesystem::is_regular_file(path, m_error); }
    std::string FullPath(const std::string& path) override { return path; }
    FileResult CopyFiles(const std::string& from, const std::string& to) override
    {
        return Did("copy " + from + " " + to);
    }
    FileResult DeleteFiles(const std::string& pattern) override { return Did("delete " + pattern); }
    FileResult MakeDirectory(const std::string& path) override { return Did("mkdir " + path); }
    FileResult RemoveEmptyDirectory(const std::string& path) override { return Did("rmdir " + path); }

    std::vector<std::string> calls;
    FileResult result = FileResult::Done;

private:
    FileResult Did(const std::string& call) { calls.push_back(call); return result; }
    std::error_code m_error;
};

}  // namespace zevo::test
