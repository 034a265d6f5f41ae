#include "BackupResultDlg.h"

#include "DataExchange.h"
#include "resource.h"

CBackupResultDlg::CBackupResultDlg(CWnd* pParentWnd)
    : CTimedDialog(IDD_BACKUP_RESULT, RESULT_SHOW_MS, pParentWnd) {}

void CBackupResultDlg::DoDataExchange(CDataExchange* pDX) {
    CTimedDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TOTAL, m_strTotal);
    DDX_Text(pDX, IDC_NEW, m_strNew);
    DDX_Text(pDX, IDC_DELETED, m_strDeleted);
    DDX_Text(pDX, IDC_UPDATED, m_strUpdated);
    DDX_Text(pDX, IDC_RESULT_TEXT, m_strMessage);
}
