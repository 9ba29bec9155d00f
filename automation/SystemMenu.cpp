// Reads a system menu through QuorvaneProbe.dll, hooked into the window's process, which reports into a file.
#include "SystemMenu.h"

#include <fstream>

#include "Probe.h"

std::vector<std::string> SystemMenuItems(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    std::string report = SystemMenuReportPath(pid);
    DeleteFileA(report.c_str());
    std::vector<std::string> items;
    if (!SendToProbe(window, ReadSystemMenuMessage())) return items;
    std::ifstream in(report);
    for (std::string line; std::getline(in, line);) items.push_back(line);
    in.close();
    DeleteFileA(report.c_str());
    return items;
}
