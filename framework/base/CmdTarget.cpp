#include "CmdTarget.h"

const CMessageMap* CCmdTarget::GetMessageMap() const {
    static const CMessageMap s_map;
    return &s_map;
}

const CMessageMapEntry* CCmdTarget::FindEntry(UINT nMsg, WPARAM wParam, LPARAM lParam) const {
    const CMessageMapEntry* pEntry = nullptr;
    for (const CMessageMap* pMap = GetMessageMap(); pMap && !pEntry; pMap = pMap->GetBaseMap())
        pEntry = pMap->Find(nMsg, wParam, lParam);
    return pEntry;
}

LRESULT CCmdTarget::CallHandler(const CMessageMapEntry& entry, WPARAM wParam, LPARAM lParam) {
    const CMessageHandler& handler = entry.handler;
    LRESULT lResult = 0;
    switch (entry.kind) {
    case HandlerKind::Void:
        (this->*handler.pfnVoid)();
        break;
    case HandlerKind::Timer:
        (this->*handler.pfnTimer)(static_cast<UINT_PTR>(wParam));
        break;
    case HandlerKind::Notify:
        (this->*handler.pfnNotify)(reinterpret_cast<NMHDR*>(lParam), &lResult);
        break;
    case HandlerKind::Message:
        lResult = (this->*handler.pfnMessage)(wParam, lParam);
        break;
    case HandlerKind::Mouse: {
        // Signed: a held mouse reports points outside the window.
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        (this->*handler.pfnMouse)(static_cast<UINT>(wParam), point);
        break;
    }
    case HandlerKind::UpdateUI:
        (this->*handler.pfnUpdateUI)(reinterpret_cast<CCmdUI*>(lParam));
        break;
    }
    return lResult;
}

bool CCmdTarget::HandleMessage(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    *pResult = 0;
    const CMessageMapEntry* pEntry = FindEntry(nMsg, wParam, lParam);
    if (!pEntry)
        return false;
    *pResult = CallHandler(*pEntry, wParam, lParam);
    return true;
}

bool CCmdTarget::OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly) {
    const CMessageMapEntry* pEntry =
        pCmdUI ? FindEntry(kUpdateCommandUIMessage, nID, 0) : FindEntry(WM_COMMAND, nID, 0);
    if (!pEntry)
        return false;
    if (!bCheckOnly)
        CallHandler(*pEntry, pCmdUI ? nID : MAKEWPARAM(nID, 0), reinterpret_cast<LPARAM>(pCmdUI));
    return true;
}
