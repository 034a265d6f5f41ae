// Folder totals: the summing walk, and the worker thread as the folder
// information dialog drives it (start, poll, abort).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "FolderTotals.h"
#include "ScratchTree.h"
#include "SizeText.h"
#include "WinThread.h"

namespace {

// Root: 表.txt (10 bytes), a (20), ソ\能.txt (30), ソ\十\x (40), 空 (empty).
class FolderTotalsTest : public testing::Test {
protected:
    void SetUp() override {
        m_tree.WriteFile("表.txt", std::string(10, 'a'));
        m_tree.WriteFile("a", std::string(20, 'b'));
        m_tree.WriteFile("ソ\\能.txt", std::string(30, 'c'));
        m_tree.WriteFile("ソ\\十\\x", std::string(40, 'd'));
        m_tree.MakeFolder("空");
    }

    CScratchTree m_tree{"totals"};
};

// A folder of nFiles small files, written without the helpers' per-file
// folder checks so that a large one is quick to make.
CString MakeWideFolder(const CScratchTree& tree, const char* pszName, int nFiles) {
    CString strFolder = tree.MakeFolder(pszName);
    for (int i = 0; i < nFiles; ++i) {
        char sz[MAX_PATH];
        std::snprintf(sz, sizeof sz, "%s\\表%04d", static_cast<const char*>(strFolder), i);
        HANDLE h =
            CreateFileA(sz, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD dw = 0;
        WriteFile(h, "12", 2, &dw, nullptr);
        CloseHandle(h);
    }
    return strFolder;
}

// Frees the work items when the test ends: the status block only lists them.
class CItemsOwner {
public:
    explicit CItemsOwner(CWorkerStatus& status) : m_status(status) {}
    ~CItemsOwner() {
        while (!m_status.m_items.IsEmpty())
            delete m_status.m_items.RemoveHead();
    }

private:
    CWorkerStatus& m_status;
};

// Starts the worker like the dialog does and returns it; the caller owns it.
CWinThread* StartWorker(CWorkerStatus& totals) {
    CWinThread* pThread =
        AfxBeginThread(FolderThreadProc, &totals, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (pThread) {
        pThread->m_bAutoDelete = false;
        pThread->ResumeThread();
    }
    return pThread;
}

// Polls like the dialog's 10 ms timer until the worker says it is done.
bool WaitFinished(const CWorkerStatus& totals, DWORD dwTimeout = 20000) {
    for (DWORD dwWaited = 0; dwWaited < dwTimeout; dwWaited += 10) {
        if (totals.m_bFinished)
            return true;
        Sleep(10);
    }
    return totals.m_bFinished != 0;
}

} // namespace

TEST_F(FolderTotalsTest, RecursiveCountsFilesFoldersAndBytes) {
    CWorkerStatus totals;
    SumFolder(totals, m_tree.Root(), true);
    EXPECT_EQ(4, totals.m_nCount);
    EXPECT_EQ(3, totals.m_nCount2); // ソ, ソ\十, 空
    EXPECT_EQ(100u, totals.m_nBytes);
}

TEST_F(FolderTotalsTest, WithoutRecurseSubfoldersAreNeitherEnteredNorCounted) {
    CWorkerStatus totals;
    SumFolder(totals, m_tree.Root(), false);
    EXPECT_EQ(2, totals.m_nCount);
    EXPECT_EQ(0, totals.m_nCount2);
    EXPECT_EQ(30u, totals.m_nBytes);
}

TEST_F(FolderTotalsTest, FolderNamesEndingInTrailBackslash) {
    // ソ ends in byte 0x5C; its pattern must be "ソ\*.*".
    CWorkerStatus totals;
    SumFolder(totals, m_tree.Path("ソ"), true);
    EXPECT_EQ(2, totals.m_nCount);
    EXPECT_EQ(1, totals.m_nCount2);
    EXPECT_EQ(70u, totals.m_nBytes);
}

TEST_F(FolderTotalsTest, NamesOutsideTheCodePageAreCountedAndEntered) {
    m_tree.WriteWideFile(L"\ud55c\uae00.txt", std::string(5, 'e'));
    m_tree.WriteWideFile(L"Caf\u00e9\\x", std::string(50, 'f'));
    CWorkerStatus totals;
    SumFolder(totals, m_tree.Root(), true);
    EXPECT_EQ(6, totals.m_nCount);
    EXPECT_EQ(4, totals.m_nCount2);
    EXPECT_EQ(155u, totals.m_nBytes);
}

TEST_F(FolderTotalsTest, LockedFileCountsWithoutBytes) {
    HANDLE h = CreateFileA(m_tree.Path("ソ\\能.txt"), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CWorkerStatus totals;
    SumFolder(totals, m_tree.Root(), true);
    CloseHandle(h);
    EXPECT_EQ(4, totals.m_nCount);
    EXPECT_EQ(70u, totals.m_nBytes);
}

TEST(FolderTotalsSizes, TotalsPastFourGigabytesKeepEveryByte) {
    // Sparse files keep this cheap: 4 GiB - 1 bytes (whose low half is the
    // size call's failure value) and 1 GiB + 1 bytes make 5 GiB exactly,
    // which a 32-bit total would show as nothing at all.
    CScratchTree tree("totals");
    ASSERT_TRUE(MakeSparseFile(tree.Path("表.bin"), 0xFFFFFFFFLL));
    ASSERT_TRUE(MakeSparseFile(tree.Path("ソ\\纊.bin"), (1LL << 30) + 1));
    CWorkerStatus totals;
    SumFolder(totals, tree.Root(), true);
    EXPECT_EQ(2, totals.m_nCount);
    EXPECT_EQ(5ULL << 30, totals.m_nBytes.load());
    EXPECT_STREQ("5.00GB", FormatSize(totals.m_nBytes));
}

TEST_F(FolderTotalsTest, MissingFolderAddsNothing) {
    CWorkerStatus totals;
    SumFolder(totals, m_tree.Path("無い"), true);
    EXPECT_EQ(0, totals.m_nCount);
    EXPECT_EQ(0, totals.m_nCount2);
}

TEST_F(FolderTotalsTest, WorkerSumsEveryRequestThenFinishes) {
    CWorkerStatus totals;
    CItemsOwner owner(totals);
    totals.m_items.AddTail(new CSumItem(m_tree.Path("ソ"), false));
    totals.m_items.AddTail(new CSumItem(m_tree.Path("ソ\\十"), true));
    totals.m_items.AddTail(new CSumItem(m_tree.Root(), true));
    CWinThread* pThread = StartWorker(totals);
    ASSERT_NE(nullptr, pThread);
    ASSERT_TRUE(WaitFinished(totals));
    EXPECT_TRUE(pThread->WaitForEnd(5000));
    delete pThread;
    EXPECT_EQ(1 + 1 + 4, totals.m_nCount);
    EXPECT_EQ(0 + 0 + 3, totals.m_nCount2);
    EXPECT_EQ(30u + 40u + 100u, totals.m_nBytes);
}

TEST(FolderTotalsWorker, FolderIsCountedOnlyAfterItsSubtree) {
    // A poller never sees the folder counted before all its files are.
    CScratchTree tree("totals");
    const int nFiles = 1500;
    MakeWideFolder(tree, "ソ", nFiles);
    CWorkerStatus totals;
    CItemsOwner owner(totals);
    totals.m_items.AddTail(new CSumItem(tree.Root(), true));
    CWinThread* pThread = StartWorker(totals);
    ASSERT_NE(nullptr, pThread);
    int nEarly = 0, nPartial = 0;
    while (!totals.m_bFinished) {
        LONG nFolders = totals.m_nCount2; // read first: it is written last
        LONG nSeen = totals.m_nCount;
        if (nFolders > 0 && nSeen < nFiles)
            ++nEarly;
        if (nSeen > 0 && nSeen < nFiles)
            ++nPartial;
        Sleep(1);
    }
    EXPECT_TRUE(pThread->WaitForEnd(5000));
    delete pThread;
    EXPECT_EQ(0, nEarly);
    EXPECT_GT(nPartial, 0) << "the worker finished before any poll; the check proved nothing";
    EXPECT_EQ(nFiles, totals.m_nCount);
    EXPECT_EQ(1, totals.m_nCount2);
    EXPECT_EQ(2u * nFiles, totals.m_nBytes);
}

TEST(FolderTotalsWorker, AbortStopsEarlyAndStillFinishes) {
    CScratchTree tree("totals");
    const int nFiles = 1500;
    CString strWide = MakeWideFolder(tree, "表", nFiles);
    CWorkerStatus totals;
    CItemsOwner owner(totals);
    totals.m_items.AddTail(new CSumItem(strWide, false));
    totals.m_items.AddTail(new CSumItem(tree.Root(), true)); // never reached
    CWinThread* pThread = StartWorker(totals);
    ASSERT_NE(nullptr, pThread);
    while (totals.m_nCount == 0 && !totals.m_bFinished)
        Sleep(1);
    totals.m_bStop = 1;
    ASSERT_TRUE(WaitFinished(totals));
    EXPECT_TRUE(pThread->WaitForEnd(5000));
    delete pThread;
    EXPECT_LT(totals.m_nCount, nFiles);
    EXPECT_EQ(0, totals.m_nCount2);
}

TEST_F(FolderTotalsTest, AbortBeforeStartCountsNothing) {
    CWorkerStatus totals;
    CItemsOwner owner(totals);
    totals.m_bStop = 1;
    totals.m_items.AddTail(new CSumItem(m_tree.Root(), true));
    CWinThread* pThread = StartWorker(totals);
    ASSERT_NE(nullptr, pThread);
    ASSERT_TRUE(WaitFinished(totals));
    EXPECT_TRUE(pThread->WaitForEnd(5000));
    delete pThread;
    EXPECT_EQ(0, totals.m_nCount);
    EXPECT_EQ(0, totals.m_nCount2);
}
