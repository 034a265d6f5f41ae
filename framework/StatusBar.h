// CStatusBar: the common status bar along the bottom of a frame, split into
// panes. Pane 0 (a separator) stretches and carries the frame's messages;
// every other pane has a command id whose string resource gives its first
// text and width, and whose update handler keeps it current:
//
//     static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CLOCK};
//     m_wndStatusBar.Create(this);
//     m_wndStatusBar.SetIndicators(kIndicators, 2);
//     MapUpdateCommandUI(ID_INDICATOR_CLOCK, &CMainFrame::OnUpdateClock),
#pragma once

#include <vector>

#include "ControlBar.h"

#include <commctrl.h>

#include "StdIds.h"

// Pane styles.
#define SBPS_NORMAL 0x0000u
#define SBPS_NOBORDERS 0x0100u
#define SBPS_POPOUT 0x0200u
#define SBPS_DISABLED 0x0400u // the pane shows no text
#define SBPS_STRETCH 0x0800u  // the pane takes the width the others leave

class CStatusBar : public CControlBar {
public:
    CStatusBar() : CControlBar(bottom) {}

    bool Create(CFrameWnd* pFrame, DWORD dwStyle = WS_VISIBLE, UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id. False, with no panes changed, when an id other than
    // ID_SEPARATOR has no string resource.
    bool SetIndicators(const UINT* pIDs, int nCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    // The index of the pane with command nID, -1 for none.
    int CommandToIndex(UINT nID) const;
    UINT GetItemID(int nIndex) const;
    bool SetPaneText(int nIndex, const char* pszText);
    CString GetPaneText(int nIndex) const;
    // Width in pixels of the pane's text area.
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    // The width pszText needs in the bar's font.
    int GetTextWidth(const char* pszText) const;

    int CalcHeight() override;
    void OnUpdateCmdUI(CFrameWnd* pTarget) override;

private:
    struct CPane {
        UINT nID;
        UINT nStyle;
        int cxWidth;
        CString strText;
    };
    bool IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    void UpdateParts();
    void ShowPaneText(int nIndex);

    std::vector<CPane> m_panes;
};
