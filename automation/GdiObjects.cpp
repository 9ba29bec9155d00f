// GetGuiResources, or else the used entries of the GDI handle table that the process's PEB points at.
#include "GdiObjects.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// The layout of a 64-bit process's handle table entry, the same on Windows and Wine.
struct GdiHandleEntry {
    uint64_t kernelObject;
    uint16_t ownerProcessId;
    uint16_t lockCount;
    uint16_t unique;
    uint8_t type;  // 0: a free entry
    uint8_t flags;
    uint64_t userObject;
};
static_assert(sizeof(GdiHandleEntry) == 24, "entry layout");

const size_t kTableEntries = 0x10000;
const size_t kPebGdiTableAt = 0xF8;  // PEB.GdiSharedHandleTable of a 64-bit process

struct BasicInformation {
    LONG exitStatus;
    void* pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR processId;
    ULONG_PTR parentProcessId;
};
using QueryInformationProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

// Entries owned by the process, and unowned ones (Wine keeps one table per process and leaves the
// owner 0); -1 when the table cannot be read. `kinds` gets the count of each entry type.
long CountTableEntries(HANDLE process, DWORD pid, std::string* kinds) {
    auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    BasicInformation basic{};
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0) return -1;
    uint64_t table = 0;
    SIZE_T got = 0;
    const char* tableField = static_cast<const char*>(basic.pebBaseAddress) + kPebGdiTableAt;
    if (!ReadProcessMemory(process, tableField, &table, sizeof table, &got) || !table) return -1;
    std::vector<GdiHandleEntry> entries(kTableEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), &got)) {
        return -1;
    }
    long count = 0;
    std::map<int, long> byType;
    for (const GdiHandleEntry& entry : entries) {
        bool owned = entry.ownerProcessId == 0 || entry.ownerProcessId == (pid & 0xFFFF);
        if (entry.type != 0 && owned) ++count, ++byType[entry.type];
    }
    char text[32];
    for (const auto& [type, number] : byType) {
        std::snprintf(text, sizeof text, "%s0x%X:%ld", kinds->empty() ? "" : " ", type, number);
        *kinds += text;
    }
    return count;
}

}  // namespace

GdiObjectCount GdiObjectsOf(DWORD pid) {
    GdiObjectCount result;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return result;
    DWORD reported = GetGuiResources(process, GR_GDIOBJECTS);
    if (reported != 0) {
        result = {long(reported), "GetGuiResources"};
    } else {
        result.source = "GDI handle table (GetGuiResources answered 0)";
        result.count = CountTableEntries(process, pid, &result.kinds);
    }
    CloseHandle(process);
    return result;
}
