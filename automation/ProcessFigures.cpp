// Counting what another process holds; the GDI count is GdiObjects.h's.
#include "ProcessFigures.h"

#include <algorithm>
#include <vector>

#include "DialogDriver.h"
#include "GdiObjects.h"

namespace {

// Committed private memory, summed over the process's address space.
long long CountPrivateBytes(HANDLE process) {
    long long total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* at = nullptr;
    while (VirtualQueryEx(process, at, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += (long long)region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

// The process's entries in the system's handle list; -1 when the list cannot be had.
struct HandleEntry {
    void* object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTrace;
    USHORT typeIndex;
    ULONG attributes;
    ULONG reserved;
};
struct HandleList {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};
using QuerySystemInformation = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
const int kSystemExtendedHandleInformation = 64;

long CountKernelHandles(DWORD pid) {
    auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<char> buffer(1 << 20);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ULONG needed = 0;
        LONG status = query(kSystemExtendedHandleInformation, buffer.data(), ULONG(buffer.size()), &needed);
        if (status == 0) {
            const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
            long count = 0;
            for (ULONG_PTR i = 0; i < list->count; ++i) {
                if (list->entries[i].processId == pid) ++count;
            }
            return count;
        }
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 65536));
    }
    return -1;
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) {
    auto* windows = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != windows->pid) return TRUE;
    ++windows->count;
    EnumChildWindows(window, CountChild, param);
    return TRUE;
}

}  // namespace

std::string ProcessFigures::Text() const {
    return "GDI objects " + std::to_string(gdiObjects) + (gdiKinds.empty() ? "" : " (by type " + gdiKinds + ")") +
           ", USER objects " + std::to_string(userObjects) + ", windows " + std::to_string(windows) +
           ", kernel handles " + std::to_string(kernelHandles) + ", private bytes " + std::to_string(privateBytes);
}

ProcessFigures FiguresOf(DWORD pid) {
    ProcessFigures figures;
    GdiObjectCount gdi = GdiObjectsOf(pid);
    figures.gdiObjects = gdi.count;
    figures.gdiKinds = gdi.kinds;
    figures.gdiSource = gdi.source;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return figures;
    figures.userObjects = long(GetGuiResources(process, GR_USEROBJECTS));
    figures.userSource = "GetGuiResources";
    WindowCount windows{pid, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    figures.windows = windows.count;
    figures.kernelHandles = CountKernelHandles(pid);
    figures.handleSource = "the system's handle list";
    figures.privateBytes = CountPrivateBytes(process);
    figures.memorySource = "committed private regions";
    CloseHandle(process);
    return figures;
}

ProcessFigures IdleFiguresOf(HWND window) {
    Repaint(window);
    return FiguresOf(ProcessOf(window));
}
