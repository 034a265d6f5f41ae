#include "BackupCommand.h"

#include "BackupProgressDlg.h"
#include "BackupResultDlg.h"
#include "BackupSource.h"
#include "DestinationPage.h"
#include "DocTemplate.h"
#include "FolderRelation.h"
#include "LogPanel.h"
#include "MainWindowAside.h"
#include "MrqDoc.h"
#include "PageHost.h"
#include "PathText.h"
#include "RestorePage.h"
#include "RunSpecOfSet.h"
#include "SettingsPage.h"
#include "SourcePage.h"
#include "StatusMessage.h"
#include "Time.h"
#include "ViewMessages.h"
#include "WinApp.h"

namespace {

const char kTimeFormat[] = "%Y/%m/%d %H:%M:%S";
// The data file a set that was never saved gets in its destination.
const char kNewDataFileName[] = "Backup.mrd";

} // namespace

bool CBackupCommand::RefusesStart(bool bBackup) {
    const CWnd& form = m_host.GetForm();
    if (m_sources.GetCount() == 0) {
        ShowError(form, "バックアップ元のフォルダが指定されていません。");
        return true;
    }
    if (GetFolderTitle(m_destination.GetText()).IsEmpty()) {
        ShowError(form, "バックアップ先のフォルダが指定されていません。");
        return true;
    }
    if (bBackup && RefuseBackupIntoItself())
        return true;
    if (m_settings.IsExtendedEnabled() && !ConnectSetShares()) {
        ShowError(form, "ネットワークへのアクセスができません。");
        return true;
    }
    return false;
}

void CBackupCommand::Start() {
    if (!RefusesStart(true))
        Run(false);
}

void CBackupCommand::StartUnattended() {
    if (!RefusesStart(true))
        Run(true);
}

bool CBackupCommand::RefuseBackupIntoItself() {
    // The registration rules keep a destination apart from every source,
    // but a typed destination or a data file written elsewhere can still
    // pair them: the run would copy the mirrors into themselves, and the
    // removal pass would treat the other sources' mirrors as stale.
    CMrqDoc* pDoc = m_host.GetBackupSet();
    for (POSITION pos = pDoc->m_sources.GetHeadPosition(); pos;) {
        const CBackupSource* pEntry = GetNextSource(pDoc->m_sources, pos);
        if (CompareFolders(pEntry->m_strFolder, pDoc->m_strDestination) != RELATION_NONE) {
            CString strText = "バックアップ先のフォルダがバックアップ元のフォルダ ";
            strText += pEntry->m_strFolder;
            strText += " と重なっていますのでバックアップできません。";
            ShowError(m_host.GetForm(), strText);
            return true;
        }
    }
    return false;
}

bool CBackupCommand::ConnectSetShares() {
    CMrqDoc* pDoc = m_host.GetBackupSet();
    char szShare[MAX_PATH];
    if (GetShareName(pDoc->m_strDestination, szShare) && !m_host.ConnectShare(szShare))
        return false;
    for (POSITION pos = pDoc->m_sources.GetHeadPosition(); pos;) {
        const CBackupSource* pEntry = GetNextSource(pDoc->m_sources, pos);
        if (GetShareName(pEntry->m_strFolder, szShare) && !m_host.ConnectShare(szShare))
            return false;
    }
    return true;
}

CRunSpec CBackupCommand::SpecOfRun(bool bUnattended) const {
    CRunSpec spec = SpecOfSet(*m_host.GetBackupSet(), m_settings.GetNoCopyText());
    spec.bKeepDeleted = m_settings.KeepsDeletedFiles();
    // A run nobody watches must not wait for an answer: it leaves such
    // deletions undone and says so at its end.
    if (!m_settings.GuardsRemovals())
        spec.removalGuard = GUARD_OFF;
    else
        spec.removalGuard = bUnattended ? GUARD_SKIP : GUARD_ASK;
    return spec;
}

void CBackupCommand::Run(bool bUnattended) {
    CMrqDoc* pDoc = m_host.GetBackupSet();
    pDoc->m_strLastBackup = CTime::GetCurrentTime().Format(kTimeFormat);
    m_host.GetLog().Append("バックアップ開始(", pDoc->m_strLastBackup, ")");
    SaveBeforeRun();

    // The window steps aside while the run shows its own; the automatic
    // run of the first update comes before the window ever shows.
    CMainWindowAside aside(m_host.IsShown());
    // No parent: the dialog must show while the main window is minimised.
    CBackupProgressDlg progress(SpecOfRun(bUnattended));
    CRunOutcome outcome = progress.Run();
    if (!IsCompletedRun(outcome.nStatus))
        ReportFailedRun(outcome.nStatus);
    else
        ReportFinishedRun(outcome);
    m_destination.RefreshFreeSpace();
}

void CBackupCommand::SaveBeforeRun() {
    CMrqDoc* pDoc = m_host.GetBackupSet();
    CString strPath = pDoc->GetPathName();
    if (strPath.IsEmpty()) {
        strPath = m_destination.GetText();
        AddBackslash(strPath);
        strPath += kNewDataFileName;
        pDoc->SetPathName(strPath);
        AfxGetApp()->AddToRecentFileList(strPath);
        m_host.GetLog().Append("新規データファイル(", strPath, ")");
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

void CBackupCommand::ReportFailedRun(int nStatus) {
    CString strText = StatusMessage(nStatus);
    ShowError(m_host.GetForm(), strText);
    m_host.GetLog().Append(strText);
}

void CBackupCommand::ReportFinishedRun(const CRunOutcome& outcome) {
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
    // The guard's warnings name folders, not files that were not backed
    // up; they send the user to the log all the same.
    int nGuarded = outcome.nGuardedEntries;
    result.m_strMessage = ResultMessage(
        outcome.strResultText, CountWarnings(outcome.strWarnings) - nGuarded, nGuarded > 0);
    result.DoModal();
    // The restore page's tree shows the mirrors as the run left them.
    m_restore.RebuildTree();

    CLogPanel& log = m_host.GetLog();
    log.Append("総ファイル数 : ", strTotal, "    更新ファイル数 : " + strUpdated);
    log.Append("新規ファイル数 : ", strNew, "    削除ファイル数 : " + strDeleted);
    // Each warning is one line ending in a line feed.
    const CString& strWarnings = outcome.strWarnings;
    int nStart = 0;
    while (nStart < strWarnings.GetLength()) {
        int nEnd = strWarnings.Find('\n', nStart);
        if (nEnd < 0)
            nEnd = strWarnings.GetLength();
        log.Append(strWarnings.Mid(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
}
