// The main dialog: the data, log and history file fields, the options, the
// run and stop buttons, and the panes that show a run. It is a view over the
// run state; the interpreter and the run driver do the work.
#pragma once

#include <array>
#include <string>

#include "app/end_of_run.h"
#include "app/run_driver.h"
#include "app/settings.h"
#include "app/win32_platform.h"
#include "common/code_page.h"
#include "script/interpreter.h"
#include "ui/win/controls.h"
#include "ui/win/dialog.h"

namespace zevo {

class CZevoDlg : public win::Dialog,
                 public DialogHost,
                 public RunTimer,
                 public RestartHost {
public:
    CZevoDlg(Registry& registry, FileOperations& files, Win32Platform& platform,
             const CodePage& cp);
    ~CZevoDlg() override;

    RunState& State() { return m_state; }
    bool Running() const { return m_driver.Running(); }
    // Closes the run's files (the end of the program).
    void CloseFiles() { m_interpreter.CloseFiles(); }

    // DialogHost
    void UpdateDisplay() override;
    void FetchInput() override;
    void ScrollTextToEnd() override;
    void EnableControls(bool enable) override;
    void UnlockRunControls() override;
    void EnableStop(bool enable) override;
    int SpeedPosition() override { return m_speedPosition; }
    void SetSpeedPosition(int position) override;
    void Minimize() override { Show(SW_MINIMIZE); }
    void Restore() override;
    bool ConfirmBox(const MixedText& text, const MixedText& caption) override;
    // At most every 100 ms: paints and takes sent messages. Input waits in
    // the queue until the tick ends, so no control acts within a Fast run.
    void KeepAlive() override;

    // RunTimer
    void Arm(int milliseconds) override;
    void Kill() override;

    // RestartHost
    bool ConfirmRestart(const char* question) override;
    void ShowRestartNotice() override;
    void RequestRestart() override { m_platform.RequestRestart(); }
    void KillRunTimer() override { Kill(); }

    // Posted from the first paint: the start-up run.
    static const UINT kStartUpMessage = WM_APP + 1;

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code) override;
    void OnTimer(UINT_PTR id) override;
    bool OnPaint() override;

private:
    void StartUp();
    void Browse(const char* extension, std::string& member);
    // Shows the members in their controls; with `force` also unchanged ones.
    // Every modal box first shows them: a Fast tick defers the display.
    void ShowMembers(bool force);
    void ScrollMessagePane();

    FileOperations& m_files;
    Win32Platform& m_platform;
    const CodePage m_cp;

    RunState m_state;
    Interpreter m_interpreter;
    Settings m_settings;
    RunDriver m_driver;

    HICON m_hIcon;
    int m_nStartMode = 0;
    bool m_bFirstPaint = true;
    win::TrackBar m_speed;
    // The trackbar's position as last read: a Fast tick asks for it after
    // every entry, and only a directive can move it while the tick runs.
    int m_speedPosition = 0;
    // What each text control shows now, so that only changed ones are set.
    std::array<std::wstring, 9> m_shown;
    // A Fast tick asked for the message pane's last line.
    bool m_scrollPending = false;
    DWORD m_lastKeepAlive = 0;  // tick count of the last KeepAlive that took messages
};

}  // namespace zevo
