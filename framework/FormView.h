// CFormView: a view that is a child dialog, built from a dialog template
// (style WS_CHILD, no caption), filling the frame between its bars. Its
// controls' notifications go through its message map, its members through
// DoDataExchange, and commands it does not take go on to its document.
//
// The document template creates it with new; it deletes itself when its
// window goes. OnInitialUpdate runs once for every new or opened document.
#pragma once

#include "Dialog.h"
#include "View.h"

class CFormView : public CDialog, public CView {
public:
    explicit CFormView(UINT nIDTemplate) : CDialog(nIDTemplate) {}

    // Creates the view window as child nID of pParent. False when the
    // template is missing or is not a child dialog.
    bool Create(CWnd* pParent, UINT nID);

    // The document was made new or opened; the default fills the controls
    // from the members and calls OnUpdate.
    virtual void OnInitialUpdate();

    // Keys for the view's controls (Tab, arrows): true when taken.
    bool PreTranslateMessage(MSG* pMsg);

    bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly = false) override;

    // Enter and Escape in a form view end nothing.
    void OnOK() override {}
    void OnCancel() override {}

protected:
    // The controls are filled by OnInitialUpdate, once the document is there.
    bool OnInitDialog() override { return false; }
    void PostNcDestroy() override {
        if (m_bAutoDelete)
            delete this;
    }

private:
    bool m_bAutoDelete = false; // set once Create has succeeded
};
