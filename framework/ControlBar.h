// CControlBar: a bar along one edge of a frame (tool bar, status bar). The
// frame lays its bars out and updates their command UI at idle time; a bar
// tells it how tall it is and how to update its elements.
#pragma once

#include "Wnd.h"

class CFrameWnd;

class CControlBar : public CWnd {
public:
    enum Side { top, bottom };
    // Leaves its frame's list of bars.
    ~CControlBar() override;

    // The bar's height at the frame's current width, after it has adjusted
    // itself to that width.
    virtual int CalcHeight() = 0;
    // Asks the frame's command route for the state of every element.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget) = 0;
    Side GetSide() const { return m_nSide; }

protected:
    explicit CControlBar(Side nSide) : m_nSide(nSide) {}
    // Creates the common control as a child of pFrame and lets the frame
    // know of the bar.
    bool CreateBar(CFrameWnd* pFrame, const char* pszClass, DWORD dwStyle, UINT nID);

private:
    Side m_nSide;
    CFrameWnd* m_pFrame = nullptr;
};
