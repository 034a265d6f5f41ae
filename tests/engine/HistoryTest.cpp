// History generations over whole backup runs: every overwritten mirror copy
// moves into bk1 and older versions move one generation deeper.
#include <gtest/gtest.h>

#include <cstdio>

#include "BackupHarness.h"
#include "FileOps.h"
#include "ScratchTree.h"

namespace {

class HistoryTest : public testing::Test {
protected:
    HistoryTest() : m_tree("history") {
        m_strSource = m_tree.MakeFolder("表data");
        m_strDestination = m_tree.MakeFolder("dest");
    }

    // Writes version n of the file with its own write time, then backs up.
    CRunResult BackUpVersion(CBackupSource& source, const char* pszName, int nVersion) {
        char szContent[32];
        std::snprintf(szContent, sizeof szContent, "version %d", nVersion);
        CString strPath = m_tree.WriteFile(CString("表data\\") + pszName, szContent);
        SetWriteTime(strPath, 2020, 1, nVersion, 12, 0, 0);
        return RunBackup(source, m_strDestination);
    }

    CString Generation(int n, const char* pszName) const {
        char sz[64];
        std::snprintf(sz, sizeof sz, "\\mrq HistoryFolder\\bk%d\\表data\\", n);
        return m_strDestination + sz + pszName;
    }
    CString Mirror(const char* pszName) const { return m_strDestination + "\\表data\\" + pszName; }

    CScratchTree m_tree;
    CString m_strSource, m_strDestination;
};

TEST_F(HistoryTest, LimitThreeKeepsTheThreePreviousVersions) {
    auto source = MakeSource(m_strSource, m_strDestination, "3");
    for (int n = 1; n <= 5; ++n)
        ASSERT_EQ(0, BackUpVersion(*source, "ソ.txt", n).nStatus);
    EXPECT_EQ("version 5", ReadWholeFile(Mirror("ソ.txt")));
    EXPECT_EQ("version 4", ReadWholeFile(Generation(1, "ソ.txt")));
    EXPECT_EQ("version 3", ReadWholeFile(Generation(2, "ソ.txt")));
    EXPECT_EQ("version 2", ReadWholeFile(Generation(3, "ソ.txt")));
    EXPECT_FALSE(PathExists(Generation(4, "ソ.txt")));
    EXPECT_EQ(4, CountFiles(m_strDestination));
}

TEST_F(HistoryTest, ChangedFileAnotherProgramReadsKeepsItsOldVersion) {
    auto source = MakeSource(m_strSource, m_strDestination, "3");
    BackUpVersion(*source, "纊表.txt", 1);
    CString strPath = m_tree.WriteFile("表data\\纊表.txt", "version 2");
    SetWriteTime(strPath, 2020, 1, 2, 12, 0, 0);
    // A reader that shares reading: the comparison's exclusive open fails,
    // the copy's shared one does not.
    HANDLE hReader = CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hReader);
    RunBackup(*source, m_strDestination);
    CloseHandle(hReader);
    EXPECT_EQ("version 2", ReadWholeFile(Mirror("纊表.txt")));
    EXPECT_EQ("version 1", ReadWholeFile(Generation(1, "纊表.txt")));
}

TEST_F(HistoryTest, LimitOneReplacesTheSingleGeneration) {
    auto source = MakeSource(m_strSource, m_strDestination, "1");
    for (int n = 1; n <= 3; ++n)
        BackUpVersion(*source, "a.txt", n);
    EXPECT_EQ("version 3", ReadWholeFile(Mirror("a.txt")));
    EXPECT_EQ("version 2", ReadWholeFile(Generation(1, "a.txt")));
    EXPECT_FALSE(PathExists(Generation(2, "a.txt")));
}

TEST_F(HistoryTest, LimitZeroKeepsNoHistory) {
    auto source = MakeSource(m_strSource, m_strDestination, "0");
    for (int n = 1; n <= 3; ++n) {
        CRunResult result = BackUpVersion(*source, "a.txt", n);
        EXPECT_EQ(n == 1 ? 1 : 0, result.nNew);
        EXPECT_EQ(n == 1 ? 0 : 1, result.nUpdated);
    }
    EXPECT_EQ("version 3", ReadWholeFile(Mirror("a.txt")));
    EXPECT_FALSE(PathExists(m_strDestination + "\\mrq HistoryFolder"));
}

TEST_F(HistoryTest, LoweringTheLimitLeavesDeeperGenerationsAlone) {
    auto source = MakeSource(m_strSource, m_strDestination, "3");
    for (int n = 1; n <= 4; ++n)
        BackUpVersion(*source, "a.txt", n);
    CBackupSource::SetOption(source->m_szHistory, "1");
    BackUpVersion(*source, "a.txt", 5);
    EXPECT_EQ("version 5", ReadWholeFile(Mirror("a.txt")));
    EXPECT_EQ("version 4", ReadWholeFile(Generation(1, "a.txt")));
    EXPECT_EQ("version 2", ReadWholeFile(Generation(2, "a.txt")));
    EXPECT_EQ("version 1", ReadWholeFile(Generation(3, "a.txt")));
}

