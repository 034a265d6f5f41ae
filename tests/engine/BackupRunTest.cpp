// Whole backup runs: missing sources, aborts, the direct phase after a list
// ran out of memory, and the order of deletions and copies.
#include <gtest/gtest.h>

#include <atomic>
#include <new>

#include "BackupHarness.h"
#include "FileOps.h"
#include "ScratchTree.h"

// Every allocation of a thread other than the test's own fails while this
// is set: the worker runs out of memory wherever it next allocates.
std::atomic<DWORD> g_dwOnlyThreadWithMemory{0};
std::atomic<DWORD> g_dwTestThread{0};

void* operator new(size_t nSize) {
    DWORD dwOnly = g_dwOnlyThreadWithMemory;
    if (dwOnly && GetCurrentThreadId() != dwOnly)
        throw std::bad_alloc();
    if (void* p = HeapAlloc(GetProcessHeap(), 0, nSize ? nSize : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (p)
        HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, size_t) noexcept {
    operator delete(p);
}

namespace {

class BackupRunTest : public testing::Test {
protected:
    BackupRunTest() : m_tree("run") { m_strDestination = m_tree.MakeFolder("dest"); }

    std::unique_ptr<CBackupSource> Source(const char* pszName, int nFiles) {
        CString strFolder = m_tree.MakeFolder(pszName);
        for (int i = 0; i < nFiles; ++i) {
            char sz[32];
            std::snprintf(sz, sizeof sz, "\\f%03d.txt", i);
            WriteWholeFile(strFolder + sz, std::string(100, 'x'));
        }
        return MakeSource(strFolder, m_strDestination);
    }

    CScratchTree m_tree;
    CString m_strDestination;
};

TEST_F(BackupRunTest, MissingFirstSourceGivesStatusThreeAndCopiesNothing) {
    auto missing = MakeSource(m_tree.Path("nothing表"), m_strDestination);
    auto present = Source("present", 3);
    CRunResult result = RunBackup({missing.get(), present.get()}, m_strDestination);
    EXPECT_EQ(STATUS_SOURCE_MISSING, result.nStatus);
    EXPECT_EQ("", result.strResultText);
    EXPECT_EQ(0, CountFiles(m_strDestination));
}

TEST_F(BackupRunTest, MissingLaterSourceStillRunsTheEarlierOnes) {
    auto present = Source("present", 3);
    auto missing = MakeSource(m_tree.Path("nothing"), m_strDestination);
    CRunResult result = RunBackup({present.get(), missing.get()}, m_strDestination);
    EXPECT_EQ(STATUS_SOURCE_MISSING, result.nStatus);
    EXPECT_EQ(3, CountFiles(present->m_strMirror));
}

TEST_F(BackupRunTest, WarningsDoNotHideAMissingSource) {
    auto present = Source("present", 1);
    CString strLocked = m_tree.WriteFile("present\\locked.txt", "l");
    auto missing = MakeSource(m_tree.Path("nothing"), m_strDestination);
    HANDLE hLock = CreateFileA(strLocked, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    CRunResult result = RunBackup({present.get(), missing.get()}, m_strDestination);
    CloseHandle(hLock);
    EXPECT_NE(-1, result.strWarnings.Find("排他的処理中"));
    EXPECT_EQ(STATUS_SOURCE_MISSING, result.nStatus);
}

TEST_F(BackupRunTest, SourceNamingAFileIsSkippedSilently) {
    CString strFile = m_tree.WriteFile("plain.txt", "p");
    auto file = MakeSource(strFile, m_strDestination);
    auto present = Source("present", 2);
    CRunResult result = RunBackup({file.get(), present.get()}, m_strDestination);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(2, result.nTotal);
    EXPECT_TRUE(result.strWarnings.IsEmpty());
}

TEST_F(BackupRunTest, EntryWithoutAMirrorFolderIsNeverRunIntoTheCurrentDirectory) {
    auto present = Source("present", 2);
    present->m_strMirror = "";
    CRunResult result = RunBackup(*present, m_strDestination);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(0, result.nTotal);
    EXPECT_NE(-1, result.strWarnings.Find(present->m_strFolder));
}

TEST_F(BackupRunTest, EntryWithoutAMirrorIsReportedOnceInTheDirectPhase) {
    auto unassigned = Source("unassigned", 1);
    unassigned->m_strMirror = "relative\\mirror";
    auto present = Source("present", 2);
    CRunOptions options;
    options.nCopyListLimit = 0;
    CRunResult result = RunBackup({unassigned.get(), present.get()}, m_strDestination, options);
    EXPECT_EQ(CString("Warning : ") + unassigned->m_strFolder + " がコピーされませんでした。\n",
              result.strWarnings);
    EXPECT_EQ(2, CountFiles(present->m_strMirror));
}

TEST_F(BackupRunTest, DirectPhaseDoesTheWorkWhenTheCopyListRunsOutOfMemory) {
    auto first = Source("first", 5);
    auto second = Source("second", 4);
    CRunOptions options;
    options.nCopyListLimit = 3;
    CRunResult result = RunBackup({first.get(), second.get()}, m_strDestination, options);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(9, result.nTotal); // counted by the survey, once
    EXPECT_EQ(5, CountFiles(first->m_strMirror));
    EXPECT_EQ(4, CountFiles(second->m_strMirror));
}

TEST_F(BackupRunTest, DirectPhaseCreatesTheMirrorFolderOfAFirstRun) {
    auto source = Source("fresh", 1);
    m_tree.MakeFolder("fresh\\empty");
    CRunOptions options;
    options.nCopyListLimit = 0;
    RunBackup(*source, m_strDestination, options);
    // The mirror exists before the walk, so even empty subfolders appear.
    EXPECT_TRUE(IsExistingFolder(source->m_strMirror + "\\empty"));
}

std::atomic<bool> g_bAbortedBeforeGoAhead{false};

void AbortWhenSurveyStarts(CBackupRun& run, void*) {
    if (run.GetJob().m_nTotal > 0 && !run.GetJob().m_bGoAhead) {
        run.Abort();
        g_bAbortedBeforeGoAhead = true;
    }
}

// The survey may end between two ticks; the space query that follows it
// holds the worker until the abort has come, so it always lands before the
// go-ahead, during the survey or right after it.
ULONGLONG FreeSpaceOnceAborted(const char*) {
    for (int i = 0; i < 1000 && !g_bAbortedBeforeGoAhead; ++i)
        Sleep(10);
    return 1ull << 40;
}

TEST_F(BackupRunTest, AbortDuringTheSurveyCopiesAndDeletesNothing) {
    auto source = Source("many", 400);
    CString strGone = m_tree.WriteFile("many\\gone.txt", "g");
    RunBackup(*source, m_strDestination);
    DeleteFileA(strGone);
    for (int i = 0; i < 400; i += 2) {
        char sz[32];
        std::snprintf(sz, sizeof sz, "many\\f%03d.txt", i);
        SetWriteTime(m_tree.Path(sz), 2022, 2, 2, 2, 2, 2);
    }
    CRunOptions options;
    options.pfnOnTick = AbortWhenSurveyStarts;
    options.pfnFreeSpace = FreeSpaceOnceAborted;
    g_bAbortedBeforeGoAhead = false;
    CRunResult result = RunBackup(*source, m_strDestination, options);
    EXPECT_EQ(STATUS_ABORTED, result.nStatus);
    EXPECT_EQ("", result.strResultText);
    EXPECT_TRUE(PathExists(source->m_strMirror + "\\gone.txt"));
    EXPECT_FALSE(PathExists(m_strDestination + "\\mrq HistoryFolder"));
}

void AbortOnceCopying(CBackupRun& run, void*) {
    if (run.GetJob().m_bGoAhead && run.GetJob().ReadBytesToCopy(false) > 0)
        run.Abort();
}

TEST_F(BackupRunTest, AbortDuringExecutionKeepsWhatWasCopied) {
    auto source = Source("many", 600);
    CRunOptions options;
    options.pfnOnTick = AbortOnceCopying;
    CRunResult result = RunBackup(*source, m_strDestination, options);
    EXPECT_EQ(STATUS_ABORTED, result.nStatus);
    int nCopied = CountFiles(source->m_strMirror);
    EXPECT_GT(nCopied, 0);
    EXPECT_LT(nCopied, 600);
    // Every copy that was made is whole.
    for (int i = 0; i < 600; ++i) {
        char sz[32];
        std::snprintf(sz, sizeof sz, "\\f%03d.txt", i);
        CString strMirror = source->m_strMirror + sz;
        if (PathExists(strMirror)) {
            EXPECT_EQ(std::string(100, 'x'), ReadWholeFile(strMirror));
        }
    }
}

TEST_F(BackupRunTest, CopyErrorOtherThanTheKnownOnesStopsTheRunWithItsCode) {
    auto source = Source("src", 1);
    // A file where the mirror folder should be: its files cannot be made.
    WriteWholeFile(source->m_strMirror, "in the way");
    CRunResult result = RunBackup(*source, m_strDestination);
    EXPECT_NE(0, result.nStatus);
    EXPECT_NE(STATUS_ABORTED, result.nStatus);
    EXPECT_EQ("", result.strResultText);
    EXPECT_EQ("in the way", ReadWholeFile(source->m_strMirror));
}

TEST_F(BackupRunTest, WorkerOutOfMemoryStopsTheRunWithoutEndingTheProgram) {
    auto source = Source("src", 3);
    // From the space check on, only the test's thread finds memory.
    g_dwTestThread = GetCurrentThreadId();
    CRunOptions options;
    options.pfnFreeSpace = [](const char*) {
        g_dwOnlyThreadWithMemory = g_dwTestThread.load();
        return 1ull << 40;
    };
    CRunResult result = RunBackup(*source, m_strDestination, options);
    g_dwOnlyThreadWithMemory = 0;
    EXPECT_EQ(ERROR_NOT_ENOUGH_MEMORY, result.nStatus);
    EXPECT_EQ("", result.strResultText);
    // Whatever was copied before is whole.
    for (const char* psz : {"\\f000.txt", "\\f001.txt", "\\f002.txt"}) {
        if (PathExists(source->m_strMirror + psz)) {
            EXPECT_EQ(std::string(100, 'x'), ReadWholeFile(source->m_strMirror + psz));
        }
    }
}

} // namespace
