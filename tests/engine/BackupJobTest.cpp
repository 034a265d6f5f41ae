// The job record's shared parts: the status text of a long copy, the atomic
// byte totals, and the lists that stop growing after running out of memory.
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
    BackupJobTest() { m_job.m_status.Open(nullptr); }

    CBackupJob m_job;
};

// A new file of the copy list, as the survey lists it.
CCopyItem Item(const CString& strSource, const CString& strMirror, ULONGLONG nSize) {
    CCopyItem item;
    item.strSource = strSource;
    item.strMirror = strMirror;
    item.strHistoryName = "s";
    item.nSize = nSize;
    return item;
}

ULONGLONG g_nFakeTicks = 0;
ULONGLONG FakeTickCount() {
    return g_nFakeTicks;
}

TEST_F(BackupJobTest, ALongCopyShowsItsOwnNameBeforeItStarts) {
    // The clock stands still, so only the long copy's flush can offer a
    // text after the first one.
    m_job.m_status.m_pfnTickCount = FakeTickCount;
    g_nFakeTicks = 5000;
    CScratchTree tree("longcopy");
    CString strSmall = tree.WriteFile("s\\small.txt", "s");
    CString strLong = tree.WriteFile("s\\能.bin", std::string(LONG_COPY_SIZE, 'x'));
    tree.MakeFolder("m");
    m_job.m_bSurvey = 0;
    CString str;
    m_job.m_status.SetText("検索中 : ", "first");
    ASSERT_TRUE(m_job.m_status.TakeText(str));

    m_job.BackupFile(Item(strSmall, tree.Path("m\\small.txt"), 1));
    EXPECT_FALSE(m_job.m_status.TakeText(str)); // a short copy's text waits
    m_job.BackupFile(Item(strLong, tree.Path("m\\能.bin"), LONG_COPY_SIZE));
    ASSERT_TRUE(m_job.m_status.TakeText(str));
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

} // namespace
