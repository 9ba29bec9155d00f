// Message maps: one table per class that binds messages and commands to typed handlers.
//
// A row decodes wParam and lParam once, so every handler has the signature of its message:
//   msg::Command(IDC_ADD, &CMyDlg::OnAdd)                 void OnAdd()
//   msg::SysCommand(&CMyDlg::OnSysCommand)                void OnSysCommand(UINT nID, LPARAM)
//   msg::DropFiles(&CMyDlg::OnDropFiles)                  void OnDropFiles(HDROP)
//   msg::CtlColor(&CMyDlg::OnCtlColor)                    HBRUSH OnCtlColor(CDC*, CWnd*, UINT)
// A class's map names its base class's map, which is searched after its own rows.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "FrameworkApi.h"

class CCmdTarget;
class CDC;
class CWnd;

struct FRAMEWORK_API MessageEntry {
    using Handler = std::function<LRESULT(CCmdTarget& target, UINT message, WPARAM, LPARAM)>;

    UINT firstMessage;
    UINT lastMessage;
    UINT controlId;   // WM_COMMAND rows only
    UINT notifyCode;  // WM_COMMAND rows only
    Handler handler;

    bool Matches(UINT message, WPARAM wParam) const;
};

struct FRAMEWORK_API MessageMap {
    MessageMap(const MessageMap* baseMap, std::initializer_list<MessageEntry> rows);

    const MessageMap* base;
    std::vector<MessageEntry> entries;

    const MessageEntry* Find(UINT message, WPARAM wParam) const;
};

// Decodes a WM_CTLCOLOR... message for the row below; defined in MessageMap.cpp.
FRAMEWORK_API LRESULT MessageMapCtlColor(CCmdTarget& target, UINT message, WPARAM wParam, LPARAM lParam,
                           const std::function<HBRUSH(CDC*, CWnd*, UINT)>& handler);

namespace msg {

template <class T>
T& As(CCmdTarget& target) {
    return static_cast<T&>(target);
}

// A command (BN_CLICKED from a button, or a menu item) with this ID.
template <class T>
MessageEntry Command(UINT id, void (T::*handler)()) {
    return {WM_COMMAND, WM_COMMAND, id, 0, [handler](CCmdTarget& t, UINT, WPARAM, LPARAM) {
                (As<T>(t).*handler)();
                return LRESULT(0);
            }};
}

// A control's notification, such as LBN_SELCHANGE from a list box.
template <class T>
MessageEntry ControlNotify(UINT id, UINT code, void (T::*handler)()) {
    return {WM_COMMAND, WM_COMMAND, id, code, [handler](CCmdTarget& t, UINT, WPARAM, LPARAM) {
                (As<T>(t).*handler)();
                return LRESULT(0);
            }};
}

// A message whose handler takes no arguments and returns nothing (WM_PAINT, WM_CLOSE, ...).
template <class T>
MessageEntry Plain(UINT message, void (T::*handler)()) {
    return {message, message, 0, 0, [handler](CCmdTarget& t, UINT, WPARAM, LPARAM) {
                (As<T>(t).*handler)();
                return LRESULT(0);
            }};
}

// A message whose handler takes its wParam and lParam as they come (an icon's callback message).
template <class T>
MessageEntry WithParams(UINT message, void (T::*handler)(WPARAM, LPARAM)) {
    return {message, message, 0, 0, [handler](CCmdTarget& t, UINT, WPARAM w, LPARAM l) {
                (As<T>(t).*handler)(w, l);
                return LRESULT(0);
            }};
}

template <class T>
MessageEntry Paint(void (T::*handler)()) {
    return Plain(WM_PAINT, handler);
}

template <class T>
MessageEntry Close(void (T::*handler)()) {
    return Plain(WM_CLOSE, handler);
}

template <class T>
MessageEntry SysCommand(void (T::*handler)(UINT, LPARAM)) {
    return {WM_SYSCOMMAND, WM_SYSCOMMAND, 0, 0, [handler](CCmdTarget& t, UINT, WPARAM w, LPARAM l) {
                (As<T>(t).*handler)(UINT(w), l);
                return LRESULT(0);
            }};
}

template <class T>
MessageEntry QueryDragIcon(HCURSOR (T::*handler)()) {
    return {WM_QUERYDRAGICON, WM_QUERYDRAGICON, 0, 0, [handler](CCmdTarget& t, UINT, WPARAM, LPARAM) {
                return reinterpret_cast<LRESULT>((As<T>(t).*handler)());
            }};
}

template <class T>
MessageEntry DropFiles(void (T::*handler)(HDROP)) {
    return {WM_DROPFILES, WM_DROPFILES, 0, 0, [handler](CCmdTarget& t, UINT, WPARAM w, LPARAM) {
                (As<T>(t).*handler)(reinterpret_cast<HDROP>(w));
                return LRESULT(0);
            }};
}

template <class T>
MessageEntry Timer(void (T::*handler)(UINT_PTR)) {
    return {WM_TIMER, WM_TIMER, 0, 0, [handler](CCmdTarget& t, UINT, WPARAM w, LPARAM) {
                (As<T>(t).*handler)(UINT_PTR(w));
                return LRESULT(0);
            }};
}

// Every WM_CTLCOLOR... message; nCtlColor is one of CTLCOLOR_MSGBOX ... CTLCOLOR_STATIC.
template <class T>
MessageEntry CtlColor(HBRUSH (T::*handler)(CDC*, CWnd*, UINT)) {
    return {WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0,
            [handler](CCmdTarget& t, UINT m, WPARAM w, LPARAM l) {
                T& self = As<T>(t);
                return MessageMapCtlColor(t, m, w, l, [&self, handler](CDC* dc, CWnd* wnd, UINT kind) {
                    return (self.*handler)(dc, wnd, kind);
                });
            }};
}

}  // namespace msg
