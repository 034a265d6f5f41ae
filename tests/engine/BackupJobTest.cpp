// The job record's shared channels: the status text through a mutex that
// neither side waits on, the atomic byte totals, and the lists
// that stop growing after running out of memory.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "BackupJob.h"
#include "ScratchTree.h"

namespace {

class BackupJobTest : public testing::Test {
protected:
    BackupJobTest() { m_job.m_hMutex = CreateMutexA(nullptr, FALSE, nullptr); }
    ~BackupJobTest() override { CloseHandle(m_job.m_hMutex); }

    // Holds the job's mutex on another thread, as the other side would.
    template <class F> void WhileMutexHeldElsewhere(F f) {
        HANDLE hHeld = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HANDLE hRelease = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread holder([&] {
            WaitForSingleObject(m_job.m_hMutex, INFINITE);
            SetEvent(hHeld);
            WaitForSingleObject(hRelease, INFINITE);
            ReleaseMutex(m_job.m_hMutex);
        });
        WaitForSingleObject(hHeld, INFINITE);
        f();
        SetEvent(hRelease);
        holder.join();
        CloseHandle(hHeld);
        CloseHandle(hRelease);
    }

    CBackupJob m_job;
};

TEST_F(BackupJobTest, StatusTextSetWhileTheDialogHoldsTheMutexIsDropped) {
    WhileMutexHeldElsewhere([&] {
        DWORD dwStart = GetTickCount();
        m_job.SetStatusText("dropped");
        EXPECT_LT(GetTickCount() - dwStart, 100u); // never waits
    });
    CString str;
    EXPECT_FALSE(m_job.TakeStatusText(str));
    m_job.SetStatusText("削除ファイル検索中");
    ASSERT_TRUE(m_job.TakeStatusText(str));
    EXPECT_EQ("削除ファイル検索中", str);
}

TEST_F(BackupJobTest, TakingWhileTheWorkerHoldsTheMutexGivesNothingAndKeepsTheText) {
    m_job.SetStatusText("kept");
    CString str = "unchanged";
    WhileMutexHeldElsewhere([&] { EXPECT_FALSE(m_job.TakeStatusText(str)); });
    EXPECT_EQ("unchanged", str);
    ASSERT_TRUE(m_job.TakeStatusText(str));
    EXPECT_EQ("kept", str);
}

TEST_F(BackupJobTest, StatusTextIsCutToItsBuffer) {
    m_job.SetStatusText("Backup中 : ", std::string(400, 'x').c_str());
    CString str;
    ASSERT_TRUE(m_job.TakeStatusText(str));
    EXPECT_EQ(279, str.GetLength());
}

TEST_F(BackupJobTest, StatusChannelUnderContentionNeverBlocksAndEndsWithTheLastText) {
    std::atomic<bool> bDone{false};
    std::thread worker([&] {
        char sz[32];
        // Long enough for several offers, however fast the loop runs:
        // texts go out at most once per STATUS_INTERVAL.
        ULONGLONG nEnd = GetTickCount64() + 20 * STATUS_INTERVAL;
        for (int i = 0; i < 20000 || GetTickCount64() < nEnd; ++i) {
            std::snprintf(sz, sizeof sz, "%d", i);
            m_job.SetStatusText("検索中 : ", sz);
        }
        bDone = true;
    });
    // Every text taken is a whole one, and none is older than the one
    // before: a dropped update loses a step, never the order.
    const CString strPrefix("検索中 : ");
    CString str, strWrong;
    int nLast = -1, nTaken = 0;
    while (!bDone) {
        if (!m_job.TakeStatusText(str))
            continue;
        ++nTaken;
        int nNumber = std::atoi(str.Mid(strPrefix.GetLength()));
        if (strWrong.IsEmpty() &&
            (str != strPrefix + std::to_string(nNumber).c_str() || nNumber <= nLast))
            strWrong = str;
        nLast = nNumber;
    }
    worker.join();
    EXPECT_EQ("", strWrong);
    EXPECT_GT(nTaken, 0);
    // Once the contention is over, the next text always gets through.
    m_job.SetStatusText("検索中 : ", "final");
    m_job.FlushStatusText(); // what the worker does before a long step and at the end
    ASSERT_TRUE(m_job.TakeStatusText(str));
    EXPECT_EQ("検索中 : final", str);
}

ULONGLONG g_nFakeTicks = 0;
ULONGLONG FakeTickCount() {
    return g_nFakeTicks;
}

TEST_F(BackupJobTest, StatusTextIsOfferedAtMostOncePerIntervalAndTheLatestWaits) {
    m_job.m_pfnTickCount = FakeTickCount;
    g_nFakeTicks = 1000;
    CString str;
    m_job.SetStatusText("検索中 : ", "a"); // the first text goes at once
    g_nFakeTicks += STATUS_INTERVAL - 1;
    m_job.SetStatusText("検索中 : ", "b"); // within the interval: waits
    m_job.SetStatusText("検索中 : ", "c"); // replaces the one waiting
    ASSERT_TRUE(m_job.TakeStatusText(str));
    EXPECT_EQ("検索中 : a", str);
    EXPECT_FALSE(m_job.TakeStatusText(str));

    g_nFakeTicks += 1; // the interval has passed: the next text goes
    m_job.SetStatusText("Backup中 : ", "d");
    ASSERT_TRUE(m_job.TakeStatusText(str));
    EXPECT_EQ("Backup中 : d", str);

    m_job.SetStatusText("Backup中 : ", "e"); // waits, until flushed
    EXPECT_FALSE(m_job.TakeStatusText(str));
    m_job.FlushStatusText();
    ASSERT_TRUE(m_job.TakeStatusText(str));
    EXPECT_EQ("Backup中 : e", str);
    m_job.FlushStatusText(); // nothing waiting: nothing offered again
    EXPECT_FALSE(m_job.TakeStatusText(str));

    // An offer the dialog's hold makes fail keeps the text for the next.
    g_nFakeTicks += STATUS_INTERVAL;
    WhileMutexHeldElsewhere([&] { m_job.SetStatusText("削除ファイル検索中"); });
    EXPECT_FALSE(m_job.TakeStatusText(str));
    m_job.FlushStatusText();
    ASSERT_TRUE(m_job.TakeStatusText(str));
    EXPECT_EQ("削除ファイル検索中", str);
}

TEST_F(BackupJobTest, ALongCopyShowsItsOwnNameBeforeItStarts) {
    // The clock stands still, so only the long copy's flush can offer a
    // text after the first one.
    m_job.m_pfnTickCount = FakeTickCount;
    g_nFakeTicks = 5000;
    CScratchTree tree("longcopy");
    CString strSmall = tree.WriteFile("s\\small.txt", "s");
    CString strLong = tree.WriteFile("s\\能.bin", std::string(LONG_COPY_SIZE, 'x'));
    tree.MakeFolder("m");
    m_job.m_bSurvey = 0;
    CString str;
    m_job.SetStatusText("検索中 : ", "first");
    ASSERT_TRUE(m_job.TakeStatusText(str));

    m_job.BackupFile(strSmall, tree.Path("m\\small.txt"), "s");
    EXPECT_FALSE(m_job.TakeStatusText(str)); // a short copy's text waits
    m_job.BackupFile(strLong, tree.Path("m\\能.bin"), "s");
    ASSERT_TRUE(m_job.TakeStatusText(str));
    EXPECT_EQ(0, str.Find("Backup中 : ")) << str;
    EXPECT_NE(-1, str.Find("能.bin")) << str;
    EXPECT_EQ(LONG_COPY_SIZE, ReadWholeFile(tree.Path("m\\能.bin")).size());
}

TEST_F(BackupJobTest, ByteTotalsLoseNoAdditionToAConcurrentReset) {
    // The worker adds while the dialog keeps taking the total back to 0:
    // every byte added is in exactly one of the totals taken.
    const int ADDITIONS = 2000000;
    std::atomic<bool> bDone{false};
    std::thread worker([&] {
        for (int i = 0; i < ADDITIONS; ++i)
            m_job.AddToTotal(m_job.m_nBytesToCopy, 3);
        bDone = true;
    });
    ULONGLONG nTaken = 0;
    while (!bDone)
        nTaken += m_job.ReadBytesToCopy(true);
    worker.join();
    nTaken += m_job.ReadBytesToCopy(true);
    EXPECT_EQ(3u * ADDITIONS, nTaken);

    m_job.m_nBytesToFree = 77;
    EXPECT_EQ(77u, m_job.ReadBytesToFree(false));
    EXPECT_EQ(77u, m_job.m_nBytesToFree.load());
}

TEST_F(BackupJobTest, CopyListStaysClosedAfterOneFailedAppend) {
    m_job.SetHistoryLimit(3);
    m_job.AddToCopyList("D:\\s\\a.txt", "E:\\m\\a.txt", "s");
    m_job.m_copyList.FailAllocationsAfter(0);
    m_job.AddToCopyList("D:\\s\\b.txt", "E:\\m\\b.txt", "s");
    EXPECT_EQ(0, m_job.m_bCopyListOk);
    m_job.m_copyList.FailAllocationsAfter(-1); // memory is back
    m_job.AddToCopyList("D:\\s\\c.txt", "E:\\m\\c.txt", "s");
    ASSERT_EQ(1, m_job.m_copyList.GetCount());
    CCopyList::CReader reader(m_job.m_copyList);
    CCopyItem item;
    ASSERT_TRUE(reader.Next(item));
    EXPECT_EQ("D:\\s\\a.txt", item.strSource);
    EXPECT_EQ("E:\\m\\a.txt", item.strMirror);
    EXPECT_EQ("s", item.strHistoryName);
    EXPECT_EQ(3, item.nHistoryLimit);
}

TEST_F(BackupJobTest, DeleteListStaysClosedAfterOneFailedAppend) {
    m_job.m_deleteList.FailAllocationsAfter(1);
    m_job.AddToDeleteList("E:\\m\\1");
    m_job.AddToDeleteList("E:\\m\\2");
    m_job.m_deleteList.FailAllocationsAfter(-1);
    m_job.AddToDeleteList("E:\\m\\3");
    EXPECT_EQ(0, m_job.m_bDeleteListOk);
    EXPECT_EQ(1, m_job.m_deleteList.GetCount());
}

TEST_F(BackupJobTest, FieldWithATabIsReportedInsteadOfListed) {
    m_job.AddToCopyList("D:\\s\\a\tb.txt", "E:\\m\\a\tb.txt", "s");
    EXPECT_EQ(0, m_job.m_copyList.GetCount());
    EXPECT_EQ(1, m_job.m_bCopyListOk);
    EXPECT_NE(-1, m_job.m_strWarnings.Find("がコピーされませんでした。"));
}

} // namespace
