// The backup run on the worker thread: a survey of every source entry that
// builds the delete and copy lists, the space check, and the execution of
// the lists, or, when a list ran out of memory, a second walk of every
// entry that does the work directly.
#include <new>
#include <vector>

#include "BackupJob.h"
#include "CopyWorkers.h"
#include "EntryPlan.h"
#include "FileOps.h"
#include "PathCalls.h"
#include "PathText.h"

bool CBackupJob::SurveySource(const char* pszFolder, const char* pszMirror, const char* pszTitle,
                              size_t nEntry) {
    m_bSurvey = 1;
    // The figures of this entry's removal pass are what it adds to the
    // run's: what the copy walk adds to the same lists and totals is held
    // until they are taken (SurveyWalk.cpp).
    CEntryRemovals removals;
    removals.nEntry = nEntry;
    removals.strFolder = pszFolder;
    removals.nMirrorFiles = -m_nMirrorFiles;
    removals.nGone = -m_nDeleted;
    removals.nFreed = ReadBytesToFree(false);
    removals.nFirstDelete = m_deleteList.GetCount();
    removals.nFirstKept = m_keptList.GetCount();
    SurveyWalk(pszFolder, pszMirror, pszTitle);
    removals.nMirrorFiles += m_nMirrorFiles;
    removals.nGone += m_nDeleted;
    removals.nFreed = ReadBytesToFree(false) - removals.nFreed;
    removals.nEndDelete = m_deleteList.GetCount();
    removals.nEndKept = m_keptList.GetCount();
    m_removals.push_back(removals);
    ReleaseHeldCopyEffects();
    return m_bCopyListOk && m_bDeleteListOk;
}

void CBackupJob::ProcessSource(const char* pszFolder, const char* pszMirror, const char* pszTitle,
                               bool bRemovals) {
    m_bSurvey = 0;
    if (bRemovals)
        RemovalWalk(pszFolder, pszMirror, pszTitle);
    if (!m_bAbort)
        CopyWalk(pszFolder, pszMirror, pszTitle);
}

bool CBackupJob::ExecuteLists() {
    if (!m_bCopyListOk || !m_bDeleteListOk)
        return false;
    DeleteListed();
    if (!m_bAbort)
        KeepListed();
    CopyListed();
    return true;
}

void CBackupJob::CopyListed() {
    m_bSurvey = 0;
    CCopyWorkers workers(*this);
    workers.Run(m_nCopyWorkers);
}

void CBackupJob::LoadEntryOptions(const CSourceSpec& source) {
    m_strExtensions = source.strExtensions;
    m_nFilterMode = source.nFilterMode;
    m_bSubfolders = source.bSubfolders;
    SetHistoryLimit(source.nHistoryLimit);
}

namespace {

// Each entry is planned once per run (EntryPlan.h); an entry that may not
// run is reported once, in the survey.
class CEntryPlans {
public:
    explicit CEntryPlans(CBackupJob& job) : m_job(job), m_planner(job.m_spec.strDestination) {}

    // The plan of the entry at this position of the run, or nullptr.
    const CEntryPlan* For(size_t nIndex, const CSourceSpec& source) {
        if (nIndex >= m_plans.size())
            m_plans.resize(nIndex + 1);
        CSlot& slot = m_plans[nIndex];
        if (!slot.bPlanned) {
            slot.bPlanned = true;
            slot.bSafe = m_planner.Plan(source, slot.plan);
            if (!slot.bSafe)
                m_job.AddWarning(source.strFolder, NOT_COPIED_WARNING);
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
EntryCheck CheckEntry(const CSourceSpec& source, size_t nIndex, CEntryPlans& plans,
                      const CEntryPlan*& pPlan) {
    CString strFolder;
    if (!NormalizeFolderPath(source.strFolder, strFolder)) {
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

enum WalkEnd { WALK_DONE, WALK_SOURCE_MISSING, WALK_ABORTED };

// Walks every entry that may run, in order, with its options loaded. A
// missing source ends the walk with its status.
template <class Walk> WalkEnd ForEachEntry(CBackupJob& job, CEntryPlans& plans, Walk walk) {
    for (size_t nIndex = 0; nIndex < job.m_spec.sources.size(); ++nIndex) {
        const CSourceSpec& source = job.m_spec.sources[nIndex];
        job.LoadEntryOptions(source);
        const CEntryPlan* pPlan = nullptr;
        EntryCheck check = CheckEntry(source, nIndex, plans, pPlan);
        if (check == ENTRY_MISSING) {
            job.m_nStatus = STATUS_SOURCE_MISSING;
            return WALK_SOURCE_MISSING;
        }
        if (check == ENTRY_RUN)
            walk(nIndex, *pPlan);
        if (job.m_bAbort)
            return WALK_ABORTED;
    }
    return WALK_DONE;
}

// False when the run was aborted; a missing source still lets the lists of
// the entries before it run, and the run ends with its status.
bool Survey(CBackupJob& job, CEntryPlans& plans) {
    return ForEachEntry(job, plans, [&job](size_t nIndex, const CEntryPlan& plan) {
               job.SurveySource(plan.strFolder, plan.strMirror, plan.strTitle, nIndex);
           }) != WALK_ABORTED;
}

// The free space plus the bytes the run frees must exceed the bytes to copy
// and a margin. A failed check ends the run before anything is deleted.
bool CheckSpace(CBackupJob& job) {
    job.m_status.Flush();
    if (job.m_bAbort)
        return false;
    ULONGLONG nAvailable = job.m_freeSpaceQuery(job.m_strHistoryRoot) + job.ReadBytesToFree(false);
    // From here on the total counts the bytes copied.
    ULONGLONG nToCopy = job.ReadBytesToCopy(true);
    if (nToCopy + SPACE_MARGIN >= nAvailable) {
        job.m_nStatus = STATUS_NO_SPACE;
        job.m_bAbort = 1;
        return false;
    }
    job.m_nSpaceAvailable = nAvailable;
    job.m_nSpaceToCopy = nToCopy;
    job.m_bGoAhead = 1;   // last: the figures above are written
    return !job.m_bAbort; // an abort during the query still wins
}

void ProcessDirectly(CBackupJob& job, CEntryPlans& plans) {
    ForEachEntry(job, plans, [&job](size_t nIndex, const CEntryPlan& plan) {
        if (!IsExistingFolder(plan.strMirror))
            CreateFolderAt(plan.strMirror);
        job.ProcessSource(plan.strFolder, plan.strMirror, plan.strTitle,
                          !job.IsRemovalSkipped(nIndex));
    });
}

} // namespace

namespace {

void RunJob(CBackupJob& job) {
    // Copies staged there (paths too long beside their target) by a run
    // that was killed.
    RemoveStagingFiles(job.m_strHistoryRoot);
    CEntryPlans plans(job);
    if (!Survey(job, plans))
        return;
    job.GuardRemovals();
    if (CheckSpace(job) && !job.ExecuteLists())
        ProcessDirectly(job, plans);
    // Any other end (an abort, a failure, a missing source) says more.
    int nOk = STATUS_OK;
    if (job.m_nGuardedEntries > 0)
        job.m_nStatus.compare_exchange_strong(nOk, STATUS_REMOVALS_SKIPPED);
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
    job.m_status.Flush();
    job.m_bFinished = 1;
    return 0;
}
