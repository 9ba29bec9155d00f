// Message boxes under Wine: the text is the static 0xFFFF, the icon the static 1088, and only the
// buttons in use exist, each under its answer's ID.
#include "MessageBoxes.h"

#include "DialogDriver.h"

namespace {

const int kTextId = 0xFFFF;
const int kIconId = 1088;
const DWORD kSendMs = 5000;

struct BoxButton {
    int id;
    const char* name;
};

const BoxButton kButtons[] = {{IDOK, "OK"},         {IDCANCEL, "Cancel"}, {IDABORT, "Abort"}, {IDRETRY, "Retry"},
                              {IDIGNORE, "Ignore"}, {IDYES, "Yes"},       {IDNO, "No"}};

}  // namespace

HWND WaitForMessageBox(DWORD pid, const char* caption, DWORD milliseconds) {
    return WaitForWindow(pid, caption, kTextId, milliseconds);
}

HWND FindMessageBox(DWORD pid) { return FindVisibleWindow(pid, nullptr, kTextId); }

std::string MessageBoxText(HWND box) { return ControlText(box, kTextId); }

std::string MessageBoxButtons(HWND box) {
    std::string names;
    for (const BoxButton& button : kButtons) {
        if (!GetDlgItem(box, button.id)) continue;
        if (!names.empty()) names += ' ';
        names += button.name;
    }
    return names;
}

// The icon control is there in every box; a box without an icon leaves it empty.
bool MessageBoxHasIcon(HWND box) {
    HWND icon = GetDlgItem(box, kIconId);
    DWORD_PTR handle = 0;
    return icon && SendMessageTimeoutA(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kSendMs, &handle) && handle != 0;
}

void AnswerMessageBox(HWND box, int id) { PostClick(box, id); }

bool WaitUntilGone(HWND box, DWORD milliseconds) {
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, milliseconds);
}

bool WaitUntilDestroyed(HWND box, DWORD milliseconds) {
    return WaitUntil([&] { return !IsWindow(box); }, milliseconds);
}
