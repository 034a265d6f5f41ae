// The small modal window of a restore (template 111): the file being
// restored and the abort button. It owns the status block, starts the
// worker on it and shows its status line (ProgressDialog.h has the rules for
// its keys and its end): the work items outlive every use of them.
#pragma once

#include "ProgressDialog.h"
#include "WorkerStatus.h"
#include "WorkerThread.h"

class CRestoreDlg : public CProgressDialog {
public:
    explicit CRestoreDlg(CWnd* pParentWnd = nullptr);

    // The work items (CRestorePair, owned by the caller) go into
    // m_status.m_items before DoModal; the count and the failures are read
    // after it.
    CWorkerStatus m_status;
    CString m_strText;       // the status line shown
    bool m_bAborted = false; // the user asked the restore to stop

    // True while the worker's thread runs, before and after DoModal: once
    // DoModal has returned it must be false.
    bool IsWorkerRunning() const { return m_worker.IsRunning(); }

protected:
    void StartWorker() override;
    void ShowProgress() override;
    bool IsWorkerFinished() const override { return m_status.m_bFinished != 0; }
    void StopWorker() override;
    void EndWorker() override;
    const CMessageMap* GetMessageMap() const override;

private:
    // Last, so that it stops and waits for the worker before the status
    // block goes.
    CWorkerThread m_worker{m_status.m_bStop};
};
