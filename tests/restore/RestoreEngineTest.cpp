// The restore worker on real files: what comes back, with which times and
// attributes, what stops it, and what is reported instead of restored.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FileOps.h"
#include "MrqDoc.h"
#include "RestoreEngine.h"
#include "RestorePair.h"
#include "RestoreTarget.h"
#include "ScratchTree.h"
#include "WinThread.h"
#include "WorkerStatus.h"

namespace {

// A mirror folder bk\data and its source folder src\data.
class RestoreEngineTest : public testing::Test {
protected:
    RestoreEngineTest() { m_status.m_text.Open(nullptr); }
    ~RestoreEngineTest() override {
        while (!m_status.m_items.IsEmpty())
            delete m_status.m_items.RemoveHead();
    }

    CString Mirror(const char* pszRelative = nullptr) const {
        return pszRelative ? m_tree.Path(CString("bk\\data\\") + pszRelative)
                           : m_tree.Path("bk\\data");
    }
    CString Source(const char* pszRelative = nullptr) const {
        return pszRelative ? m_tree.Path(CString("src\\data\\") + pszRelative)
                           : m_tree.Path("src\\data");
    }
    void AddItem(const char* pszFrom, const char* pszTo, const char* pszSpare = "") {
        m_status.m_items.AddTail(new CRestorePair(pszFrom, pszTo, pszSpare));
    }
    // Runs the worker on the items as the progress dialog does.
    void RunWorker() {
        CWinThread* pThread = AfxBeginThread(RestoreThreadProc, &m_status, THREAD_PRIORITY_NORMAL,
                                             0, CREATE_SUSPENDED);
        ASSERT_NE(nullptr, pThread);
        pThread->m_bAutoDelete = false;
        pThread->ResumeThread();
        EXPECT_TRUE(pThread->WaitForEnd(60000));
        delete pThread;
        EXPECT_EQ(1, m_status.m_bFinished);
    }
    std::vector<std::string> Failures() const {
        std::vector<std::string> paths;
        for (POSITION pos = m_status.m_failures.GetHeadPosition(); pos;)
            paths.push_back(m_status.m_failures.GetNext(pos).str());
        return paths;
    }

    CScratchTree m_tree{"restore"};
    CWorkerStatus m_status;
};

TEST_F(RestoreEngineTest, FolderComesBackWithTimesAndAttributesOverwritingWhatIsThere) {
    CString strOld = m_tree.WriteFile("bk\\data\\ソ\\能.txt", "mirror 能");
    CString strHidden = m_tree.WriteFile("bk\\data\\表\\hidden.dat", "hidden");
    m_tree.WriteFile("bk\\data\\top.txt", "top");
    m_tree.MakeFolder("bk\\data\\空");
    SetWriteTime(strOld, 2001, 2, 3, 4, 5, 6);
    SetFileAttributesA(strOld, FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(strHidden, FILE_ATTRIBUTE_HIDDEN);
    // The source has a newer version of one file, and a file the mirror
    // does not hold.
    m_tree.WriteFile("src\\data\\ソ\\能.txt", "newer, but restore always overwrites");
    m_tree.WriteFile("src\\data\\own.txt", "stays");

    RestorePath(m_status, Mirror(), Source());

    EXPECT_EQ("mirror 能", ReadWholeFile(Source("ソ\\能.txt")));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strOld, Source("ソ\\能.txt")));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strHidden, Source("表\\hidden.dat")));
    EXPECT_TRUE(Attributes(Source("ソ\\能.txt")) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ("top", ReadWholeFile(Source("top.txt")));
    EXPECT_TRUE(IsExistingFolder(Source("空")));
    EXPECT_EQ("stays", ReadWholeFile(Source("own.txt")));
    EXPECT_EQ(3, m_status.m_nCount);
    EXPECT_EQ(0, m_status.m_nFailed);
    EXPECT_EQ(0, m_status.m_bStop);
}

TEST_F(RestoreEngineTest, FileItemMakesTheFoldersAboveIt) {
    CString strMirrorFile = m_tree.WriteFile("bk\\data\\a\\纊\\x.txt", "x");
    SetWriteTime(strMirrorFile, 2010, 10, 10, 10, 10, 10);

    RestorePath(m_status, strMirrorFile, Source("a\\纊\\x.txt"));

    EXPECT_EQ("x", ReadWholeFile(Source("a\\纊\\x.txt")));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strMirrorFile, Source("a\\纊\\x.txt")));
    EXPECT_EQ(1, m_status.m_nCount);
    CString strText;
    EXPECT_TRUE(m_status.m_text.TakeText(strText));
    EXPECT_STREQ("復元中 : x.txt", strText);
}

