// QuorvaneE2EProbe.dll: a hook that reads the system menu inside the probed process, where GetSystemMenu works.
#include "SystemMenuProbe.h"

#include <fstream>

namespace {

void WriteSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    std::ofstream report(SystemMenuReportPath(GetCurrentProcessId()), std::ios::trunc);
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &item);
        if (item.fType & MFT_SEPARATOR) {
            report << "----\n";
        } else {
            report << item.wID << ' ' << text << '\n';
        }
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK SystemMenuHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == ReadSystemMenuMessage()) WriteSystemMenu(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
