// The small modal window of a backup run (template 102): the current file,
// the space line, the progress bar and the abort button. The run is
// CBackupRun's; this window starts it and shows each poll (ProgressDialog.h
// has the rules for its keys and its end).
#pragma once

#include <functional>

#include "BackupRun.h"
#include "ProgressCtrl.h"
#include "ProgressDialog.h"

class CBackupProgressDlg : public CProgressDialog {
public:
    explicit CBackupProgressDlg(const CRunSpec& spec, CWnd* pParentWnd = nullptr);

    // The space check's free-space query; tests replace it.
    void SetFreeSpaceQuery(std::function<ULONGLONG(const char*)> query) {
        m_run.SetFreeSpaceQuery(std::move(query));
    }
    // Runs the dialog and tells how the run ended. A window that could not
    // open never ran the worker: that is a failure, never a finished run
    // with no counts.
    CRunOutcome Run();
    // How the run ended, once the dialog has.
    CRunOutcome GetOutcome() { return m_run.GetOutcome(); }
    bool IsRunFinished() const { return m_run.IsFinished(); }

    CString m_strLabel1; // status text shown in the first label
    CString m_strLabel2; // space text shown in the second label

protected:
    bool OnInitDialog() override;
    void StartWorker() override { m_run.Start(m_spec); }
    void ShowProgress() override;
    bool IsWorkerFinished() const override { return m_run.IsFinished(); }
    void StopWorker() override { m_run.Abort(); }
    void EndWorker() override;
    const CMessageMap* GetMessageMap() const override;

private:
    // The worker waits until the user has answered.
    void AskAboutRemovals(const CRemovalQuestion& question);

    CRunSpec m_spec;
    CBackupRun m_run;
    CProgressCtrl m_bar;
    bool m_bAsking = false; // the polls wait while the question is open
};
