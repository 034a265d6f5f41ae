// CMainFrame: the program's one top-level window. It carries the menu, the
// tool bar and the status bar around the main form view, keeps its caption
// at exactly the application title (a second start finds the running
// program by it), remembers its restored rectangle in the profile, refuses
// to shrink below 550 x 360, and shows two clock panes: the time of the
// open backup set's last backup and the current time.
#pragma once

#include "FrameWnd.h"
#include "StatusBar.h"
#include "ToolBar.h"

// The smallest size the window may be dragged to, also its default size.
const int MAINFRAME_MIN_CX = 550;
const int MAINFRAME_MIN_CY = 360;
// Timer on the status bar whose only purpose is to wake the message loop
// once a second, so that idle processing refreshes the clock pane.
const UINT_PTR ID_CLOCK_TIMER = 0x1000;
const UINT CLOCK_PERIOD_MS = 1000;

class CMainFrame : public CFrameWnd {
public:
    CMainFrame() = default;
    ~CMainFrame() override = default;

    int m_nLastBackupPane = 0; // index of pane ID_INDICATOR_LAST_BACKUP
    int m_nClockPane = 0;      // index of pane ID_INDICATOR_CLOCK
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CString m_strLastBackupShown;     // the text last put into the last-backup pane
    bool m_bCloseWhenEnabled = false; // a close came while the window was disabled

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* pCreateStruct) override;
    void OnDestroy() override;
    void OnGetMinMaxInfo(MINMAXINFO* pMinMaxInfo) override;
    // While a modal dialog keeps the window disabled (a backup run borrows
    // the set's entries), commands that still reach it from outside are
    // dropped, and a close waits until the dialog has gone.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    const CMessageMap* GetMessageMap() const override;

    // Puts the two clock panes at pIDs[nIndex] and pIDs[nIndex + 1], starts
    // the clock timer and gives the status bar the first nIndex + 2 ids.
    bool SetupStatusPanes(UINT* pIDs, int nIndex);

    void OnUpdateLastBackup(CCmdUI* pCmdUI);
    void OnUpdateClock(CCmdUI* pCmdUI);
    LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
    void OnHelp();

private:
    // Sizes the pane to the text in the status bar's font, then shows it.
    void ShowInPane(CCmdUI* pCmdUI, int nIndex, const CString& strText);
};
