// The record of one backup run, shared by the worker thread and whoever
// polls the run (the progress dialog on the user-interface thread), with the
// walks that do the run.
//
// Sharing rules: the status text passes through its channel (StatusChannel.h).
// The byte totals are atomic: the worker adds to them and the poller reads
// them; the worker takes the bytes to copy back to 0 at the go-ahead, from
// where on they count the bytes copied. The go-ahead's figures are written
// by the worker before it sets m_bGoAhead, and read by the poller only
// after it has seen the flag. m_spec and the free-space query are set
// before the worker starts and only read after. Every other flag and
// counter is written by one side and polled by the other.
#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "FileFacts.h"
#include "RemovalGuard.h"
#include "RunSpec.h"
#include "SourceFile.h"
#include "StatusChannel.h"
#include "String.h"
#include "WorkLists.h"

// Status codes of a run; other values are system error codes.
enum {
    STATUS_OK = 0,
    STATUS_ABORTED = 1,
    STATUS_SOURCE_MISSING = 3,
    STATUS_NO_SPACE = 112,
    // The run went through, but the guard left an entry's deletions undone
    // (RemovalGuard.h). Bit 29 marks a code of the program's own: no system
    // error code sets it.
    STATUS_REMOVALS_SKIPPED = 0x20000001,
};

// The warning of a folder link that a walk did not follow.
extern const char* const LINK_WARNING;
// The warnings of a source entry, and of a mirror entry, whose name the
// code page cannot hold: no path of the program reaches it, so it is
// neither copied nor removed (the path shows "?" for what is missing).
extern const char* const SOURCE_NAME_WARNING;
extern const char* const MIRROR_NAME_WARNING;
// The warning of a file or folder the run could not back up.
extern const char* const NOT_COPIED_WARNING;

// The status texts of a file being compared, and being copied.
extern const char* const SEARCHING_TEXT;
extern const char* const COPYING_TEXT;
// The status text while the removal pass looks for gone files.
extern const char* const REMOVAL_SEARCH_TEXT;

// Margin the space check adds to the bytes to copy.
const ULONGLONG SPACE_MARGIN = 524288;

// The worker offers the dialog a new status text at most this often (in
// ms): the dialog takes one every 10 ms, and offering one costs two round
// trips to the system for the mutex.
const ULONGLONG STATUS_INTERVAL = 10;

// A copy of at least this many bytes takes longer than the interval: its
// status text is offered before it starts, whenever the last offer was.
const ULONGLONG LONG_COPY_SIZE = 1 << 20;

// What the removal pass found of a source folder when it listed it.
enum SourceFolderState { SOURCE_NOT_LISTED, SOURCE_READABLE, SOURCE_GONE, SOURCE_UNREADABLE };

struct CWalkLevel;

// Appends "Warning : " + the path as the user reads it + text; a warning
// that finds no memory is dropped and the run goes on.
void AppendWarning(CString& strWarnings, const char* pszPath, const char* pszText);

class CBackupJob {
public:
    CBackupJob();
    CBackupJob(const CBackupJob&) = delete;
    CBackupJob& operator=(const CBackupJob&) = delete;

    void SetHistoryLimit(int nLimit) { m_nHistoryLimit = nLimit; }
    void AccumulateSize(std::atomic<ULONGLONG>& nTotal, const char* pszPath);
    void AddToTotal(std::atomic<ULONGLONG>& nTotal, ULONGLONG nBytes);
    // The total so far; with bReset the total starts again from 0.
    ULONGLONG ReadBytesToCopy(bool bReset);
    ULONGLONG ReadBytesToFree(bool bReset);
    // With the survey's verdict: a changed file (else a new one) and the
    // bytes counted for it.
    void AddToCopyList(const char* pszSource, const char* pszMirror, const char* pszHistoryName,
                       bool bChanged = false, ULONGLONG nSize = 0);
    void AddToDeleteList(const char* pszPath);
    void AddToDeleteList(CDeleteList& list, const char* pszPath);
    // A mirror file whose source has gone, to keep in the history.
    void AddToKeptList(const char* pszMirror, const char* pszHistoryName);

