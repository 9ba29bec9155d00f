// Message dispatch through the map chain of a class.
#include "CmdTarget.h"

bool CCmdTarget::DispatchByMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const MessageMap* map = GetMessageMap();
    const MessageEntry* entry = map ? map->Find(message, wParam) : nullptr;
    if (!entry) return false;
    *result = entry->handler(*this, message, wParam, lParam);
    return true;
}

const MessageMap* CCmdTarget::GetMessageMap() const {
    return nullptr;
}
