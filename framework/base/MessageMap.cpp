#include "MessageMap.h"

namespace {

bool MatchesCommand(const CMessageMapEntry& entry, WPARAM wParam, LPARAM lParam) {
    if (entry.nID != LOWORD(wParam))
        return false;
    UINT nCode = HIWORD(wParam);
    if (entry.nCode != kCommandCode)
        return entry.nCode == nCode;
    // Clicks and menu items come with code 0, accelerators with code 1 and
    // no control; a control's code 1 (LBN_SELCHANGE) is not a command.
    return nCode == 0 || (nCode == 1 && lParam == 0);
}

bool MatchesNotify(const CMessageMapEntry& entry, LPARAM lParam) {
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    return pHeader && entry.nID == pHeader->idFrom && entry.nCode == pHeader->code;
}

} // namespace

const CMessageMapEntry* CMessageMap::Find(UINT nMessage, WPARAM wParam, LPARAM lParam) const {
    for (size_t i = 0; i < m_nEntries; ++i) {
        const CMessageMapEntry& entry = m_pEntries[i];
        if (entry.nMessage != nMessage)
            continue;
        // A MapMessage entry takes every instance of its message, so a
        // window can also route all of WM_COMMAND itself.
        if (entry.kind == HandlerKind::Message)
            return &entry;
        if (nMessage == WM_COMMAND                ? MatchesCommand(entry, wParam, lParam)
            : nMessage == WM_NOTIFY               ? MatchesNotify(entry, lParam)
            : nMessage == kUpdateCommandUIMessage ? entry.nID == wParam
                                                  : true)
            return &entry;
    }
    return nullptr;
}
