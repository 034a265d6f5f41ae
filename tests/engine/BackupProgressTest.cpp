// The progress dialog's side of a run: the go-ahead with its strict space
// check, the scale of the progress bar and its moves during a large copy,
// and the end of the run.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "BackupHarness.h"
#include "FileOps.h"
#include "ScratchTree.h"

namespace {

ULONGLONG g_nFreeSpace = 0;
ULONGLONG FixedFreeSpace(const char*) {
    return g_nFreeSpace;
}
// A slow query: the dialog polls many times meanwhile.
ULONGLONG SlowNoFreeSpace(const char*) {
    Sleep(150);
    return 0;
}

class BackupProgressTest : public CBackupFixture {
protected:
    BackupProgressTest() : CBackupFixture("progress", "src") {}

    CRunResult RunWithFreeSpace(ULONGLONG nFree) {
        g_nFreeSpace = nFree;
        CRunOptions options;
        options.pfnFreeSpace = FixedFreeSpace;
        return RunBackup(*m_source, m_strDestination, options);
    }
};

TEST_F(BackupProgressTest, AvailableEqualToNeededStopsWithNoSpace) {
    m_tree.WriteFile("src\\a.bin", std::string(1000, 'a'));
    CRunResult result = RunWithFreeSpace(1000 + SPACE_MARGIN);
    EXPECT_EQ(STATUS_NO_SPACE, result.nStatus);
    EXPECT_EQ("", result.strResultText);
    EXPECT_FALSE(PathExists(m_source->m_strMirror + "\\a.bin"));
}

TEST_F(BackupProgressTest, FailedSpaceCheckNeverLetsTheWorkerDeleteOrCopy) {
    CString strGone = m_tree.WriteFile("src\\表.txt", "gone");
    ASSERT_EQ(0, RunWithFreeSpace(1ull << 40).nStatus);
    DeleteFileA(strGone);
    m_tree.WriteFile("src\\new.txt", "new");
    CRunOptions options;
    options.pfnFreeSpace = SlowNoFreeSpace;
    CRunResult result = RunBackup(*m_source, m_strDestination, options);
    EXPECT_EQ(STATUS_NO_SPACE, result.nStatus);
    EXPECT_TRUE(PathExists(m_source->m_strMirror + "\\表.txt"));
    EXPECT_FALSE(PathExists(m_source->m_strMirror + "\\new.txt"));
}

TEST_F(BackupProgressTest, OneByteMoreThanNeededGoesAhead) {
    m_tree.WriteFile("src\\a.bin", std::string(1000, 'a'));
    CRunResult result = RunWithFreeSpace(1000 + SPACE_MARGIN + 1);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_TRUE(PathExists(m_source->m_strMirror + "\\a.bin"));
    EXPECT_EQ("空き容量 : 512KB  バックアップ容量 : 0.97KB", result.strSpaceText);
}

TEST_F(BackupProgressTest, NothingToCopyStillNeedsTheMargin) {
    EXPECT_EQ(STATUS_NO_SPACE, RunWithFreeSpace(SPACE_MARGIN).nStatus);
    EXPECT_EQ(0, RunWithFreeSpace(SPACE_MARGIN + 1).nStatus);
}

TEST_F(BackupProgressTest, BytesFreedByTheRunCountAsAvailable) {
    CString strOld = m_tree.WriteFile("src\\old.bin", std::string(4000, 'o'));
    RunWithFreeSpace(1ull << 40);
    DeleteFileA(strOld);
    m_tree.WriteFile("src\\new.bin", std::string(1000, 'n'));
    // 1000 to copy + margin, with 4000 freed: 0 free bytes are not enough,
    // but SPACE_MARGIN - 2999 are.
    EXPECT_EQ(STATUS_NO_SPACE, RunWithFreeSpace(SPACE_MARGIN + 1000 - 4000).nStatus);
    EXPECT_EQ(0, RunWithFreeSpace(SPACE_MARGIN + 1000 - 4000 + 1).nStatus);
    EXPECT_FALSE(PathExists(m_source->m_strMirror + "\\old.bin"));
}

TEST_F(BackupProgressTest, ProgressRangeIsHalvedUntilItFits) {
    m_tree.WriteFile("src\\a.bin", std::string(40000, 'a'));
    EXPECT_EQ(20000, RunWithFreeSpace(1ull << 40).nRangeMax);

    CScratchTree other("progress32");
    CString strSource = other.MakeFolder("src");
    other.WriteFile("src\\a.bin", std::string(32000, 'a'));
    auto source = MakeSource(strSource, m_strDestination);
    g_nFreeSpace = 1ull << 40;
    CRunOptions options;
    options.pfnFreeSpace = FixedFreeSpace;
    EXPECT_EQ(32000, RunBackup(*source, m_strDestination, options).nRangeMax);
}

TEST_F(BackupProgressTest, DestinationsFreeSpaceIsQueriedOnItsOwnDrive) {
    // The real query: the scratch drive has room for a small run.
    m_tree.WriteFile("src\\a.txt", "a");
    CRunResult result = RunBackup(*m_source, m_strDestination);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("バックアップが終了しました。", result.strResultText);
}

TEST_F(BackupProgressTest, ARunGoingAwayOnItsClosingTickWaitsForTheWorker) {
    // The dialog goes, and the run with it, on the tick after a failed
    // space check: the worker may still be on its way out then.
    for (int i = 0; i < 20; ++i) {
        g_nFreeSpace = 0;
        auto run = std::make_unique<CBackupRun>();
        run->SetFreeSpaceQuery(FixedFreeSpace);
        ASSERT_TRUE(run->Start(SpecOf({m_source.get()}, m_strDestination, "")));
        while (!run->Poll().bClose)
            Sleep(1);
        EXPECT_EQ(STATUS_NO_SPACE, run->GetJob().m_nStatus.load());
        run.reset();
    }
}

TEST_F(BackupProgressTest, DestroyingAProgressWhileTheWorkerRunsStopsItFirst) {
    for (int i = 0; i < 50; ++i)
        m_tree.WriteFile((CString("src\\f") + char('a' + i % 26) + char('a' + i / 26)).GetBuffer(0),
                         "x");
    auto run = std::make_unique<CBackupRun>();
    // The space check waits until End() has asked the worker to stop: the
    // run is cut off before it copies, and must not count as a success.
    run->SetFreeSpaceQuery([&run](const char*) {
        while (!run->GetJob().m_bAbort)
            Sleep(1);
        return 1ull << 40;
    });
    ASSERT_TRUE(run->Start(SpecOf({m_source.get()}, m_strDestination, "")));
    Sleep(5);
    run->End();
    EXPECT_FALSE(run->IsWorkerRunning());
    EXPECT_EQ(1, run->GetJob().m_bFinished.load());
    EXPECT_EQ(STATUS_ABORTED, run->GetOutcome().nStatus);
    EXPECT_EQ(0, CountFiles(m_strDestination));
    run.reset(); // a second End() on the way: must not hang
}

const LONGLONG LARGE_FILE_SIZE = 64LL << 20; // 64 blocks of the copy

// The user aborts once the copy has passed its first block, below half.
void AbortMidway(CBackupRun& run, void*) {
    ULONGLONG nCopied = run.GetJob().ReadBytesToCopy(false);
    if (run.GetJob().m_bGoAhead && nCopied > 0 && nCopied < LARGE_FILE_SIZE / 2)
        run.Abort();
}

class LargeCopyProgressTest : public CBackupFixture {
protected:
    LargeCopyProgressTest() : CBackupFixture("largecopy", "src") {}

