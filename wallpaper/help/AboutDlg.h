// CAboutDlg: the about box (template 100): a stretched background texture, two picture
// panels, and the program icon blinking with its partner every 100 ms.
#pragma once

#include "Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    const MessageMap* GetMessageMap() const override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
};
