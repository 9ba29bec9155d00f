// Resource identifiers of the wallpaper program.
#pragma once

#define IDC_STATIC -1

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_WALLPAPER_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_SET_WALLPAPER_NOW 1000
#define IDC_CURRENT_SELECTION 1001
#define IDC_WALLPAPER_LIST 1002
#define IDC_ADD 1003
#define IDC_REMOVE 1004
#define IDC_MINUTES 1007
#define IDC_FREQ_MINUTES 1008
#define IDC_FREQ_ONCE_A_DAY 1009
#define IDC_FREQ_ONCE_PER_RUN 1010
#define IDC_APPLY_SETTINGS 1011
#define IDC_RANDOM_PICK 1012
#define IDC_START_MINIMIZED 1013
#define IDC_PREVIEW_FRAME 1017
#define IDC_ALLOW_PREVIEW 1018
#define IDC_HELP_BUTTON 1019
#define IDC_ABOUT_BUTTON 1023
#define IDC_ABOUT_ICON 1028

// System menu commands must keep their low four bits clear.
#define IDM_ABOUTBOX 0x0010
