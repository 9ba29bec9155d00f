// Picture buttons over hidden template buttons.
#include "PictureButtons.h"

#include "WinApp.h"

namespace {

// The template button's rectangle in the dialog's client coordinates.
RECT TemplateButtonRect(CWnd& dialog, UINT id) {
    RECT rect{};
    dialog.GetDlgItem(int(id))->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

}  // namespace

void CreatePictureButtons(CWnd& dialog, const PictureButton* buttons, size_t count, ButtonFailures failures) {
    bool report = failures == ButtonFailures::Report;
    for (const PictureButton* row = buttons; row != buttons + count; ++row) {
        row->button->Create("", WS_CHILD | WS_VISIBLE | BS_BITMAP, TemplateButtonRect(dialog, row->id), &dialog,
                            row->id);
        if (report && !row->button->m_hWnd) dialog.MessageBox("BTN CREATION FAIL!");
        *row->bitmap = LoadBitmapA(AfxGetInstanceHandle(), row->bitmapName);
        if (report && !*row->bitmap) dialog.MessageBox("BMP NULL!");
        row->button->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(*row->bitmap));
    }
}
