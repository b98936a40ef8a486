/* A small helper for scripts/screenshots.sh, run under Wine beside zevo.exe:
 * finds the program's windows and drives them with posted messages, so that
 * the script needs no mouse and no pixel positions.
 *
 *   shot_window rect main|popup        prints "x y width height" (screen pixels)
 *   shot_window text main|popup ID     prints the control's text (UTF-8)
 *   shot_window post main|popup ID     posts WM_COMMAND/BN_CLICKED for control ID
 *
 * "main" is the ZEVO dialog (the visible dialog holding the data-file field
 * and its browse button); "popup" is the visible window it owns: the restart
 * question, the restart notice, the file chooser or a message box.
 * Exit code 1 when the window or the control is not there (yet). */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define ID_DATA_FILE 1000
#define ID_BROWSE_DATA 1021

static HWND g_main;
static HWND g_popup;

/* Dialogs and message boxes only: the IME and other helper windows of the
 * process are never what a picture wants. */
static int IsShownDialog(HWND hwnd)
{
    char name[16] = "";
    return IsWindowVisible(hwnd) && GetClassNameA(hwnd, name, sizeof name) &&
           strcmp(name, "#32770") == 0;
}

static BOOL CALLBACK FindMain(HWND hwnd, LPARAM unused)
{
    (void)unused;
    if (IsShownDialog(hwnd) && GetDlgItem(hwnd, ID_DATA_FILE) && GetDlgItem(hwnd, ID_BROWSE_DATA)) {
        g_main = hwnd;
        return FALSE;
    }
    return TRUE;
}

static BOOL CALLBACK FindPopup(HWND hwnd, LPARAM unused)
{
    (void)unused;
    if (hwnd != g_main && IsShownDialog(hwnd) && GetWindow(hwnd, GW_OWNER) == g_main) {
        g_popup = hwnd;
        return FALSE;
    }
    return TRUE;
}

static HWND Target(const char* which)
{
    EnumWindows(FindMain, 0);
    if (!g_main)
        return NULL;
    if (strcmp(which, "main") == 0)
        return g_main;
    if (strcmp(which, "popup") == 0) {
        EnumWindows(FindPopup, 0);
        return g_popup;
    }
    return NULL;
}

/* Straight to the handle: the C runtime's text mode would touch the bytes. */
static void Print(const char* bytes, int length)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes, (DWORD)length, &written, NULL);
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: shot_window rect|text|post main|popup [ID]\n");
        return 2;
    }
    HWND hwnd = Target(argv[2]);
    if (!hwnd)
        return 1;

    if (strcmp(argv[1], "rect") == 0) {
        RECT r;
        char line[64];
        if (!GetWindowRect(hwnd, &r))
            return 1;
        int n = snprintf(line, sizeof line, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left,
                         r.bottom - r.top);
        Print(line, n);
        return 0;
    }
    if (argc < 4)
        return 2;
    int id = atoi(argv[3]);
    HWND control = GetDlgItem(hwnd, id);
    if (strcmp(argv[1], "text") == 0) {
        static wchar_t wide[65536];
        static char utf8[4 * 65536];
        if (!control)
            return 1;
        /* WM_GETTEXT crosses processes; GetWindowText would not for a control. */
        LRESULT length = SendMessageW(control, WM_GETTEXT, 65536, (LPARAM)wide);
        int n = WideCharToMultiByte(CP_UTF8, 0, wide, (int)length, utf8, sizeof utf8, NULL, NULL);
        Print(utf8, n);
        Print("\n", 1);
        return 0;
    }
    if (strcmp(argv[1], "post") == 0) {
        return PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)control) ? 0 : 1;
    }
    return 2;
}
