#include "RestoreDlg.h"

#include "MessageMap.h"
#include "RestoreEngine.h"
#include "RestorePair.h"
#include "resource.h"

CRestoreDlg::CRestoreDlg(CWnd* pParentWnd) : CProgressDialog(IDD_RESTORE, pParentWnd) {}

const CMessageMap* CRestoreDlg::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapCommand(IDC_ABORT, &CRestoreDlg::OnAbort),
    };
    static const CMessageMap s_map(CProgressDialog::GetMessageMap(), kEntries);
    return &s_map;
}

void CRestoreDlg::StartWorker() {
    m_status.m_text.Open("mrq Restore Execute");
    if (!m_worker.Start(RestoreThreadProc, &m_status)) {
        // Nothing was restored: every item is reported.
        for (POSITION pos = m_status.m_items.GetHeadPosition(); pos;)
            m_status.AddFailure(
                static_cast<CRestorePair*>(m_status.m_items.GetNext(pos))->m_strFrom);
        m_status.m_bFinished = 1;
    }
}

void CRestoreDlg::ShowProgress() {
    if (m_status.m_text.TakeText(m_strText))
        SetDlgItemText(IDC_STATUS, m_strText);
}

void CRestoreDlg::StopWorker() {
    m_bAborted = true;
    m_status.m_bStop = 1;
}

void CRestoreDlg::EndWorker() {
    m_worker.End();
    m_status.m_text.Close();
}
