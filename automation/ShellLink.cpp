// The shell's own link object, created through COM, reads the shortcut.
#include "ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

namespace {

std::string Failure(const char* call, HRESULT result) {
    char text[96];
    std::snprintf(text, sizeof text, "%s failed with 0x%08lX", call, static_cast<unsigned long>(result));
    return text;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length - 1 : 0);
    return wide;
}

// Reads the loaded link; the caller owns the COM objects.
void ReadLink(IShellLinkA* link, const std::string& linkFile, ShellLinkTarget* target) {
    IPersistFile* file = nullptr;
    HRESULT result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (FAILED(result)) {
        target->failure = Failure("QueryInterface(IPersistFile)", result);
        return;
    }
    result = file->Load(Wide(linkFile).c_str(), STGM_READ);
    file->Release();
    if (FAILED(result)) {
        target->failure = Failure("IPersistFile::Load", result);
        return;
    }
    char path[MAX_PATH] = "";
    result = link->GetPath(path, MAX_PATH, nullptr, 0);
    if (FAILED(result)) {
        target->failure = Failure("IShellLinkA::GetPath", result);
        return;
    }
    char folder[MAX_PATH] = "";
    result = link->GetWorkingDirectory(folder, MAX_PATH);
    if (FAILED(result)) {
        target->failure = Failure("IShellLinkA::GetWorkingDirectory", result);
        return;
    }
    target->loaded = true;
    target->path = path;
    target->workingFolder = folder;
}

}  // namespace

ShellLinkTarget ResolveShellLink(const std::string& linkFile) {
    ShellLinkTarget target;
    HRESULT initialized = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&link));
    if (SUCCEEDED(result)) {
        ReadLink(link, linkFile, &target);
        link->Release();
    } else {
        target.failure = Failure("CoCreateInstance(CLSID_ShellLink)", result);
    }
    if (SUCCEEDED(initialized)) CoUninitialize();
    return target;
}
