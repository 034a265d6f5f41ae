// A backup run as its front ends see it: one call starts it on its worker,
// one tells how it ended. The progress dialog polls it every 10 ms for what
// to show; the fault driver and the benchmark just wait for its end.
//
//   CBackupRun run;
//   run.Start(spec);               // false: the outcome says why
//   ... run.Poll() on a timer, run.Abort() from a button ...
//   CRunOutcome outcome = run.GetOutcome();   // waits for the worker
#pragma once

#include <functional>

#include "BackupJob.h"
#include "RunSpec.h"
#include "String.h"
#include "WorkerThread.h"

// Upper bound of the progress bar's range (the control takes 16 bits).
const ULONGLONG PROGRESS_RANGE_LIMIT = 32000;

// What one poll asks the dialog to show or do.
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
    // The worker waits for the answer to this question (Answer). A tick
    // brings each question once.
    bool bQuestion = false;
    CRemovalQuestion question;
};

class CBackupRun {
public:
    CBackupRun();
    CBackupRun(const CBackupRun&) = delete;
    CBackupRun& operator=(const CBackupRun&) = delete;
    // Stops the worker and waits for it before the job goes away.
    ~CBackupRun();

    // The space check's query of the destination's free bytes, called on
    // the worker between the survey and the first deletion; the default
    // asks the system. Set it before Start.
    void SetFreeSpaceQuery(std::function<ULONGLONG(const char*)> query);

    // Starts the worker on the run. False when it cannot be started: the
    // run is then over, never as a success.
    bool Start(const CRunSpec& spec);
    // The dialog's side, on every tick.
    CProgressTick Poll();
    // The abort button: the worker stops between two files (a large copy
    // between two blocks) and the run ends as aborted.
    void Abort();
    // The answer to the question a tick brought: carry out the entry's
    // deletions, or leave them undone while its copies still run.
    void Answer(bool bCarryOut);
    bool IsFinished() const { return m_job.m_bFinished != 0; }
    bool IsWorkerRunning() const { return m_worker.IsRunning(); }
    // Waits for the worker, then tells how the run ended.
    CRunOutcome GetOutcome();
    // Stops the worker unless it has finished, and waits for it; a run cut
    // off that way never ends as a success. Safe to call more than once.
    void End();

    // The record the worker fills, for tests that look inside a run.
    CBackupJob& GetJob() { return m_job; }

private:
    void ShowGoAhead(CProgressTick& tick);

    CBackupJob m_job;
    CWorkerThread m_worker{m_job.m_bAbort};
    int m_nScale = 0; // the bar shows bytes copied >> m_nScale
    bool m_bProgress = false;
    bool m_bQuestionShown = false; // the waiting question went out in a tick
};

// Starts the run and polls it every nPollMs, as the progress dialog does,
// until it is over; onTick sees every tick. Without onTick it only waits.
CRunOutcome RunToEnd(CBackupRun& run, const CRunSpec& spec, DWORD nPollMs = 10,
                     const std::function<void(const CProgressTick&)>& onTick = {});
