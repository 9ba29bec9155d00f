// Counting another process's objects. Wine's GetGuiResources answers 0 for both kinds, so the
// GDI count is then read from the process's own GDI handle table, and the USER side is shown
// by the windows the process owns.
#include "ProcessFigures.h"

#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// An entry of a 64-bit process's GDI handle table, laid out alike on Windows and Wine.
struct GdiHandleEntry {
    uint64_t kernelObject;
    uint16_t ownerProcessId;
    uint16_t lockCount;
    uint16_t unique;
    uint8_t type;  // 0: free
    uint8_t flags;
    uint64_t userObject;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");

const size_t kGdiTableEntries = 0x10000;
const size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable, 64-bit

struct BasicInformation {
    LONG exitStatus;
    void* pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR processId;
    ULONG_PTR parentProcessId;
};
using QueryInformationProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

// Used entries owned by the process or by no one (Wine keeps a table per process and leaves
// the owner 0); -1 when the table cannot be read. `kinds` gets the count of each entry type.
long CountGdiTable(HANDLE process, DWORD pid, std::string* kinds) {
    auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    BasicInformation basic{};
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0) return -1;
    uint64_t table = 0;
    SIZE_T got = 0;
    const char* field = static_cast<const char*>(basic.pebBaseAddress) + kPebGdiTableOffset;
    if (!ReadProcessMemory(process, field, &table, sizeof table, &got) || !table) return -1;
    std::vector<GdiHandleEntry> entries(kGdiTableEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), &got)) {
        return -1;
    }
    long count = 0;
    std::map<int, long> byType;
    for (const GdiHandleEntry& entry : entries) {
        if (entry.type != 0 && (entry.ownerProcessId == 0 || entry.ownerProcessId == (pid & 0xFFFF))) {
            ++count;
            ++byType[entry.type];
        }
    }
    for (const auto& [type, number] : byType) {
        char text[32];
        std::snprintf(text, sizeof text, "%s0x%X:%ld", kinds->empty() ? "" : " ", type, number);
        *kinds += text;
    }
    return count;
}

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
           ", USER objects " + std::to_string(userObjects) +
           ", windows " + std::to_string(windows) + ", kernel handles " + std::to_string(kernelHandles) +
           ", private bytes " + std::to_string(privateBytes);
}

ProcessFigures FiguresOf(HANDLE process, DWORD pid) {
    ProcessFigures figures;
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    if (gdi != 0) {
        figures.gdiObjects = long(gdi);
        figures.gdiSource = "GetGuiResources";
    } else {
        figures.gdiObjects = CountGdiTable(process, pid, &figures.gdiKinds);
        figures.gdiSource = "the process's GDI handle table (GetGuiResources answered 0)";
    }
    DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    figures.userObjects = long(user);
    figures.userSource = user != 0 ? "GetGuiResources" : "GetGuiResources answered 0";
    WindowCount windows{pid, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    figures.windows = windows.count;
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles) && handles != 0) {
        figures.kernelHandles = long(handles);
        figures.handleSource = "GetProcessHandleCount";
    } else {
        figures.kernelHandles = CountKernelHandles(pid);
        figures.handleSource = "the system's handle list (GetProcessHandleCount answered 0)";
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory) &&
        memory.PrivateUsage != 0) {
        figures.privateBytes = (long long)memory.PrivateUsage;
        figures.memorySource = "GetProcessMemoryInfo PrivateUsage";
    } else {
        figures.privateBytes = CountPrivateBytes(process);
        figures.memorySource = "committed private regions (GetProcessMemoryInfo's PrivateUsage answered 0)";
    }
    return figures;
}
