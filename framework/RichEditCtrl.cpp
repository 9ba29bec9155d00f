// The rich edit control.
#include "RichEditCtrl.h"

#include "WinApp.h"

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    static HMODULE library = LoadLibraryA("RICHED32.DLL");
    if (!library) return FALSE;
    m_hWnd = CreateWindowExA(0, "RICHEDIT", "", style, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, parent->m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(id)),
                             AfxGetInstanceHandle(), nullptr);
    return m_hWnd != nullptr;
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF color) {
    return COLORREF(SendMessage(EM_SETBKGNDCOLOR, WPARAM(bSysColor), LPARAM(color)));
}

long CRichEditCtrl::StreamIn(int format, EDITSTREAM& stream) {
    return long(SendMessage(EM_STREAMIN, WPARAM(format), reinterpret_cast<LPARAM>(&stream)));
}