    // The run (worker thread). The entry's options go into the job before
    // each walk of it.
    void LoadEntryOptions(const CSourceSpec& source);
    // The survey of the entry at nEntry of the run's sources; what its
    // removal pass found goes to m_removals.
    bool SurveySource(const char* pszFolder, const char* pszMirror, const char* pszTitle,
                      size_t nEntry = 0);
    // The direct phase's walks of an entry; without bRemovals its removal
    // pass is left out (the guard left its deletions undone).
    void ProcessSource(const char* pszFolder, const char* pszMirror, const char* pszTitle,
                       bool bRemovals = true);
    bool ExecuteLists();
    // The copy list's lines, taken in order by m_nCopyWorkers workers.
    void CopyListed();

    // Synchronised copy and history.
    void CopyWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                  const char* pszHistoryName);
    // A source subfolder of the walk: walked into its mirror folder, unless
    // it is a link (bLink) or its mirror is one.
    void CopySubfolder(const char* pszSource, const char* pszMirror, const char* pszHistoryName,
                       const char* pszName, bool bLink);
    // The direct phase's step for one file to copy: copied, and a failure
    // reported at once.
    void BackupFile(const CCopyItem& item);
    // The execution's step for one file (MirrorCopy.cpp): compared with its
    // mirror again and, while they differ, staged, the mirror copy shifted
    // into the history, and the staged copy put in place. A file the survey
    // counted that another program holds is counted back to the total only.
    // The progress bar gets exactly the bytes the survey counted for it.
    // False when the copy failed, with dwError the system's error code
    // (ERROR_OPERATION_ABORTED when an abort, or *pbCancel, stopped it
    // between two blocks). Several run at once, for lines that share no
    // mirror file and no history file (CopyWorkers.h).
    bool CopyItem(const CCopyItem& item, const std::atomic<bool>* pbCancel, DWORD& dwError);
    // The warning, or the stop of the run, for a copy that failed; true
    // when it stopped the run.
    bool ReportCopyFailure(const char* pszSource, DWORD dwError);
    // The walk's step for one listed file: compared by the facts of both
    // listings (pMirror nullptr when the mirror has no such file).
    void BackupListedFile(const char* pszSource, const char* pszMirror, const char* pszHistoryName,
                          const CFileFacts& source, const CFileFacts* pMirror);
    // With the entry's limit (m_nHistoryLimit), or with nLimit.
    bool ShiftHistory(const char* pszHistoryName, const char* pszFileName,
                      const char* pszExistingPath);
    bool ShiftHistory(const char* pszHistoryName, const char* pszFileName,
                      const char* pszExistingPath, int nLimit);

    // The survey's walk of an entry: its removal pass and its copy walk at
    // once, each folder listed once for both (SurveyWalk.cpp).
    void SurveyWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                    const char* pszHistoryName);
    // Removal of files that left the source.
    void RemovalWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                     const char* pszHistoryName);
    void DeleteListed();
    // The keep list: each file moves into history generation 1 of its entry.
    void KeepListed();
    // The guard (RemovalGuard.cpp), between the survey and the space check:
    // every entry that would lose most of its mirror is asked about, or its
    // deletions are left undone, as m_spec.removalGuard has it.
    void GuardRemovals();
    // True when the entry at nEntry had its deletions left undone.
    bool IsRemovalSkipped(size_t nEntry) const;

    // The status text of a file: the prefix and the path shortened to fit
    // the one-line label.
    void ShowFile(const char* pszPrefix, const char* pszPath);

    // Appends "Warning : " + path + text; a warning that finds no memory is
    // dropped and the run goes on.
    void AddWarning(const char* pszPath, const char* pszText);
    // A warning of the copy walk: held while the survey walks both passes
    // at once.
    void AddCopyWarning(const char* pszPath, const char* pszText);

    // The run as it was given, and the destination's history root.
    CRunSpec m_spec;
    CString m_strHistoryRoot;
    // The free-space query of the space check, on the worker.
    std::function<ULONGLONG(const char*)> m_freeSpaceQuery;
    // "検索中 : ...", "Backup中 : ...": offered at most every STATUS_INTERVAL.
    CStatusChannel m_status{STATUS_INTERVAL};

    int m_nHistoryLimit = 0;
    // Copies made at once by the execution, and the size from which a file
    // is copied with no other beside it (CopyWorkers.h).
    int m_nCopyWorkers;
    ULONGLONG m_nAloneCopySize;
    std::atomic<ULONGLONG> m_nBytesToCopy{0};
    std::atomic<ULONGLONG> m_nBytesToFree{0};
    CCopyList m_copyList;
    CDeleteList m_deleteList;
    // Mirror files whose source has gone, kept in the history instead of
    // deleted (bKeepDeleted): each item's source and mirror name the mirror
    // file. It shares the delete list's flag.
    CCopyList m_keptList;
    // Files the removal pass met in the mirrors (survey only), and what it
    // found of each entry.
    int m_nMirrorFiles = 0;
    std::vector<CEntryRemovals> m_removals;
    // The guard's question: written by the worker before it sets
    // m_nQuestion to QUESTION_WAITING, read by the poller only after; the
    // poller answers through m_nQuestion (QuestionState).
    CRemovalQuestion m_question;
    std::atomic<int> m_nQuestion{QUESTION_NONE};
    int m_nGuardedEntries = 0;
    int m_bCopyListOk = 1;
    int m_bDeleteListOk = 1;
    int m_bSurvey = 0;
    CString m_strWarnings;
    // While the survey walks an entry's two passes at once, what the copy
    // walk adds to the warnings, the delete list and the bytes to free
    // waits here; it joins them once the entry is walked, after what the
    // removal pass added, as when the passes ran one after the other.
    int m_bHoldCopyEffects = 0;
    CString m_strHeldWarnings;
    CDeleteList m_heldDrops;
    std::atomic<ULONGLONG> m_nHeldBytesToFree{0};
    CString m_strExtensions;
    int m_nFilterMode = -1;
    int m_bSubfolders = 1;
    std::atomic<int> m_nTotal{0};
    std::atomic<int> m_nNew{0};
    std::atomic<int> m_nUpdated{0};
    std::atomic<int> m_nDeleted{0};
    std::atomic<int> m_nStatus{0};
    std::atomic<int> m_bFinished{0};
    std::atomic<int> m_bAbort{0};
    // The space check passed: the free space it found and the bytes to
    // copy, for the space line and the progress bar's range.
    std::atomic<int> m_bGoAhead{0};
    ULONGLONG m_nSpaceAvailable = 0;
    ULONGLONG m_nSpaceToCopy = 0;

