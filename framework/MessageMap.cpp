// Message map lookup and the decoding of messages that need framework objects.
#include "MessageMap.h"

#include "Dc.h"
#include "Wnd.h"

bool MessageEntry::Matches(UINT message, WPARAM wParam) const {
    if (message < firstMessage || message > lastMessage) return false;
    if (message != WM_COMMAND) return true;
    return LOWORD(wParam) == controlId && HIWORD(wParam) == notifyCode;
}

MessageMap::MessageMap(const MessageMap* baseMap, std::initializer_list<MessageEntry> rows)
    : base(baseMap), entries(rows) {}

const MessageEntry* MessageMap::Find(UINT message, WPARAM wParam) const {
    for (const MessageMap* map = this; map; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.Matches(message, wParam)) return &entry;
        }
    }
    return nullptr;
}

LRESULT MessageMapCtlColor(CCmdTarget& target, UINT message, WPARAM wParam, LPARAM lParam,
                           const std::function<HBRUSH(CDC*, CWnd*, UINT)>& handler) {
    CWnd& window = static_cast<CWnd&>(target);
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    CWnd* control = window.FromChildHandle(reinterpret_cast<HWND>(lParam));
    HBRUSH brush = handler(&dc, control, message - WM_CTLCOLORMSGBOX);
    dc.Detach();
    return reinterpret_cast<LRESULT>(brush);
}
