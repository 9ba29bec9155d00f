// The main dialog's preview: the selected bitmap, or other picture, drawn into the preview frame.
#include <memory>

#include "DesktopWallpaper.h"
#include "DibImage.h"
#include "PictureImage.h"
#include "WaitCursor.h"
#include "WinApp.h"
#include "WallpaperDlg.h"
#include "res/resource.h"

namespace {
// The picture is drawn this many pixels inside the frame on every side.
constexpr int kFrameInset = 3;
}  // namespace

// Reads the file and draws it stretched over the inside of the frame. A file that fails is
// reported once: the repaints that its message box causes do not draw, nor report, it again.
void CWallpaperDlg::DrawPreview(const char* path) {
    if (m_failedPreviewPath == path) return;
    CWaitCursor wait;
    m_failedPreviewPath = path;
    if (IsBitmapFile(path)) {
        DrawBitmapPreview(path);
    } else {
        DrawPicturePreview(path);
    }
}

void CWallpaperDlg::DrawBitmapPreview(const char* path) {
    std::unique_ptr<CDibImage> image = std::make_unique<CDibImage>(path);
    m_pPreviewImage = image.get();
    HDC dc = GetDC(m_hWnd);
    if (m_pPreviewImage->IsLoaded()) {
        m_failedPreviewPath.clear();
        DrawPreviewImage(dc, m_pPreviewImage);
    }
    ReleaseDC(m_hWnd, dc);
    m_pPreviewImage = nullptr;
}

// A picture the imaging component cannot decode is refused as a malformed bitmap is.
void CWallpaperDlg::DrawPicturePreview(const char* path) {
    CPictureImage image(path);
    if (!image.IsLoaded()) {
        AfxMessageBox(kNotABitmapMessage, MB_OK);
        return;
    }
    m_failedPreviewPath.clear();
    HDC dc = GetDC(m_hWnd);
    DrawPreviewImage(dc, &image);
    ReleaseDC(m_hWnd, dc);
}

template <class Image>
void CWallpaperDlg::DrawPreviewImage(HDC dc, const Image* image) {
    HPALETTE palette = CreateDibPalette(image);
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);

    RECT frame;
    GetDlgItem(IDC_PREVIEW_FRAME)->GetWindowRect(&frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    ScreenToClient(&frame);
    StretchDIBits(dc, frame.left + kFrameInset, frame.top + kFrameInset, width - 2 * kFrameInset,
                  height - 2 * kFrameInset, 0, 0, image->GetWidth(), image->GetHeight(), image->GetBits(),
                  image->GetPackedDib(), DIB_RGB_COLORS, SRCCOPY);

    SelectPalette(dc, previous, FALSE);
    DeleteObject(palette);
}

void CWallpaperDlg::OnAllowPreview() {
    g_settings.allowPreview = GetAllowPreview();
}
