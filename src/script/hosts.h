// What a run needs from outside the portable core. The program implements
// these with Win32 and its dialog; the tests implement them with recorders.
#pragma once

#include <string>

#include "common/mixed_text.h"
#include "script/run_state.h"

namespace zevo {

// The main dialog, as far as a run uses it.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    // Copies every bound member of the run state into its control.
    virtual void UpdateDisplay() = 0;
    // Takes what the user can change (paths, check boxes) into the members.
    virtual void FetchInput() = 0;
    // Scrolls the message pane to its last line.
    virtual void ScrollTextToEnd() = 0;
    // Enables or disables the option controls around a run ("/X").
    virtual void EnableControls(bool enable) = 0;
    // Enables the Speed slider, the close and the stop button again ("/X-").
    virtual void UnlockRunControls() = 0;
    virtual void EnableStop(bool enable) = 0;
    virtual int SpeedPosition() = 0;
    virtual void SetSpeedPosition(int position) = 0;
    virtual void Minimize() = 0;
    virtual void Restore() = 0;
    // A modal box with OK and Cancel and the exclamation icon; true for OK.
    virtual bool ConfirmBox(const MixedText& text, const MixedText& caption) = 0;
    // A box that only tells (a history file that cannot be opened); the
    // dialog shows it as ConfirmBox does, without a caption.
    virtual void Notice(const MixedText& text) { ConfirmBox(text, MixedText()); }
    // Called between two entries of a Fast run, which works through the
    // whole data file in one timer tick: a window takes the messages the
    // system sends it and paints, so that it never looks hung.
    virtual void KeepAlive() {}
};

// The process and the platform around it.
class ProcessHost {
public:
    virtual ~ProcessHost() = default;
    virtual RunTime LocalTime() = 0;
    // Starts a program without waiting for it.
    virtual void StartProgram(const std::string& commandLine) = 0;
    // Ends the process at once. Returns only where a test records it.
    virtual void ExitProcess(int exitCode) = 0;
};

// Results of the file operations of a data file.
enum class FileResult {
    Done,
    NothingToDo,        // no file matched, or the folder already exists or is already gone
    Failed,             // the platform refused (nothing more is known)
    PathTooLong,        // longer than the program's path limit; nothing was done
    DestinationIsFile,  // a copy into an existing plain file; nothing was done
};

// Files and folders, as the directives use them.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // True when at least one plain file matches the path or pattern.
    virtual bool MatchesFile(const std::string& path) = 0;
    // The full path of a file, for telling whether two paths name one file.
    virtual std::string FullPath(const std::string& path) = 0;
    // Copies the plain files of one folder level into a folder.
    virtual FileResult CopyFiles(const std::string& source, const std::string& destination) = 0;
    // Deletes the plain files of one folder level.
    virtual FileResult DeleteFiles(const std::string& pattern) = 0;
    virtual FileResult MakeDirectory(const std::string& path) = 0;
    virtual FileResult RemoveEmptyDirectory(const std::string& path) = 0;
};

}  // namespace zevo
