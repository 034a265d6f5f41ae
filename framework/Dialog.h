// CDialog: a dialog built from a template in the program's resources, modal
// (DoModal) or modeless (Create). The object owns its dialog window: the
// destructor destroys a modeless dialog that is still open.
//
// By default OK runs the data exchange (DoDataExchange, see DataExchange.h)
// and ends the dialog with IDOK when it succeeds; Cancel, Escape and the
// close box end it with IDCANCEL. A dialog that must not end yet overrides
// OnOK or OnCancel and simply returns.
#pragma once

#include "ModalSeam.h"
#include "Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Shows the dialog and returns once it has ended: the id passed to
    // EndDialog (IDOK, IDCANCEL, ...), or -1 when it could not be created.
    // Passes the modal-dialog seam of MessageBox.h.
    int DoModal();
    // Creates the dialog modeless; it is shown when its template says so.
    bool Create(CWnd* pParentWnd = nullptr);

    // Ends the dialog with nResult: a modal dialog's DoModal returns it, a
    // modeless dialog is destroyed.
    void EndDialog(int nResult);
    bool IsEnded() const { return m_bEnded; }
    int GetResult() const { return m_nResult; }
    UINT GetTemplateID() const { return m_nIDTemplate; }

    // Controls to members (true) or members to controls (false). False when
    // a value fails its check; the user has then been told, and the focus is
    // on the offending control.
    bool UpdateData(bool bSaveAndValidate = true);

    // Called once the controls exist; the default fills them from the
    // members. Returns true to let the system focus the first control.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    const CMessageMap* GetMessageMap() const override;

    CWnd* m_pParentWnd;

private:
    bool CreateDialogWindow(HWND hWndParent);
    void RunModalLoop();
    void AnswerFromSeam(const ModalDialogHandler& handler);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    bool m_bModal = false;
    bool m_bEnded = false;
    int m_nResult = -1;
};
