// The wait cursor.
#include "WaitCursor.h"

CWaitCursor::CWaitCursor() : m_hPrevious(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}

CWaitCursor::~CWaitCursor() {
    SetCursor(m_hPrevious);
}
