// Dialog data exchange.
#include "DataExchange.h"

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (!control.m_hWnd) control.Attach(GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id));
}
