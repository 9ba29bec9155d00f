// The main dialog's ways of adding to the list: Add... (one file or several), files and folders
// dropped on the window, and Add Folder... of the system menu.
#include "WallpaperDlg.h"

#include <shobjidl.h>

#include <string>
#include <vector>

#include "FileDialog.h"
#include "ListFile.h"
#include "PictureDecode.h"
#include "WinApp.h"
#include "res/resource.h"

namespace {
// Bitmaps stay the first filter, chosen when the dialog opens.
constexpr char kAddFilter[] =
    "Bitmap Files (*.bmp)|*.bmp|"
    "Pictures (*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff)|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff|";
constexpr char kTooManyFiles[] =
    "Too many files were chosen at once, and none of them was added. Choose fewer files and press Add... again.";
constexpr char kNoFolderPicker[] = "Quorvane could not open the window for choosing a folder.";
constexpr char kNotSpelled[] =
    ": this folder's path holds characters that Quorvane's list cannot keep. Choose a folder whose path has none.";
constexpr char kTooLong[] = ": this folder's path is longer than the 259 characters a line of the list may hold.";

std::vector<std::string> DroppedNames(HDROP drop) {
    std::vector<std::string> names;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string name(DragQueryFileA(drop, i, nullptr, 0), '\0');
        DragQueryFileA(drop, i, &name[0], UINT(name.size() + 1));
        names.push_back(name);
    }
    return names;
}

// The folder chosen in the shell's folder picker; S_OK, or the picker's error, or
// HRESULT_FROM_WIN32(ERROR_CANCELLED) when the user chose none.
HRESULT PickFolder(HWND owner, std::wstring& folder) {
    CComApartment apartment;
    IFileOpenDialog* dialog = nullptr;
    HRESULT result = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog));
    if (FAILED(result)) return result;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM);
    IShellItem* item = nullptr;
    wchar_t* path = nullptr;
    result = dialog->Show(owner);
    if (SUCCEEDED(result)) result = dialog->GetResult(&item);
    if (SUCCEEDED(result)) result = item->GetDisplayName(SIGDN_FILESYSPATH, &path);
    if (SUCCEEDED(result)) folder = path;
    CoTaskMemFree(path);
    if (item) item->Release();
    dialog->Release();
    return result;
}

std::string ToAnsi(const std::wstring& wide) {
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &ansi[0], size, nullptr, nullptr);
    return ansi;
}

// Whether the ANSI code page spells `wide` exactly: a name it cannot spell comes back changed.
bool IsSpelledInAnsi(const std::wstring& wide, const std::string& ansi) {
    int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring back(size_t(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), &back[0], size);
    return back == wide;
}
}  // namespace

void CWallpaperDlg::OnAdd() {
    CFileDialog dialog(TRUE, "*.bmp", nullptr,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_EXPLORER, kAddFilter);
    if (dialog.DoModal() != IDOK) {
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) AfxMessageBox(kTooManyFiles, MB_OK);
        return;
    }
    for (const std::string& path : dialog.GetPathNames()) AddPictureLine(path);
    SaveList();
}

// Folders become folder lines and pictures picture lines; other files are passed over, and so is a
// name the system cannot find, as the ANSI spelling of a name with other characters is.
void CWallpaperDlg::OnDropFiles(HDROP drop) {
    std::vector<std::string> names = DroppedNames(drop);
    DragFinish(drop);
    for (const std::string& name : names) {
        DWORD attributes = GetFileAttributesA(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) continue;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            AddFolderLine(name);
        } else if (IsPictureName(name)) {
            AddPictureLine(name);
        }
    }
    SaveList();
}

void CWallpaperDlg::OnAddFolder() {
    std::wstring chosen;
    HRESULT result = PickFolder(m_hWnd, chosen);
    if (result == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return;
    if (FAILED(result)) {
        AfxMessageBox(kNoFolderPicker, MB_OK);
        return;
    }
    std::string folder = ToAnsi(chosen);
    if (!IsSpelledInAnsi(chosen, folder)) {
        AfxMessageBox((folder + kNotSpelled).c_str(), MB_OK);
        return;
    }
    AddFolderLine(folder);
    SaveList();
}

// A path the list holds already, or that a line begins with, is not added again.
void CWallpaperDlg::AddPictureLine(const std::string& path) {
    SetDlgItemText(IDC_CURRENT_SELECTION, path.c_str());
    if (!path.empty() && m_listWallpapers.FindString(-1, path.c_str()) == LB_ERR) {
        m_listWallpapers.AddString(path.c_str());
    }
}

// A folder is listed already when a line names it, with or without the final '\'.
void CWallpaperDlg::AddFolderLine(const std::string& folder) {
    std::string line = FolderOfLine(folder) + "\\";
    if (line.size() > kMaxEntryLength) {
        AfxMessageBox((folder + kTooLong).c_str(), MB_OK);
        return;
    }
    SetDlgItemText(IDC_CURRENT_SELECTION, line.c_str());
    for (int index = 0; index < m_listWallpapers.GetCount(); ++index) {
        if (IsSameFolder(GetEntry(index), line)) return;
    }
    m_listWallpapers.AddString(line.c_str());
}
