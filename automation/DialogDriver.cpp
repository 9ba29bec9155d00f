// Cross-process dialog driving through window messages; every send has a time bound.
#include "DialogDriver.h"

namespace {

const DWORD kSendMs = 5000;

// The window's answer, 0 when it did not answer in time.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    Deliver(window, message, wParam, lParam, &result, kSendMs);
    return result;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
    bool owned = found->first == kAnyProcess || ProcessOf(window) == found->first;
    if (owned && IsWindowVisible(window)) found->second.push_back(window);
    return TRUE;
}

// The text of item `index` of a list box or a combo box. It is asked for with the wide message: sent as ANSI
// across processes, Wine answers in UTF-16.
std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    std::wstring wide(Send(control, lengthMessage, index, 0) + 1, L'\0');
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, textMessage, index, reinterpret_cast<LPARAM>(&wide[0]), SMTO_ABORTIFHUNG, kSendMs,
                        &ignored);
    std::string text(wide.size() * 2, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], static_cast<int>(text.size()), nullptr, nullptr);
    return text.c_str();
}

WPARAM CommandFrom(int id, WORD code) { return MAKEWPARAM(static_cast<WORD>(id), code); }

// Brings `dialog` to the foreground and types the key; false when it did not come to the foreground.
bool TypeKey(HWND dialog, WORD virtualKey) {
    SetForegroundWindow(dialog);
    if (!WaitUntil([&] { return GetForegroundWindow() == dialog; }, kSendMs)) return false;
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = virtualKey;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, keys, sizeof(INPUT)) == 2;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds, DWORD pollMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= milliseconds) return false;
        Sleep(pollMs);
    }
    return true;
}

double NowMs() {
    static LARGE_INTEGER frequency{}, start{};
    if (!frequency.QuadPart) {
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double MsTaken(const std::function<void()>& action) {
    double start = NowMs();
    action();
    return NowMs() - start;
}

bool Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer, DWORD milliseconds) {
    DWORD_PTR result = 0;
    bool answered = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, milliseconds, &result) != 0;
    if (answer) *answer = static_cast<LRESULT>(result);
    return answered;
}

HWND FindVisibleWindow(DWORD pid, const char* caption, int controlId) {
    for (HWND window : VisibleWindows(pid)) {
        if ((!caption || WindowCaption(window) == caption) && (!controlId || GetDlgItem(window, controlId)))
            return window;
    }
    return nullptr;
}

HWND WaitForWindow(DWORD pid, const char* caption, int controlId, DWORD milliseconds) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindVisibleWindow(pid, caption, controlId)) != nullptr; }, milliseconds);
    return found;
}

std::string WindowCaption(HWND window) {
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> VisibleWindows(DWORD pid) {
    std::pair<DWORD, std::vector<HWND>> found{pid, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

bool Settle(HWND dialog, DWORD milliseconds) { return Deliver(dialog, WM_NULL, 0, 0, nullptr, milliseconds); }

bool Click(HWND dialog, int id, DWORD milliseconds) {
    HWND button = GetDlgItem(dialog, id);
    return Deliver(dialog, WM_COMMAND, CommandFrom(id, BN_CLICKED), reinterpret_cast<LPARAM>(button), nullptr,
                   milliseconds);
}

void PostClick(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    PostMessageA(dialog, WM_COMMAND, CommandFrom(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void ClickCheckBox(HWND dialog, int id) { Send(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return "<no control " + std::to_string(id) + ">";
    char text[1024] = "";
    Send(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

int CheckState(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? static_cast<int>(Send(control, BM_GETCHECK, 0, 0)) : -1;
}

bool ControlEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

bool SetControlText(HWND dialog, int id, const std::string& text) {
    return Deliver(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ListCount(HWND dialog, int listId) { return static_cast<int>(Send(GetDlgItem(dialog, listId), LB_GETCOUNT, 0, 0)); }

std::string ListEntry(HWND dialog, int listId, int index) {
    return ItemText(GetDlgItem(dialog, listId), LB_GETTEXTLEN, LB_GETTEXT, index);
}

std::vector<std::string> ListEntries(HWND dialog, int listId) {
    std::vector<std::string> entries;
    int count = ListCount(dialog, listId);
    for (int i = 0; i < count; ++i) entries.push_back(ListEntry(dialog, listId, i));
    return entries;
}

std::vector<std::string> ComboEntries(HWND dialog, int comboId) {
    HWND combo = GetDlgItem(dialog, comboId);
    std::vector<std::string> entries;
    int count = static_cast<int>(Send(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) entries.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    return entries;
}

int ListSelection(HWND dialog, int listId) {
    return static_cast<int>(Send(GetDlgItem(dialog, listId), LB_GETCURSEL, 0, 0));
}

void SelectEntry(HWND dialog, int listId, int index) {
    HWND list = GetDlgItem(dialog, listId);
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Send(dialog, WM_COMMAND, CommandFrom(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void PostSelectEntry(HWND dialog, int listId, int index) {
    HWND list = GetDlgItem(dialog, listId);
    PostMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, CommandFrom(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void SetSelectionQuietly(HWND dialog, int listId, int index) {
    Send(GetDlgItem(dialog, listId), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Repaint(HWND dialog, bool frame) {
    UINT whole = frame ? RDW_FRAME | RDW_UPDATENOW : 0;
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | whole);
    UpdateWindow(dialog);
    Settle(dialog);
}

void PostClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

// The key goes through the system's input queue to the dialog's focus control, and the dialog's
// message loop turns it into a command (Esc: IDCANCEL, Enter: the default button), as with a real
// keyboard.
bool PressEscape(HWND dialog) { return TypeKey(dialog, VK_ESCAPE); }

bool PressEnter(HWND dialog) { return TypeKey(dialog, VK_RETURN); }
