// CWnd: a window object that holds its HWND, calls the plain API, and dispatches the
// window's messages through its class's message map.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "CmdTarget.h"

class CDC;

class FRAMEWORK_API CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;

    // Attaching and subclassing.
    void Attach(HWND hWnd);
    HWND Detach();
    // Routes the window's messages through this object's map from now on.
    void SubclassWindow(HWND hWnd);
    static CWnd* FromPermanentHandle(HWND hWnd);
    // A lasting wrapper for a child window; owned by this window.
    CWnd* FromChildHandle(HWND hChild);

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The window itself.
    void SetWindowText(const char* text);
    int GetWindowText(char* buffer, int maxCount) const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL ShowWindow(int showCommand);
    BOOL IsIconic() const;
    BOOL IsWindowVisible() const;
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    // Both corners of a screen rectangle, one after the other.
    void ScreenToClient(LPRECT rect) const;
    // A message box owned by this window; without a caption it shows the application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
    void Invalidate(BOOL erase = TRUE);
    HWND SetFocus();
    HMENU GetSystemMenu(BOOL revert) const;
    UINT_PTR SetTimer(UINT_PTR idEvent, UINT elapse);
    BOOL KillTimer(UINT_PTR idEvent);
    BOOL DestroyWindow();

    // Its dialog items.
    CWnd* GetDlgItem(int id);
    void SetDlgItemText(int id, const char* text);
    int GetDlgItemText(int id, char* buffer, int maxCount) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;

protected:
    // Every message of a subclassed window passes here first.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone (WM_NCDESTROY); a self-owning window deletes itself here.
    virtual void PostNcDestroy();
    // Hands the message being handled (the innermost one of the thread) to the window's
    // original procedure.
    LRESULT Default();

    // The default handlers that derived handlers pass messages on to.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallOriginalProc(UINT message, WPARAM wParam, LPARAM lParam);
    void EndSubclass();

    WNDPROC m_pfnSuper;
    std::map<HWND, std::unique_ptr<CWnd>> m_childWrappers;
};
