// Control wrappers.
#include "Controls.h"

#include <commctrl.h>

#include "WinApp.h"

BOOL CButton::Create(const char* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    m_hWnd = CreateWindowExA(0, "BUTTON", caption, style, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, parent->m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(id)),
                             AfxGetInstanceHandle(), nullptr);
    return m_hWnd != nullptr;
}

int CButton::GetCheck() const {
    return int(SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int check) {
    SendMessage(BM_SETCHECK, WPARAM(check));
}

int CListBox::GetCount() const {
    return int(SendMessage(LB_GETCOUNT));
}

int CListBox::GetCurSel() const {
    return int(SendMessage(LB_GETCURSEL));
}

int CListBox::SetCurSel(int index) {
    return int(SendMessage(LB_SETCURSEL, WPARAM(index)));
}

int CListBox::GetText(int index, char* buffer) const {
    return int(SendMessage(LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(buffer)));
}

int CListBox::GetTextLen(int index) const {
    return int(SendMessage(LB_GETTEXTLEN, WPARAM(index)));
}

int CListBox::AddString(const char* text) {
    return int(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CListBox::DeleteString(UINT index) {
    return int(SendMessage(LB_DELETESTRING, WPARAM(index)));
}

int CListBox::FindString(int startAfter, const char* text) const {
    return int(SendMessage(LB_FINDSTRING, WPARAM(startAfter), reinterpret_cast<LPARAM>(text)));
}

void CListBox::ResetContent() {
    SendMessage(LB_RESETCONTENT);
}

void CProgressCtrl::SetRange(short lower, short upper) {
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

int CProgressCtrl::SetStep(int step) {
    return int(SendMessage(PBM_SETSTEP, WPARAM(step)));
}

int CProgressCtrl::StepIt() {
    return int(SendMessage(PBM_STEPIT));
}
