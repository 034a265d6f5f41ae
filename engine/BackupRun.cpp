// The backup run on the worker thread: a survey of every source entry that
// builds the delete and copy lists, the wait for the dialog's go-ahead, and
// the execution of the lists, or, when a list ran out of memory, a second
// walk of every entry that does the work directly.
#include <cstdlib>
#include <cstring>

#include "BackupJob.h"
#include "BackupSource.h"
#include "FileOps.h"
#include "PathText.h"

bool CBackupJob::SurveySource(const char* pszFolder, const char* pszMirror, const char* pszTitle) {
    m_bSurvey = 1;
    RemovalWalk(pszFolder, pszMirror, pszTitle);
    if (!m_bAbort)
        CopyWalk(pszFolder, pszMirror, pszTitle);
    return m_bCopyListOk && m_bDeleteListOk;
}

void CBackupJob::ProcessSource(const char* pszFolder, const char* pszMirror, const char* pszTitle) {
    m_bSurvey = 0;
    RemovalWalk(pszFolder, pszMirror, pszTitle);
    if (!m_bAbort)
        CopyWalk(pszFolder, pszMirror, pszTitle);
}

bool CBackupJob::ExecuteLists() {
    if (!m_bCopyListOk || !m_bDeleteListOk)
        return false;
    DeleteListed();
    CopyListed();
    return true;
}

void CBackupJob::CopyListed() {
    m_bSurvey = 0;
    POSITION pos = m_copyList.GetHeadPosition();
    while (pos) {
        const CString& strLine = m_copyList.GetNext(pos);
        int nTab1 = strLine.Find('\t');
        int nTab2 = nTab1 < 0 ? -1 : strLine.Find('\t', nTab1 + 1);
        int nTab3 = nTab2 < 0 ? -1 : strLine.Find('\t', nTab2 + 1);
        if (nTab3 >= 0) {
            CString strSource = strLine.Left(nTab1);
            CString strMirror = strLine.Mid(nTab1 + 1, nTab2 - nTab1 - 1);
            CString strHistoryName = strLine.Mid(nTab2 + 1, nTab3 - nTab2 - 1);
            SetHistoryLimit(std::atoi(strLine.Mid(nTab3 + 1)));
            MakeFolderChain(strMirror, false);
            BackupFile(strSource, strMirror, strHistoryName);
        }
        if (m_bAbort)
            break;
    }
}

namespace {

// The current entry's options go into the job before each walk.
void LoadEntrySettings(CBackupJob& job, const CBackupSource& source) {
    job.m_strExtensions = source.m_strExtensions;
    job.m_nFilterMode = std::atoi(source.m_szFilterMode);
    job.m_bSubfolders = std::strcmp(source.m_szSubfolders, SUBFOLDERS_YES) == 0;
    job.SetHistoryLimit(std::atoi(source.m_szHistory));
}

// A mirror folder must be a full path: an empty or relative one (an entry
// never assigned to a destination) would mirror into, and remove files
// from, whatever the current directory is.
bool HasUsableMirror(const CBackupSource& source) {
    const CString& str = source.m_strMirror;
    if (str.GetLength() >= MAX_PATH)
        return false;
    bool bDrive = str.GetLength() >= 3 && str[1] == ':' && str[2] == '\\';
    bool bShare = str.GetLength() >= 3 && str[0] == '\\' && str[1] == '\\';
    return bDrive || bShare;
}

enum EntryCheck { ENTRY_RUN, ENTRY_SKIP, ENTRY_MISSING };

// bWarn: report an unusable entry (the survey does; the direct phase that
// follows it has already been told).
EntryCheck CheckEntry(CBackupJob& job, const CBackupSource& source, bool bWarn) {
    int nKind = GetPathKind(source.m_strFolder);
    if (nKind == PATH_MISSING)
        return ENTRY_MISSING;
    if (nKind == PATH_FILE)
        return ENTRY_SKIP;
    if (!HasUsableMirror(source) || source.m_strFolder.GetLength() >= MAX_PATH) {
        if (bWarn)
            job.m_strWarnings +=
                "Warning : " + source.m_strFolder + " がコピーされませんでした。\n";
        return ENTRY_SKIP;
    }
    return ENTRY_RUN;
}

bool Survey(CBackupJob& job) {
    POSITION pos = job.m_entries.GetHeadPosition();
    while (pos) {
        const CBackupSource& source = *static_cast<CBackupSource*>(job.m_entries.GetNext(pos));
        LoadEntrySettings(job, source);
        EntryCheck check = CheckEntry(job, source, true);
        if (check == ENTRY_MISSING) {
            job.m_nStatus = STATUS_SOURCE_MISSING;
            break;
        }
        if (check == ENTRY_RUN)
            job.SurveySource(source.m_strFolder, source.m_strMirror,
                             GetFolderTitle(source.m_strFolder));
        if (job.m_bAbort)
            return false;
    }
    return true;
}

bool AwaitGoAhead(CBackupJob& job) {
    job.m_bAwaitGo = 1;
    for (;;) {
        Sleep(10);
        if (job.m_bAbort)
            return false;
        if (!job.m_bAwaitGo)
            return true;
    }
}

void ProcessDirectly(CBackupJob& job) {
    POSITION pos = job.m_entries.GetHeadPosition();
    while (pos) {
        const CBackupSource& source = *static_cast<CBackupSource*>(job.m_entries.GetNext(pos));
        LoadEntrySettings(job, source);
        EntryCheck check = CheckEntry(job, source, false);
        if (check == ENTRY_MISSING) {
            job.m_nStatus = STATUS_SOURCE_MISSING;
            return;
        }
        if (check == ENTRY_RUN) {
            if (!IsExistingFolder(source.m_strMirror))
                CreateDirectoryA(source.m_strMirror, nullptr);
            job.ProcessSource(source.m_strFolder, source.m_strMirror,
                              GetFolderTitle(source.m_strFolder));
        }
        if (job.m_bAbort)
            return;
    }
}

} // namespace

UINT BackupThreadProc(LPVOID pParam) {
    CBackupJob& job = *static_cast<CBackupJob*>(pParam);
    if (Survey(job) && AwaitGoAhead(job)) {
        if (!job.ExecuteLists())
            ProcessDirectly(job);
    }
    job.m_bFinished = 1;
    return 0;
}
