// CSetupDlg: the setup window (template 102): the install folder, the files to install, the
// progress bar, and the picture buttons Install and Exit.
#pragma once

#include <cstdint>

#include "Controls.h"
#include "Dialog.h"

class CSetupDlg : public CDialog {
public:
    explicit CSetupDlg(CWnd* pParent = nullptr);

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Exit, Esc, the close box and the end of an install all close the window here.
    void OnCancel() override;

private:
    // How the install procedure reaches this window and the machine.
    class CWindowPlatform;

    // Window messages and commands, in map order.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnInstall();

    void CreatePictureButtons();
    // One line per manifest row, in manifest order: "name  (description)".
    void FillFileList();

    CProgressCtrl m_progress;
    CListBox m_fileList;
    HICON m_hIcon;
    // Measured once, when the window opens; the install procedure checks this figure.
    uint64_t m_availableSpace;
};
