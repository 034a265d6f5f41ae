// CToolBar: the common tool bar along the top of a frame, built from a tool
// bar resource (button size and command ids, 0 for a gap) and the bitmap of
// the same id, one image per button. Clicks arrive at the frame as the
// buttons' commands; their enabled and checked states come from the
// commands' update handlers.
#pragma once

#include "ControlBar.h"

#include <commctrl.h>

#include "StdIds.h"

class CToolBar : public CControlBar {
public:
    CToolBar() : CControlBar(top) {}

    bool Create(CFrameWnd* pFrame, DWORD dwStyle = WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                UINT nID = AFX_IDW_TOOLBAR);
    // Reads the tool bar resource nIDResource (type 241: version 1, width,
    // height, count, then one command id per button, all 16-bit) and the
    // bitmap nIDResource. False when either is missing or malformed.
    bool LoadToolBar(UINT nIDResource);
    // The buttons without a resource; ids of 0 are gaps.
    bool SetButtons(const UINT* pIDs, int nCount);

    int GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    UINT GetItemID(int nIndex) const;
    bool IsButtonEnabled(UINT nID) const { return SendMessage(TB_ISBUTTONENABLED, nID) != 0; }
    bool IsButtonChecked(UINT nID) const { return SendMessage(TB_ISBUTTONCHECKED, nID) != 0; }

    int CalcHeight() override;
    void OnUpdateCmdUI(CFrameWnd* pTarget) override;
};
