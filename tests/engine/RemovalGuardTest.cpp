// The guard against an emptied source: an entry whose run would take at
// least half of its mirror's files, and at least 100, has its deletions
// asked about before anything is deleted, or left undone when nobody can be
// asked; its copies run either way, and the run says what it left.
#include <gtest/gtest.h>

#include <cstdio>

#include "BackupHarness.h"
#include "FileOps.h"
#include "StatusMessage.h"

namespace {

class RemovalGuardTest : public testing::Test {
protected:
    RemovalGuardTest() : m_tree("guard") { m_strDestination = m_tree.MakeFolder("dest"); }

    // A source folder of nFiles files of 100 bytes, backed up once.
    CBackupSource& AddSource(const char* pszName, int nFiles) {
        for (int i = 0; i < nFiles; ++i)
            m_tree.WriteFile(FileName(pszName, i), std::string(100, 'x'));
        m_sources.push_back(MakeSource(m_tree.Path(pszName), m_strDestination));
        CRunOptions off;
        off.guard = GUARD_OFF;
        RunBackup(*m_sources.back(), m_strDestination, off);
        return *m_sources.back();
    }
    static CString FileName(const char* pszFolder, int nIndex) {
        char sz[MAX_PATH];
        std::snprintf(sz, sizeof sz, "%s\\f%03d.txt", pszFolder, nIndex);
        return sz;
    }
    void DeleteFirst(const char* pszFolder, int nFiles) {
        for (int i = 0; i < nFiles; ++i)
            ::DeleteFileA(m_tree.Path(FileName(pszFolder, i)));
    }
    int MirrorFiles(const char* pszFolder) const {
        return CountFiles(m_strDestination + "\\" + pszFolder);
    }
    CRunResult RunAll(const CRunOptions& options) {
        std::vector<CBackupSource*> sources;
        for (auto& source : m_sources)
            sources.push_back(source.get());
        return RunBackup(sources, m_strDestination, options);
    }

