// CException: the framework's exceptions, which report themselves to the user.
#pragma once

#include <windows.h>

#include <string>

#include "CmdTarget.h"

class FRAMEWORK_API CException : public CObject {
public:
    // Shows the user what went wrong, in a message box.
    virtual void ReportError(UINT type = MB_OK | MB_ICONSTOP) const;

protected:
    virtual std::string Describe() const;
};
