// CCmdUI: one menu item, tool bar button or status pane whose state the
// program decides in an update handler, which the frame calls at idle time
// (and a menu just before it drops down):
//
//     MapUpdateCommandUI(ID_FILE_SAVE, &CMyDoc::OnUpdateFileSave),
//     void CMyDoc::OnUpdateFileSave(CCmdUI* pCmdUI) { pCmdUI->Enable(IsModified()); }
//
// Each kind of element derives and says what enabling, checking and setting
// the text mean for it. A command without an update handler is enabled
// exactly when some target handles the command.
#pragma once

#include "Types.h"

class CCmdTarget;

class CCmdUI {
public:
    explicit CCmdUI(UINT nID, UINT nIndex = 0) : m_nID(nID), m_nIndex(nIndex) {}
    CCmdUI(const CCmdUI&) = delete;
    CCmdUI& operator=(const CCmdUI&) = delete;
    virtual ~CCmdUI() = default;

    virtual void Enable(bool bOn = true);
    // 0 clear, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetText(const char* pszText);

    // Asks pTarget's route for the state. Without an update handler and with
    // bDisableIfNoHandler, the element is enabled when the command has a
    // handler. Returns whether an update handler ran.
    bool DoUpdate(CCmdTarget* pTarget, bool bDisableIfNoHandler);

    const UINT m_nID;
    const UINT m_nIndex; // position of the element among its siblings
    bool m_bEnableChanged = false;
    bool m_bEnabled = true; // the state Enable was last given
};

// An item of a drop-down menu, by position.
class CMenuCmdUI : public CCmdUI {
public:
    CMenuCmdUI(HMENU hMenu, UINT nIndex, UINT nID) : CCmdUI(nID, nIndex), m_hMenu(hMenu) {}
    void Enable(bool bOn = true) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(const char* pszText) override;

private:
    HMENU m_hMenu;
};

// Updates every command item of hMenu and of its drop-downs through
// pTarget's route.
void UpdateMenuCmdUI(HMENU hMenu, CCmdTarget* pTarget);
