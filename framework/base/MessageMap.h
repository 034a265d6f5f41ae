// Message maps: each window class keeps one static table that ties a
// message, or a control's command or notification, to a member handler.
// The window procedure searches the object's own table first, then its base
// class's table, and so on; what no table takes goes to the default
// procedure.
//
// A class with handlers overrides one function and keeps its table there,
// where the protected handlers are in reach:
//
//     const CMessageMap* CProgressDlg::GetMessageMap() const {
//         static const CMessageMapEntry kEntries[] = {
//             MapTimer(&CProgressDlg::OnTimer),
//             MapCommand(IDC_ABORT, &CProgressDlg::OnAbort),
//         };
//         static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
//         return &s_map;
//     }
//
// The qualified call names the base's table without a virtual call.
#pragma once

#include <cstddef>
#include "Types.h"

class CCmdTarget;
class CCmdUI;

// The handler signatures, written out once. Every table entry holds one of
// them; the entry builders below pick the kind from the handler's type, so a
// handler of the wrong shape does not compile.
enum class HandlerKind {
    Void,     // void OnX(): commands, clicks, and messages without arguments
    Timer,    // void OnTimer(UINT_PTR nIDEvent)
    Notify,   // void OnX(NMHDR* pNMHDR, LRESULT* pResult): WM_NOTIFY
    Message,  // LRESULT OnX(WPARAM wParam, LPARAM lParam): anything else
    Mouse,    // void OnX(UINT nFlags, POINT point): a mouse message, in client pixels
    UpdateUI, // void OnUpdateX(CCmdUI* pCmdUI): state of a command's menu item or button
};

// Handlers are members of any command target: windows, documents and the
// application all keep tables of the same kind.
union CMessageHandler {
    void (CCmdTarget::*pfnVoid)();
    void (CCmdTarget::*pfnTimer)(UINT_PTR);
    void (CCmdTarget::*pfnNotify)(NMHDR*, LRESULT*);
    LRESULT (CCmdTarget::*pfnMessage)(WPARAM, LPARAM);
    void (CCmdTarget::*pfnMouse)(UINT, POINT);
    void (CCmdTarget::*pfnUpdateUI)(CCmdUI*);
};

struct CMessageMapEntry {
    UINT nMessage; // the window message; WM_COMMAND and WM_NOTIFY for control events
    UINT nCode;    // notification code of WM_COMMAND or WM_NOTIFY
    UINT nID;      // control or command id of WM_COMMAND or WM_NOTIFY
    HandlerKind kind;
    CMessageHandler handler;
};

class CMessageMap {
public:
    // The root of a chain: no entries, no base.
    constexpr CMessageMap() = default;
    template <size_t N>
    constexpr CMessageMap(const CMessageMap* pBaseMap, const CMessageMapEntry (&entries)[N])
        : m_pBaseMap(pBaseMap), m_pEntries(entries), m_nEntries(N) {}

    // The entry of this table (not its bases) for a message, or null.
    const CMessageMapEntry* Find(UINT nMessage, WPARAM wParam, LPARAM lParam) const;
    const CMessageMap* GetBaseMap() const { return m_pBaseMap; }

private:
    const CMessageMap* m_pBaseMap = nullptr;
    const CMessageMapEntry* m_pEntries = nullptr;
    size_t m_nEntries = 0;
};

// Sentinel code of MapCommand: a click (BN_CLICKED), a menu item or an
// accelerator, which all arrive as WM_COMMAND without a code of their own.
const UINT kCommandCode = 0xFFFFFFFFu;

// The "message" of update entries. No window message is this large, so the
// entries are only ever found by the command-UI lookup, which passes the
// command id as wParam.
const UINT kUpdateCommandUIMessage = 0x00010000u;

// A message such as WM_DESTROY whose arguments the handler does not need.
template <class T> CMessageMapEntry MapEvent(UINT nMessage, void (T::*pfn)()) {
    CMessageMapEntry entry{nMessage, 0, 0, HandlerKind::Void, {}};
    entry.handler.pfnVoid = static_cast<void (CCmdTarget::*)()>(pfn);
    return entry;
}

template <class T> CMessageMapEntry MapMessage(UINT nMessage, LRESULT (T::*pfn)(WPARAM, LPARAM)) {
    CMessageMapEntry entry{nMessage, 0, 0, HandlerKind::Message, {}};
    entry.handler.pfnMessage = static_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pfn);
    return entry;
}

// A mouse message such as WM_LBUTTONDOWN: the keys held (MK_ flags) and the
// point, left of or above the client area negative while the mouse is held.
template <class T> CMessageMapEntry MapMouse(UINT nMessage, void (T::*pfn)(UINT, POINT)) {
    CMessageMapEntry entry{nMessage, 0, 0, HandlerKind::Mouse, {}};
    entry.handler.pfnMouse = static_cast<void (CCmdTarget::*)(UINT, POINT)>(pfn);
    return entry;
}

template <class T> CMessageMapEntry MapTimer(void (T::*pfn)(UINT_PTR)) {
    CMessageMapEntry entry{WM_TIMER, 0, 0, HandlerKind::Timer, {}};
    entry.handler.pfnTimer = static_cast<void (CCmdTarget::*)(UINT_PTR)>(pfn);
    return entry;
}

// A button click, menu command or accelerator with the given id.
template <class T> CMessageMapEntry MapCommand(UINT nID, void (T::*pfn)()) {
    CMessageMapEntry entry{WM_COMMAND, kCommandCode, nID, HandlerKind::Void, {}};
    entry.handler.pfnVoid = static_cast<void (CCmdTarget::*)()>(pfn);
    return entry;
}

// A control notification sent as WM_COMMAND, e.g. EN_CHANGE or LBN_SELCHANGE.
template <class T> CMessageMapEntry MapControl(UINT nID, UINT nCode, void (T::*pfn)()) {
    CMessageMapEntry entry{WM_COMMAND, nCode, nID, HandlerKind::Void, {}};
    entry.handler.pfnVoid = static_cast<void (CCmdTarget::*)()>(pfn);
    return entry;
}

// A control notification sent as WM_NOTIFY, e.g. TCN_SELCHANGE or NM_DBLCLK.
template <class T>
CMessageMapEntry MapNotify(UINT nID, UINT nCode, void (T::*pfn)(NMHDR*, LRESULT*)) {
    CMessageMapEntry entry{WM_NOTIFY, nCode, nID, HandlerKind::Notify, {}};
    entry.handler.pfnNotify = static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn);
    return entry;
}

// Asks for the enabled, checked or text state of a command's menu items,
// tool bar buttons and status panes; see CmdUI.h.
template <class T> CMessageMapEntry MapUpdateCommandUI(UINT nID, void (T::*pfn)(CCmdUI*)) {
    CMessageMapEntry entry{kUpdateCommandUIMessage, 0, nID, HandlerKind::UpdateUI, {}};
    entry.handler.pfnUpdateUI = static_cast<void (CCmdTarget::*)(CCmdUI*)>(pfn);
    return entry;
}