    CScratchTree m_tree;
    CString m_strDestination;
    std::vector<std::unique_ptr<CBackupSource>> m_sources;
};

// Half of 200 is asked about; 100 of 201, and 99 of 100, are not. The
// answer "no" leaves that entry's mirror whole while its new file is
// copied, and the others' deletions go ahead.
TEST_F(RemovalGuardTest, AnEntryLosingHalfItsMirrorIsAskedAboutAndNoKeepsItsMirror) {
    CBackupSource& half = AddSource("写真表", 200);
    AddSource("more", 201);
    AddSource("few", 100);
    DeleteFirst("写真表", 100);
    DeleteFirst("more", 100);
    DeleteFirst("few", 99);
    m_tree.WriteFile("写真表\\new.txt", "new");

    CRunOptions ask;
    ask.guard = GUARD_ASK;
    CRunResult result = RunAll(ask);
    ASSERT_EQ(1u, result.questions.size());
    EXPECT_EQ(half.m_strFolder, result.questions[0].strFolder);
    EXPECT_EQ(100, result.questions[0].nToDelete);
    EXPECT_EQ(200, result.questions[0].nInMirror);

    EXPECT_EQ(STATUS_REMOVALS_SKIPPED, result.nStatus);
    EXPECT_EQ(1, result.nGuardedEntries);
    EXPECT_EQ(199, result.nDeleted) << "what the guard kept was not deleted";
    EXPECT_EQ(201, MirrorFiles("写真表")) << "every file, and the new one";
    EXPECT_EQ(101, MirrorFiles("more"));
    EXPECT_EQ(1, MirrorFiles("few"));
    EXPECT_EQ("Warning : " + half.m_strFolder +
                  " のミラーの 200 個のファイルのうち 100 個を削除することになるため、"
                  "削除を行いませんでした。\n",
              result.strWarnings);
    EXPECT_EQ(CString("削除を見送ったフォルダがあります。"), result.strResultText);
}

struct CWaitCheck {
    int nMirrorDuringWait = -1;
    bool bNewCopiedDuringWait = true;
    CString strMirror, strNew;
};

// The worker waits for the answer: while it is out nothing is deleted or
// copied; "yes" then deletes every file, and the run ends as finished.
TEST_F(RemovalGuardTest, TheWorkerWaitsForTheAnswerAndYesCarriesTheDeletionsOut) {
    AddSource("ソ", 120);
    DeleteFirst("ソ", 120);
    m_tree.WriteFile("ソ\\new.txt", "new");
    CWaitCheck check;
    check.strMirror = m_strDestination + "\\ソ";
    check.strNew = check.strMirror + "\\new.txt";
    CRunOptions ask;
    ask.guard = GUARD_ASK;
    ask.pTickContext = &check;
    ask.pfnAnswer = [](CBackupRun&, const CRemovalQuestion&, void* pContext) {
        auto& wait = *static_cast<CWaitCheck*>(pContext);
        ::Sleep(300);
        wait.nMirrorDuringWait = CountFiles(wait.strMirror);
        wait.bNewCopiedDuringWait = PathExists(wait.strNew);
        return true;
    };
    CRunResult result = RunAll(ask);
    EXPECT_EQ(120, check.nMirrorDuringWait);
    EXPECT_FALSE(check.bNewCopiedDuringWait);
    EXPECT_EQ(STATUS_OK, result.nStatus);
    EXPECT_EQ(120, result.nDeleted);
    EXPECT_EQ(1, MirrorFiles("ソ"));
    EXPECT_EQ("", result.strWarnings);
}

ULONGLONG g_nFreeBytes = 0;
ULONGLONG FreeBytes(const char*) {
    return g_nFreeBytes;
}

// Nobody to ask: no question, the mirror stays (in the direct phase too),
// and the deletions left undone free no room for the space check. An abort
// during the question deletes nothing either. Without the guard the same
// run deletes.
TEST_F(RemovalGuardTest, WithNobodyToAskTheDeletionsAreLeftUndoneInEveryPhase) {
    AddSource("能", 150);
    DeleteFirst("能", 150);
    const std::string kNew(1000, 'n');
    m_tree.WriteFile("能\\new.txt", kNew);

    // Room for the new file only if the 150 files of 100 bytes were freed.
    CRunOptions tight;
    tight.pfnFreeSpace = FreeBytes;
    g_nFreeBytes = kNew.size() + SPACE_MARGIN - 15000 + 1;
    EXPECT_EQ(STATUS_NO_SPACE, RunAll(tight).nStatus);

    CRunOptions abort;
    abort.guard = GUARD_ASK;
    abort.pfnAnswer = [](CBackupRun& run, const CRemovalQuestion&, void*) {
        run.Abort();
        return true;
    };
    EXPECT_EQ(STATUS_ABORTED, RunAll(abort).nStatus);
    EXPECT_EQ(150, MirrorFiles("能"));

    CRunOptions direct; // the copy list fails: every entry is walked again
    direct.nCopyListLimit = 0;
    for (const CRunOptions& options : {CRunOptions(), direct}) {
        CRunResult result = RunAll(options);
        EXPECT_TRUE(result.questions.empty());
        EXPECT_EQ(STATUS_REMOVALS_SKIPPED, result.nStatus);
        EXPECT_EQ(0, result.nDeleted);
        EXPECT_EQ(151, MirrorFiles("能"));
        EXPECT_EQ(1, CountWarnings(result.strWarnings));
        ::DeleteFileA(m_strDestination + "\\能\\new.txt");
    }

    CRunOptions keep; // kept files would leave the mirror for the history
    keep.bKeepDeleted = true;
    EXPECT_EQ(STATUS_REMOVALS_SKIPPED, RunAll(keep).nStatus);
    EXPECT_FALSE(PathExists(m_strDestination + "\\mrq HistoryFolder"));

    CRunOptions off;
    off.guard = GUARD_OFF;
    CRunResult result = RunAll(off);
    EXPECT_EQ(STATUS_OK, result.nStatus);
    EXPECT_EQ(150, result.nDeleted);
    EXPECT_EQ(1, MirrorFiles("能"));
}

} // namespace
