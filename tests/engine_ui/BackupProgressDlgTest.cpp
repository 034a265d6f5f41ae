// The progress window around a real backup run: it shows the run, lets the
// abort button stop it, and cannot be closed while the worker runs.
#include <gtest/gtest.h>

#include "BackupHarness.h"
#include "BackupProgressDlg.h"
#include "resource.h"

namespace {

ULONGLONG PlentyOfSpace(const char*) {
    return 1ull << 40;
}

class BackupProgressDlgTest : public CBackupFixture {
protected:
    BackupProgressDlgTest() : CBackupFixture("progressdlg", "src表") {}
    void TearDown() override { AfxSetModalDialogHandler(nullptr); }

    void FillSource(int nFiles) {
        for (int i = 0; i < nFiles; ++i) {
            char sz[32];
            std::snprintf(sz, sizeof sz, "src表\\f%03d.txt", i);
            m_tree.WriteFile(sz, std::string(200, 'x'));
        }
    }

    // The fixture's source as a run, never copying strNoCopy's extensions.
    CRunSpec Spec(const char* pszNoCopy = "") const {
        return SpecOf({m_source.get()}, m_strDestination, pszNoCopy);
    }

    // Runs the dialog; the seam's handler acts as the user right after the
    // dialog has started the run.
    CRunOutcome RunDialog(CBackupProgressDlg& dlg, const ModalDialogHandler& user) {
        dlg.SetFreeSpaceQuery(PlentyOfSpace);
        AfxSetModalDialogHandler(user);
        dlg.DoModal();
        return dlg.GetOutcome();
    }
};

// The user leaves the dialog alone until it ends itself.
int LeaveAlone(CDialog&) {
    return 0;
}

TEST_F(BackupProgressDlgTest, RunsTheBackupAndClosesItselfWhenDone) {
    FillSource(20);
    CBackupProgressDlg dlg(Spec());
    CRunOutcome outcome = RunDialog(dlg, LeaveAlone);
    EXPECT_EQ(0, outcome.nStatus);
    EXPECT_EQ(20, outcome.nNew);
    EXPECT_EQ("バックアップが終了しました。", outcome.strResultText);
    EXPECT_EQ(20, CountFiles(m_source->m_strMirror));
    EXPECT_NE(-1, dlg.m_strLabel2.Find("バックアップ容量 : "));
}

TEST_F(BackupProgressDlgTest, EnterIsIgnoredAndEscapeStopsTheRunBeforeTheWindowEnds) {
    FillSource(300);
    for (UINT nKey : {UINT(IDCANCEL), UINT(WM_CLOSE)}) {
        RemoveTree(m_source->m_strMirror); // each key stops a run from nothing
        CBackupProgressDlg dlg(Spec());
        bool bEndedEarly = false;
        CRunOutcome outcome = RunDialog(dlg, [&](CDialog& d) {
            d.SendMessage(WM_COMMAND, IDOK);
            bEndedEarly = d.IsEnded();
            if (nKey == WM_CLOSE)
                d.SendMessage(WM_CLOSE);
            else
                d.SendMessage(WM_COMMAND, IDCANCEL);
            // The worker is asked to stop; the window waits for its end.
            bEndedEarly = bEndedEarly || d.IsEnded();
            return 0;
        });
        EXPECT_FALSE(bEndedEarly);
        EXPECT_TRUE(dlg.IsRunFinished());
        EXPECT_EQ(STATUS_ABORTED, outcome.nStatus);
        EXPECT_LT(CountFiles(m_source->m_strMirror), 300);
    }
}

TEST_F(BackupProgressDlgTest, AbortButtonStopsTheRun) {
    FillSource(300);
    CBackupProgressDlg dlg(Spec());
    CRunOutcome outcome = RunDialog(dlg, [](CDialog& d) {
        SendMessageA(GetDlgItem(d.GetSafeHwnd(), IDC_ABORT), BM_CLICK, 0, 0);
        return 0;
    });
    EXPECT_EQ(STATUS_ABORTED, outcome.nStatus);
    EXPECT_EQ("", outcome.strResultText);
    EXPECT_LT(CountFiles(m_source->m_strMirror), 300);
}

TEST_F(BackupProgressDlgTest, NeverCopiedExtensionsOfTheRunAreNotCopied) {
    m_tree.WriteFile("src表\\keep.txt", "k");
    m_tree.WriteFile("src表\\skip.bak", "s");
    m_tree.WriteFile("src表\\skip.表", "s");
    CBackupProgressDlg dlg(Spec("bak,表"));
    RunDialog(dlg, LeaveAlone);
    EXPECT_EQ(1, CountFiles(m_source->m_strMirror));
}

} // namespace
