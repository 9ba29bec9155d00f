// The main dialog's six picture buttons and their bitmaps, which live until the program ends.
#include "PictureButtons.h"
#include "WallpaperDlg.h"
#include "res/resource.h"

namespace {

CBitmapButton g_btnAdd, g_btnRemove, g_btnSetNow, g_btnApply, g_btnHelp, g_btnAbout;
HBITMAP g_hbmAdd, g_hbmRemove, g_hbmSetNow, g_hbmApply, g_hbmHelp, g_hbmAbout;

const PictureButton kWallpaperButtons[] = {
    {IDC_ADD, "BITMAP_ADD", &g_btnAdd, &g_hbmAdd},
    {IDC_REMOVE, "BITMAP_REMOVE", &g_btnRemove, &g_hbmRemove},
    {IDC_SET_WALLPAPER_NOW, "BITMAP_SETNOW", &g_btnSetNow, &g_hbmSetNow},
    {IDC_APPLY_SETTINGS, "BITMAP_APPLY", &g_btnApply, &g_hbmApply},
    {IDC_HELP_BUTTON, "BITMAP_HELP", &g_btnHelp, &g_hbmHelp},
    {IDC_ABOUT_BUTTON, "BITMAP_ABOUT", &g_btnAbout, &g_hbmAbout},
};

}  // namespace

void CWallpaperDlg::CreatePictureButtons() {
    ::CreatePictureButtons(*this, kWallpaperButtons, std::size(kWallpaperButtons), ButtonFailures::Report);
}
