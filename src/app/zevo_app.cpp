#include "app/zevo_app.h"

#include <windows.h>
#include <commctrl.h>

#include "app/win32_platform.h"
#include "fileops/win32_file_operations.h"
#include "registry/win32_registry.h"
#include "ui/zevo_dlg.h"

namespace zevo {

bool CZevoApp::InitInstance()
{
    // An empty removable drive makes an enumeration or a copy fail quietly,
    // without the system's box; an unattended run must never wait on one.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    const CodePage cp =
        CodePage::FromPredicate([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
    Win32Registry registry;
    Win32FileOperations files(cp);
    Win32Platform platform;
    CZevoDlg dialog(registry, files, platform, cp);
    dialog.DoModal();
    // Closing the dialog during a run ends the program; what the run wrote
    // so far still reaches the disk.
    dialog.CloseFiles();
    return false;
}

}  // namespace zevo

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    zevo::CZevoApp app;
    app.InitInstance();
    return 0;
}
