// CWnd: window wrapper and map-driven window procedure.
#include "Wnd.h"

#include "HandlerGuard.h"
#include "WinApp.h"

namespace {
const char kObjectProperty[] = "FrameworkWindowObject";

struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The message being handled on this thread, kept outside the window objects, which a
// handler may delete (a self-owning window).
thread_local const CurrentMessage* t_pCurrentMessage = nullptr;
}  // namespace

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd() {
    if (m_pfnSuper && m_hWnd) EndSubclass();
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::SubclassWindow(HWND hWnd) {
    m_hWnd = hWnd;
    SetPropA(hWnd, kObjectProperty, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
}

void CWnd::EndSubclass() {
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    RemovePropA(m_hWnd, kObjectProperty);
    m_pfnSuper = nullptr;
}

CWnd* CWnd::FromPermanentHandle(HWND hWnd) {
    return static_cast<CWnd*>(GetPropA(hWnd, kObjectProperty));
}

CWnd* CWnd::FromChildHandle(HWND hChild) {
    if (!hChild) return nullptr;
    if (hChild == m_hWnd) return this;
    std::unique_ptr<CWnd>& wrapper = m_childWrappers[hChild];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->Attach(hChild);
    }
    return wrapper.get();
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* window = FromPermanentHandle(hWnd);
    if (!window) return DefWindowProcA(hWnd, message, wParam, lParam);

    CurrentMessage current{message, wParam, lParam};
    const CurrentMessage* outer = t_pCurrentMessage;
    t_pCurrentMessage = &current;
    LRESULT result = RunHandler([&] { return window->WindowProc(message, wParam, lParam); }, LRESULT(0));
    t_pCurrentMessage = outer;

    if (message == WM_NCDESTROY) {
        window->EndSubclass();
        window->m_childWrappers.clear();
        window->m_hWnd = nullptr;
        window->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (DispatchByMap(message, wParam, lParam, &result)) return result;
    // Commands no window handles go to the application object, as menu commands would.
    CWinApp* app = AfxGetApp();
    if (message == WM_COMMAND && app && app->DispatchByMap(message, wParam, lParam, &result)) return result;
    return CallOriginalProc(message, wParam, lParam);
}

LRESULT CWnd::CallOriginalProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_pfnSuper) return DefWindowProcA(m_hWnd, message, wParam, lParam);
    return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const CurrentMessage& m = *t_pCurrentMessage;
    return CallOriginalProc(m.message, m.wParam, m.lParam);
}

void CWnd::PostNcDestroy() {}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}

void CWnd::OnPaint() {
    Default();
}

void CWnd::OnClose() {
    Default();
}

void CWnd::OnTimer(UINT_PTR) {
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) {
    return reinterpret_cast<HBRUSH>(Default());
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(const char* text) {
    ::SetWindowTextA(m_hWnd, text);
}

int CWnd::GetWindowText(char* buffer, int maxCount) const {
    return ::GetWindowTextA(m_hWnd, buffer, maxCount);
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::ShowWindow(int showCommand) {
    return ::ShowWindow(m_hWnd, showCommand);
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(LPRECT rect) const {
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::ScreenToClient(LPPOINT point) const {
    ::ScreenToClient(m_hWnd, point);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    ScreenToClient(reinterpret_cast<LPPOINT>(&rect->left));
    ScreenToClient(reinterpret_cast<LPPOINT>(&rect->right));
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    CWinApp* app = AfxGetApp();
    if (!caption && app) caption = app->m_strAppName.c_str();
    return ::MessageBoxA(m_hWnd, text, caption, type);
}

void CWnd::Invalidate(BOOL erase) {
    InvalidateRect(m_hWnd, nullptr, erase);
}

HWND CWnd::SetFocus() {
    return ::SetFocus(m_hWnd);
}

HMENU CWnd::GetSystemMenu(BOOL revert) const {
    return ::GetSystemMenu(m_hWnd, revert);
}

UINT_PTR CWnd::SetTimer(UINT_PTR idEvent, UINT elapse) {
    return ::SetTimer(m_hWnd, idEvent, elapse, nullptr);
}

BOOL CWnd::KillTimer(UINT_PTR idEvent) {
    return ::KillTimer(m_hWnd, idEvent);
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

CWnd* CWnd::GetDlgItem(int id) {
    return FromChildHandle(::GetDlgItem(m_hWnd, id));
}

void CWnd::SetDlgItemText(int id, const char* text) {
    ::SetDlgItemTextA(m_hWnd, id, text);
}

int CWnd::GetDlgItemText(int id, char* buffer, int maxCount) const {
    return ::GetDlgItemTextA(m_hWnd, id, buffer, maxCount);
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
}

void CWnd::CheckDlgButton(int id, UINT check) {
    ::CheckDlgButton(m_hWnd, id, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    return ::IsDlgButtonChecked(m_hWnd, id);
}