    // A mirror copy "old" of src\表\纊.bin, whose source has then grown
    // to LARGE_FILE_SIZE.
    void SetUp() override {
        CString strBig = m_tree.WriteFile("src\\表\\纊.bin", "old");
        ASSERT_EQ(0, RunPollingFast().nStatus);
        ASSERT_EQ("old", ReadWholeFile(Mirror("表\\纊.bin")));
        ASSERT_TRUE(MakeSparseFile(strBig, LARGE_FILE_SIZE));
        ASSERT_TRUE(SetFileAttributesA(strBig, FILE_ATTRIBUTE_HIDDEN));
        m_strBig = strBig;
    }
    // Polls as often as it can, so that the copy does not fall between two
    // polls.
    CRunResult RunPollingFast(void (*pfnOnTick)(CBackupRun&, void*) = nullptr) {
        g_nFreeSpace = 1ull << 40;
        CRunOptions options;
        options.pfnFreeSpace = FixedFreeSpace;
        options.pfnOnTick = pfnOnTick;
        options.nPollMs = 1;
        return Run(options);
    }
    CString History() const {
        return m_strDestination + "\\mrq HistoryFolder\\bk1\\src\\表\\纊.bin";
    }

    CString m_strBig;
};

TEST_F(LargeCopyProgressTest, TheBarMovesWhileALargeFileIsCopied) {
    CRunResult result = RunPollingFast();
    EXPECT_EQ(0, result.nStatus);
    ASSERT_GT(result.nRangeMax, 0);
    std::set<int> inBetween;
    for (size_t i = 0; i < result.positions.size(); ++i) {
        if (i > 0) {
            EXPECT_LE(result.positions[i - 1], result.positions[i]) << "the bar went back";
        }
        if (result.positions[i] > 0 && result.positions[i] < result.nRangeMax)
            inBetween.insert(result.positions[i]);
    }
    EXPECT_GE(inBetween.size(), 2u) << "the bar jumped instead of moving during the copy";
    ASSERT_FALSE(result.positions.empty());
    EXPECT_EQ(result.nRangeMax, result.positions.back());
    // The whole copy, with its times and attributes, the old one in the history.
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(m_strBig, Mirror("表\\纊.bin")));
    EXPECT_EQ(Attributes(m_strBig), Attributes(Mirror("表\\纊.bin")));
    EXPECT_EQ("old", ReadWholeFile(History()));
    EXPECT_EQ(1, CountFiles(Mirror("表")));
}

TEST_F(LargeCopyProgressTest, AbortDuringALargeCopyKeepsTheOldVersion) {
    CRunResult result = RunPollingFast(AbortMidway);
    EXPECT_EQ(STATUS_ABORTED, result.nStatus);
    // Stopped between two blocks: the staged copy is gone, the mirror and
    // the history are as they were.
    EXPECT_EQ("old", ReadWholeFile(Mirror("表\\纊.bin")));
    EXPECT_EQ(1, CountFiles(Mirror("表")));
    EXPECT_FALSE(PathExists(History()));
}

} // namespace
