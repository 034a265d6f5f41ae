// The small modal window of a backup run: the current file, the space line,
// the progress bar and the abort button. The run is CBackupRun's; this
// window starts it, shows each poll and never ends while the worker runs.
#pragma once

#include <functional>

#include "BackupRun.h"
#include "Dialog.h"
#include "ProgressCtrl.h"

class CBackupProgressDlg : public CDialog {
public:
    explicit CBackupProgressDlg(const CRunSpec& spec, CWnd* pParentWnd = nullptr);

    // The space check's free-space query; tests replace it.
    void SetFreeSpaceQuery(std::function<ULONGLONG(const char*)> query) {
        m_run.SetFreeSpaceQuery(std::move(query));
    }
    // How the run ended, once the dialog has.
    CRunOutcome GetOutcome() { return m_run.GetOutcome(); }
    bool IsRunFinished() const { return m_run.IsFinished(); }

    CString m_strLabel1; // status text shown in the first label
    CString m_strLabel2; // space text shown in the second label

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

    CRunSpec m_spec;
    CBackupRun m_run;
    CProgressCtrl m_bar;
};
