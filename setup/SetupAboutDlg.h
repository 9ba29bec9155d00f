// CSetupAboutDlg: the installer's about box (template 100): the free and the required space.
#pragma once

#include "Dialog.h"

class CSetupAboutDlg : public CDialog {
public:
    CSetupAboutDlg();

protected:
    BOOL OnInitDialog() override;
};
