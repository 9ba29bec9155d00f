// CSetupApp: the installer's application object; it runs the setup window.
#pragma once

#include "WinApp.h"

class CSetupApp : public CWinApp {
public:
    CSetupApp();
    BOOL InitInstance() override;

protected:
    const MessageMap* GetMessageMap() const override;
};
