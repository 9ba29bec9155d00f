// Device contexts.
#include "Dc.h"

#include "Wnd.h"

CDC::CDC() : m_hDC(nullptr) {}

void CDC::Attach(HDC hDC) {
    m_hDC = hDC;
}

HDC CDC::Detach() {
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    return ::DrawIcon(m_hDC, x, y, icon);
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return ::SetTextColor(m_hDC, color);
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return ::SetBkColor(m_hDC, color);
}

int CDC::SetBkMode(int mode) {
    return ::SetBkMode(m_hDC, mode);
}

CPaintDC::CPaintDC(CWnd* window) : m_ps{}, m_hWnd(window->m_hWnd) {
    Attach(BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* window) : m_hWnd(window->m_hWnd) {
    Attach(GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
    ReleaseDC(m_hWnd, Detach());
}
