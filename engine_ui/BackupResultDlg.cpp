#include "BackupResultDlg.h"

#include "DataExchange.h"
#include "MessageMap.h"
#include "resource.h"

namespace {

const UINT_PTR CLOSE_TIMER = 1;

} // namespace

CBackupResultDlg::CBackupResultDlg(CWnd* pParentWnd) : CDialog(IDD_BACKUP_RESULT, pParentWnd) {}

const CMessageMap* CBackupResultDlg::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapTimer(&CBackupResultDlg::OnTimer),
        MapEvent(WM_DESTROY, &CBackupResultDlg::OnDestroy),
    };
    static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
    return &s_map;
}

void CBackupResultDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TOTAL, m_strTotal);
    DDX_Text(pDX, IDC_NEW, m_strNew);
    DDX_Text(pDX, IDC_DELETED, m_strDeleted);
    DDX_Text(pDX, IDC_UPDATED, m_strUpdated);
    DDX_Text(pDX, IDC_RESULT_TEXT, m_strMessage);
}

bool CBackupResultDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetTimer(CLOSE_TIMER, RESULT_SHOW_MS);
    return true;
}

void CBackupResultDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == CLOSE_TIMER)
        PostMessage(WM_CLOSE);
}

void CBackupResultDlg::OnDestroy() {
    KillTimer(CLOSE_TIMER);
}
