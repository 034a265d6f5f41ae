// The record of one backup run, shared by the progress dialog (user-interface
// thread) and the worker thread, with the walks that do the run.
//
// Sharing rules: the status text and its changed flag are guarded by the
// named mutex m_hMutex, which both sides only try (time-out 0) and never
// wait on. The two byte totals are atomic: the worker adds to them, the
// dialog reads them, and takes the bytes to copy back to 0 once, at the
// go-ahead, without losing an addition. Every other flag and counter is
// written by one side and polled by the other.
#pragma once

#include <atomic>

#include "FileFacts.h"
#include "ObList.h"
#include "SourceFile.h"
#include "String.h"
#include "WorkLists.h"

// Status codes of a run; other values are system error codes.
enum {
    STATUS_OK = 0,
    STATUS_ABORTED = 1,
    STATUS_SOURCE_MISSING = 3,
    STATUS_NO_SPACE = 112,
};

// The warning of a folder link that a walk did not follow.
extern const char* const LINK_WARNING;
// The warnings of a source entry, and of a mirror entry, whose name the
// code page cannot hold: no path of the program reaches it, so it is
// neither copied nor removed (the path shows "?" for what is missing).
extern const char* const SOURCE_NAME_WARNING;
extern const char* const MIRROR_NAME_WARNING;

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

class CBackupJob {
public:
    CBackupJob();
    CBackupJob(const CBackupJob&) = delete;
    CBackupJob& operator=(const CBackupJob&) = delete;

    // Status text channel. A text set within STATUS_INTERVAL of the last
    // one offered waits (replaced by any later one) until a text is set
    // after the interval or the worker flushes it before a long step.
    void SetStatusText(const char* pszPrefix, const char* pszSuffix = nullptr);
    void FlushStatusText();
    bool TakeStatusText(CString& strOut);

    void SetHistoryLimit(int nLimit);
    void AccumulateSize(std::atomic<ULONGLONG>& nTotal, const char* pszPath);
    void AddToTotal(std::atomic<ULONGLONG>& nTotal, ULONGLONG nBytes);
    // The total so far; with bReset the total starts again from 0.
    ULONGLONG ReadBytesToCopy(bool bReset);
    ULONGLONG ReadBytesToFree(bool bReset);
    void AddToCopyList(const char* pszSource, const char* pszMirror, const char* pszHistoryName);
    void AddToDeleteList(const char* pszPath);

    // The run (worker thread).
    bool SurveySource(const char* pszFolder, const char* pszMirror, const char* pszTitle);
    void ProcessSource(const char* pszFolder, const char* pszMirror, const char* pszTitle);
    bool ExecuteLists();
    void CopyListed();

    // Synchronised copy and history.
    void CopyWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                  const char* pszHistoryName);
    void BackupFile(const char* pszSource, const char* pszMirror, const char* pszHistoryName);
    // The walk's step for one listed file: compared by the facts of both
    // listings (pMirror nullptr when the mirror has no such file).
    void BackupListedFile(const char* pszSource, const char* pszMirror, const char* pszHistoryName,
                          const CFileFacts& source, const CFileFacts* pMirror);
    bool ShiftHistory(const char* pszHistoryName, const char* pszFileName,
                      const char* pszExistingPath);

    // Removal of files that left the source.
    void RemovalWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                     const char* pszHistoryName);
    void DeleteListed();

    // Appends "Warning : " + path + text; a warning that finds no memory is
    // dropped and the run goes on.
    void AddWarning(const char* pszPath, const char* pszText);

    CString m_strStatus;
    int m_bStatusChanged = 0;
    int m_nHistoryLimit = 0;
    int m_nHistoryDepth = 0;
    std::atomic<ULONGLONG> m_nBytesToCopy{0};
    std::atomic<ULONGLONG> m_nBytesToFree{0};
    CCopyList m_copyList;
    CDeleteList m_deleteList;
    int m_bCopyListOk = 1;
    int m_bDeleteListOk = 1;
    int m_bSurvey = 0;
    CString m_strWarnings;
    CString m_strDestination; // the run's destination folder
    CString m_strHistoryRoot;
    CString m_strNoCopy;
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
    std::atomic<int> m_bAwaitGo{0};
    CObList m_entries{10};
    HANDLE m_hMutex = nullptr; // lent by the progress logic, which owns it
    // The clock of the status text's interval, in ms; tests replace it.
    ULONGLONG (*m_pfnTickCount)() = &GetTickCount64;

private:
    void OfferStatusText(ULONGLONG nNow);
    void SurveyFile(const char* pszSource, const char* pszMirror, const char* pszHistoryName,
                    int nKind, ULONGLONG nSourceSize);
    SourceFolderState RemovalLevel(const char* pszSourceFolder, const char* pszMirrorFolder,
                                   const char* pszHistoryName, const char* pszAnchor);
    bool ReplaceMirrorFile(CSourceFile& source, const char* pszSource, const char* pszMirror,
                           const char* pszHistoryName, const char* pszFileName, bool bChanged,
                           CCopyProgress* pProgress);
    void ReportCopyFailure(const char* pszSource);
    bool PassesFilters(const char* pszPath) const;
    // Worker only: the status text not yet offered, and when one was.
    char m_szPendingStatus[280] = {};
    bool m_bStatusPending = false;
    bool m_bStatusOffered = false;
    ULONGLONG m_nStatusOfferedAt = 0;
};

// The worker: surveys every entry, waits for the go-ahead, then executes the
// lists (or walks every entry again when a list ran out of memory).
UINT BackupThreadProc(LPVOID pJob);
