// CObject and CCmdTarget: the roots of the framework's classes, and message dispatch by map.
#pragma once

#include <windows.h>

#include "FrameworkApi.h"
#include "MessageMap.h"

class FRAMEWORK_API CObject {
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;
};

// Anything with a message map: windows and the application object.
class FRAMEWORK_API CCmdTarget : public CObject {
public:
    // Runs the first handler of the map chain bound to this message; false when none is.
    bool DispatchByMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    virtual const MessageMap* GetMessageMap() const;
};
