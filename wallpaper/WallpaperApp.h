// CWallpaperApp: the wallpaper program's application object; it runs the main dialog.
#pragma once

#include "WinApp.h"

class CWallpaperApp : public CWinApp {
public:
    CWallpaperApp();
    BOOL InitInstance() override;

protected:
    const MessageMap* GetMessageMap() const override;
};
