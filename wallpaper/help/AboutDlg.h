// CAboutDlg: the about box (template 100), shown modally from the main dialog.
#pragma once

#include "Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