private:
    SourceFolderState SurveyLevel(const char* pszSourceFolder, const char* pszMirrorFolder,
                                  const char* pszHistoryName, const char* pszAnchor);
    // A subfolder both passes enter, walked once for both.
    void SurveySubfolder(const CWalkLevel& level, const char* pszName);
    void ReleaseHeldCopyEffects();
    // The entries [nFirst, nEnd) of a level's listings, for each pass.
    void RemovalEntries(const CWalkLevel& level, size_t nFirst, size_t nEnd);
    void CopyEntries(CWalkLevel& level, size_t nFirst, size_t nEnd);
    void SurveyFile(const char* pszSource, const char* pszMirror, const char* pszHistoryName,
                    int nKind, ULONGLONG nSourceSize);
    SourceFolderState RemovalLevel(const char* pszSourceFolder, const char* pszMirrorFolder,
                                   const char* pszHistoryName, const char* pszAnchor);
    // A mirror subfolder's level, and its removal once its source has gone.
    void RemovalSubfolder(const char* pszSource, const char* pszMirror, const char* pszHistoryName,
                          const char* pszAnchor);
    // A mirror subfolder whose source was found gone is removed, once empty.
    void EndRemovalSubfolder(SourceFolderState state, const char* pszSource, const char* pszMirror,
                             const char* pszAnchor);
    // A mirror file whose source has gone: listed for deletion in the
    // survey, else shifted into the history or deleted.
    void RemoveGoneFile(const char* pszMirror, const char* pszHistoryName, const char* pszName);
    // Waits for the answer to the entry's question: true to carry out its
    // deletions. An abort ends the wait (and the run).
    bool AskCarryOut(const CEntryRemovals& removals);
    void SkipRemovals(CEntryRemovals& removals);
    bool ShiftInto(int nDepth, int nLimit, const char* pszHistoryName, const char* pszFileName,
                   const char* pszExistingPath);
    bool ReplaceMirrorFile(CSourceFile& source, const CCopyItem& item, const char* pszFileName,
                           bool bShiftHistory, DWORD dwMirror, CCopyProgress* pProgress);
    // A file the survey counted as new or changed turned out held by
    // another program: it counts in the total only.
    void CountBack(const CCopyItem& item);
    bool PassesFilters(const char* pszPath) const;
};

// The worker: surveys every entry, checks the space, then executes the lists
// (or walks every entry again when a list ran out of memory).
UINT BackupThreadProc(LPVOID pJob);
