// The main dialog's preview: the selected bitmap, or other picture, shrunk by our own scaler to
// the inside of the preview frame and drawn there 1:1.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "DesktopWallpaper.h"
#include "DibImage.h"
#include "PictureScaler.h"
#include "PictureWorker.h"
#include "WaitCursor.h"
#include "WinApp.h"
#include "WallpaperDlg.h"
#include "res/resource.h"

namespace {

// The picture is drawn this many pixels inside the frame on every side.
constexpr int kFrameInset = 3;

BITMAPINFOHEADER TopDownHeader(uint32_t width, uint32_t height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = LONG(width);
    header.biHeight = -LONG(height);
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

// The bitmap in 32-bit pixels as the platform draws it (any depth, palette or compression),
// shrunk to width x height. Empty when the platform cannot draw it.
UprightPicture ShrinkBitmap(const CDibImage& image, uint32_t width, uint32_t height) {
    uint32_t imageWidth = uint32_t(image.GetWidth());
    uint32_t imageHeight = uint32_t(std::abs(image.GetHeight()));
    BITMAPINFOHEADER header = TopDownHeader(imageWidth, imageHeight);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    UprightPicture picture;
    if (!section) return picture;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, section);
    if (SetDIBitsToDevice(memory, 0, 0, imageWidth, imageHeight, 0, 0, 0, imageHeight, image.GetBits(),
                          image.GetPackedDib(), DIB_RGB_COLORS) > 0) {
        GdiFlush();
        CPictureScaler scaler(PixelRect{0, 0, imageWidth, imageHeight}, width, height);
        scaler.AddRows(static_cast<const uint8_t*>(bits), size_t(imageWidth) * 4, 0, imageHeight);
        picture = UprightPicture{scaler.Pixels(), width, height};
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(section);
    return picture;
}

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
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    RECT inside = PreviewRect();
    BITMAPINFOHEADER header = TopDownHeader(picture.width, picture.height);
    StretchDIBits(dc, inside.left, inside.top, LONG(picture.width), LONG(picture.height), 0, 0, LONG(picture.width),
                  LONG(picture.height), picture.pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                  SRCCOPY);
    SelectPalette(dc, previous, FALSE);
    ReleaseDC(m_hWnd, dc);
}

void CWallpaperDlg::OnAllowPreview() {
    g_settings.allowPreview = GetAllowPreview();
}
