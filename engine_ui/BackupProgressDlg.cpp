#include "BackupProgressDlg.h"

#include "MessageBox.h"
#include "MessageMap.h"
#include "resource.h"

CBackupProgressDlg::CBackupProgressDlg(const CRunSpec& spec, CWnd* pParentWnd)
    : CProgressDialog(IDD_PROGRESS, pParentWnd), m_spec(spec) {}

const CMessageMap* CBackupProgressDlg::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapCommand(IDC_ABORT, &CBackupProgressDlg::OnAbort),
    };
    static const CMessageMap s_map(CProgressDialog::GetMessageMap(), kEntries);
    return &s_map;
}

CRunOutcome CBackupProgressDlg::Run() {
    SetLastError(ERROR_SUCCESS);
    bool bOpened = DoModal() != -1;
    DWORD dwError = GetLastError();
    CRunOutcome outcome = m_run.GetOutcome();
    if (!bOpened && !m_run.IsFinished() && outcome.nStatus == STATUS_OK)
        outcome.nStatus = dwError ? static_cast<int>(dwError) : ERROR_NOT_ENOUGH_MEMORY;
    return outcome;
}

bool CBackupProgressDlg::OnInitDialog() {
    m_bar.Attach(GetDlgItem(IDC_PROGRESS));
    return CProgressDialog::OnInitDialog();
}

void CBackupProgressDlg::ShowProgress() {
    // The timer goes on while the question's box is open; nothing else
    // comes from a worker that waits for the answer.
    if (m_bAsking)
        return;
    CProgressTick tick = m_run.Poll();
    if (tick.bQuestion)
        AskAboutRemovals(tick.question);
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
}

void CBackupProgressDlg::EndWorker() {
    m_bar.Detach();
    m_run.End();
}

void CBackupProgressDlg::AskAboutRemovals(const CRemovalQuestion& question) {
    m_bAsking = true;
    // "いいえ" is the default: Enter pressed in passing keeps the mirror.
    int nAnswer = ShowMessageBox(GetSafeHwnd(), GuardQuestion(question), "mrq Warning",
                                 MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    m_run.Answer(nAnswer == IDYES);
    m_bAsking = false;
}
