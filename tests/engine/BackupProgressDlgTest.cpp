// The progress window around a real backup run: it shows the run, lets the
// abort button stop it, and cannot be closed while the worker runs.
#include <gtest/gtest.h>

#include "BackupHarness.h"
#include "BackupProgressDlg.h"
#include "ListBoxText.h"
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

    // Runs the fixture's source through the dialog; the seam's handler acts
    // as the user right after the dialog has started the run.
    void RunDialog(CBackupProgressDlg& dlg, const ModalDialogHandler& user,
                   CListBox* pNoCopyList = nullptr) {
        dlg.m_strDestination = m_strDestination;
        dlg.SetFreeSpaceQuery(PlentyOfSpace);
        dlg.m_pNoCopyList = pNoCopyList;
        dlg.m_pJob->m_entries.AddTail(m_source.get());
        AfxSetModalDialogHandler(user);
        dlg.DoModal();
        dlg.m_pJob->m_entries.RemoveAll();
    }
};

// The user leaves the dialog alone until it ends itself.
int LeaveAlone(CDialog&) {
    return 0;
}

TEST_F(BackupProgressDlgTest, RunsTheBackupAndClosesItselfWhenDone) {
    FillSource(20);
    CBackupProgressDlg dlg;
    RunDialog(dlg, LeaveAlone);
    EXPECT_EQ(0, dlg.m_pJob->m_nStatus);
    EXPECT_EQ(20, dlg.m_pJob->m_nNew.load());
    EXPECT_EQ("バックアップが終了しました。", dlg.m_strDestination);
    EXPECT_EQ(20, CountFiles(m_source->m_strMirror));
    EXPECT_NE(-1, dlg.m_strLabel2.Find("バックアップ容量 : "));
}

TEST_F(BackupProgressDlgTest, EnterEscapeAndCloseBoxDoNotEndARunningBackup) {
    FillSource(300);
    CBackupProgressDlg dlg;
    bool bEndedEarly = false;
    RunDialog(dlg, [&](CDialog& d) {
        d.SendMessage(WM_COMMAND, IDOK);
        d.SendMessage(WM_COMMAND, IDCANCEL);
        d.SendMessage(WM_CLOSE);
        bEndedEarly = d.IsEnded();
        return 0;
    });
    EXPECT_FALSE(bEndedEarly);
    EXPECT_EQ(1, dlg.m_pJob->m_bFinished.load());
    EXPECT_EQ(0, dlg.m_pJob->m_nStatus);
    EXPECT_EQ(300, CountFiles(m_source->m_strMirror));
}

TEST_F(BackupProgressDlgTest, AbortButtonStopsTheRun) {
    FillSource(300);
    CBackupProgressDlg dlg;
    RunDialog(dlg, [](CDialog& d) {
        SendMessageA(GetDlgItem(d.GetSafeHwnd(), IDC_ABORT), BM_CLICK, 0, 0);
        return 0;
    });
    EXPECT_EQ(STATUS_ABORTED, dlg.m_pJob->m_nStatus);
    EXPECT_EQ("", dlg.m_strDestination);
    EXPECT_LT(CountFiles(m_source->m_strMirror), 300);
}

TEST_F(BackupProgressDlgTest, NeverCopiedListComesFromTheListBox) {
    m_tree.WriteFile("src表\\keep.txt", "k");
    m_tree.WriteFile("src表\\skip.bak", "s");
    m_tree.WriteFile("src表\\skip.表", "s");
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    HWND hList = CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 0, 10, 10, hParent, nullptr,
                                 nullptr, nullptr);
    CListBox list;
    list.Attach(hList);
    list.AddString("bak");
    list.AddString("表");
    EXPECT_EQ("bak,表", JoinListBoxItems(list, ","));

    CBackupProgressDlg dlg;
    RunDialog(dlg, LeaveAlone, &list);
    list.Detach();
    DestroyWindow(hParent);
    EXPECT_EQ(1, CountFiles(m_source->m_strMirror));
}

} // namespace
