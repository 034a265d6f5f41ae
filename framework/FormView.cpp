#include "FormView.h"

#include "Document.h"

bool CFormView::Create(CWnd* pParent, UINT nID) {
    if (!CDialog::Create(pParent))
        return false;
    if (!(GetStyle() & WS_CHILD)) {
        DestroyWindow();
        return false;
    }
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    // A form template is usually drawn without WS_VISIBLE; the view itself
    // is always shown, and appears when its frame does.
    ShowWindow(SW_SHOWNA);
    m_bAutoDelete = true;
    return true;
}

void CFormView::OnInitialUpdate() {
    UpdateData(false);
    OnUpdate(nullptr, 0, nullptr);
}

bool CFormView::PreTranslateMessage(MSG* pMsg) {
    if (!m_hWnd || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return false;
    return ::IsDialogMessageA(m_hWnd, pMsg) != 0;
}

bool CFormView::OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly) {
    if (CDialog::OnCmdMsg(nID, pCmdUI, bCheckOnly))
        return true;
    CDocument* pDocument = GetDocument();
    return pDocument && pDocument->OnCmdMsg(nID, pCmdUI, bCheckOnly);
}
