// The backup run on the worker thread: a survey of every source entry that
// builds the delete and copy lists, the wait for the dialog's go-ahead, and
// the execution of the lists, or, when a list ran out of memory, a second
// walk of every entry that does the work directly.
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "BackupJob.h"
#include "BackupSource.h"
#include "EntryPlan.h"
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
    CCopyList::CReader reader(m_copyList);
    CCopyItem item;
    CString strMadeFolder; // the folder of the line before, already made
    while (reader.Next(item)) {
        SetHistoryLimit(item.nHistoryLimit);
        // Lines of one folder follow each other: its chain is made once.
        CString strFolder = item.strMirror.Left(FindBackslash(item.strMirror, false));
        if (strFolder != strMadeFolder) {
            strMadeFolder = MakeFolderChain(item.strMirror, false) ? strFolder : CString();
        }
        BackupFile(item.strSource, item.strMirror, item.strHistoryName);
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

// Each entry is planned once per run (EntryPlan.h); an entry that may not
// run is reported once, in the survey.
class CEntryPlans {
public:
    explicit CEntryPlans(CBackupJob& job) : m_job(job), m_planner(job.m_strDestination) {}

    // The plan of the entry at this position of the run, or nullptr.
    const CEntryPlan* For(int nIndex, const CBackupSource& source) {
        if (static_cast<size_t>(nIndex) >= m_plans.size())
            m_plans.resize(static_cast<size_t>(nIndex) + 1);
        CSlot& slot = m_plans[static_cast<size_t>(nIndex)];
        if (!slot.bPlanned) {
            slot.bPlanned = true;
            slot.bSafe = m_planner.Plan(source, slot.plan);
            if (!slot.bSafe)
                m_job.AddWarning(source.m_strFolder, " がコピーされませんでした。\n");
        }
        return slot.bSafe ? &slot.plan : nullptr;
    }

private:
    struct CSlot {
        bool bPlanned = false;
        bool bSafe = false;
        CEntryPlan plan;
    };
    CBackupJob& m_job;
    CEntryPlanner m_planner;
    std::vector<CSlot> m_plans;
};

enum EntryCheck { ENTRY_RUN, ENTRY_SKIP, ENTRY_MISSING };

// A folder text that names no folder plainly (EntryPlan.h) is refused
// before it is looked up, so it never stops the run as a missing source.
EntryCheck CheckEntry(const CBackupSource& source, int nIndex, CEntryPlans& plans,
                      const CEntryPlan*& pPlan) {
    CString strFolder;
    if (!NormalizeFolderPath(source.m_strFolder, strFolder)) {
        plans.For(nIndex, source);
        return ENTRY_SKIP;
    }
    int nKind = GetPathKind(strFolder);
    if (nKind == PATH_MISSING)
        return ENTRY_MISSING;
    if (nKind == PATH_FILE)
        return ENTRY_SKIP;
    pPlan = plans.For(nIndex, source);
    return pPlan ? ENTRY_RUN : ENTRY_SKIP;
}

bool Survey(CBackupJob& job, CEntryPlans& plans) {
    int nIndex = 0;
    for (POSITION pos = job.m_entries.GetHeadPosition(); pos; ++nIndex) {
        const CBackupSource& source = *static_cast<CBackupSource*>(job.m_entries.GetNext(pos));
        LoadEntrySettings(job, source);
        const CEntryPlan* pPlan = nullptr;
        EntryCheck check = CheckEntry(source, nIndex, plans, pPlan);
        if (check == ENTRY_MISSING) {
            job.m_nStatus = STATUS_SOURCE_MISSING;
            break;
        }
        if (check == ENTRY_RUN)
            job.SurveySource(pPlan->strFolder, pPlan->strMirror, pPlan->strTitle);
        if (job.m_bAbort)
            return false;
    }
    return true;
}

bool AwaitGoAhead(CBackupJob& job) {
    job.FlushStatusText();
    job.m_bAwaitGo = 1;
    for (;;) {
        Sleep(10);
        if (job.m_bAbort)
            return false;
        if (!job.m_bAwaitGo)
            return !job.m_bAbort; // an abort set with the go-ahead still wins
    }
}

void ProcessDirectly(CBackupJob& job, CEntryPlans& plans) {
    int nIndex = 0;
    for (POSITION pos = job.m_entries.GetHeadPosition(); pos; ++nIndex) {
        const CBackupSource& source = *static_cast<CBackupSource*>(job.m_entries.GetNext(pos));
        LoadEntrySettings(job, source);
        const CEntryPlan* pPlan = nullptr;
        EntryCheck check = CheckEntry(source, nIndex, plans, pPlan);
        if (check == ENTRY_MISSING) {
            job.m_nStatus = STATUS_SOURCE_MISSING;
            return;
        }
        if (check == ENTRY_RUN) {
            if (!IsExistingFolder(pPlan->strMirror))
                CreateDirectoryA(pPlan->strMirror, nullptr);
            job.ProcessSource(pPlan->strFolder, pPlan->strMirror, pPlan->strTitle);
        }
        if (job.m_bAbort)
            return;
    }
}

} // namespace

namespace {

void RunJob(CBackupJob& job) {
    // Copies staged there (paths too long beside their target) by a run
    // that was killed.
    RemoveStagingFiles(job.m_strHistoryRoot);
    CEntryPlans plans(job);
    if (Survey(job, plans) && AwaitGoAhead(job)) {
        if (!job.ExecuteLists())
            ProcessDirectly(job, plans);
    }
}

} // namespace

UINT BackupThreadProc(LPVOID pParam) {
    CBackupJob& job = *static_cast<CBackupJob*>(pParam);
    try {
        RunJob(job);
    } catch (const std::bad_alloc&) {
        // Out of memory where no list or warning could absorb it (a path
        // text, a list line taken apart): the run stops, never as a
        // success, and the program goes on.
        job.m_nStatus = ERROR_NOT_ENOUGH_MEMORY;
        job.m_bAbort = 1;
    }
    job.FlushStatusText();
    job.m_bFinished = 1;
    return 0;
}
