#pragma once
// Resource and control ids, shared by the resource script and the code.

#define IDI_MAIN                128
#define IDR_TRAYMENU            132
#define IDD_MAIN                102
#define IDD_EDIT                138
#define IDD_NOTIFY              141

#define IDC_SCREEN_CAPTURE      1003
#define IDC_NOTIFY_TEXT         1003
#define IDC_CAPTURE_KEYS        1004
#define IDC_EMAIL               1009
#define IDC_KEY_COMBO           1017
#define IDC_PATH                1019
#define IDC_FOLDER_BROWSE       1020
#define IDC_ACCEPT              1021
#define IDC_SHORTCUT_LIST       1022
#define IDC_EDIT_SHORTCUT       1023
#define IDC_DELETE_SHORTCUT     1024
#define IDC_SAVE                1025
#define IDC_HELP_BUTTON         1026
#define IDC_PATH_RADIO          1027
#define IDC_TEXT_RADIO          1028
#define IDC_TEXT                1029
#define IDC_PRINT               1030
#define IDC_FILE_BROWSE         1031
#define IDC_GRAPHIC_RADIO       1032
#define IDC_IMAGE               1033
#define IDC_HOTKEY_NOTE         1038

#define ID_TRAY_EXIT            32779
#define ID_TRAY_OPEN            32784
#define ID_PASTE_IMAGE          32786