TEST_F(HistoryTest, ReadOnlyFileInTheLastGenerationIsPushedOut) {
    auto source = MakeSource(m_strSource, m_strDestination, "2");
    for (int n = 1; n <= 3; ++n)
        BackUpVersion(*source, "a.txt", n);
    SetFileAttributesA(Generation(2, "a.txt"), FILE_ATTRIBUTE_READONLY);
    CRunResult result = BackUpVersion(*source, "a.txt", 4);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_TRUE(result.strWarnings.IsEmpty()) << result.strWarnings;
    EXPECT_EQ("version 3", ReadWholeFile(Generation(1, "a.txt")));
    EXPECT_EQ("version 2", ReadWholeFile(Generation(2, "a.txt")));
}

TEST_F(HistoryTest, SourcesWithTheSameFolderNameShareTheirHistory) {
    CString strOther = m_tree.MakeFolder("other\\表data");
    auto first = MakeSource(m_strSource, m_strDestination, "2");
    auto second = MakeSource(strOther, m_strDestination, "2");
    second->m_strMirror = m_strDestination + "\\表data(1)";
    std::vector<CBackupSource*> both{first.get(), second.get()};

    CString strFirst = m_tree.WriteFile("表data\\x.txt", "first v1");
    CString strSecond = m_tree.WriteFile("other\\表data\\x.txt", "second v1");
    SetWriteTime(strFirst, 2020, 1, 1, 0, 0, 0);
    SetWriteTime(strSecond, 2020, 1, 1, 0, 0, 0);
    RunBackup(both, m_strDestination);
    WriteWholeFile(strFirst, "first v2");
    SetWriteTime(strFirst, 2020, 1, 2, 0, 0, 0);
    WriteWholeFile(strSecond, "second v2");
    SetWriteTime(strSecond, 2020, 1, 2, 0, 0, 0);
    RunBackup(both, m_strDestination);

    // The second entry's old copy went into bk1 last, pushing the first
    // entry's old copy into bk2.
    EXPECT_EQ("second v1", ReadWholeFile(Generation(1, "x.txt")));
    EXPECT_EQ("first v1", ReadWholeFile(Generation(2, "x.txt")));
    EXPECT_EQ("first v2", ReadWholeFile(Mirror("x.txt")));
    EXPECT_EQ("second v2", ReadWholeFile(m_strDestination + "\\表data(1)\\x.txt"));
}

TEST_F(HistoryTest, HistoryKeepsTheSubfolderPath) {
    auto source = MakeSource(m_strSource, m_strDestination, "1");
    BackUpVersion(*source, "能\\十.txt", 1);
    EXPECT_EQ(0, BackUpVersion(*source, "能\\十.txt", 2).nStatus);
    EXPECT_EQ("version 1", ReadWholeFile(Generation(1, "能\\十.txt")));
    EXPECT_EQ("version 2", ReadWholeFile(Mirror("能\\十.txt")));
}

// A name of the form a copy has while it is made, as a killed run leaves
// it (bValid), or one that merely looks like it (wrong check digits).
CString StagingLikeName(bool bValid) {
    for (int nCheck = 0; nCheck < 256; ++nCheck) {
        char sz[32];
        std::snprintf(sz, sizeof sz, "~mrq5C0FFA%02X.tmp", nCheck);
        if (IsStagingName(sz) == bValid)
            return sz;
    }
    return "";
}

TEST_F(HistoryTest, LeftoverOfAKilledCopyIsRemovedUncountedAndNeverKept) {
    CString strLeftover = StagingLikeName(true), strLookalike = StagingLikeName(false);
    ASSERT_FALSE(strLeftover.IsEmpty());
    ASSERT_FALSE(strLookalike.IsEmpty());
    auto source = MakeSource(m_strSource, m_strDestination, "1");
    ASSERT_EQ(0, BackUpVersion(*source, "ソ.txt", 1).nStatus);
    // A user's own file of the exact form, in the source: a file like any
    // other.
    m_tree.WriteFile("表data\\" + strLeftover, "mine");
    // What killed runs leave: partial copies beside their targets (one in a
    // folder that has left the source) and in the history root; and a
    // look-alike in the mirror whose source has gone.
    m_tree.WriteFile("dest\\表data\\十\\" + strLeftover, "partial");
    m_tree.WriteFile("dest\\mrq HistoryFolder\\" + strLeftover, "partial");
    m_tree.WriteFile("dest\\表data\\" + strLookalike, "look-alike");

    CRunResult result = BackUpVersion(*source, "ソ.txt", 2);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(2, result.nTotal);
    EXPECT_EQ(1, result.nDeleted); // the look-alike, like any file that left
    EXPECT_EQ("mine", ReadWholeFile(Mirror(strLeftover)));
    EXPECT_EQ("version 2", ReadWholeFile(Mirror("ソ.txt")));
    EXPECT_EQ("version 1", ReadWholeFile(Generation(1, "ソ.txt")));
    EXPECT_FALSE(PathExists(Mirror("十")));
    EXPECT_FALSE(PathExists(Mirror(strLookalike)));
    // The mirror's two files and generation 1 of ソ.txt, nothing else.
    EXPECT_EQ(3, CountFiles(m_strDestination));
}

} // namespace
