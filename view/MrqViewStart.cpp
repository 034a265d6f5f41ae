// The Start command: checks the backup set, stamps and saves its data file,
// runs the backup in the progress dialog and reports how it ended.
#include "MrqView.h"

#include "BackupProgressDlg.h"
#include "BackupResultDlg.h"
#include "BackupSource.h"
#include "DocTemplate.h"
#include "FolderRelation.h"
#include "ListBoxText.h"
#include "MainWindowAside.h"
#include "MrqDoc.h"
#include "PathText.h"
#include "RunSpecOfSet.h"
#include "StatusMessage.h"
#include "Time.h"
#include "WinApp.h"

namespace {

const char kTimeFormat[] = "%Y/%m/%d %H:%M:%S";
// The data file a set that was never saved gets in its destination.
const char kNewDataFileName[] = "Backup.mrd";

} // namespace

void CMrqView::OnStart() {
    if (m_sourceList.GetItemCount() == 0) {
        ShowError("バックアップ元のフォルダが指定されていません。");
        return;
    }
    if (GetFolderTitle(GetDestinationText()).IsEmpty()) {
        ShowError("バックアップ先のフォルダが指定されていません。");
        return;
    }
    bool bBackup = m_nPage == PAGE_SOURCES || m_nPage == PAGE_DESTINATION;
    if (bBackup && RefuseBackupIntoItself())
        return;
    if (IsExtendedEnabled() && !ConnectSetShares()) {
        ShowError("ネットワークへのアクセスができません。");
        return;
    }
    if (bBackup)
        RunBackup();
    else if (m_nPage == PAGE_RESTORE)
        StartRestore();
}

bool CMrqView::RefuseBackupIntoItself() {
    // The registration rules keep a destination apart from every source,
    // but a typed destination or a data file written elsewhere can still
    // pair them: the run would copy the mirrors into themselves, and the
    // removal pass would treat the other sources' mirrors as stale.
    CMrqDoc* pDoc = GetDocument();
    for (POSITION pos = pDoc->m_sources.GetHeadPosition(); pos;) {
        const CBackupSource* pEntry = GetNextSource(pDoc->m_sources, pos);
        if (CompareFolders(pEntry->m_strFolder, pDoc->m_strDestination) != RELATION_NONE) {
            CString strText = "バックアップ先のフォルダがバックアップ元のフォルダ ";
            strText += pEntry->m_strFolder;
            strText += " と重なっていますのでバックアップできません。";
            ShowError(strText);
            return true;
        }
    }
    return false;
}

bool CMrqView::ConnectSetShares() {
    CMrqDoc* pDoc = GetDocument();
    char szShare[MAX_PATH];
    if (GetShareName(pDoc->m_strDestination, szShare) && !ConnectShare(szShare))
        return false;
    for (POSITION pos = pDoc->m_sources.GetHeadPosition(); pos;) {
        const CBackupSource* pEntry = GetNextSource(pDoc->m_sources, pos);
        if (GetShareName(pEntry->m_strFolder, szShare) && !ConnectShare(szShare))
            return false;
    }
    return true;
}

void CMrqView::RunBackup() {
    CMrqDoc* pDoc = GetDocument();
    pDoc->m_strLastBackup = CTime::GetCurrentTime().Format(kTimeFormat);
    AppendLog("バックアップ開始(", pDoc->m_strLastBackup, ")");
    SaveBeforeRun();

    // The window steps aside while the run shows its own; the automatic
    // run of the first update comes before the window ever shows.
    CMainWindowAside aside(m_bInitialized != 0);
    // No parent: the dialog must show while the main window is minimised.
    CBackupProgressDlg progress(SpecOfSet(*pDoc, JoinListBoxItems(m_noCopyList, ",")));
    CRunOutcome outcome = progress.Run();
    if (outcome.nStatus != 0)
        ReportFailedRun(outcome.nStatus);
    else
        ReportFinishedRun(outcome);
    RefreshFreeSpace();
}

void CMrqView::SaveBeforeRun() {
    CMrqDoc* pDoc = GetDocument();
    CString strPath = pDoc->GetPathName();
    if (strPath.IsEmpty()) {
        strPath = GetDestinationText();
        AddBackslash(strPath);
        strPath += kNewDataFileName;
        pDoc->SetPathName(strPath);
        AfxGetApp()->AddToRecentFileList(strPath);
        AppendLog("新規データファイル(", strPath, ")");
    }
    // A failed save is reported by the document, and the run goes on. The
    // writer gives every entry its mirror folder; when it never ran (the
    // file could not be opened), a new entry would have none, so the
    // mirrors are given here instead.
    CSingleDocTemplate* pTemplate = pDoc->GetDocTemplate();
    bool bSaved = pTemplate ? pTemplate->DoSave(strPath) : pDoc->OnSaveDocument(strPath);
    if (!bSaved)
        pDoc->AssignMirrors();
}

void CMrqView::ReportFailedRun(int nStatus) {
    CString strText = StatusMessage(nStatus);
    ShowError(strText);
    AppendLog(strText);
}

void CMrqView::ReportFinishedRun(const CRunOutcome& outcome) {
    CString strTotal = Decimal(outcome.nTotal);
    CString strNew = Decimal(outcome.nNew);
    CString strUpdated = Decimal(outcome.nUpdated);
    CString strDeleted = Decimal(outcome.nDeleted);

    // No parent either: the main window is still minimised.
    CBackupResultDlg result;
    result.m_strTotal = strTotal;
    result.m_strNew = strNew;
    result.m_strUpdated = strUpdated;
    result.m_strDeleted = strDeleted;
    result.m_strMessage = ResultMessage(outcome.strResultText, CountWarnings(outcome.strWarnings));
    result.DoModal();
    // The restore page's tree shows the mirrors as the run left them.
    ClearSyncTree();
    BuildSyncTree();

    AppendLog("総ファイル数 : ", strTotal, "    更新ファイル数 : " + strUpdated);
    AppendLog("新規ファイル数 : ", strNew, "    削除ファイル数 : " + strDeleted);
    // Each warning is one line ending in a line feed.
    const CString& strWarnings = outcome.strWarnings;
    int nStart = 0;
    while (nStart < strWarnings.GetLength()) {
        int nEnd = strWarnings.Find('\n', nStart);
        if (nEnd < 0)
            nEnd = strWarnings.GetLength();
        AppendLog(strWarnings.Mid(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
}

void CMrqView::ShowError(const char* pszText) {
    ShowMessageBox(m_hWnd, pszText, "mrq Error", MB_OK | MB_ICONHAND);
}
