#include "BackupProgressDlg.h"

#include "MessageMap.h"
#include "resource.h"

namespace {

const UINT_PTR POLL_TIMER = 1;
const UINT POLL_INTERVAL_MS = 10;

} // namespace

CBackupProgressDlg::CBackupProgressDlg(const CRunSpec& spec, CWnd* pParentWnd)
    : CDialog(IDD_PROGRESS, pParentWnd), m_spec(spec) {}

const CMessageMap* CBackupProgressDlg::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapTimer(&CBackupProgressDlg::OnTimer),
        MapCommand(IDC_ABORT, &CBackupProgressDlg::OnAbort),
        MapEvent(WM_DESTROY, &CBackupProgressDlg::OnDestroy),
        MapMessage(WM_ENDSESSION, &CBackupProgressDlg::OnEndSession),
    };
    static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
    return &s_map;
}

bool CBackupProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bar.Attach(GetDlgItem(IDC_PROGRESS));
    m_run.Start(m_spec);
    SetTimer(POLL_TIMER, POLL_INTERVAL_MS);
    return true;
}

void CBackupProgressDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != POLL_TIMER)
        return;
    Apply(m_run.Poll());
}

void CBackupProgressDlg::Apply(const CProgressTick& tick) {
    if (tick.bStatusText) {
        m_strLabel1 = tick.strStatusText;
        SetDlgItemText(IDC_STATUS, m_strLabel1);
    }
    if (tick.bSpaceText) {
        m_strLabel2 = tick.strSpaceText;
        SetDlgItemText(IDC_SPACE, m_strLabel2);
    }
    if (tick.bSetRange)
        m_bar.SetRange(0, tick.nRangeMax);
    if (tick.bSetPos)
        m_bar.SetPos(tick.nPos);
    if (tick.bClose) {
        KillTimer(POLL_TIMER);
        PostMessage(WM_CLOSE);
    }
}

void CBackupProgressDlg::OnAbort() {
    m_run.Abort();
}

LRESULT CBackupProgressDlg::OnEndSession(WPARAM wParam, LPARAM) {
    if (wParam) {
        m_run.Abort();
        m_run.End();
    }
    return 0;
}

void CBackupProgressDlg::OnOK() {
    if (m_run.IsFinished())
        EndDialog(IDOK);
}

void CBackupProgressDlg::OnCancel() {
    if (m_run.IsFinished())
        EndDialog(IDCANCEL);
}

void CBackupProgressDlg::OnDestroy() {
    KillTimer(POLL_TIMER);
    m_bar.Detach();
    m_run.End();
}
