// Resource identifiers of the program's dialogs, icon and pictures.
#pragma once

#define IDD_ZEVO_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_CONFIRM 132
#define IDD_RESTART_NOTICE 135
#define IDD_FILE_CHOOSER 136
#define IDB_CHOOSER_IMAGES 137

#define IDC_DATA_FILE 1000
#define IDC_VALUE_NAME 1003
#define IDC_KEY_PATH 1004
#define IDC_REGISTRY_DATA 1005
#define IDC_FILE_DATA 1006
#define IDC_TEXT 1008
#define IDC_SPEED 1010
#define IDC_LOG_FILE 1011
#define IDC_LOG 1012
#define IDC_CHANGED_ITEMS 1013
#define IDC_VERIFY 1014
#define IDC_HELP_BUTTON 1016
#define IDC_STOP 1017
#define IDC_BROWSE_DATA 1021
#define IDC_MINIMIZE 1022
#define IDC_HISTORY 1023
#define IDC_HISTORY_FILE 1024
#define IDC_WEB_PAGE 1025
#define IDC_TREE 1026
#define IDC_BROWSE_LOG 1027
#define IDC_BROWSE_HISTORY 1028
#define IDC_CHOOSER_PROMPT 1029

// The project's web page, shown on the web-page button and opened by it.
#define ZEVO_WEB_PAGE "https://www.plv.example.jp/zevo/"

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
