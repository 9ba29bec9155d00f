// CRichEditCtrl: the platform's rich edit control (RichEdit 1.0, RICHED32.DLL).
#pragma once

#include <windows.h>
#include <richedit.h>

#include "Wnd.h"

class FRAMEWORK_API CRichEditCtrl : public CWnd {
public:
    // Loads RICHED32.DLL when needed and creates the control as a child of `parent`.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // With bSysColor FALSE the background takes `color`.
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF color);
    // Replaces the content with what the stream delivers; returns the characters read.
    long StreamIn(int format, EDITSTREAM& stream);
};
