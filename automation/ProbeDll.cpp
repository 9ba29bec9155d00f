// QuorvaneProbe.dll: a hook that acts inside the probed program. It reads the system menu there,
// where GetSystemMenu works, and puts itself in the place of SystemParametersInfoA in the
// program's import table to write down every wallpaper the program sets, however fast.
#include <fstream>

#include "Probe.h"

namespace {

using SystemParametersInfoFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);

SystemParametersInfoFunction g_original = nullptr;
HANDLE g_log = INVALID_HANDLE_VALUE;

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

BOOL WINAPI RecordingSystemParametersInfo(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) {
    if (action == SPI_SETDESKWALLPAPER && g_log != INVALID_HANDLE_VALUE) {
        std::string line =
            std::to_string(GetTickCount()) + ' ' + (pvParam ? static_cast<const char*>(pvParam) : "<null>") + '\n';
        DWORD written = 0;
        WriteFile(g_log, line.data(), DWORD(line.size()), &written, nullptr);
    }
    return g_original(action, uiParam, pvParam, winIni);
}

// The import table slot of the main module that holds USER32's SystemParametersInfoA.
void** FindImportSlot(FARPROC target) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return nullptr;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name;
         ++module) {
        if (_stricmp(reinterpret_cast<const char*>(base + module->Name), "user32.dll") != 0) continue;
        for (auto* slot = reinterpret_cast<void**>(base + module->FirstThunk); *slot; ++slot) {
            if (*slot == reinterpret_cast<void*>(target)) return slot;
        }
    }
    return nullptr;
}

void StartWallpaperRecord() {
    if (g_original) return;
    FARPROC target = GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoA");
    void** slot = FindImportSlot(target);
    if (!slot) return;
    // The slot will point into this DLL: it stays loaded when the caller's hook goes.
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&RecordingSystemParametersInfo), &self);
    g_log = CreateFileA(WallpaperRecordPath(GetCurrentProcessId()).c_str(), FILE_APPEND_DATA,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    g_original = reinterpret_cast<SystemParametersInfoFunction>(reinterpret_cast<void*>(target));
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = reinterpret_cast<void*>(&RecordingSystemParametersInfo);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == ReadSystemMenuMessage()) WriteSystemMenu(call->hwnd);
    if (code == HC_ACTION && call->message == StartWallpaperRecordMessage()) StartWallpaperRecord();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
