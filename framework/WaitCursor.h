// CWaitCursor: shows the wait cursor for its lifetime, on every way out of a scope.
#pragma once

#include <windows.h>

#include "FrameworkApi.h"

class FRAMEWORK_API CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hPrevious;
};
