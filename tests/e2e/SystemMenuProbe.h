// What the driver and its probe DLL agree on: the message that asks for the system menu, the answer's file.
#pragma once

#include <windows.h>

#include <string>

// Sent to a window of the probed process; the probe answers before the send returns.
inline UINT ReadSystemMenuMessage() { return RegisterWindowMessageA("QuorvaneE2E.ReadSystemMenu"); }

// One line per item of the system menu: "----" for a separator, else "<command id> <text>".
inline std::string SystemMenuReportPath(DWORD pid) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "QuorvaneE2E-system-menu-" + std::to_string(pid) + ".txt";
}
