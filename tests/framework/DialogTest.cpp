// Dialogs: both ways of answering DoModal through the modal seam, Enter,
// Escape and the close box through the dialog's own message loop, a dialog
// that refuses to end while it is busy, and a dialog that polls a worker
// thread on a timer and closes itself when the worker is done.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "Button.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "ProgressCtrl.h"
#include "WinApp.h"
#include "WinThread.h"
#include "WindowTestIds.h"
#include "WindowTestSupport.h"

namespace {

class CNameDlg : public CDialog {
public:
    explicit CNameDlg(CWnd* pParent = nullptr) : CDialog(IDD_DATA, pParent) {}
    CString m_strName = "表示";
    int m_nSource = 0;
    int m_nCount = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 10);
        DDX_Check(pDX, IDC_CHECK_SOURCE, m_nSource);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
    }
};

// Posts a key to the control with the focus, as the keyboard would.
void PostKey(CDialog& dlg, WPARAM vk) {
    HWND hWnd = ::GetFocus();
    if (!hWnd || (hWnd != dlg.GetSafeHwnd() && !::IsChild(dlg.GetSafeHwnd(), hWnd)))
        hWnd = dlg.GetSafeHwnd();
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
}

// Refuses OK and Cancel while busy; a timer ends the busy time once both
// refusals have been seen.
class CBusyDlg : public CDialog {
public:
    CBusyDlg() : CDialog(IDD_PLAIN) {}
    bool m_bBusy = true;
    int m_nRefused = 0;

    void OnOK() override {
        if (m_bBusy)
            ++m_nRefused;
        else
            CDialog::OnOK();
    }
    void OnCancel() override {
        if (m_bBusy)
            ++m_nRefused;
        else
            CDialog::OnCancel();
    }

protected:
    const CMessageMap* GetMessageMap() const override {
        static const CMessageMapEntry kEntries[] = {MapTimer(&CBusyDlg::OnTimer)};
        static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
        return &s_map;
    }
    void OnTimer(UINT_PTR) {
        if (m_nRefused < 2)
            return;
        KillTimer(1);
        m_bBusy = false;
        PostMessage(WM_CLOSE);
    }
};

// What a worker and its dialog share, as plain flags each side polls.
struct CJob {
    std::atomic<int> nDone{0};
    std::atomic<bool> bAwaitGo{false};
    std::atomic<bool> bAbort{false};
    std::atomic<bool> bFinished{false};
    HANDLE hEnded = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~CJob() { ::CloseHandle(hEnded); }
    static constexpr int kSteps = 300;
};

UINT JobProc(LPVOID pParam) {
    CJob* pJob = static_cast<CJob*>(pParam);
    pJob->bAwaitGo = true;
    while (pJob->bAwaitGo && !pJob->bAbort)
        ::Sleep(1);
    for (int i = 1; i <= CJob::kSteps && !pJob->bAbort; ++i) {
        pJob->nDone = i;
        ::Sleep(1);
    }
    pJob->bFinished = true;
    ::SetEvent(pJob->hEnded);
    return 0;
}

// Starts the worker, gives the go-ahead and follows it on a 10 ms timer;
// cannot be cancelled before the worker has finished.
class CWorkerDlg : public CDialog {
public:
    explicit CWorkerDlg(CJob* pJob) : CDialog(IDD_PLAIN), m_pJob(pJob) {}
    int m_nRefused = 0;
    int m_nLastPos = -1;

    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        m_progress.Attach(GetDlgItem(IDC_PROGRESS));
        if (!AfxBeginThread(JobProc, m_pJob))
            return false;
        SetTimer(1, 10);
        return true;
    }
    void OnCancel() override {
        if (!m_pJob->bFinished) {
            ++m_nRefused;
            return;
        }
        CDialog::OnCancel();
    }

protected:
    const CMessageMap* GetMessageMap() const override {
        static const CMessageMapEntry kEntries[] = {
            MapTimer(&CWorkerDlg::OnTimer),
            MapCommand(IDC_ABORT, &CWorkerDlg::OnAbort),
        };
        static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
        return &s_map;
    }
    void OnTimer(UINT_PTR) {
        if (m_pJob->bAwaitGo) {
            m_progress.SetRange(0, CJob::kSteps);
            m_pJob->bAwaitGo = false;
        }
        m_progress.SetPos(m_pJob->nDone);
        m_nLastPos = m_progress.GetPos();
        if (!m_pJob->bFinished)
            return;
        KillTimer(1);
        PostMessage(WM_CLOSE);
    }
    void OnAbort() { m_pJob->bAbort = true; }

    CJob* m_pJob;
    CProgressCtrl m_progress;
};

