// The main dialog's preview: the selected bitmap, or other picture, shrunk by our own scaler to
// the inside of the preview frame and drawn there 1:1.
#include <algorithm>
#include <memory>

#include "DesktopWallpaper.h"
#include "DibImage.h"
#include "PictureWorker.h"
#include "PreviewPixels.h"
#include "WaitCursor.h"
#include "WinApp.h"
#include "WallpaperDlg.h"
#include "res/resource.h"

namespace {

// The picture is drawn this many pixels inside the frame on every side.
constexpr int kFrameInset = 3;

}  // namespace

// A bitmap is read and drawn at every repaint. A file that fails is reported once: the repaints
// that its message box causes do not draw, nor report, it again. Other pictures are decoded by
// the picture worker, once per selection, and kept.
void CWallpaperDlg::DrawPreview(const char* path) {
    if (m_failedPreviewPath == path) return;
    if (IsBitmapFile(path)) {
        CWaitCursor wait;
        m_failedPreviewPath = path;
        DrawBitmapPreview(path);
    } else {
        DrawPicturePreview(path);
    }
}

void CWallpaperDlg::DrawBitmapPreview(const char* path) {
    std::unique_ptr<CDibImage> image = std::make_unique<CDibImage>(path);
    m_pPreviewImage = image.get();
    if (m_pPreviewImage->IsLoaded()) {
        m_failedPreviewPath.clear();
        SIZE size = PreviewSize();
        UprightPicture shrunk = ShrinkBitmap(*m_pPreviewImage, uint32_t(size.cx), uint32_t(size.cy));
        HPALETTE palette = CreateDibPalette(m_pPreviewImage);
        if (!shrunk.pixels.empty()) DrawPreviewPixels(palette, shrunk);
        DeleteObject(palette);
    }
    m_pPreviewImage = nullptr;
}

// Draws the kept picture, or asks for it once; nothing is drawn until it is decoded.
void CWallpaperDlg::DrawPicturePreview(const char* path) {
    if (m_previewPath == path) {
        if (m_previewPicture.pixels.empty()) return;
        HPALETTE palette = CreateTablePalette(nullptr, 0);
        DrawPreviewPixels(palette, m_previewPicture);
        DeleteObject(palette);
        return;
    }
    m_previewPath = path;
    m_previewPicture = UprightPicture{};
    SIZE size = PreviewSize();
    m_pPictureWorker->RequestPreview(PreviewRequest{path, uint32_t(size.cx), uint32_t(size.cy)});
}

// The decoded preview is kept and drawn by a repaint of the frame; a refused one is reported.
void CWallpaperDlg::TakePreviewResult() {
    std::optional<PreviewResult> result = m_pPictureWorker->TakePreview();
    if (!result || result->path != m_previewPath) return;
    if (result->refusal != PictureRefusal::None) {
        m_previewPath.clear();
        m_failedPreviewPath = result->path;
        AfxMessageBox(RefusalText(result->path, result->refusal).c_str(), MB_OK);
        return;
    }
    m_previewPicture = std::move(result->picture);
    RECT frame = PreviewRect();
    InvalidateRect(m_hWnd, &frame, FALSE);
}

void CWallpaperDlg::ForgetPreview() {
    m_failedPreviewPath.clear();
    m_previewPath.clear();
    m_previewPicture = UprightPicture{};
}

// The inside of the preview frame, in client coordinates.
RECT CWallpaperDlg::PreviewRect() {
    RECT frame;
    GetDlgItem(IDC_PREVIEW_FRAME)->GetWindowRect(&frame);
    ScreenToClient(&frame);
    InflateRect(&frame, -kFrameInset, -kFrameInset);
    return frame;
}

SIZE CWallpaperDlg::PreviewSize() {
    RECT inside = PreviewRect();
    return SIZE{std::max(1L, inside.right - inside.left), std::max(1L, inside.bottom - inside.top)};
}

void CWallpaperDlg::DrawPreviewPixels(HPALETTE palette, const UprightPicture& picture) {
    HDC dc = GetDC(m_hWnd);
    RECT inside = PreviewRect();
    DrawPicture(dc, palette, POINT{inside.left, inside.top}, picture);
    ReleaseDC(m_hWnd, dc);
}

void CWallpaperDlg::OnAllowPreview() {
    g_settings.allowPreview = GetAllowPreview();
}
