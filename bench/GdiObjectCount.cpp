// Counting GDI objects through GetGuiResources, or through the handle table the PEB points at.
#include "GdiObjectCount.h"

#include <cstdint>
#include <vector>

namespace {

// A 64-bit process's GDI handle table entry; Wine lays its table out the same way.
struct HandleEntry {
    uint64_t kernelObject;
    uint16_t ownerProcessId;
    uint16_t lockCount;
    uint16_t unique;
    uint8_t type;  // 0 for a free entry
    uint8_t flags;
    uint64_t userObject;
};
static_assert(sizeof(HandleEntry) == 24, "handle table entry");

constexpr size_t kTableEntries = 0x10000;
constexpr size_t kPebGdiSharedHandleTable = 0xF8;

struct ProcessBasicInformation {
    LONG exitStatus;
    void* pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR uniqueProcessId;
    ULONG_PTR inheritedFromUniqueProcessId;
};
using QueryInformationProcessCall = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

long CountHandleTable(HANDLE process, DWORD processId) {
    auto query = reinterpret_cast<QueryInformationProcessCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    ProcessBasicInformation basic{};
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0) return -1;
    uint64_t table = 0;
    SIZE_T got = 0;
    const char* field = static_cast<const char*>(basic.pebBaseAddress) + kPebGdiSharedHandleTable;
    if (!ReadProcessMemory(process, field, &table, sizeof table, &got) || table == 0) return -1;
    std::vector<HandleEntry> entries(kTableEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(HandleEntry), &got)) {
        return -1;
    }
    long count = 0;
    for (const HandleEntry& entry : entries) {
        // Wine keeps one table per process and leaves the owner 0.
        bool owned = entry.ownerProcessId == 0 || entry.ownerProcessId == (processId & 0xFFFF);
        if (entry.type != 0 && owned) ++count;
    }
    return count;
}

}  // namespace

long GdiObjectsOf(HANDLE process, DWORD processId) {
    DWORD reported = GetGuiResources(process, GR_GDIOBJECTS);
    return reported != 0 ? long(reported) : CountHandleTable(process, processId);
}