using Dialog = CWindowTest;

} // namespace

TEST_F(Dialog, SeamAnswersWithJustAResult) {
    int nCalls = 0;
    AfxSetModalDialogHandler([&](CDialog& dlg) {
        ++nCalls;
        EXPECT_EQ(UINT{IDD_DATA}, dlg.GetTemplateID());
        return IDOK;
    });
    CNameDlg dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, nCalls);
    EXPECT_EQ("表示", dlg.m_strName);
    EXPECT_EQ(nullptr, dlg.GetSafeHwnd());

    // Cancel leaves the members alone whatever the controls showed.
    AfxSetModalDialogHandler([](CDialog& dlg) {
        dlg.SetDlgItemText(IDC_NAME, "変更");
        return IDCANCEL;
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("表示", dlg.m_strName);
}

TEST_F(Dialog, SeamDrivesTheRealControls) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, "owner", WS_OVERLAPPEDWINDOW, RECT{0, 0, 200, 100}, nullptr, 0));
    AfxSetModalDialogHandler([&](CDialog& dlg) {
        // Modal: the owner is disabled meanwhile; the controls show the members.
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_EQ(owner.GetSafeHwnd(), ::GetWindow(dlg.GetSafeHwnd(), GW_OWNER));
        EXPECT_EQ("表示", dlg.GetDlgItemText(IDC_NAME));
        dlg.SetDlgItemText(IDC_NAME, "ソ十能");
        dlg.SetDlgItemText(IDC_COUNT, "12");
        dlg.SendDlgItemMessage(IDC_CHECK_SOURCE, BM_CLICK);
        dlg.SendDlgItemMessage(IDOK, BM_CLICK);
        EXPECT_TRUE(dlg.IsEnded());
        return 0;
    });
    CNameDlg dlg(&owner);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("ソ十能", dlg.m_strName);
    EXPECT_EQ(12, dlg.m_nCount);
    EXPECT_EQ(1, dlg.m_nSource);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST_F(Dialog, RefusedValueKeepsTheDialogOpenUntilCorrected) {
    AfxSetModalDialogHandler([](CDialog& dlg) {
        dlg.SetDlgItemText(IDC_NAME, "表ソ能十表ソ");
        CButton(dlg.GetDlgItem(IDOK)).Click();
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ(1u, s_boxes.size());
        EXPECT_EQ(dlg.GetDlgItem(IDC_NAME), ::GetFocus());
        dlg.SetDlgItemText(IDC_NAME, "表ソ");
        return IDOK;
    });
    CNameDlg dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("表ソ", dlg.m_strName);

    // An answer the dialog refuses ends DoModal with -1 rather than a hang.
    s_boxes.clear();
    AfxSetModalDialogHandler([](CDialog& dlg) {
        dlg.SetDlgItemText(IDC_COUNT, "x");
        return IDOK;
    });
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(1u, s_boxes.size());
}

TEST_F(Dialog, EnterEscapeAndCloseBoxEndTheDialogByDefault) {
    struct {
        WPARAM vk;
        int nExpected;
    } const kKeys[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& key : kKeys) {
        AfxSetModalDialogHandler([&](CDialog& dlg) {
            PostKey(dlg, key.vk);
            return 0;
        });
        CNameDlg dlg;
        EXPECT_EQ(key.nExpected, dlg.DoModal());
    }
    AfxSetModalDialogHandler([](CDialog& dlg) {
        dlg.PostMessage(WM_CLOSE);
        return 0;
    });
    CNameDlg dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(Dialog, BusyDialogRefusesToEnd) {
    AfxSetModalDialogHandler([](CDialog& dlg) {
        PostKey(dlg, VK_ESCAPE);
        dlg.PostMessage(WM_CLOSE);
        dlg.SetTimer(1, 20);
        return 0;
    });
    CBusyDlg dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(2, dlg.m_nRefused);

    // Answering a busy dialog with OK is refused too; DoModal still returns.
    AfxSetModalDialogHandler([](CDialog&) { return IDOK; });
    CBusyDlg busy;
    EXPECT_EQ(-1, busy.DoModal());
    EXPECT_EQ(1, busy.m_nRefused);
}

TEST_F(Dialog, WorkerRunsToTheEndWhileTheDialogRefusesCancel) {
    CJob job;
    AfxSetModalDialogHandler([](CDialog& dlg) {
        PostKey(dlg, VK_ESCAPE);
        return 0;
    });
    CWorkerDlg dlg(&job);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(job.hEnded, 10000));
    EXPECT_EQ(1, dlg.m_nRefused);
    EXPECT_EQ(CJob::kSteps, job.nDone);
    EXPECT_EQ(CJob::kSteps, dlg.m_nLastPos);
}

