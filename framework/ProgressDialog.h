// The small modal window of a worker that runs while it shows (a backup, a
// restore): it starts the worker, polls it every 10 ms, closes itself on the
// first poll after the worker has finished, and never ends while the worker
// runs, so that everything the worker reads outlives it.
//
// One rule for the keys: Enter does nothing while the worker runs; Escape
// and the close box ask it to stop, as the abort button does, and the window
// closes once it has. Should the window be destroyed all the same (its owner
// goes, the session ends), it stops the worker and waits for it first.
//
// A derived window maps its abort button to OnAbort and fills in the five
// steps below.
#pragma once

#include "Dialog.h"

class CProgressDialog : public CDialog {
public:
    CProgressDialog(UINT nIDTemplate, CWnd* pParentWnd);

protected:
    // Starts the worker. When it cannot start, the worker counts as
    // finished (the derived window records the failure).
    virtual void StartWorker() = 0;
    // One poll: whatever the worker has to show.
    virtual void ShowProgress() = 0;
    virtual bool IsWorkerFinished() const = 0;
    // Asks the worker to stop between two steps.
    virtual void StopWorker() = 0;
    // Stops the worker unless it has finished, and waits until it has.
    virtual void EndWorker() = 0;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // The abort button.
    void OnAbort() { StopWorker(); }
    const CMessageMap* GetMessageMap() const override;

private:
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    // The session ends (log-off, shut-down): the process may be ended as
    // soon as this returns, so the worker is stopped and waited for first.
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
};
