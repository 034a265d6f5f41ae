// Whatever a source entry holds, a run writes only into that entry's own
// mirror directly inside the destination and its history tree: real
// Japanese names with lead bytes F0-FC, folders written with a trailing
// backslash or dots, mirrors a data file names outside the destination or
// twice, and sources that overlap the destination.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "BackupHarness.h"
#include "FolderTotals.h"
#include "MrqDoc.h"
#include "ScratchTree.h"

namespace {

class EntrySafetyTest : public testing::Test {
protected:
    EntrySafetyTest() : m_tree("safety") {
        m_strDestination = m_tree.MakeFolder("dest");
        // What a destination holds besides this run's mirrors: another
        // set's mirror, the history and the data file.
        m_tree.WriteFile("dest\\other\\keep.txt", "other set");
        m_tree.WriteFile("dest\\mrq HistoryFolder\\bk1\\other\\keep.txt", "old version");
        m_tree.WriteFile("dest\\Backup.mrd", "data file");
        m_tree.WriteFile("beside\\keep.txt", "next to the destination");
    }

    // A source folder with one file, registered in the document.
    CBackupSource& Add(const char* pszRelative, const char* pszFolderText = nullptr) {
        CString strFolder = m_tree.MakeFolder(pszRelative);
        m_tree.WriteFile((CString(pszRelative) + "\\f.txt").GetBuffer(0), pszRelative);
        auto* pSource = new CBackupSource(pszFolderText ? CString(pszFolderText) : strFolder);
        m_doc.m_sources.AddTail(pSource);
        return *pSource;
    }

    // Runs the document's entries as the Start command does: mirrors
    // assigned by a save first, unless bAsLoaded.
    CRunResult Run(bool bAsLoaded = false) {
        m_doc.m_strDestination = m_strDestination;
        if (!bAsLoaded)
            m_doc.AssignMirrors();
        std::vector<CBackupSource*> entries;
        for (POSITION pos = m_doc.m_sources.GetHeadPosition(); pos;)
            entries.push_back(GetNextSource(m_doc.m_sources, pos));
        return RunBackup(entries, m_strDestination);
    }

    CTreeSnapshot Outside(std::initializer_list<const char*> mirrors) const {
        CTreeSnapshot all = SnapshotTree(m_tree.Root());
        for (const char* pszMirror : mirrors)
            all = Without(all, {pszMirror});
        return Without(all,
                       {"dest\\mrq HistoryFolder\\bk1\\src", "dest\\mrq HistoryFolder\\bk1\\纊"});
    }

    CScratchTree m_tree;
    CString m_strDestination;
    CMrqDoc m_doc;
};

int Lines(const CString& str) {
    int n = 0;
    for (int i = 0; i < str.GetLength(); ++i)
        n += str[i] == '\n';
    return n;
}

} // namespace

TEST_F(EntrySafetyTest, KanjiWithTrailByte5CGetTheirOwnMirrors) {
    // 纊 FA 5C and 犾 FB 5C: with lead bytes only up to EF the mirror was
    // the destination itself, and the run emptied it.
    Add("資料\\纊");
    Add("犾");
    Add("\xF0\x5C"); // a user-defined character
    CTreeSnapshot before = Outside({});
    CRunResult result = Run();
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("", result.strWarnings);
    EXPECT_EQ("資料\\纊", ReadWholeFile(m_strDestination + "\\纊\\f.txt"));
    EXPECT_EQ("犾", ReadWholeFile(m_strDestination + "\\犾\\f.txt"));
    EXPECT_EQ("\xF0\x5C", ReadWholeFile(m_strDestination + "\\\xF0\x5C\\f.txt"));
    EXPECT_EQ(before, Outside({"dest\\纊", "dest\\犾", "dest\\\xF0\x5C"}));
}

TEST_F(EntrySafetyTest, FolderTextsWithDotsAreNormalisedOrRefused) {
    CString strRoot = m_tree.Root();
    Add("src", strRoot + "\\src\\");
    Add("src2", strRoot + "\\src2\\.");
    Add("a\\b", strRoot + "\\a\\b\\..");
    Add("a\\c", strRoot + "\\a\\.\\c\\...");
    CTreeSnapshot before = Outside({});
    CRunResult result = Run();
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("src", ReadWholeFile(m_strDestination + "\\src\\f.txt"));
    EXPECT_EQ("src2", ReadWholeFile(m_strDestination + "\\src2\\f.txt"));
    EXPECT_EQ(CString("Warning : ") + strRoot + "\\a\\b\\.. がコピーされませんでした。\n" +
                  "Warning : " + strRoot + "\\a\\.\\c\\... がコピーされませんでした。\n",
              result.strWarnings);
    EXPECT_EQ(before, Outside({"dest\\src", "dest\\src2"}));
}

