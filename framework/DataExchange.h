// Dialog data exchange: binding control objects to the dialog's controls.
#pragma once

#include "Wnd.h"

class FRAMEWORK_API CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Attaches `control` to the dialog's control with this ID, the first time only.
FRAMEWORK_API void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
