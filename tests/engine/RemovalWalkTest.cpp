// The removal pass: mirror files whose source has gone leave the mirror, by
// the delete list in a normal run and directly (into the history when it is
// kept) when a list ran out of memory. A source that cannot be read never
// costs a mirror file.
#include <gtest/gtest.h>

#include "BackupHarness.h"
#include "FileOps.h"
#include "ScratchTree.h"
#include "StatusMessage.h"

namespace {

class RemovalWalkTest : public CBackupFixture {
protected:
    RemovalWalkTest() : CBackupFixture("removal", "ソース", "0") {}

    // Forces the direct phase: the copy list fails on its first line (so
    // the run must have at least one file to copy).
    static CRunOptions DirectPhase() {
        CRunOptions options;
        options.nCopyListLimit = 0;
        return options;
    }
};

TEST_F(RemovalWalkTest, FirstRunWithoutMirrorRemovesNothing) {
    m_tree.WriteFile("ソース\\a.txt", "a");
    CRunResult result = Run();
    EXPECT_EQ(0, result.nDeleted);
    EXPECT_EQ(1, result.nNew);
}

TEST_F(RemovalWalkTest, FileGoneFromTheSourceIsCountedAndDeleted) {
    CString strGone = m_tree.WriteFile("ソース\\表.txt", "gone");
    m_tree.WriteFile("ソース\\stay.txt", "stay");
    Run();
    DeleteFileA(strGone);
    CRunResult result = Run();
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(1, result.nDeleted);
    EXPECT_FALSE(PathExists(Mirror("表.txt")));
    EXPECT_TRUE(PathExists(Mirror("stay.txt")));
}

TEST_F(RemovalWalkTest, ListPhaseLeavesAReadOnlyMirrorFileButTheDirectPhaseRemovesIt) {
    CString strGone = m_tree.WriteFile("ソース\\ro.txt", "ro");
    SetFileAttributesA(strGone, FILE_ATTRIBUTE_READONLY);
    Run();
    SetFileAttributesA(strGone, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(strGone);

    EXPECT_EQ(1, Run().nDeleted);
    EXPECT_TRUE(PathExists(Mirror("ro.txt"))); // the list deletion keeps attributes

    m_tree.WriteFile("ソース\\new.txt", "n");
    CRunResult direct = Run(DirectPhase());
    EXPECT_EQ(0, direct.nStatus);
    EXPECT_FALSE(PathExists(Mirror("ro.txt")));
    EXPECT_TRUE(PathExists(Mirror("new.txt")));
}

TEST_F(RemovalWalkTest, DirectPhaseMovesGoneFilesIntoTheHistory) {
    CBackupSource::SetOption(m_source->m_szHistory, "2");
    CString strFile = m_tree.WriteFile("ソース\\十.txt", "v1");
    SetWriteTime(strFile, 2020, 1, 1, 0, 0, 0);
    Run();
    WriteWholeFile(strFile, "v2");
    SetWriteTime(strFile, 2020, 1, 2, 0, 0, 0);
    Run();
    DeleteFileA(strFile);
    m_tree.WriteFile("ソース\\new.txt", "n"); // something to list, so the list can fail

    CRunResult result = Run(DirectPhase());
    EXPECT_EQ(0, result.nStatus);
    CString strHistory = m_strDestination + "\\mrq HistoryFolder\\";
    EXPECT_FALSE(PathExists(Mirror("十.txt")));
    EXPECT_EQ("v2", ReadWholeFile(strHistory + "bk1\\ソース\\十.txt"));
    EXPECT_EQ("v1", ReadWholeFile(strHistory + "bk2\\ソース\\十.txt"));
}

TEST_F(RemovalWalkTest, ListPhaseDeletesGoneFilesWhateverTheHistoryLimit) {
    CBackupSource::SetOption(m_source->m_szHistory, "2");
    CString strFile = m_tree.WriteFile("ソース\\a.txt", "a");
    Run();
    DeleteFileA(strFile);
    Run();
    EXPECT_FALSE(PathExists(Mirror("a.txt")));
    EXPECT_FALSE(PathExists(m_strDestination + "\\mrq HistoryFolder\\bk1\\ソース\\a.txt"));
}

ULONGLONG g_nFreeBytes = 0;
ULONGLONG FreeBytes(const char*) {
    return g_nFreeBytes;
}

// Kept, a gone file rotates into the history as an overwritten one does,
// still counts as deleted, and frees no room for the space check; with no
// history kept it is deleted all the same.
TEST_F(RemovalWalkTest, KeptDeletedFilesMoveIntoTheFirstGenerationAndFreeNothing) {
    CBackupSource::SetOption(m_source->m_szHistory, "2");
    CString strFile = m_tree.WriteFile("ソース\\能\\纊.txt", "v1");
    SetWriteTime(strFile, 2020, 1, 1, 0, 0, 0);
    CString strStay = m_tree.WriteFile("ソース\\stay.txt", "stay");
    Run();
    WriteWholeFile(strFile, "v2");
    SetWriteTime(strFile, 2020, 1, 2, 0, 0, 0);
    Run();
    DeleteFileA(strFile);
    CRunOptions keep;
    keep.bKeepDeleted = true;

    // Room for the new file only if the gone file's two bytes were freed.
    const std::string kNew(1000, 'n');
    m_tree.WriteFile("ソース\\new.txt", kNew);
    g_nFreeBytes = kNew.size() + SPACE_MARGIN - 2 + 1;
    CRunOptions tight = keep;
    tight.pfnFreeSpace = FreeBytes;
    EXPECT_EQ(STATUS_NO_SPACE, Run(tight).nStatus);
    EXPECT_EQ("v2", ReadWholeFile(Mirror("能\\纊.txt")));

    CRunResult result = Run(keep);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(1, result.nDeleted);
    CString strHistory = m_strDestination + "\\mrq HistoryFolder\\";
    EXPECT_FALSE(PathExists(Mirror("能\\纊.txt")));
    EXPECT_EQ("v2", ReadWholeFile(strHistory + "bk1\\ソース\\能\\纊.txt"));
    EXPECT_EQ("v1", ReadWholeFile(strHistory + "bk2\\ソース\\能\\纊.txt"));
    EXPECT_EQ(kNew, ReadWholeFile(Mirror("new.txt")));
    EXPECT_EQ("stay", ReadWholeFile(Mirror("stay.txt")));

    // No history kept: deleted, and nothing goes into a generation.
    CBackupSource::SetOption(m_source->m_szHistory, "0");
    DeleteFileA(strStay);
    EXPECT_EQ(1, Run(keep).nDeleted);
    EXPECT_FALSE(PathExists(Mirror("stay.txt")));
    EXPECT_FALSE(PathExists(strHistory + "bk1\\ソース\\stay.txt"));
}

TEST_F(RemovalWalkTest, GoneSubfolderEmptiesFirstAndGoesOnTheNextRun) {
    m_tree.WriteFile("ソース\\sub表\\a.txt", "a");
    m_tree.WriteFile("ソース\\sub表\\b.txt", "b");
    m_tree.MakeFolder("ソース\\empty");
    Run();
    Run(); // creates the empty mirror subfolder
    ASSERT_TRUE(IsExistingFolder(Mirror("empty")));
    RemoveTree(m_tree.Path("ソース\\sub表"));
    RemoveTree(m_tree.Path("ソース\\empty"));

    CRunResult first = Run();
    EXPECT_EQ(2, first.nDeleted);
    EXPECT_FALSE(PathExists(Mirror("sub表\\a.txt")));
    EXPECT_TRUE(IsExistingFolder(Mirror("sub表")));
    EXPECT_FALSE(PathExists(Mirror("empty"))); // already empty: removed at once

    Run();
    EXPECT_FALSE(PathExists(Mirror("sub表")));
}

TEST_F(RemovalWalkTest, MirrorSubfoldersStayWhenSubfoldersAreSwitchedOff) {
    m_tree.WriteFile("ソース\\sub\\a.txt", "a");
    Run();
    RemoveTree(m_tree.Path("ソース\\sub"));
    CBackupSource::SetOption(m_source->m_szSubfolders, "しない");
    EXPECT_EQ(0, Run().nDeleted);
    EXPECT_TRUE(PathExists(Mirror("sub\\a.txt")));
}

TEST_F(RemovalWalkTest, VanishedDriveKeepsEveryMirrorFile) {
    // G:\ leads nowhere, like a drive whose medium was taken out. A drive
    // root counts as present, so its entry is walked.
    CBackupSource drive("G:\\");
    drive.m_strMirror = m_strDestination + "\\G root";
    CString strKept = m_tree.WriteFile("dest\\G root\\kept.txt", "kept");
    m_tree.WriteFile("dest\\G root\\sub\\kept.txt", "kept");

    CRunResult result = RunBackup(drive, m_strDestination);
    EXPECT_EQ(0, result.nDeleted);
    EXPECT_TRUE(PathExists(strKept));
    EXPECT_TRUE(PathExists(m_tree.Path("dest\\G root\\sub\\kept.txt")));

    // The same in the direct phase, forced by an entry with a file to copy.
    m_tree.WriteFile("ソース\\new.txt", "n");
    CRunOptions direct;
    direct.nCopyListLimit = 0;
    CRunResult directResult =
        RunBackup(std::vector<CBackupSource*>{m_source.get(), &drive}, m_strDestination, direct);
    EXPECT_EQ(0, directResult.nStatus);
    EXPECT_TRUE(PathExists(Mirror("new.txt")));
    EXPECT_TRUE(PathExists(strKept));
    EXPECT_TRUE(PathExists(m_tree.Path("dest\\G root\\sub\\kept.txt")));
}

TEST_F(RemovalWalkTest, SourceReplacedByAFileIsNotTakenForAReadableFolder) {
    // A source subfolder that became a file: its mirror files have gone
    // from the source and are removed.
    m_tree.WriteFile("ソース\\x\\a.txt", "a");
    Run();
    RemoveTree(m_tree.Path("ソース\\x"));
    m_tree.WriteFile("ソース\\y.txt", "y");
    EXPECT_EQ(1, Run().nDeleted);
    EXPECT_FALSE(PathExists(Mirror("x\\a.txt")));
}

TEST_F(RemovalWalkTest, DeleteListOutOfMemoryFallsBackToTheDirectPhase) {
    CString strGone = m_tree.WriteFile("ソース\\gone.txt", "g");
    Run();
    DeleteFileA(strGone);
    CRunOptions options;
    options.nDeleteListLimit = 0;
    CRunResult result = Run(options);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_FALSE(PathExists(Mirror("gone.txt")));
}

// Mirror entries whose names the code page cannot hold are looked up in
// the source by their exact names: removed once their source has gone,
// never by way of a look-alike (..¥victim.txt is not ..\\victim.txt, so
// the file outside the mirror stays), and a source name's look-alike keeps
// no mirror file whose own source has gone.
TEST_F(RemovalWalkTest, MirrorNamesOutsideTheCodePageGoExactlyWhenTheirSourceHasGone) {
    m_tree.WriteFile("ソース\\resume.txt", "its source goes");
    m_tree.WriteWideFile(L"\u30bd\u30fc\u30b9\\na\u00efve.txt", "stays");
    Run();
    DeleteFileA(m_tree.Path("ソース\\resume.txt"));
    m_tree.WriteWideFile(L"\u30bd\u30fc\u30b9\\r\u00e9sum\u00e9.txt", "listed as resume.txt");
    CString strOtherSet = m_tree.WriteFile("dest\\victim.txt", "another set's file");
    std::wstring yen = m_tree.WriteWideFile(L"dest\\\u30bd\u30fc\u30b9\\..\u00a5victim.txt", "y");
    std::wstring cafe = m_tree.WriteWideFile(L"dest\\\u30bd\u30fc\u30b9\\Caf\u00e9\\menu.txt", "m");

    CRunResult result = Run();
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("", result.strWarnings);
    EXPECT_EQ(3, result.nDeleted); // resume.txt, ..¥victim.txt, Café\\menu.txt
    EXPECT_FALSE(PathExists(Mirror("resume.txt")));
    EXPECT_EQ("another set's file", ReadWholeFile(strOtherSet));
    EXPECT_FALSE(WidePathExists(yen));
    EXPECT_FALSE(WidePathExists(cafe));
    EXPECT_EQ("stays", ReadWideFile(m_tree.WidePath(L"dest\\\u30bd\u30fc\u30b9\\na\u00efve.txt")));
    EXPECT_EQ("listed as resume.txt",
              ReadWideFile(m_tree.WidePath(L"dest\\\u30bd\u30fc\u30b9\\r\u00e9sum\u00e9.txt")));
}

TEST_F(RemovalWalkTest, ADriveThatVanishedNeverMakesItsFilesLookGone) {
    CString strDrive = m_tree.MakeFolder("drive");
    m_tree.WriteFile("drive\\十\\f.txt", "f");
    ASSERT_TRUE(MapDriveLetter('R', strDrive));
    EXPECT_TRUE(HasLeftTheSource("R:\\gone.txt", "R:\\"));
    EXPECT_TRUE(HasLeftTheSource("R:\\十\\gone", "R:\\十"));
    EXPECT_FALSE(HasLeftTheSource("R:\\十\\f.txt", "R:\\十"));
    ASSERT_TRUE(UnmapDriveLetter('R'));
    // Reported missing ("file not found" for some), yet nothing has gone.
    EXPECT_FALSE(HasLeftTheSource("R:\\十", "R:\\"));
    EXPECT_FALSE(HasLeftTheSource("R:\\gone.txt", "R:\\"));
    EXPECT_FALSE(HasLeftTheSource("R:\\十\\f.txt", "R:\\十"));
}

} // namespace
