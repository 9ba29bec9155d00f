// The install manifest's rows.
#include "InstallManifest.h"

namespace {
constexpr int kInstallItemCount = 20;
}

const InstallItem g_installItems[kInstallItemCount] = {
    {"QVshort.lnk", "ShortCut to Quorvane"},
    {"Quorvane.EXE", "Main program"},
    {"Quorvane.LST", "Image List"},
    {"Add.aid", "Help File"},
    {"Freq.aid", "Help File"},
    {"More.aid", "Help File"},
    {"Ovw.aid", "Help File"},
    {"Pick.aid", "Help File"},
    {"Preview.aid", "Help File"},
    {"Rem.aid", "Help File"},
    {"Setup.aid", "Help File"},
    {"Welcome.aid", "Help File"},
    {"MFC42.DLL", "System DLL File"},
    {"Msvcrt.dll", "System DLL File"},
    {"README.TXT", "Quick Information"},
    {"Forest.BMP", "Sample Wallpaper"},
    {"NightSky.BMP", "Sample Wallpaper"},
    {"Rainbow.BMP", "Sample Wallpaper"},
    {"Skull.BMP", "Sample Wallpaper"},
    {"Ivy.BMP", "Sample Wallpaper"},
};

int GetInstallItemCount() {
    return kInstallItemCount;
}
