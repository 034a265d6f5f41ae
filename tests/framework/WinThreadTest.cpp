// Worker threads in both ownership modes: self-deleting threads that nobody
// waits for, and suspended threads that the owner resumes, waits on and
// deletes.
#include <gtest/gtest.h>

#include <atomic>

#include "WinThread.h"
#include "WorkerThread.h"

namespace {

struct CWork {
    std::atomic<int> nRuns{0};
    HANDLE hDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~CWork() { CloseHandle(hDone); }
};

UINT CountAndSignal(LPVOID pParam) {
    CWork* pWork = static_cast<CWork*>(pParam);
    ++pWork->nRuns;
    SetEvent(pWork->hDone);
    return 42;
}

struct CCrowd {
    std::atomic<int> nLeft;
    HANDLE hAllDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~CCrowd() { CloseHandle(hAllDone); }
};

UINT CountDown(LPVOID pParam) {
    CCrowd* pCrowd = static_cast<CCrowd*>(pParam);
    if (--pCrowd->nLeft == 0)
        SetEvent(pCrowd->hAllDone);
    return 0;
}

} // namespace

TEST(WinThread, AutoDeleteThreadRunsItsProcedure) {
    CWork work;
    CWinThread* pThread = AfxBeginThread(CountAndSignal, &work);
    ASSERT_NE(nullptr, pThread);
    // pThread may already be gone: only the procedure's effect is looked at.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(work.hDone, 10000));
    EXPECT_EQ(1, work.nRuns);
}

TEST(WinThread, ManyAutoDeleteThreadsAtOnce) {
    const int kThreads = 32;
    CCrowd crowd;
    crowd.nLeft = kThreads;
    for (int i = 0; i < kThreads; ++i)
        ASSERT_NE(nullptr, AfxBeginThread(CountDown, &crowd));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(crowd.hAllDone, 20000));
    EXPECT_EQ(0, crowd.nLeft);
}

TEST(WinThread, SuspendedThreadWaitsForTheOwner) {
    CWork work;
    CWinThread* pThread =
        AfxBeginThread(CountAndSignal, &work, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = false;
    EXPECT_NE(0u, pThread->m_nThreadID);
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, GetThreadPriority(pThread->m_hThread));

    EXPECT_FALSE(pThread->WaitForEnd(100));
    EXPECT_EQ(0, work.nRuns);

    EXPECT_EQ(1u, pThread->ResumeThread());
    ASSERT_TRUE(pThread->WaitForEnd());
    EXPECT_EQ(1, work.nRuns);
    // The object outlives the thread, so its handle still reports the result.
    DWORD dwExit = 0;
    ASSERT_TRUE(GetExitCodeThread(pThread->m_hThread, &dwExit));
    EXPECT_EQ(42u, dwExit);
    EXPECT_TRUE(pThread->WaitForEnd(0));
    delete pThread;
}

TEST(WinThread, WaitWithoutAThreadFails) {
    CWinThread thread(CountAndSignal, nullptr);
    EXPECT_FALSE(thread.WaitForEnd(0));
}

// The record a stoppable worker polls: it works until told to stop.
struct CStoppable {
    std::atomic<int> bStop{0};
    std::atomic<int> nSteps{0};
    std::atomic<int> bEnded{0};
};

UINT WorkUntilStopped(LPVOID pParam) {
    auto& record = *static_cast<CStoppable*>(pParam);
    while (!record.bStop) {
        ++record.nSteps;
        Sleep(1);
    }
    Sleep(50); // a last step after the stop: End() must wait for it
    record.bEnded = 1;
    return 0;
}

TEST(WorkerThread, EndStopsTheWorkerAndWaitsForItsLastStep) {
    CStoppable record;
    {
        CWorkerThread worker(record.bStop);
        ASSERT_TRUE(worker.Start(WorkUntilStopped, &record));
        while (record.nSteps < 3)
            Sleep(1);
        EXPECT_TRUE(worker.IsRunning());
        worker.End();
        EXPECT_EQ(1, record.bEnded.load());
        EXPECT_FALSE(worker.IsRunning());
        worker.End(); // again: nothing to wait for
    }
    // A worker still running when its owner goes is stopped and waited for.
    CStoppable second;
    {
        CWorkerThread worker(second.bStop);
        ASSERT_TRUE(worker.Start(WorkUntilStopped, &second));
    }
    EXPECT_EQ(1, second.bEnded.load());
}
