// Handing the probe a list of monitors.
#include "Monitors.h"

#include <string>

#include "DialogDriver.h"
#include "Probe.h"
#include "QuorvaneFiles.h"

bool FakeMonitors(HWND window, const std::vector<RECT>& monitors) {
    std::string list;
    for (const RECT& monitor : monitors) {
        list += std::to_string(monitor.left) + ' ' + std::to_string(monitor.top) + ' ' +
                std::to_string(monitor.right) + ' ' + std::to_string(monitor.bottom) + '\n';
    }
    std::string path = MonitorListPath(ProcessOf(window));
    WriteBytes(path, list);
    return FileExists(path) && SendToProbe(window, FakeMonitorsMessage()) && !FileExists(path);
}
