// Resource identifiers of the installer.
#pragma once

#define IDC_STATIC -1

#define IDD_SETUP_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SETUP_DIALOG 102
#define IDR_MAINFRAME 128
#define IDB_SETUP_BANNER 130

#define IDC_FILE_LIST 1000
#define IDC_INSTALL 1001
#define IDC_INSTALL_DIR 1003
#define IDC_PROGRESS 1004
#define IDC_FREE_SPACE 1005
#define IDC_REQUIRED_SPACE 1006

// System menu commands must keep their low four bits clear.
#define IDM_ABOUTBOX 0x0010
