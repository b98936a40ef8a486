// The notice shown while Windows restarts; its first paint asks for the
// restart, once per process.
#pragma once

#include "app/win32_platform.h"
#include "ui/win/dialog.h"

namespace zevo {

class CRestartNoticeDlg : public win::Dialog {
public:
    explicit CRestartNoticeDlg(Win32Platform& platform);

protected:
    bool OnPaint() override;

private:
    Win32Platform& m_platform;
};

}  // namespace zevo
