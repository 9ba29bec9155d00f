// The shell's own link object, created through COM, reads the shortcut.
#include "ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <numeric>

namespace {

// Which call failed, with its result; empty when it succeeded.
std::string Failure(const char* call, HRESULT result) {
    if (SUCCEEDED(result)) return "";
    char text[96];
    std::snprintf(text, sizeof text, "%s failed with 0x%08lX", call, static_cast<unsigned long>(result));
    return text;
}

}  // namespace

// Each call is made only when every one before it succeeded.
ShellLinkTarget ResolveShellLink(const std::string& linkFile) {
    ShellLinkTarget target;
    HRESULT initialized = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t wideFile[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wideFile, MAX_PATH);
    char path[MAX_PATH] = "", folder[MAX_PATH] = "";
    std::string& failure = target.failure;
    failure = Failure("CoCreateInstance(CLSID_ShellLink)",
                      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       reinterpret_cast<void**>(&link)));
    if (failure.empty()) {
        failure = Failure("QueryInterface(IPersistFile)",
                          link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    }
    if (failure.empty()) failure = Failure("IPersistFile::Load", file->Load(wideFile, STGM_READ));
    if (failure.empty()) failure = Failure("IShellLinkA::GetPath", link->GetPath(path, MAX_PATH, nullptr, 0));
    if (failure.empty()) {
        failure = Failure("IShellLinkA::GetWorkingDirectory", link->GetWorkingDirectory(folder, MAX_PATH));
    }
    target.loaded = failure.empty();
    target.path = target.loaded ? path : "";
    target.workingFolder = target.loaded ? folder : "";
    if (file) file->Release();
    if (link) link->Release();
    if (SUCCEEDED(initialized)) CoUninitialize();
    return target;
}

std::string ShellFolder(int csidl) {
    char folder[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder))) return "";
    return folder;
}

std::string Nt4StartupFolder(int level) {
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, MAX_PATH);
    const char* const levels[] = {"\\Profiles", "\\All Users", "\\Start Menu", "\\Programs", "\\StartUp"};
    return std::accumulate(levels, levels + level, std::string(path));
}

std::vector<std::string> ShellStartupFolders() {
    return {ShellFolder(CSIDL_COMMON_STARTUP), ShellFolder(CSIDL_STARTUP)};
}