TEST_F(Dialog, AbortButtonStopsTheWorker) {
    CJob job;
    AfxSetModalDialogHandler([&](CDialog& dlg) {
        // Wait for the go-ahead, so the worker is surely running.
        PumpUntil([&] { return job.nDone > 0; });
        CButton(dlg.GetDlgItem(IDC_ABORT)).Click();
        return 0;
    });
    CWorkerDlg dlg(&job);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(job.hEnded, 10000));
    EXPECT_TRUE(job.bAbort);
    EXPECT_LT(job.nDone, CJob::kSteps);
    EXPECT_EQ(0, dlg.m_nRefused);
}

TEST_F(Dialog, InitEndingTheDialogSkipsTheSeam) {
    struct CQuickDlg : CDialog {
        CQuickDlg() : CDialog(IDD_PLAIN) {}
        bool OnInitDialog() override {
            EndDialog(7);
            return true;
        }
    };
    int nCalls = 0;
    AfxSetModalDialogHandler([&](CDialog&) { return ++nCalls, IDOK; });
    CQuickDlg dlg;
    EXPECT_EQ(7, dlg.DoModal());
    EXPECT_EQ(0, nCalls);

    CDialog missing(4321);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_EQ(0, nCalls);
}

TEST_F(Dialog, ModelessDialogEndsByDestroyingItself) {
    CNameDlg dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_FALSE(dlg.Create());
    HWND hWnd = dlg.GetSafeHwnd();
    // The template has no WS_VISIBLE.
    EXPECT_FALSE(dlg.IsWindowVisible());
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(IDOK, dlg.GetResult());

    // The object owns its dialog: going out of scope destroys it.
    {
        CNameDlg other;
        ASSERT_TRUE(other.Create());
        hWnd = other.GetSafeHwnd();
    }
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(Dialog, WithoutSeamTheDialogShowsAndRunsItsOwnLoop) {
    // Ends itself on its first timer tick, so no user is needed.
    struct CSelfClosingDlg : CDialog {
        CSelfClosingDlg() : CDialog(IDD_PLAIN) {}
        bool m_bWasVisible = false;
        bool OnInitDialog() override {
            SetTimer(1, 10);
            return CDialog::OnInitDialog();
        }
        const CMessageMap* GetMessageMap() const override {
            static const CMessageMapEntry kEntries[] = {MapTimer(&CSelfClosingDlg::OnTimer)};
            static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
            return &s_map;
        }
        void OnTimer(UINT_PTR) {
            m_bWasVisible = IsWindowVisible();
            EndDialog(42);
        }
    };
    AfxSetModalDialogHandler(nullptr);
    CSelfClosingDlg dlg;
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_TRUE(dlg.m_bWasVisible);
}

TEST_F(Dialog, ModalDialogWithoutParentDisablesTheMainWindowForItsTime) {
    CWinApp app("表示");
    CNameDlg main;
    ASSERT_TRUE(main.Create());
    app.m_pMainWnd = &main;
    std::vector<bool> enabledDuring;
    AfxSetModalDialogHandler([&](CDialog&) {
        enabledDuring.push_back(main.IsWindowEnabled());
        return IDOK;
    });
    CNameDlg dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(main.IsWindowEnabled());

    // A main window that an outer dialog already disabled stays disabled
    // when the inner one ends.
    main.EnableWindow(false);
    CNameDlg inner;
    EXPECT_EQ(IDOK, inner.DoModal());
    EXPECT_FALSE(main.IsWindowEnabled());
    EXPECT_EQ((std::vector<bool>{false, false}), enabledDuring);
    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
}