TEST_F(EntrySafetyTest, MirrorsOutsideTheirOwnFolderAreRefused) {
    // Mirrors as a hand-edited data file may hold them: only the last two
    // entries have a folder of their own directly inside the destination
    // (the history's and the run log's folders are the program's).
    const char* mirrors[] = {"",
                             "dest",
                             "dest\\",
                             "dest\\.",
                             "dest\\src\\..",
                             "dest\\other\\inner",
                             "beside",
                             "dest\\mrq HistoryFolder",
                             "dest\\MRQ HISTORYFOLDER\\bk1",
                             "dest\\mrq log",
                             "dest\\con",
                             "dest\\mine",
                             "dest\\MINE"};
    int n = 0;
    for (const char* pszMirror : mirrors) {
        CBackupSource& source = Add(("src" + std::to_string(n++)).c_str());
        source.m_strMirror = *pszMirror ? m_tree.Path(pszMirror) : CString();
    }
    CTreeSnapshot before = Outside({});
    CRunResult result = Run(true);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(12, Lines(result.strWarnings)) << result.strWarnings;
    EXPECT_EQ("src11", ReadWholeFile(m_strDestination + "\\mine\\f.txt"));
    EXPECT_EQ(before, Outside({"dest\\mine"}));
}

TEST_F(EntrySafetyTest, SourcesOverlappingTheDestinationAreRefused) {
    CString strRoot = m_tree.Root();
    Add("dest\\inner");
    Add("whole", strRoot);                   // the destination's parent
    Add("dest2", m_strDestination);          // the destination itself
    Add("dest3", strRoot.Left(3));           // its drive's root
    Add("dest4", strRoot + "\\DEST\\other"); // another mirror, other case
    Add("src");
    CTreeSnapshot before = Outside({});
    CRunResult result = Run();
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(5, Lines(result.strWarnings)) << result.strWarnings;
    EXPECT_EQ("src", ReadWholeFile(m_strDestination + "\\src\\f.txt"));
    EXPECT_EQ(before, Outside({"dest\\src"}));
}

namespace {

// Ends a run that has not finished in 30 s (a walk that follows a loop).
void AbortAfterThirtySeconds(CBackupRun& run, void* pStart) {
    if (GetTickCount() - *static_cast<DWORD*>(pStart) > 30000)
        run.Abort();
}

} // namespace

TEST_F(EntrySafetyTest, FolderLinksAreNeverFollowed) {
    Add("src");
    m_tree.WriteFile("src\\sub\\g.txt", "g");
    m_tree.WriteFile("src\\real\\r.txt", "r");
    CString strElsewhere = m_tree.MakeFolder("elsewhere");
    m_tree.WriteFile("elsewhere\\x.txt", "x");
    ASSERT_TRUE(MakeFolderLink(m_tree.Path("src\\self"), "."));
    ASSERT_TRUE(MakeFolderLink(m_tree.Path("src\\up"), ".."));
    ASSERT_TRUE(MakeFolderLink(m_tree.Path("src\\sub\\loop"), ".."));
    ASSERT_TRUE(MakeFolderLink(m_tree.Path("src\\out"), strElsewhere));
    // Links in the mirror: where the source folder has gone, and where the
    // source has a real folder.
    m_tree.MakeFolder("dest\\src");
    ASSERT_TRUE(MakeFolderLink(m_tree.Path("dest\\src\\gone"), strElsewhere));
    ASSERT_TRUE(MakeFolderLink(m_tree.Path("dest\\src\\real"), strElsewhere));
    CTreeSnapshot before = Outside({"dest\\src"});

    DWORD dwStart = GetTickCount();
    CRunOptions options;
    options.pfnOnTick = AbortAfterThirtySeconds;
    options.pTickContext = &dwStart;
    m_doc.m_strDestination = m_strDestination;
    m_doc.AssignMirrors();
    CBackupSource& source = *GetNextSource(
        m_doc.m_sources, *std::make_unique<POSITION>(m_doc.m_sources.GetHeadPosition()));
    for (INT_PTR nListLimit : {INT_PTR(-1), INT_PTR(0)}) { // lists, then the direct phase
        options.nCopyListLimit = nListLimit;
        CRunResult result = RunBackup(source, m_strDestination, options);
        EXPECT_EQ(0, result.nStatus);
        EXPECT_EQ(6, Lines(result.strWarnings)) << result.strWarnings;
        EXPECT_NE(-1, result.strWarnings.Find(m_tree.Path("src\\sub\\loop") +
                                              " はフォルダのリンクなので、たどりませんでした。"));
        EXPECT_EQ("g", ReadWholeFile(m_strDestination + "\\src\\sub\\g.txt"));
        EXPECT_EQ(before, Outside({"dest\\src"}));
    }
    CTreeSnapshot mirror = SnapshotTree(m_strDestination + "\\src");
    EXPECT_EQ((CTreeSnapshot{{"f.txt", "src"},
                             {"gone", "<folder>"},
                             {"real", "<folder>"},
                             {"sub", "<folder>"},
                             {"sub\\g.txt", "g"}}),
              mirror);

    // The folder totals count a link as a folder without entering it.
    CWorkerStatus totals;
    SumFolder(totals, m_tree.Path("src"), true);
    EXPECT_EQ(6, totals.m_nCount2); // sub, loop, real, self, up, out
    EXPECT_EQ(3, totals.m_nCount);
}
