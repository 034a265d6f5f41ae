// Runs a whole backup the way the progress dialog does: the worker on its
// thread, this thread polling every 10 ms until the run is over.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "BackupRun.h"
#include "BackupSource.h"
#include "PathText.h"
#include "RunSpecOfSet.h"
#include "ScratchTree.h"

// The outcome, and what the polls showed on the way.
struct CRunResult : CRunOutcome {
    CRunResult() { nStatus = -1; }
    std::vector<CString> statusTexts;
    int nRangeMax = -1;
    std::vector<int> positions; // every position the bar was set to
    CString strSpaceText;
    std::vector<CRemovalQuestion> questions; // every question the guard asked
};

// A source entry mirrored into destination\<name>.
inline std::unique_ptr<CBackupSource>
MakeSource(const CString& strFolder, const CString& strDestination, const char* pszHistory = "1") {
    auto source = std::make_unique<CBackupSource>(strFolder);
    source->m_strMirror = JoinPath(strDestination, GetLastComponent(strFolder));
    CBackupSource::SetOption(source->m_szHistory, pszHistory);
    return source;
}

struct CRunOptions {
    CString strNoCopy;
    // Replaces the free-space query when set.
    ULONGLONG (*pfnFreeSpace)(const char*) = nullptr;
    // Called on every tick with the run (abort, inspection).
    void (*pfnOnTick)(CBackupRun&, void*) = nullptr;
    void* pTickContext = nullptr;
    // Makes the copy list run out of memory after this many lines.
    INT_PTR nCopyListLimit = -1;
    INT_PTR nDeleteListLimit = -1;
    // The dialog polls every 10 ms; a test may poll faster.
    DWORD nPollMs = 10;
    // Copies made at once; 0 leaves the run's own number. Files from this
    // size on are copied alone (0: the run's own size).
    int nCopyWorkers = 0;
    ULONGLONG nAloneCopySize = 0;
    bool bKeepDeleted = false;
    RemovalGuard guard = GUARD_SKIP;
    // Answers each question of the guard (GUARD_ASK); true carries the
    // deletions out. Without it every question is answered "skip".
    bool (*pfnAnswer)(CBackupRun&, const CRemovalQuestion&, void*) = nullptr;
};

// The entries as the backup set hands them to the engine.
inline CRunSpec SpecOf(const std::vector<CBackupSource*>& sources, const CString& strDestination,
                       const CString& strNoCopy) {
    CRunSpec spec;
    spec.strDestination = strDestination;
    spec.strNoCopy = strNoCopy;
    for (CBackupSource* pSource : sources)
        spec.sources.push_back(SpecOfSource(*pSource));
    return spec;
}

inline CRunResult RunBackup(const std::vector<CBackupSource*>& sources,
                            const CString& strDestination, const CRunOptions& options = {}) {
    CBackupRun run;
    if (options.pfnFreeSpace)
        run.SetFreeSpaceQuery(options.pfnFreeSpace);
    run.GetJob().m_copyList.FailAllocationsAfter(options.nCopyListLimit);
    run.GetJob().m_deleteList.FailAllocationsAfter(options.nDeleteListLimit);
    if (options.nCopyWorkers > 0)
        run.GetJob().m_nCopyWorkers = options.nCopyWorkers;
    if (options.nAloneCopySize > 0)
        run.GetJob().m_nAloneCopySize = options.nAloneCopySize;

    CRunResult result;
    CRunSpec spec = SpecOf(sources, strDestination, options.strNoCopy);
    spec.bKeepDeleted = options.bKeepDeleted;
    spec.removalGuard = options.guard;
    CRunOutcome outcome = RunToEnd(run, spec, options.nPollMs, [&](const CProgressTick& tick) {
        if (tick.bQuestion) {
            result.questions.push_back(tick.question);
            run.Answer(options.pfnAnswer &&
                       options.pfnAnswer(run, tick.question, options.pTickContext));
        }
        if (options.pfnOnTick)
            options.pfnOnTick(run, options.pTickContext);
        if (tick.bStatusText)
            result.statusTexts.push_back(tick.strStatusText);
        if (tick.bSetRange)
            result.nRangeMax = tick.nRangeMax;
        if (tick.bSetPos)
            result.positions.push_back(tick.nPos);
        if (tick.bSpaceText)
            result.strSpaceText = tick.strSpaceText;
    });
    static_cast<CRunOutcome&>(result) = outcome;
    return result;
}

inline CRunResult RunBackup(CBackupSource& source, const CString& strDestination,
                            const CRunOptions& options = {}) {
    return RunBackup(std::vector<CBackupSource*>{&source}, strDestination, options);
}

// A scratch tree with one source folder and a destination, and the source's
// entry mirrored into destination\<source folder name>.
class CBackupFixture : public testing::Test {
protected:
    CBackupFixture(const char* pszTree, const char* pszSourceFolder, const char* pszHistory = "1")
        : m_tree(pszTree) {
        m_strSource = m_tree.MakeFolder(pszSourceFolder);
        m_strDestination = m_tree.MakeFolder("dest");
        m_source = MakeSource(m_strSource, m_strDestination, pszHistory);
    }

    CString Mirror(const char* pszName) const { return m_source->m_strMirror + "\\" + pszName; }
    CRunResult Run(const CRunOptions& options = {}) {
        return RunBackup(*m_source, m_strDestination, options);
    }

    CScratchTree m_tree;
    CString m_strSource, m_strDestination;
    std::unique_ptr<CBackupSource> m_source;
};
