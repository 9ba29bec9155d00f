// CDialog: template dialogs with the framework's own modal loop, which lets every dialog of
// the thread (a modeless one too) handle its keyboard.
#include "Dialog.h"

#include <commctrl.h>

#include "HandlerGuard.h"
#include "WinApp.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_bModalRunning(false), m_nModalResult(-1) {}

const MessageMap* CDialog::GetMessageMap() const {
    static const MessageMap map(CWnd::GetMessageMap(), {
        msg::Command(IDOK, &CDialog::OnOK),
        msg::Command(IDCANCEL, &CDialog::OnCancel),
    });
    return &map;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    return RunHandler(
        [&] {
            dialog->SubclassWindow(hWnd);
            return INT_PTR(dialog->OnInitDialog());
        },
        INT_PTR(TRUE));
}

HWND CDialog::CreateFromTemplate(UINT nIDTemplate, HWND owner) {
    // A template may hold a progress bar, whose window class exists only once registered.
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&commonControls);
    return CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDTemplate), owner, &CDialog::DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

HWND CDialog::ModalOwner() const {
    if (m_pParentWnd) return m_pParentWnd->m_hWnd;
    CWnd* main = AfxGetMainWnd();
    return main && main != this ? main->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = ModalOwner();
    bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);

    m_bModalRunning = true;
    m_nModalResult = -1;
    if (CreateFromTemplate(m_nIDTemplate, owner)) {
        // A modal dialog is shown even when its template does not say so.
        if (!IsWindowVisible()) ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_bModalRunning = false;

    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (owner) SetActiveWindow(owner);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    MSG message;
    while (m_bModalRunning) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            PostQuitMessage(int(message.wParam));
            break;
        }
        HWND top = GetAncestor(message.hwnd, GA_ROOT);
        if (top && IsDialogMessageA(top, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(nIDTemplate, pParentWnd ? pParentWnd->m_hWnd : nullptr) != nullptr;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bModalRunning = false;
    ::EndDialog(m_hWnd, nResult);
    PostMessage(WM_NULL);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}
