// CScrollBar: a scroll bar control (not the scroll bars of a window).
#pragma once

#include "Wnd.h"

class CScrollBar : public CWnd {
public:
    using CWnd::CWnd;

    void SetScrollRange(int nMinPos, int nMaxPos, bool bRedraw = true) {
        SendMessage(bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, nMinPos, nMaxPos);
    }
    void GetScrollRange(int* pnMinPos, int* pnMaxPos) const {
        SendMessage(SBM_GETRANGE, reinterpret_cast<WPARAM>(pnMinPos),
                    reinterpret_cast<LPARAM>(pnMaxPos));
    }
    // Returns the previous position; the control keeps it inside the range.
    int SetScrollPos(int nPos, bool bRedraw = true) {
        return static_cast<int>(SendMessage(SBM_SETPOS, nPos, bRedraw));
    }
    int GetScrollPos() const { return static_cast<int>(SendMessage(SBM_GETPOS)); }
    // ESB_ENABLE_BOTH, ESB_DISABLE_LTUP, ESB_DISABLE_RTDN or ESB_DISABLE_BOTH.
    bool EnableArrows(UINT nArrowFlags) { return SendMessage(SBM_ENABLE_ARROWS, nArrowFlags) != 0; }
};
