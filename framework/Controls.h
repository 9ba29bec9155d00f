// The common controls the programs use: thin wrappers that send the controls' own messages.
#pragma once

#include "Wnd.h"

class FRAMEWORK_API CButton : public CWnd {
public:
    // Creates the button window as a child of `parent`; false when it could not be created.
    BOOL Create(const char* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const;
    void SetCheck(int check);
};

// A push button that shows a picture; the programs give it the picture with BM_SETIMAGE.
class FRAMEWORK_API CBitmapButton : public CButton {};

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

// A progress bar (the common control msctls_progress32).
class FRAMEWORK_API CProgressCtrl : public CWnd {
public:
    void SetRange(short lower, short upper);
    int SetStep(int step);
    // Advances the bar by its step; returns the position it had before.
    int StepIt();
};
