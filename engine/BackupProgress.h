// What the backup progress dialog does, without its window: it owns the job,
// starts the worker, and on every 10 ms timer tick takes the status text,
// gives the go-ahead after checking the free space, scales and moves the
// progress bar, and notices the end of the run. The dialog applies each
// tick's result to its controls.
#pragma once

#include "BackupJob.h"
#include "Handle.h"
#include "String.h"
#include "WinThread.h"

// Upper bound of the progress bar's range (the control takes 16 bits).
const ULONGLONG PROGRESS_RANGE_LIMIT = 32000;

// What one timer tick asks the dialog to show or do.
struct CProgressTick {
    bool bStatusText = false; // show strStatusText in the status label
    CString strStatusText;
    bool bSpaceText = false; // show strSpaceText in the space label
    CString strSpaceText;
    bool bSetRange = false; // set the bar's range to 0..nRangeMax
    int nRangeMax = 0;
    bool bSetPos = false; // move the bar to nPos
    int nPos = 0;
    bool bClose = false; // the run is over: close the dialog
};

class CBackupProgress {
public:
    CBackupProgress();
    CBackupProgress(const CBackupProgress&) = delete;
    CBackupProgress& operator=(const CBackupProgress&) = delete;
    // Waits for the worker before the job goes away.
    ~CBackupProgress();

    // Sets up the job from the destination and the never-copied extensions,
    // creates the status mutex and starts the worker. False when the worker
    // cannot be started (the run is then over with the system's error code).
    bool Start(const CString& strNoCopy);
    CProgressTick OnTimer();
    // The abort button.
    void OnAbort();
    // Waits until the worker has ended and closes the mutex; safe to call
    // more than once.
    void End();
    bool IsWorkerRunning() const;

    // Free-space query used by the go-ahead; tests replace it.
    ULONGLONG (*m_pfnGetFreeSpace)(const char* pszPath);

    CString m_strDestination; // in: the destination; out: the result text
    CBackupJob* m_pJob;
    int m_nScale = 0;
    int m_bProgress = 0;

private:
    // False when the space check failed: the run is then aborted with
    // STATUS_NO_SPACE and the worker never goes ahead.
    bool GoAhead(CProgressTick& tick);

    CWinThread* m_pThread = nullptr;
    CHandle m_hStatusMutex; // lent to the job for the time of the run
};
