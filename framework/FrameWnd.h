// CFrameWnd: the program's main window. It is built from one resource id
// that names its menu, accelerator table, icon and title (the first line
// of the string of that id), holds the view between its bars, and routes
// commands:
//
//   menu item, accelerator or tool bar button
//     -> the active view's map -> its document's map
//     -> the frame's own map -> the application's map
//
// The first table with an entry for the command takes it, so a view's
// entry shadows the frame's. A command whose update handler disables it is
// dropped, whichever way it came. At idle time the application asks the
// frame to update its menu items, tool bar buttons and status panes through
// the same route (CmdUI.h).
//
// A command's string resource is its status prompt, a line feed and its
// tool tip ("Opens a file\nOpen"). The prompt shows in the status bar while
// the command's menu item is selected or the mouse is on its tool bar
// button; the tool tip shows beside the button.
//
// A frame lives as long as its window: it is created with new and deletes
// itself once its window is gone. When it is the application's main window,
// its end ends the message loop.
#pragma once

#include <functional>
#include <vector>

#include "StdIds.h"
#include "Wnd.h"

#include <commctrl.h>

class CControlBar;
class CDocument;
class CFormView;
class CStatusBar;

// Frame style: the title shows the document's title before the frame's.
#define FWS_ADDTOTITLE 0x00008000u

// What a new frame needs to make its view.
struct CCreateContext {
    CDocument* m_pCurrentDoc = nullptr;
    std::function<CFormView*()> m_newView;
};

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;

    // Creates the window with the menu, accelerators, icon and title of
    // nIDResource, and the view of pContext. On failure no window exists
    // and the caller still owns the object.
    bool LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    UINT GetResourceID() const { return m_nIDResource; }
    HACCEL GetAccelerators() const { return m_hAccel; }
    const CString& GetTitle() const { return m_strTitle; }

    CFormView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CFormView* pView) { m_pActiveView = pView; }
    CDocument* GetActiveDocument() const;

    // After a document was made new or opened: the view's initial update,
    // the title, and with bMakeVisible the first show.
    void InitialUpdateFrame(CDocument* pDocument, bool bMakeVisible);
    // Shows the frame: nCmdShow, or the application's first show state
    // for -1.
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle();

    // Bars at the top, bars at the bottom, the view in between.
    virtual void RecalcLayout();
    // Pane 0 of the status bar; an id takes the first line of its string.
    void SetMessageText(const char* pszText);
    void SetMessageText(UINT nID);
    // Idle-time update of menu items, bar elements and title.
    virtual void OnIdleUpdateCmdUI();
    // Accelerators, then the view's keyboard handling: true when taken.
    virtual bool PreTranslateMessage(MSG* pMsg);

    bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly = false) override;

    // Bars register themselves when created (ControlBar.h).
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID) const;

protected:
    // The create structure before the window is made: style, position,
    // size. False stops the creation.
    virtual bool PreCreateWindow(CREATESTRUCTA& cs);
    // The view is made here; a derived frame adds its bars after calling
    // this. 0 to go on, -1 to fail the creation.
    virtual int OnCreate(CREATESTRUCTA* pCreateStruct);
    // A modified document is asked to save first; Cancel keeps the frame.
    virtual void OnClose();
    virtual void OnDestroy();
    // Called with the size limits before each resize; nothing by default.
    virtual void OnGetMinMaxInfo(MINMAXINFO* pMinMaxInfo);

    const CMessageMap* GetMessageMap() const override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    void OnViewToolBar() { ToggleBar(AFX_IDW_TOOLBAR); }
    void OnViewStatusBar() { ToggleBar(AFX_IDW_STATUS_BAR); }
    void OnUpdateViewToolBar(CCmdUI* pCmdUI) { UpdateBarCheck(pCmdUI, AFX_IDW_TOOLBAR); }
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI) { UpdateBarCheck(pCmdUI, AFX_IDW_STATUS_BAR); }

private:
    LRESULT HandleCreate(WPARAM wParam, LPARAM lParam);
    LRESULT HandleSize(WPARAM wParam, LPARAM lParam);
    LRESULT HandleGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT HandleInitMenuPopup(WPARAM wParam, LPARAM lParam);
    LRESULT HandleMenuSelect(WPARAM wParam, LPARAM lParam);
    // Tool tips and fly-by prompts of the bars' buttons.
    LRESULT HandleNotify(WPARAM wParam, LPARAM lParam);
    void OnToolTipText(NMTTDISPINFOA* pInfo);
    void OnHotButtonChange(const NMTBHOTITEM& hot);
    LRESULT HandleDropFiles(WPARAM wParam, LPARAM lParam);
    bool CreateView(CCreateContext* pContext);
    void ToggleBar(UINT nID);
    void UpdateBarCheck(CCmdUI* pCmdUI, UINT nID);
    CStatusBar* GetStatusBar() const;

    UINT m_nIDResource = 0;
    HACCEL m_hAccel = nullptr;
    CString m_strTitle;
    CString m_strToolTip; // the text of the tool tip shown now
    bool m_bAddToTitle = false;
    bool m_bAutoDelete = false; // set once the window exists
    bool m_bShown = false;
    CCreateContext* m_pCreateContext = nullptr; // during LoadFrame only
    CFormView* m_pActiveView = nullptr;
    std::vector<CControlBar*> m_controlBars;
};
