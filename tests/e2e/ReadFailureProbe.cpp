// QuorvaneE2EReadFailure.dll: hooked into Quorvane.EXE, it fails every read of more than a header from a file named
// "*Unreadable*", as a read of a byte range that another process locked fails on Windows.
#include <windows.h>

#include <cstring>

namespace {

const auto kRealReadFile = &ReadFile;

BOOL WINAPI FailingReadFile(HANDLE file, void* buffer, DWORD count, DWORD* got, OVERLAPPED* overlapped) {
    char path[MAX_PATH] = "";
    if (count > 64 && GetFinalPathNameByHandleA(file, path, MAX_PATH, 0) && std::strstr(path, "Unreadable")) {
        SetLastError(ERROR_LOCK_VIOLATION);
        return FALSE;
    }
    return kRealReadFile(file, buffer, count, got, overlapped);
}

// Points the module's import slots of ReadFile at FailingReadFile.
void RedirectReadFile(HMODULE module) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    DWORD imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); imports && dll->Name; ++dll) {
        for (auto* slot = reinterpret_cast<ULONG_PTR*>(base + dll->FirstThunk); *slot; ++slot) {
            if (*slot != reinterpret_cast<ULONG_PTR>(kRealReadFile)) continue;
            DWORD protection = 0;
            VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
            *slot = reinterpret_cast<ULONG_PTR>(&FailingReadFile);
            VirtualProtect(slot, sizeof *slot, protection, &protection);
        }
    }
}

}  // namespace

// Only inside the program, whose framework reads its files. The slots will point into this DLL:
// it stays loaded when the driver's hook goes.
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
    HMODULE framework = GetModuleHandleA("MFC42.DLL");
    if (reason != DLL_PROCESS_ATTACH || !framework) return TRUE;
    HMODULE pinned = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN, LPCSTR(self), &pinned);
    RedirectReadFile(framework);
    return TRUE;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK ReadFailureHook(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
