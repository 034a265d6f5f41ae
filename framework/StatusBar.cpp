#include "StatusBar.h"

#include "CmdUI.h"
#include "FrameWnd.h"

namespace {

// Room around a pane's text: the pane's borders and the bar's margins.
const int kPanePadding = 8;

bool LoadResourceString(UINT nID, CString& rString) {
    char szText[256];
    int n = ::LoadStringA(::GetModuleHandleA(nullptr), nID, szText, sizeof(szText));
    if (n <= 0)
        return false;
    rString = szText;
    return true;
}

class CStatusCmdUI : public CCmdUI {
public:
    CStatusCmdUI(CStatusBar& bar, UINT nIndex, UINT nID) : CCmdUI(nID, nIndex), m_bar(bar) {}
    void Enable(bool bOn) override {
        CCmdUI::Enable(bOn);
        SetStyle(SBPS_DISABLED, !bOn);
    }
    void SetCheck(int nCheck) override { SetStyle(SBPS_POPOUT, nCheck != 0); }
    void SetText(const char* pszText) override { m_bar.SetPaneText(m_nIndex, pszText); }

private:
    void SetStyle(UINT nBit, bool bSet) {
        UINT nID, nStyle;
        int cxWidth;
        m_bar.GetPaneInfo(m_nIndex, nID, nStyle, cxWidth);
        UINT nNewStyle = bSet ? (nStyle | nBit) : (nStyle & ~nBit);
        if (nNewStyle != nStyle)
            m_bar.SetPaneInfo(m_nIndex, nID, nNewStyle, cxWidth);
    }
    CStatusBar& m_bar;
};

} // namespace

bool CStatusBar::Create(CFrameWnd* pFrame, DWORD dwStyle, UINT nID) {
    return CreateBar(pFrame, STATUSCLASSNAMEA, dwStyle | CCS_BOTTOM, nID);
}

bool CStatusBar::SetIndicators(const UINT* pIDs, int nCount) {
    std::vector<CPane> panes;
    for (int i = 0; i < nCount; ++i) {
        CPane pane = {pIDs[i], SBPS_NORMAL, 0, CString()};
        if (pane.nID == ID_SEPARATOR)
            pane.nStyle = SBPS_NOBORDERS | SBPS_STRETCH;
        else if (!LoadResourceString(pane.nID, pane.strText))
            return false;
        else
            pane.cxWidth = GetTextWidth(pane.strText);
        panes.push_back(pane);
    }
    m_panes = panes;
    UpdateParts();
    for (int i = 0; i < GetCount(); ++i)
        ShowPaneText(i);
    return true;
}

int CStatusBar::CommandToIndex(UINT nID) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[i].nID == nID)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return IsValidIndex(nIndex) ? m_panes[nIndex].nID : ID_SEPARATOR;
}

bool CStatusBar::SetPaneText(int nIndex, const char* pszText) {
    if (!IsValidIndex(nIndex))
        return false;
    m_panes[nIndex].strText = pszText ? pszText : "";
    ShowPaneText(nIndex);
    return true;
}

CString CStatusBar::GetPaneText(int nIndex) const {
    return IsValidIndex(nIndex) ? m_panes[nIndex].strText : CString();
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    nID = GetItemID(nIndex);
    nStyle = IsValidIndex(nIndex) ? m_panes[nIndex].nStyle : 0;
    cxWidth = IsValidIndex(nIndex) ? m_panes[nIndex].cxWidth : 0;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    if (!IsValidIndex(nIndex))
        return;
    CPane& pane = m_panes[nIndex];
    bool bShowText = (pane.nStyle ^ nStyle) & (SBPS_DISABLED | SBPS_NOBORDERS | SBPS_POPOUT);
    bool bLayout = pane.cxWidth != cxWidth || ((pane.nStyle ^ nStyle) & SBPS_STRETCH);
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxWidth = cxWidth;
    if (bLayout)
        UpdateParts();
    if (bShowText)
        ShowPaneText(nIndex);
}

int CStatusBar::GetTextWidth(const char* pszText) const {
    HDC hDC = ::GetDC(nullptr);
    HFONT hFont = GetFont();
    HGDIOBJ hOldFont = hFont ? ::SelectObject(hDC, hFont) : nullptr;
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, pszText, lstrlenA(pszText), &size);
    if (hOldFont)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(nullptr, hDC);
    return size.cx;
}

void CStatusBar::UpdateParts() {
    if (m_panes.empty())
        return;
    RECT rect;
    GetClientRect(&rect);
    // Fixed panes take their widths from the right edge; a stretching
    // pane takes what is left, but never less than nothing.
    int nFixed = 0;
    for (const CPane& pane : m_panes)
        nFixed += (pane.nStyle & SBPS_STRETCH) ? 0 : pane.cxWidth + kPanePadding;
    int cxStretch = rect.right - nFixed;
    if (cxStretch < 0)
        cxStretch = 0;
    std::vector<int> edges;
    int x = 0;
    for (const CPane& pane : m_panes) {
        x += (pane.nStyle & SBPS_STRETCH) ? cxStretch : pane.cxWidth + kPanePadding;
        edges.push_back(x);
    }
    edges.back() = -1; // the last pane reaches the bar's end
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::ShowPaneText(int nIndex) {
    const CPane& pane = m_panes[nIndex];
    UINT nType = (pane.nStyle & SBPS_NOBORDERS) ? SBT_NOBORDERS
                 : (pane.nStyle & SBPS_POPOUT)  ? SBT_POPOUT
                                                : 0;
    const char* pszText =
        (pane.nStyle & SBPS_DISABLED) ? "" : static_cast<const char*>(pane.strText);
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex) | nType,
                reinterpret_cast<LPARAM>(pszText));
}

int CStatusBar::CalcHeight() {
    // The common status bar fits itself to the bottom of its parent.
    SendMessage(WM_SIZE);
    UpdateParts();
    RECT rect;
    GetWindowRect(&rect);
    return rect.bottom - rect.top;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget) {
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[i].nID == ID_SEPARATOR)
            continue;
        CStatusCmdUI ui(*this, static_cast<UINT>(i), m_panes[i].nID);
        ui.DoUpdate(pTarget, false);
    }
}
