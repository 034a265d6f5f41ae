// The copies of a run's copy list, made by several workers at once. Under
// wine every copy waits for the system more than it works, so a few copies
// side by side take far less time than one after the other. Each worker
// takes the next line in list order and makes its copy
// (CBackupJob::CopyItem); the run looks as one copy after the other would
// make it:
// - warnings come in list order, and a failure that stops the run stops it
//   at its own line: no later line is started, those under way stop
//   between two blocks, and none of them says anything;
// - two lines that share a mirror file or a history file (two entries of
//   the same folder name share their history) never run at once: the later
//   one waits for the earlier;
// - a file of ALONE_COPY_SIZE bytes or more (the job's m_nAloneCopySize)
//   is copied alone: its copy is
//   bound by the disk, where copies side by side only make it seek, and the
//   status line names it for as long as it takes;
// - an abort stops every copy between two files, a large one between two
//   blocks.
#pragma once

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "SlimLock.h"
#include "String.h"
#include "WorkLists.h"

class CBackupJob;

// Copies made at once by a run.
const int COPY_WORKERS = 4;
// Files this large are copied with no other copy beside them.
const ULONGLONG ALONE_COPY_SIZE = 1 << 20;

class CCopyWorkers {
public:
    explicit CCopyWorkers(CBackupJob& job);
    CCopyWorkers(const CCopyWorkers&) = delete;
    CCopyWorkers& operator=(const CCopyWorkers&) = delete;

    // Makes the copy of every line with nWorkers workers, this thread one of
    // them, and returns once they are all over (fewer workers when the
    // system gives no more threads).
    void Run(int nWorkers);

private:
    // A line a worker copies.
    struct CLine {
        size_t nIndex = 0;
        CCopyItem item;
        std::atomic<bool> bCancel{false};
    };
    // What the others must know of a line under way.
    struct CUnderWay {
        size_t nIndex;
        std::wstring strMirror, strHistory; // the files it writes
        bool bAlone;
        std::atomic<bool>* pbCancel;
    };
    struct CFailure {
        CString strSource;
        DWORD dwError;
    };

    static UINT WorkerProc(LPVOID pThis);
    void Work();
    // The next line, in order, once it may start; false when there is none
    // or the run stops.
    bool Take(CLine& line);
    void Done(const CLine& line, bool bOk, DWORD dwError);
    bool ReadNext();
    bool MayStartNext() const;
    // Reports, in list order, the failures of the lines before the first
    // one still under way.
    void Publish();

    CBackupJob& m_job;
    CSlimLock m_lock; // guards everything below
    CWakeCondition m_changed;
    CCopyList::CReader m_reader;
    bool m_bNext = false; // m_next holds the line after the last one taken
    CCopyItem m_next;
    CUnderWay m_nextKeys;
    size_t m_nTaken = 0;
    std::vector<CUnderWay> m_underWay;
    std::map<size_t, CFailure> m_failures; // by line, not yet reported
    size_t m_nStopAt;                      // no line from here on is started
    size_t m_nSilentFrom;                  // no failure from here on is reported
};
