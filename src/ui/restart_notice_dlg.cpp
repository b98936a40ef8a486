#include "ui/restart_notice_dlg.h"

#include "ui/resource.h"

namespace zevo {

namespace {

// Cleared before the first request and never set again, so that repaints
// while Windows shuts down ask for nothing more.
bool g_bRebootOnPaint = true;

}  // namespace

CRestartNoticeDlg::CRestartNoticeDlg(Win32Platform& platform)
    : win::Dialog(IDD_RESTART_NOTICE), m_platform(platform)
{
}

bool CRestartNoticeDlg::OnPaint()
{
    PAINTSTRUCT paint;
    BeginPaint(m_hwnd, &paint);
    EndPaint(m_hwnd, &paint);
    if (g_bRebootOnPaint) {
        g_bRebootOnPaint = false;
        m_platform.RequestRestart();
    }
    return true;
}

}  // namespace zevo
