#include "RestoreDlg.h"

#include "MessageMap.h"
#include "RestoreEngine.h"
#include "RestorePair.h"
#include "resource.h"

namespace {

const UINT_PTR POLL_TIMER = 1;
const UINT POLL_INTERVAL_MS = 10;

} // namespace

CRestoreDlg::CRestoreDlg(CWnd* pParentWnd) : CDialog(IDD_RESTORE, pParentWnd) {}

CRestoreDlg::~CRestoreDlg() {
    EndWorker();
    delete m_pThread;
}

const CMessageMap* CRestoreDlg::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapTimer(&CRestoreDlg::OnTimer),
        MapCommand(IDC_ABORT, &CRestoreDlg::OnAbort),
        MapEvent(WM_DESTROY, &CRestoreDlg::OnDestroy),
    };
    static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
    return &s_map;
}

bool CRestoreDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_status.m_text.Open("mrq Restore Execute");
    // Started suspended and kept after it ends, so EndWorker can wait for it.
    delete m_pThread;
    m_pThread =
        AfxBeginThread(RestoreThreadProc, &m_status, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread) {
        m_pThread->m_bAutoDelete = false;
        m_pThread->ResumeThread();
    } else {
        // Nothing was restored: every item is reported.
        for (POSITION pos = m_status.m_items.GetHeadPosition(); pos;)
            m_status.AddFailure(
                static_cast<CRestorePair*>(m_status.m_items.GetNext(pos))->m_strFrom);
        m_status.m_bFinished = 1;
    }
    SetTimer(POLL_TIMER, POLL_INTERVAL_MS);
    return true;
}

void CRestoreDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != POLL_TIMER)
        return;
    if (m_status.m_text.TakeText(m_strText))
        SetDlgItemText(IDC_STATUS, m_strText);
    if (m_status.m_bFinished) {
        KillTimer(POLL_TIMER);
        PostMessage(WM_CLOSE);
    }
}

void CRestoreDlg::OnAbort() {
    m_bAborted = true;
    m_status.m_bStop = 1;
}

void CRestoreDlg::OnOK() {
    if (m_status.m_bFinished)
        EndDialog(IDOK);
}

void CRestoreDlg::OnCancel() {
    if (m_status.m_bFinished)
        EndDialog(IDOK);
    else
        OnAbort();
}

bool CRestoreDlg::IsWorkerRunning() const {
    return m_pThread && !m_pThread->WaitForEnd(0);
}

// The thread object stays until the window object goes, so that
// IsWorkerRunning still tells the truth once the window has ended.
void CRestoreDlg::EndWorker() {
    if (m_pThread) {
        if (!m_status.m_bFinished)
            m_status.m_bStop = 1; // the window goes early: stop the walks
        m_pThread->WaitForEnd();
    }
    m_status.m_text.Close();
}

void CRestoreDlg::OnDestroy() {
    KillTimer(POLL_TIMER);
    EndWorker();
}