TEST_F(RestoreEngineTest, FailedCopyStopsEveryWalkButLaterFileItemsStillCome) {
    m_tree.WriteFile("bk\\data\\A\\locked.txt", "new");
    m_tree.WriteFile("bk\\data\\B\\b.txt", "b");
    m_tree.WriteFile("bk\\data\\c.txt", "c");
    CString strLocked = m_tree.WriteFile("src\\data\\A\\locked.txt", "held by another program");
    HANDLE h = CreateFileA(strLocked, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    AddItem(Mirror("A"), Source("A"));
    AddItem(Mirror("B"), Source("B"));
    AddItem(Mirror("c.txt"), Source("c.txt"));

    RunWorker();
    CloseHandle(h);

    EXPECT_EQ("held by another program", ReadWholeFile(strLocked));
    EXPECT_FALSE(PathExists(Source("B\\b.txt"))); // the walk stopped
    EXPECT_EQ("c", ReadWholeFile(Source("c.txt")));
    EXPECT_EQ(2, m_status.m_nCount); // the failed copy counts as tried
    EXPECT_EQ(1, m_status.m_bStop);
    EXPECT_EQ(std::vector<std::string>{Mirror("A\\locked.txt").str()}, Failures());
    // The result must not read as one file missing: B was never tried.
    EXPECT_EQ(1, m_status.m_bFailedStop);
    EXPECT_EQ(1, m_status.m_nNotTried);
}

TEST_F(RestoreEngineTest, TargetFolderPastTheOldStagingLimitNeverLosesTheUsersFile) {
    // A target folder of 246 bytes: a staging name beside its files passes
    // 259 bytes, which the long form takes, so the spare folder (made only
    // when even that cannot be) stays unused.
    int nRel = 246 - Source().GetLength() - 1;
    std::string rel = "表" + std::string(static_cast<size_t>(nRel / 2), 'a') + "\\";
    rel += std::string(static_cast<size_t>(nRel) - rel.size(), 'b');
    CString strTarget = m_tree.WriteFile(("src\\data\\" + rel + "\\a.txt").c_str(), "the user's");
    CString strMirror = m_tree.WriteFile(("bk\\data\\" + rel + "\\a.txt").c_str(), "mirror");
    ASSERT_EQ(246, strTarget.GetLength() - 6);
    CString strSpare = m_tree.Path("src\\spare");
    AddItem(Mirror(), Source(), strSpare);

    // Another program holds the mirror copy: the user's file must stay.
    HANDLE h = CreateFileA(strMirror, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    RunWorker();
    CloseHandle(h);
    EXPECT_EQ("the user's", ReadWholeFile(strTarget));
    EXPECT_EQ(std::vector<std::string>{strMirror.str()}, Failures());

    // Free again, the copy comes back whole, staged beside its target.
    CWorkerStatus again;
    again.m_text.Open(nullptr);
    RestorePath(again, Mirror(), Source(), strSpare);
    EXPECT_EQ("mirror", ReadWholeFile(strTarget));
    EXPECT_EQ(0, again.m_nFailed);
    EXPECT_FALSE(IsExistingFolder(strSpare));

    // A killed restore's staged copy in the spare folder goes at the next.
    CString strLeftover = m_tree.WriteFile("src\\spare\\~mrq00000000.tmp", "left");
    ASSERT_TRUE(IsStagingName("~mrq00000000.tmp"));
    RestorePath(again, Mirror(), Source(), strSpare);
    EXPECT_FALSE(PathExists(strLeftover));
}

TEST_F(RestoreEngineTest, LinksInTheMirrorOrAtTheTargetAreNeverGoneThrough) {
    CString strElsewhere = m_tree.MakeFolder("elsewhere");
    m_tree.WriteFile("elsewhere\\outside.txt", "outside");
    m_tree.WriteFile("bk\\data\\kept.txt", "kept");
    m_tree.WriteFile("bk\\data\\via\\x.txt", "x");
    m_tree.MakeFolder("src\\data");
    // In the mirror a link among the entries (listed also as an item); in
    // the source a link where the mirror holds a real folder.
    ASSERT_TRUE(MakeFolderLink(Mirror("out"), strElsewhere));
    ASSERT_TRUE(MakeFolderLink(Source("via"), strElsewhere));
    AddItem(Mirror(), Source());
    AddItem(Mirror("out"), Source("out"));

    RunWorker();
    EXPECT_EQ("kept", ReadWholeFile(Source("kept.txt")));
    EXPECT_FALSE(PathExists(Source("out")));
    EXPECT_FALSE(PathExists(strElsewhere + "\\x.txt"));
    std::vector<std::string> failures = Failures();
    std::sort(failures.begin(), failures.end());
    EXPECT_EQ(
        (std::vector<std::string>{Mirror("out").str(), Mirror("out").str(), Mirror("via").str()}),
        failures);
    EXPECT_EQ(0, m_status.m_bStop); // a link is passed over, nothing failed

    // An item below the source's link gets no target at all.
    CMrqDoc doc;
    doc.m_strDestination = m_tree.Path("bk");
    auto* pSource = new CBackupSource(Source());
    pSource->m_strMirror = Mirror();
    doc.m_sources.AddTail(pSource);
    EXPECT_STREQ("", MapRestoreTarget(doc, Mirror("via\\x.txt")));
    EXPECT_EQ(Source("kept.txt"), MapRestoreTarget(doc, Mirror("kept.txt")));
}

TEST_F(RestoreEngineTest, ItemsWithoutTargetAreReportedAndLongPathsComeBack) {
    m_tree.WriteFile("bk\\data\\lost.txt", "lost");
    m_tree.WriteFile("bk\\data\\lostdir\\x.txt", "x");
    // A source folder so deep that one name below it passes 259 bytes,
    // while the mirror path stays short.
    std::string deep = "src\\" + std::string(100, 'd') + "\\" + std::string(100, 'e');
    CString strDeep = m_tree.MakeFolder(deep.c_str());
    ASSERT_LT(strDeep.GetLength(), MAX_PATH - 20);
    std::string longName(MAX_PATH - strDeep.GetLength(), 'n');
    m_tree.WriteFile(("bk\\data\\long\\" + longName).c_str(), "long");
    m_tree.WriteFile("bk\\data\\long\\ok.txt", "ok");
    AddItem(Mirror("lost.txt"), "");
    AddItem(Mirror("lostdir"), "");
    AddItem(Mirror("long"), strDeep);

    RunWorker();

    EXPECT_EQ("ok", ReadWholeFile(strDeep + "\\ok.txt"));
    EXPECT_EQ("long", ReadWholeFile(strDeep + "\\" + longName.c_str())); // past 259 bytes
    EXPECT_EQ(2, m_status.m_nCount);
    EXPECT_EQ(0, m_status.m_bStop); // nothing failed on the disk
    std::vector<std::string> expected = {Mirror("lost.txt").str(), Mirror("lostdir").str()};
    EXPECT_EQ(expected, Failures());
    EXPECT_EQ(2, m_status.m_nFailed);
    EXPECT_EQ(2, CountFiles(strDeep));
}

// Mirror entries whose names the code page cannot hold come back under
// their exact names: never as look-alikes, so a yen sign never climbs out of
// the mirror or the target. An item whose path holds "?" names no file and
// is reported; the rest of the restore goes on.
TEST_F(RestoreEngineTest, NamesOutsideTheCodePageComeBackExactly) {
    CString strOutsideMirror = m_tree.WriteFile("bk\\victim.txt", "outside the mirror");
    CString strOutsideTarget = m_tree.WriteFile("src\\victim.txt", "outside the target");
    m_tree.WriteWideFile(L"bk\\data\\A\\..\u00a5..\u00a5victim.txt", "yen");
    m_tree.WriteWideFile(L"bk\\data\\\ud55c\uae00.txt", "hangul");
    m_tree.WriteWideFile(L"bk\\data\\Caf\u00e9\\menu.txt", "menu");
    m_tree.WriteFile("bk\\data\\表ソ.txt", "kanji");
    AddItem(Mirror(), Source());
    AddItem(Mirror("Caf?"), Source("Caf?"));

    RunWorker();

    EXPECT_EQ(SnapshotTree(Mirror()), SnapshotTree(Source()));
    EXPECT_EQ("outside the target", ReadWholeFile(strOutsideTarget));
    EXPECT_EQ("outside the mirror", ReadWholeFile(strOutsideMirror));
    EXPECT_EQ(4, m_status.m_nCount);
    EXPECT_EQ(0, m_status.m_bStop);
    EXPECT_EQ(std::vector<std::string>{Mirror("Caf?").str()}, Failures());
}

TEST_F(RestoreEngineTest, AbortStopsTheWalkAndTheWorkerStillFinishes) {
    const int nFiles = 250;
    for (int i = 0; i < nFiles; ++i)
        m_tree.WriteFile(("bk\\data\\many\\f" + std::to_string(i)).c_str(), "1");
    m_tree.WriteFile("bk\\data\\c.txt", "c");
    AddItem(Mirror("many"), Source("many"));
    AddItem(Mirror("c.txt"), Source("c.txt"));
    CWinThread* pThread =
        AfxBeginThread(RestoreThreadProc, &m_status, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = false;
    pThread->ResumeThread();
    while (m_status.m_nCount == 0 && !m_status.m_bFinished)
        Sleep(1);
    m_status.m_bStop = 1;
    EXPECT_TRUE(pThread->WaitForEnd(60000));
    delete pThread;

    EXPECT_EQ(1, m_status.m_bFinished);
    EXPECT_LT(m_status.m_nCount, nFiles);
    EXPECT_EQ("c", ReadWholeFile(Source("c.txt"))); // file items are still restored
    EXPECT_EQ(0, m_status.m_nFailed);
}

} // namespace
