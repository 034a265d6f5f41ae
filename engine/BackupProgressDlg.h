// The small modal window of a backup run: the current file, the space line,
// the progress bar and the abort button. The run itself and the polling
// logic are CBackupProgress's; this window shows each tick and never ends
// while the worker still runs.
#pragma once

#include "BackupProgress.h"
#include "Dialog.h"
#include "ListBox.h"
#include "ProgressCtrl.h"

class CBackupProgressDlg : public CDialog {
    // First, so that the references below are bound to a constructed object.
    CBackupProgress m_progress;

public:
    explicit CBackupProgressDlg(CWnd* pParentWnd = nullptr);

    CListBox* m_pNoCopyList = nullptr; // the never-copied extensions, set by the caller
    CString& m_strDestination;         // in: the destination; out: the result text
    CBackupJob* const m_pJob;          // owned by the progress logic
    CString m_strLabel1;               // status text shown in the first label
    CString m_strLabel2;               // space text shown in the second label

    // Free-space query of the go-ahead; tests replace it.
    void SetFreeSpaceQuery(ULONGLONG (*pfnGetFreeSpace)(const char*)) {
        m_progress.m_pfnGetFreeSpace = pfnGetFreeSpace;
    }

protected:
    bool OnInitDialog() override;
    // Enter, Escape and the close box end the dialog only once the run is
    // over: the job must outlive its worker.
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnAbort();
    void OnDestroy();
    // The session ends (log-off, shut-down): the process may be ended as
    // soon as this returns, so the worker is stopped and waited for first,
    // between two files.
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    const CMessageMap* GetMessageMap() const override;

private:
    void Apply(const CProgressTick& tick);

    CProgressCtrl m_bar;
};
