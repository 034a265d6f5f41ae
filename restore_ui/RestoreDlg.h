// The small modal window of a restore (template 111): the file being
// restored and the abort button. It owns the status block, starts the
// worker on it and polls it every 10 ms; it closes on the first tick after
// the worker has finished.
//
// Enter does nothing, and Escape and the close box ask the worker to stop
// as the abort button does: the window ends only once the worker has, so
// the work items outlive every use of them. Should the window be destroyed
// all the same (its owner goes), it stops the worker and waits for it first.
#pragma once

#include "Dialog.h"
#include "WinThread.h"
#include "WorkerStatus.h"

class CRestoreDlg : public CDialog {
public:
    explicit CRestoreDlg(CWnd* pParentWnd = nullptr);
    ~CRestoreDlg() override;

    // The work items (CRestorePair, owned by the caller) go into
    // m_status.m_items before DoModal; the count and the failures are read
    // after it.
    CWorkerStatus m_status;
    CString m_strText;       // the status line shown
    bool m_bAborted = false; // the user asked the restore to stop

    // True while the worker's thread runs, before and after DoModal: once
    // DoModal has returned it must be false.
    bool IsWorkerRunning() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnAbort();
    void OnDestroy();
    const CMessageMap* GetMessageMap() const override;

private:
    void EndWorker();

    CWinThread* m_pThread = nullptr;
};
