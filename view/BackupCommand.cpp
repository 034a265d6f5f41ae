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
#include "RunRecords.h"
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
    CTime start = CTime::GetCurrentTime();
    pDoc->m_strLastBackup = start.Format(kTimeFormat);
    m_host.GetLog().Append("バックアップ開始(", pDoc->m_strLastBackup, ")");
    SaveBeforeRun();

    // The window steps aside while the run shows its own; the automatic
    // run of the first update comes before the window ever shows.
    CMainWindowAside aside(m_host.IsShown());
    // No parent: the dialog must show while the main window is minimised.
    CBackupProgressDlg progress(SpecOfRun(bUnattended));
    CRunOutcome outcome = progress.Run();
    // The record before the result: an unattended run's program ends with
    // its result window.
    CRunRecord record = StartRunRecord("バックアップ", *pDoc, start);
    SetBackupOutcome(record, outcome);
    CString strLogFailure = KeepRunRecord(m_settings.KeepsRunLog(), record);
    if (!IsCompletedRun(outcome.nStatus))
        ReportFailedRun(outcome.nStatus, strLogFailure);
    else
        ReportFinishedRun(outcome, strLogFailure);
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

void CBackupCommand::ReportFailedRun(int nStatus, const CString& strLogFailure) {
    CString strText = StatusMessage(nStatus);
    ShowError(m_host.GetForm(), strLogFailure.IsEmpty() ? strText : strText + "\n" + strLogFailure);
    m_host.GetLog().Append(strText);
    if (!strLogFailure.IsEmpty())
        m_host.GetLog().Append(strLogFailure);
}

void CBackupCommand::ReportFinishedRun(const CRunOutcome& outcome, const CString& strLogFailure) {
    // No parent either: the main window is still minimised.
    CBackupResultDlg result;
    result.m_strTotal = Decimal(outcome.nTotal);
    result.m_strNew = Decimal(outcome.nNew);
    result.m_strUpdated = Decimal(outcome.nUpdated);
    result.m_strDeleted = Decimal(outcome.nDeleted);
    // The guard's warnings name folders, not files that were not backed
    // up; they send the user to the log all the same.
    int nGuarded = outcome.nGuardedEntries;
    result.m_strMessage = ResultMessage(
        outcome.strResultText, CountWarnings(outcome.strWarnings) - nGuarded, nGuarded > 0);
    if (!strLogFailure.IsEmpty())
        result.m_strMessage += "\n" + strLogFailure;
    result.DoModal();
    // The restore page's tree shows the mirrors as the run left them.
    m_restore.RebuildTree();

    CLogPanel& log = m_host.GetLog();
    log.AppendLines(BackupCountLines(outcome));
    log.AppendLines(outcome.strWarnings);
    if (!strLogFailure.IsEmpty())
        log.Append(strLogFailure);
}
