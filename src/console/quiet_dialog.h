// The dialog of a run that nobody watches (the console program): nothing to
// show, enable or move, the speed always Fast, and every box answered with
// Cancel unless a view asks someone.
#pragma once

#include "script/hosts.h"

namespace zevo {

class QuietDialog : public DialogHost {
public:
    void UpdateDisplay() override {}
    void FetchInput() override {}
    void ScrollTextToEnd() override {}
    void EnableControls(bool) override {}
    void UnlockRunControls() override {}
    void EnableStop(bool) override {}
    int SpeedPosition() override { return 0; }
    void SetSpeedPosition(int) override {}
    void Minimize() override {}
    void Restore() override {}
    bool ConfirmBox(const MixedText&, const MixedText&) override { return false; }
    void Notice(const MixedText&) override {}
};

}  // namespace zevo
