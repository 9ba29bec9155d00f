// Device contexts: CDC wraps an HDC; CPaintDC and CClientDC own one for their lifetime.
#pragma once

#include <windows.h>

#include "CmdTarget.h"

class CWnd;

class FRAMEWORK_API CDC : public CObject {
public:
    CDC();
    HDC m_hDC;

    void Attach(HDC hDC);
    HDC Detach();
    HDC GetSafeHdc() const { return m_hDC; }

    BOOL DrawIcon(int x, int y, HICON icon);
    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);
};

class FRAMEWORK_API CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

class FRAMEWORK_API CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
