// Works another process's dialog from outside, the way its user and its own controls would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Polls `done` every `pollMs` until it holds or `milliseconds` pass; says whether it held.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds, DWORD pollMs = 50);

// Milliseconds since the first call, with a sub-millisecond clock.
double NowMs();
// How long `action` took, in milliseconds.
double MsTaken(const std::function<void()>& action);

// Sends with a time bound; false when the window did not answer in time. `answer` gets the result.
bool Deliver(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* answer = nullptr,
             DWORD milliseconds = 5000);

const DWORD kAnyProcess = 0;

// A visible top-level window of process `pid` (kAnyProcess: of any) with caption `caption` (any
// when nullptr) holding a control `controlId` (any when 0), or nullptr when there is none.
HWND FindVisibleWindow(DWORD pid, const char* caption, int controlId);
// The same, waiting until one shows or `milliseconds` pass.
HWND WaitForWindow(DWORD pid, const char* caption, int controlId, DWORD milliseconds);

std::string WindowCaption(HWND window);
DWORD ProcessOf(HWND window);

// The visible top-level windows of process `pid`.
std::vector<HWND> VisibleWindows(DWORD pid);

// Returns once the dialog's thread has served every message sent to it before.
bool Settle(HWND dialog, DWORD milliseconds = 5000);

// A click of the button `id`: sent, so it returns when the handler is done.
bool Click(HWND dialog, int id, DWORD milliseconds = 5000);
// A click of the button `id` that opens a modal window: posted, so the caller goes on at once.
void PostClick(HWND dialog, int id);

// A mouse click on the check box or radio button `id`: it changes its own state and notifies.
void ClickCheckBox(HWND dialog, int id);

// The text of control `id`, or "<no control ID>" when the dialog has no such control.
std::string ControlText(HWND dialog, int id);
// BST_CHECKED or BST_UNCHECKED, or -1 when the dialog has no control `id`.
int CheckState(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
// Types `text` into control `id` at once (WM_SETTEXT); false when it did not answer.
bool SetControlText(HWND dialog, int id, const std::string& text);

int ListCount(HWND dialog, int listId);
std::string ListEntry(HWND dialog, int listId, int index);
std::vector<std::string> ListEntries(HWND dialog, int listId);
// The entries of the combo box `comboId`, in order.
std::vector<std::string> ComboEntries(HWND dialog, int comboId);
int ListSelection(HWND dialog, int listId);
// Selects entry `index` (-1: none) and notifies the dialog, as the list box does on a click.
void SelectEntry(HWND dialog, int listId, int index);
// The same posted: the caller goes on at once and the dialog handles it in turn.
void PostSelectEntry(HWND dialog, int listId, int index);
// Sets the selection without telling the dialog, as the program's own code may.
void SetSelectionQuietly(HWND dialog, int listId, int index);

// Makes the whole dialog invalid and has it painted now. With `frame` its caption and frame too,
// every child painted before the call returns.
void Repaint(HWND dialog, bool frame = false);

// The close box: WM_CLOSE.
void PostClose(HWND window);
// Brings `dialog` to the foreground and types Esc on the keyboard; false when it did not come to
// the foreground.
bool PressEscape(HWND dialog);
// The same with Enter.
bool PressEnter(HWND dialog);
