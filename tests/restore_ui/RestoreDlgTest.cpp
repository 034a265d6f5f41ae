// The restore's windows around a real restore: the progress window runs the
// worker and cannot end before it, whatever the user presses; the result
// window says what came back and closes by itself.
#include <gtest/gtest.h>

#include <string>

#include "HeldThreads.h"
#include "RestoreDlg.h"
#include "RestorePair.h"
#include "RestoreResultDlg.h"
#include "ScratchTree.h"
#include "resource.h"

namespace {

class RestoreDlgTest : public testing::Test {
protected:
    void TearDown() override { AfxSetModalDialogHandler(nullptr); }
    ~RestoreDlgTest() override {
        while (!m_dlg.m_status.m_items.IsEmpty())
            delete m_dlg.m_status.m_items.RemoveHead();
    }

    // A mirror folder of nFiles files, listed as one item.
    void ListFolder(int nFiles) {
        for (int i = 0; i < nFiles; ++i)
            m_tree.WriteFile(("bk\\表\\f" + std::to_string(i) + ".txt").c_str(), "x");
        m_dlg.m_status.m_items.AddTail(
            new CRestorePair(m_tree.Path("bk\\表"), m_tree.Path("src\\表")));
    }
    // Runs the dialog; the seam's handler acts as the user right after the
    // dialog has started the worker.
    void Run(const ModalDialogHandler& user) {
        AfxSetModalDialogHandler(user);
        m_dlg.DoModal();
        AfxSetModalDialogHandler(nullptr);
    }

    CScratchTree m_tree{"restoredlg"};
    CRestoreDlg m_dlg;
    // The worker the dialog starts is held for a while by the user: a
    // window that ended before its worker would show it still running.
    CHeldThreads m_held;
};

const DWORD HOLD_MS = 300;

TEST_F(RestoreDlgTest, RestoresAndClosesItselfWhenTheWorkerIsDone) {
    ListFolder(20);
    Run([this](CDialog&) {
        m_held.HoldFor(HOLD_MS);
        return 0;
    });
    EXPECT_EQ(1, m_dlg.m_status.m_bFinished);
    EXPECT_FALSE(m_dlg.IsWorkerRunning());
    EXPECT_EQ(20, m_dlg.m_status.m_nCount);
    EXPECT_EQ(20, CountFiles(m_tree.Path("src\\表")));
    EXPECT_FALSE(m_dlg.m_bAborted);
    EXPECT_STREQ("復元処理が終了しました。", RestoreResultText(m_dlg.m_status, m_dlg.m_bAborted));
}

TEST_F(RestoreDlgTest, EscapeAndCloseBoxStopTheWalkButEndOnlyAfterTheWorker) {
    ListFolder(400);
    bool bEndedEarly = true;
    Run([&](CDialog& d) {
        EXPECT_GE(m_held.HoldFor(HOLD_MS), 1u);
        d.SendMessage(WM_COMMAND, IDOK);
        d.SendMessage(WM_COMMAND, IDCANCEL);
        d.SendMessage(WM_CLOSE);
        bEndedEarly = d.IsEnded();
        return 0;
    });
    EXPECT_FALSE(bEndedEarly);
    EXPECT_EQ(1, m_dlg.m_status.m_bFinished);
    EXPECT_FALSE(m_dlg.IsWorkerRunning());
    EXPECT_TRUE(m_dlg.m_bAborted);
    EXPECT_LT(m_dlg.m_status.m_nCount, 400);
    EXPECT_STREQ("復元処理を中断しました。", RestoreResultText(m_dlg.m_status, true));
}

TEST_F(RestoreDlgTest, AWindowDestroyedEarlyWaitsForItsWorker) {
    // Whatever ends the window (its owner going, say), the items are
    // released only after the worker has let go of them.
    ListFolder(400);
    Run([this](CDialog& d) {
        EXPECT_GE(m_held.HoldFor(HOLD_MS), 1u);
        d.EndDialog(IDCANCEL);
        return 0;
    });
    EXPECT_FALSE(m_dlg.IsWorkerRunning());
    EXPECT_EQ(1, m_dlg.m_status.m_bFinished);
    EXPECT_LT(m_dlg.m_status.m_nCount, 400);
}

TEST(RestoreResultDlgTest, ShowsTheCountAndWhatFailedThenClosesItself) {
    CWorkerStatus status;
    status.AddFailure("F:\\bk\\data\\a.txt");
    status.AddFailure("F:\\bk\\data\\b.txt");
    // The second failure stopped the walks; three listed items came after.
    status.m_bFailedStop = 1;
    status.m_nNotTried = 3;
    CRestoreResultDlg dlg;
    dlg.m_strCount = "3";
    dlg.m_strMessage = RestoreResultText(status, true);
    CString strCount, strMessage;
    AfxSetModalDialogHandler([&](CDialog& d) {
        strCount = d.GetDlgItemText(IDC_RESTORED);
        strMessage = d.GetDlgItemText(IDC_RESULT_TEXT);
        return 0; // nobody presses OK
    });
    DWORD dwStart = GetTickCount();
    dlg.DoModal();
    DWORD dwElapsed = GetTickCount() - dwStart;
    AfxSetModalDialogHandler(nullptr);
    EXPECT_STREQ("3", strCount);
    EXPECT_STREQ("2 件を復元できませんでした。\n失敗したため復元を途中で止めました。\n"
                 "試されなかった項目 : 3 件",
                 strMessage);
    EXPECT_GE(dwElapsed, 4900u);
    EXPECT_LT(dwElapsed, 8000u);
}

} // namespace
