// The installer's about box.
#include "SetupAboutDlg.h"

#include "DiskSpace.h"
#include "SpaceText.h"
#include "res/resource.h"

CSetupAboutDlg::CSetupAboutDlg() : CDialog(IDD_SETUP_ABOUTBOX) {}

// The free space is measured afresh each time the box opens.
BOOL CSetupAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_FREE_SPACE, AvailableSpaceLine(GetAvailableSpace()).c_str());
    SetDlgItemText(IDC_REQUIRED_SPACE, RequiredSpaceLine().c_str());
    return TRUE;
}
