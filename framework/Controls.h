// The common controls the programs use: thin wrappers that send the controls' own messages.
#pragma once

#include "Wnd.h"

class FRAMEWORK_API CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int check);
};

class FRAMEWORK_API CListBox : public CWnd {
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // Copies the entry into `buffer`, which must hold GetTextLen(index) + 1 bytes.
    int GetText(int index, char* buffer) const;
    int GetTextLen(int index) const;
    int AddString(const char* text);
    int DeleteString(UINT index);
    // The first entry after `startAfter` that begins with `text`, letter case ignored.
    int FindString(int startAfter, const char* text) const;
    void ResetContent();
};
