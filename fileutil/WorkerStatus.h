// The record a worker thread shares with the dialog that owns it: the
// restore (its copies) and the folder totals of the information dialog
// (files, subfolders, bytes).
//
// Thread contract:
// - the status line passes through m_text (StatusChannel.h), which the
//   owning dialog opens before the worker starts and closes after it ends.
// - m_nCount, m_nCount2, m_nBytes, m_bFinished, the failure list and the
//   restore's m_bFailedStop and m_nNotTried are written by the worker only.
//   The dialog polls the counters and the finished flag; the failure list
//   and the restore's two are read once the worker has ended.
// - m_bStop is written by the dialog (abort, close) and by the restore
//   worker itself (a failed copy); the worker polls it.
// - m_items is filled before the worker starts and emptied by its owner
//   only after the worker has ended; the worker only reads it.
#pragma once

#include <atomic>

#include "ObList.h"
#include "StatusChannel.h"
#include "StringList.h"

class CWorkerStatus {
public:
    CWorkerStatus() = default;
    CWorkerStatus(const CWorkerStatus&) = delete;
    CWorkerStatus& operator=(const CWorkerStatus&) = delete;

    // Worker side: one path that could not be restored, for the log. Never
    // throws: a path that finds no memory is only counted.
    void AddFailure(const char* pszPath);

    CStatusChannel m_text;              // "復元中 : x.txt"
    std::atomic<LONG> m_nCount{0};      // restore: copies tried; totals: files
    std::atomic<LONG> m_nCount2{0};     // totals: subfolders
    std::atomic<ULONGLONG> m_nBytes{0}; // totals: bytes, 64 bits (folders pass 4 GiB)
    std::atomic<int> m_bFinished{0};
    std::atomic<int> m_bStop{0};
    CObList m_items; // work items, owned by whoever filled the list
    // Restore: how many paths could not be restored, and those paths in
    // the order met (as many as memory allowed).
    std::atomic<LONG> m_nFailed{0};
    CStringList m_failures;
    // Restore: a failed copy or folder stopped the walks, and how many
    // listed folder items came after that and were not tried at all.
    std::atomic<int> m_bFailedStop{0};
    std::atomic<LONG> m_nNotTried{0};
};
