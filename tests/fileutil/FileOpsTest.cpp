// File and folder operations against the real file system of the test
// drives. Names use Japanese characters whose second byte is 0x5C (表, ソ,
// 能, 十), which a byte-wise scan would take for a backslash.
#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlguid.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "FileOps.h"
#include "PathText.h"
#include "ScratchTree.h"
#include "Time.h"

namespace {

// Another program's handle on a file, kept open for the test's duration.
class CHeldFile {
public:
    CHeldFile(const char* pszPath, DWORD dwShare)
        : m_h(CreateFileA(pszPath, GENERIC_READ, dwShare, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~CHeldFile() {
        if (IsOpen())
            CloseHandle(m_h);
    }
    CHeldFile(const CHeldFile&) = delete;
    CHeldFile& operator=(const CHeldFile&) = delete;
    bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return m_h; }

private:
    HANDLE m_h;
};

bool IsFolder(const char* pszPath) {
    DWORD dw = GetFileAttributesA(pszPath);
    return dw != INVALID_FILE_ATTRIBUTES && (dw & FILE_ATTRIBUTE_DIRECTORY);
}

int CountEntries(const char* pszFolder) {
    int n = 0;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(CString(pszFolder) + "\\*", &data);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (std::strcmp(data.cFileName, ".") != 0 && std::strcmp(data.cFileName, "..") != 0)
            ++n;
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return n;
}

FILETIME WriteTimeOf(const char* pszPath) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

CTime CreationTimeOf(const char* pszPath) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data);
    return CTime(data.ftCreationTime);
}

} // namespace

// ---------------------------------------------------------------------------
// Path kinds and folder contents

TEST(GetPathKind, FolderFileAndMissing) {
    CScratchTree tree("kind");
    CString strFolder = tree.MakeFolder("表ソ");
    CString strFile = tree.WriteFile("表ソ\\能十", "x");
    EXPECT_EQ(PATH_FOLDER, GetPathKind(strFolder));
    EXPECT_EQ(PATH_FILE, GetPathKind(strFile));
    EXPECT_EQ(PATH_MISSING, GetPathKind(tree.Path("表ソ\\十")));
    EXPECT_EQ(PATH_MISSING, GetPathKind(tree.Path("無い\\表")));
}

TEST(GetPathKind, DriveRootsGiveTheirDriveType) {
    // The finder cannot open a bare root, so an existing drive is reported
    // by its type rather than as a folder.
    EXPECT_EQ(static_cast<int>(DRIVE_FIXED), GetPathKind("D:\\"));

    DWORD dwDrives = GetLogicalDrives();
    char chFree = 0;
    for (char ch = 'Y'; ch >= 'G' && !chFree; --ch)
        if (!(dwDrives & (1u << (ch - 'A'))))
            chFree = ch;
    ASSERT_NE(0, chFree) << "no unmapped drive letter";
    char szRoot[] = "?:\\";
    szRoot[0] = chFree;
    // Wine reports an unmapped letter as DRIVE_NO_ROOT_DIR, like Windows.
    ASSERT_EQ(static_cast<UINT>(DRIVE_NO_ROOT_DIR), GetDriveTypeA(szRoot));
    EXPECT_EQ(static_cast<int>(DRIVE_NO_ROOT_DIR), GetPathKind(szRoot));
    // A longer path on that drive is simply missing.
    char szLonger[] = "?:\\表";
    szLonger[0] = chFree;
    EXPECT_EQ(PATH_MISSING, GetPathKind(szLonger));
}

TEST(FolderEntries, EmptyFilesOnlyAndSubfolderOnly) {
    CScratchTree tree("entries");
    // Folder names end in a 0x5C trail byte: a search pattern built as
    // "ソ*.*" instead of "ソ\*.*" would find the folder itself.
    CString strEmpty = tree.MakeFolder("ソ");
    CString strFiles = tree.MakeFolder("表");
    tree.WriteFile("表\\能.txt", "x");
    CString strSub = tree.MakeFolder("十");
    tree.MakeFolder("十\\能");

    EXPECT_FALSE(HasEntries(strEmpty));
    EXPECT_FALSE(HasSubfolders(strEmpty));
    EXPECT_TRUE(HasEntries(strFiles));
    EXPECT_FALSE(HasSubfolders(strFiles));
    EXPECT_TRUE(HasEntries(strSub));
    EXPECT_TRUE(HasSubfolders(strSub));
    EXPECT_FALSE(HasEntries(tree.Path("無い")));
    EXPECT_FALSE(HasSubfolders(tree.Path("無い")));
}

// Every existence test looks a path up as a name: "?" and "*" never act as
// a pattern, or D:\...\Caf? would pass for the folder Café, which no path
// of the program reaches. Folders the code page cannot name hold no entry
// the program could show.
TEST(PathLookUps, WildcardsNeverMatchAndUnnamableEntriesDoNotCount) {
    CScratchTree tree("lookup");
    tree.MakeWideFolder(L"Caf\u00e9\\sub");
    tree.WriteWideFile(L"\ud55c\uae00.txt", "12345");
    CString strOnlyUnnamable = tree.Path("only");
    tree.MakeWideFolder(L"only\\\u00fc");
    CString strFile = tree.WriteFile("表\\能十纊", "x");
    for (const char* pszPattern : {"Caf?", "Caf*", "??.txt", "*", "表\\能十?"}) {
        CString strPath = tree.Path(pszPattern);
        EXPECT_EQ(PATH_MISSING, GetPathKind(strPath)) << pszPattern;
        EXPECT_EQ("", GetFolderTitle(strPath)) << pszPattern;
        EXPECT_EQ("", FormatWriteTime(strPath)) << pszPattern;
    }
    // A name looked up as itself, trail bytes 0x5C included, as before.
    EXPECT_EQ(PATH_FILE, GetPathKind(strFile));
    EXPECT_EQ("能十纊", GetFolderTitle(strFile));
    EXPECT_NE("", FormatWriteTime(strFile));
    EXPECT_EQ(PATH_MISSING, GetPathKind(tree.Path("表\\"))); // a separator names no entry
    EXPECT_TRUE(HasEntries(strOnlyUnnamable));               // a mirror's entry, to restore
    EXPECT_FALSE(HasSubfolders(strOnlyUnnamable));           // but no folder to register
    EXPECT_TRUE(HasSubfolders(tree.Root()));                 // 表 and only
}

// ---------------------------------------------------------------------------
// MakeFolderChain

TEST(MakeFolderChain, LastComponentOnlyWhenAsked) {
    CScratchTree tree("chain");
    CString strFile = tree.Path("a\\b\\c.txt");
    ASSERT_TRUE(MakeFolderChain(strFile, false));
    EXPECT_TRUE(IsFolder(tree.Path("a")));
    EXPECT_TRUE(IsFolder(tree.Path("a\\b")));
    EXPECT_FALSE(PathExists(strFile));

    ASSERT_TRUE(MakeFolderChain(strFile, true));
    EXPECT_TRUE(IsFolder(strFile));
}

TEST(MakeFolderChain, JapaneseComponentsEndingInTrailBackslash) {
    CScratchTree tree("chain");
    CString strPath = tree.Path("表\\ソ\\能\\十");
    ASSERT_TRUE(MakeFolderChain(strPath, false));
    EXPECT_TRUE(IsFolder(tree.Path("表\\ソ\\能")));
    EXPECT_FALSE(PathExists(strPath));
    // No folder may be cut at a trail byte: the root holds 表 and nothing else.
    EXPECT_EQ(1, CountEntries(tree.Root()));
    EXPECT_EQ(1, CountEntries(tree.Path("表")));

    // The last character's trail byte 0x5C is not a trailing backslash.
    ASSERT_TRUE(MakeFolderChain(strPath, true));
    EXPECT_TRUE(IsFolder(strPath));
}

TEST(MakeFolderChain, ExistingChainSucceedsAgain) {
    CScratchTree tree("chain");
    CString strPath = tree.Path("表\\十");
    ASSERT_TRUE(MakeFolderChain(strPath, true));
    EXPECT_TRUE(MakeFolderChain(strPath, true));
    EXPECT_TRUE(MakeFolderChain(strPath + "\\x.txt", false));
}

TEST(MakeFolderChain, ThreadsMakingTheSameChainAtOnceAllSucceed) {
    CScratchTree tree("chain");
    for (int nRound = 0; nRound < 20; ++nRound) {
        CString strPath = tree.Path((std::to_string(nRound) + "\\表\\ソ\\能\\纊\\x.txt").c_str());
        std::atomic<int> nWaiting{8}, nFailed{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t)
            threads.emplace_back([&] {
                for (--nWaiting; nWaiting > 0;) // all start together
                    ;
                if (!MakeFolderChain(strPath, false))
                    ++nFailed;
            });
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(0, nFailed.load()) << nRound;
        EXPECT_TRUE(IsFolder(tree.Path((std::to_string(nRound) + "\\表\\ソ\\能\\纊").c_str())));
    }
}

TEST(MakeFolderChain, RefusesRelativePathsAndFilesInTheWay) {
    EXPECT_FALSE(MakeFolderChain("表\\ソ\\x.txt", false));
    EXPECT_FALSE(MakeFolderChain("\\表\\ソ", true));

    CScratchTree tree("chain");
    tree.WriteFile("能", "a file, not a folder");
    EXPECT_FALSE(MakeFolderChain(tree.Path("能\\十\\x.txt"), false));
    EXPECT_FALSE(PathExists(tree.Path("能\\十")));
}

// ---------------------------------------------------------------------------
// CompareFiles

class CompareFilesTest : public testing::Test {
protected:
    // A source and its mirror copy that compare equal.
    void SetUp() override {
        m_strSource = m_tree.WriteFile("元\\表ソ.txt", "contents");
        m_strMirror = m_tree.Path("表\\表ソ.txt");
        MakeFolders(m_tree.Path("表"));
        ASSERT_TRUE(CopyFileWithTimes(m_strSource, m_strMirror));
        ASSERT_EQ(COMPARE_EQUAL, CompareFiles(m_strSource, m_strMirror));
    }

    CScratchTree m_tree{"compare"};
    CString m_strSource, m_strMirror;
};

TEST_F(CompareFilesTest, SizeChange) {
    // Same times and attributes on both, only the size differs.
    ASSERT_TRUE(WriteWholeFile(m_strMirror, "content"));
    ASSERT_TRUE(SetWriteTime(m_strSource, 2015, 6, 7, 8, 9, 10));
    ASSERT_TRUE(SetWriteTime(m_strMirror, 2015, 6, 7, 8, 9, 10));
    ASSERT_EQ(Attributes(m_strSource), Attributes(m_strMirror));
    EXPECT_EQ(COMPARE_CHANGED, CompareFiles(m_strSource, m_strMirror));
    ASSERT_TRUE(WriteWholeFile(m_strMirror, "contents"));
    ASSERT_TRUE(SetWriteTime(m_strMirror, 2015, 6, 7, 8, 9, 10));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(m_strSource, m_strMirror));
}

TEST_F(CompareFilesTest, WriteTimeChange) {
    ASSERT_TRUE(SetWriteTime(m_strSource, 2015, 6, 7, 8, 9, 10));
    EXPECT_EQ(COMPARE_CHANGED, CompareFiles(m_strSource, m_strMirror));
}

TEST_F(CompareFilesTest, AttributeChanges) {
    DWORD dwNormal = Attributes(m_strSource);
    ASSERT_TRUE(SetFileAttributesA(m_strSource, dwNormal | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(COMPARE_CHANGED, CompareFiles(m_strSource, m_strMirror));
    ASSERT_TRUE(SetFileAttributesA(m_strSource, dwNormal | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(COMPARE_CHANGED, CompareFiles(m_strSource, m_strMirror));
    ASSERT_TRUE(SetFileAttributesA(m_strSource, dwNormal));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(m_strSource, m_strMirror));
}

TEST_F(CompareFilesTest, MissingMirrorAndUnreadableSource) {
    EXPECT_EQ(COMPARE_NEW, CompareFiles(m_strSource, m_tree.Path("表\\無い.txt")));
    EXPECT_EQ(COMPARE_NEW, CompareFiles(m_strSource, m_tree.Path("無い\\表ソ.txt")));
    EXPECT_EQ(COMPARE_SOURCE_UNREADABLE, CompareFiles(m_tree.Path("元\\無い"), m_strMirror));

    CHeldFile held(m_strSource, 0);
    ASSERT_TRUE(held.IsOpen());
    EXPECT_EQ(COMPARE_SOURCE_UNREADABLE, CompareFiles(m_strSource, m_strMirror));
}

TEST_F(CompareFilesTest, LockedMirrorCountsAsNew) {
    CHeldFile held(m_strMirror, FILE_SHARE_READ);
    ASSERT_TRUE(held.IsOpen());
    EXPECT_EQ(COMPARE_NEW, CompareFiles(m_strSource, m_strMirror));
}

// Wine cannot set a creation time on Linux and reports the last-write time
// in its place, so two files whose creation times are one second apart
// always have write times one second apart too. What can be checked here is
// that the one-second creation tolerance never hides such a write-time
// change; the tolerance itself needs a file system that keeps creation times.
TEST_F(CompareFilesTest, OneSecondWriteChangeIsNotHiddenByCreationTolerance) {
    ASSERT_TRUE(SetWriteTime(m_strSource, 2015, 6, 7, 8, 9, 32));
    ASSERT_TRUE(SetWriteTime(m_strMirror, 2015, 6, 7, 8, 9, 31));
    ASSERT_EQ(1, (CreationTimeOf(m_strSource) - CreationTimeOf(m_strMirror)).GetTotalSeconds())
        << "wine now keeps creation times: test the tolerance on its own";
    EXPECT_EQ(COMPARE_CHANGED, CompareFiles(m_strSource, m_strMirror));
    // The other way round the mirror's time lies on a 2-second step: a FAT
    // drive's copy of a source 1 s away, the same file.
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(m_strMirror, m_strSource));
}

// ---------------------------------------------------------------------------
// CopyFileWithTimes

TEST(CopyFileWithTimes, CopiesContentTimeAndAttributes) {
    CScratchTree tree("copy");
    CString strSource = tree.WriteFile("表\\ソ能.dat", std::string("a\0b\x5C\xFF", 5));
    ASSERT_TRUE(SetWriteTime(strSource, 2012, 3, 4, 5, 6, 7));
    const DWORD dwFlags = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesA(strSource, Attributes(strSource) | dwFlags));
    ASSERT_EQ(dwFlags, Attributes(strSource) & dwFlags) << "attributes not kept on this drive";

    CString strTarget = tree.Path("十\\ソ能.dat");
    MakeFolders(tree.Path("十"));
    ASSERT_TRUE(CopyFileWithTimes(strSource, strTarget));
    EXPECT_EQ(std::string("a\0b\x5C\xFF", 5), ReadWholeFile(strTarget));
    EXPECT_EQ(Attributes(strSource), Attributes(strTarget));
    FILETIME source = WriteTimeOf(strSource), target = WriteTimeOf(strTarget);
    EXPECT_EQ(0, CompareFileTime(&source, &target));
    EXPECT_EQ("2012/03/04 05:06:07", FormatWriteTime(strTarget));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strSource, strTarget));
}

TEST(CopyFileWithTimes, ReplacesReadOnlyTarget) {
    CScratchTree tree("copy");
    CString strSource = tree.WriteFile("表", "new");
    CString strTarget = tree.WriteFile("ソ", "older and longer");
    ASSERT_TRUE(SetFileAttributesA(strTarget, FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CopyFileWithTimes(strSource, strTarget));
    EXPECT_EQ("new", ReadWholeFile(strTarget));
    EXPECT_EQ(Attributes(strSource), Attributes(strTarget));
}

TEST(CopyFileWithTimes, FailuresKeepTheErrorAndCreateNothing) {
    CScratchTree tree("copy");
    CString strSource = tree.WriteFile("表.txt", "data");
    CString strTarget = tree.Path("十.txt");

    SetLastError(0);
    EXPECT_FALSE(CopyFileWithTimes(tree.Path("無い.txt"), strTarget));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_FALSE(PathExists(strTarget));

    {
        CHeldFile held(strSource, 0);
        ASSERT_TRUE(held.IsOpen());
        SetLastError(0);
        EXPECT_FALSE(CopyFileWithTimes(strSource, strTarget));
        EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
        EXPECT_FALSE(PathExists(strTarget));
    }

    CString strNoFolder = tree.Path("能\\十.txt");
    SetLastError(0);
    EXPECT_FALSE(CopyFileWithTimes(strSource, strNoFolder));
    EXPECT_NE(0u, GetLastError());
    EXPECT_FALSE(PathExists(tree.Path("能")));
    EXPECT_EQ(1, CountFiles(tree.Root()));
}

TEST(CopyFileWithTimes, TargetHeldOpenIsLeftAlone) {
    CScratchTree tree("copy");
    CString strSource = tree.WriteFile("表", "new");
    CString strTarget = tree.WriteFile("ソ", "old");
    ASSERT_TRUE(SetFileAttributesA(strTarget, FILE_ATTRIBUTE_READONLY));
    {
        CHeldFile held(strTarget, 0);
        ASSERT_TRUE(held.IsOpen());
        EXPECT_FALSE(CopyFileWithTimes(strSource, strTarget));
        // Reported as the file being in use, so a run warns and goes on.
        EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
    }
    // The copy could not replace it, so it must not be deleted or changed.
    EXPECT_EQ("old", ReadWholeFile(strTarget));
    EXPECT_TRUE(Attributes(strTarget) & FILE_ATTRIBUTE_READONLY);
}

TEST(StagedCopy, TargetHoldsTheOldFileUntilTheCommitAndNothingStaysBehind) {
    CScratchTree tree("staged");
    CString strSource = tree.WriteFile("纊\\表.txt", "new");
    CString strTarget = tree.WriteFile("十\\表.txt", "old");
    {
        CStagedCopy copy;
        ASSERT_TRUE(copy.Stage(strSource, strTarget));
        EXPECT_EQ("old", ReadWholeFile(strTarget));
        EXPECT_EQ(2, CountFiles(tree.Path("十"))); // staged beside its target
    }                                              // never committed: the staged copy goes
    EXPECT_EQ("old", ReadWholeFile(strTarget));
    EXPECT_EQ(1, CountFiles(tree.Path("十")));

    CStagedCopy copy;
    ASSERT_TRUE(copy.Stage(strSource, strTarget));
    ASSERT_TRUE(copy.Commit());
    EXPECT_FALSE(copy.Commit()); // nothing left to put in place
    EXPECT_EQ("new", ReadWholeFile(strTarget));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strSource, strTarget));
    EXPECT_EQ(1, CountFiles(tree.Path("十")));
}

// Both ways of putting a copy in place end the same: through the handle
// that wrote it, and by name where a file system refuses that.
TEST(StagedCopy, ThroughItsHandleOrByNameACopyReplacesEvenAReadOnlyTarget) {
    CScratchTree tree("staged");
    CString strSource = tree.WriteFile("纊\\表.txt", "new content");
    SetWriteTime(strSource, 2019, 5, 6, 7, 8, 9);
    ASSERT_TRUE(SetFileAttributesA(strSource, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    for (bool bByName : {false, true}) {
        CString strTarget = tree.WriteFile(bByName ? "ソ\\表.txt" : "十\\表.txt", "old");
        ASSERT_TRUE(SetFileAttributesA(strTarget, FILE_ATTRIBUTE_READONLY));
        CStagedCopy copy;
        if (bByName)
            copy.RenameByNameOnly();
        ASSERT_TRUE(copy.Stage(strSource, strTarget)) << bByName;
        EXPECT_EQ("old", ReadWholeFile(strTarget));
        ASSERT_TRUE(copy.Commit()) << bByName << " " << GetLastError();
        EXPECT_EQ("new content", ReadWholeFile(strTarget));
        EXPECT_EQ(Attributes(strSource), Attributes(strTarget));
        EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strSource, strTarget));
        EXPECT_EQ(1, CountFiles(bByName ? tree.Path("ソ") : tree.Path("十"))) << bByName;
    }
}

// The copy's own handle holds its staging file open until the rename: a
// copy that is not put in place must still leave nothing behind.
TEST(StagedCopy, ADiscardedCopyGoesThoughItsHandleWasOpen) {
    CScratchTree tree("staged");
    CString strSource = tree.WriteFile("能.txt", "new");
    CString strTarget = tree.WriteFile("out\\能.txt", "old");
    CSourceFile source;
    ASSERT_TRUE(source.Open(strSource, 0));
    DWORD dwTarget = Attributes(strTarget);
    {
        CStagedCopy copy;
        ASSERT_TRUE(copy.Stage(source, strTarget, nullptr, nullptr, &dwTarget));
        EXPECT_EQ(2, CountFiles(tree.Path("out")));
    }
    EXPECT_EQ(1, CountFiles(tree.Path("out")));
    EXPECT_EQ("old", ReadWholeFile(strTarget));
}

// A folder grown until "\" and a 16-byte staging name no longer fit beside
// a file in it, while a short name still does.
CString FolderWithoutRoomForAStagingName(const CScratchTree& tree) {
    CString strFolder = tree.Root();
    while (strFolder.GetLength() + 1 + 16 < MAX_PATH)
        strFolder += strFolder.GetLength() + 1 + 16 + 3 < MAX_PATH ? "\\ab" : "x";
    MakeFolders(strFolder);
    return strFolder;
}

TEST(StagedCopy, FolderPastTheOldLimitStagesBesideItsTarget) {
    // A staging name no longer fits below MAX_PATH here; the long form
    // takes it, so the copy stays on the target's drive and folder.
    CScratchTree tree("staged");
    CString strSource = tree.WriteFile("表.txt", "new");
    CString strSpare = tree.Path("spare");
    CString strFolder = FolderWithoutRoomForAStagingName(tree);
    CString strTarget = strFolder + "\\a";
    ASSERT_TRUE(WriteWholeFile(strTarget, "old"));

    CStagedCopy copy;
    ASSERT_TRUE(copy.Stage(strSource, strTarget, strSpare));
    EXPECT_FALSE(PathExists(strSpare));
    EXPECT_EQ(2, CountFiles(strFolder)); // the target and its staged copy
    EXPECT_EQ("old", ReadWholeFile(strTarget));
    ASSERT_TRUE(copy.Commit());
    EXPECT_EQ("new", ReadWholeFile(strTarget));
    EXPECT_EQ(1, CountFiles(strFolder));
}

TEST(CopyFileWithTimes, InPlaceCopyOpensTheSourceBeforeTheTargetGoes) {
    CScratchTree tree("inplace");
    CString strSource = tree.WriteFile("表.txt", "new");
    CString strTarget = FolderWithoutRoomForAStagingName(tree) + "\\a";
    ASSERT_TRUE(WriteWholeFile(strTarget, "old"));
    {
        // Held by another program: the copy fails, and the old file stays.
        CHeldFile held(strSource, 0);
        ASSERT_TRUE(held.IsOpen());
        EXPECT_FALSE(CopyFileWithTimes(strSource, strTarget));
        EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
    }
    EXPECT_EQ("old", ReadWholeFile(strTarget));
    ASSERT_TRUE(CopyFileWithTimes(strSource, strTarget));
    EXPECT_EQ("new", ReadWholeFile(strTarget));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strSource, strTarget));
}

namespace {

// Keeps what a copy reported of its blocks; fails the copy at one block
// with an error of the test's choice, as a full disk fails a write.
class CBlockLog : public CCopyProgress {
public:
    explicit CBlockLog(size_t nFailAt = 0, DWORD dwError = ERROR_SUCCESS)
        : m_nFailAt(nFailAt), m_dwError(dwError) {}
    bool OnBlockCopied(ULONGLONG nBytes) override {
        m_blocks.push_back(nBytes);
        if (m_blocks.size() != m_nFailAt)
            return true;
        SetLastError(m_dwError);
        return false;
    }
    ULONGLONG Sum() const {
        ULONGLONG n = 0;
        for (ULONGLONG nBlock : m_blocks)
            n += nBlock;
        return n;
    }
    std::vector<ULONGLONG> m_blocks;

private:
    size_t m_nFailAt;
    DWORD m_dwError;
};

std::string Pattern(size_t nSize) {
    std::string data(nSize, '\0');
    for (size_t i = 0; i < nSize; ++i)
        data[i] = static_cast<char>((i * 7 + i / 4093) & 0xFF);
    return data;
}

} // namespace

TEST(StagedCopy, OpenedSourceIsCopiedInBlocksEachReportedUpToItsSize) {
    CScratchTree tree("blocks");
    const size_t BLOCK = COPY_BLOCK_SIZE;
    for (size_t nSize : {size_t(0), size_t(1), BLOCK - 1, BLOCK, BLOCK + 1, 2 * BLOCK + 5}) {
        SCOPED_TRACE(nSize);
        std::string data = Pattern(nSize);
        CString strSource = tree.WriteFile("纊\\表.bin", data);
        ASSERT_TRUE(SetWriteTime(strSource, 2011, 2, 3, 4, 5, 6));
        ASSERT_TRUE(SetFileAttributesA(strSource, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
        CString strTarget = tree.WriteFile("十\\表.bin", "old");

        CSourceFile source;
        ASSERT_TRUE(source.Open(strSource, 0));
        CBlockLog log;
        CStagedCopy copy;
        ASSERT_TRUE(copy.Stage(source, strTarget, nullptr, &log));
        EXPECT_EQ("old", ReadWholeFile(strTarget));
        ASSERT_TRUE(copy.Commit());

        EXPECT_EQ((nSize + BLOCK - 1) / BLOCK, log.m_blocks.size());
        for (ULONGLONG nBlock : log.m_blocks)
            EXPECT_LE(nBlock, BLOCK);
        EXPECT_EQ(nSize, log.Sum());
        EXPECT_TRUE(ReadWholeFile(strTarget) == data);
        EXPECT_EQ(Attributes(strSource), Attributes(strTarget));
        EXPECT_EQ("2011/02/03 04:05:06", FormatWriteTime(strTarget));
        source.Close();
        EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strSource, strTarget));
        EXPECT_EQ(1, CountFiles(tree.Path("十")));
        SetFileAttributesA(strSource, FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA(strTarget, FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(StagedCopy, FaultMidCopyLeavesTheOldTargetAndNoStagingFile) {
    CScratchTree tree("blockfault");
    CString strSource = tree.WriteFile("ソ\\能.bin", Pattern(3 * COPY_BLOCK_SIZE));
    CString strTarget = tree.WriteFile("纊\\能.bin", "old version");
    ASSERT_TRUE(SetFileAttributesA(strTarget, FILE_ATTRIBUTE_READONLY));

    CSourceFile source;
    ASSERT_TRUE(source.Open(strSource, 0));
    CBlockLog log(2, ERROR_DISK_FULL); // the second block meets a full disk
    CStagedCopy copy;
    SetLastError(0);
    EXPECT_FALSE(copy.Stage(source, strTarget, nullptr, &log));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), GetLastError());
    EXPECT_EQ(2u, log.m_blocks.size()); // stopped there, not read to the end
    EXPECT_FALSE(copy.Commit());
    EXPECT_EQ("old version", ReadWholeFile(strTarget));
    EXPECT_TRUE(Attributes(strTarget) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, CountFiles(tree.Path("纊")));
}

// ---------------------------------------------------------------------------
// Sizes and times of single files

TEST(FileSize, AddFileSizeSkipsUnreadableFiles) {
    CScratchTree tree("size");
    CString strFile = tree.WriteFile("表ソ", std::string(1536, 'z'));
    const ULONGLONG nBase = 5ULL << 32;
    EXPECT_EQ(nBase + 1536, AddFileSize(nBase, strFile));
    EXPECT_EQ(nBase, AddFileSize(nBase, tree.Path("無い")));
    EXPECT_EQ(nBase, AddFileSize(nBase, tree.Root())); // a folder has no size to add
    // Opened by someone else, even with read sharing: not exclusively ours.
    CHeldFile held(strFile, FILE_SHARE_READ);
    ASSERT_TRUE(held.IsOpen());
    EXPECT_EQ(nBase, AddFileSize(nBase, strFile));
}

TEST(FileSize, FormatFileSize) {
    CScratchTree tree("size");
    EXPECT_EQ("1.50KB", FormatFileSize(tree.WriteFile("表", std::string(1536, 'z'))));
    EXPECT_EQ("0byte", FormatFileSize(tree.WriteFile("十", "")));
    EXPECT_EQ("", FormatFileSize(tree.Path("無い")));
    CString strHeld = tree.WriteFile("能", "held");
    CHeldFile held(strHeld, 0);
    EXPECT_EQ("", FormatFileSize(strHeld));
}

TEST(FileTimes, FormatWriteAndCreationTime) {
    CScratchTree tree("times");
    CString strFile = tree.WriteFile("表\\ソ.txt", "x");
    ASSERT_TRUE(SetWriteTime(strFile, 2009, 11, 12, 13, 14, 15));
    EXPECT_EQ("2009/11/12 13:14:15", FormatWriteTime(strFile));
    // Wine reports the last-write time as the creation time.
    EXPECT_EQ("2009/11/12 13:14:15", FormatCreationTime(strFile));
    EXPECT_EQ("", FormatWriteTime(tree.Path("表\\無い")));
    EXPECT_EQ("", FormatCreationTime(tree.Path("表\\無い")));
}

// ---------------------------------------------------------------------------
// ResolveShortcut

namespace {

// Writes a shell link to pszTarget the way the shell does.
bool SaveShortcut(const char* pszLink, const char* pszTarget) {
    HRESULT hrInit = CoInitialize(nullptr);
    bool bOk = false;
    IShellLinkA* pLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&pLink)))) {
        IPersistFile* pFile = nullptr;
        if (SUCCEEDED(pLink->SetPath(pszTarget)) &&
            SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))) {
            WCHAR wsz[MAX_PATH];
            bOk = MultiByteToWideChar(CP_ACP, 0, pszLink, -1, wsz, MAX_PATH) &&
                  SUCCEEDED(pFile->Save(wsz, TRUE));
            pFile->Release();
        }
        pLink->Release();
    }
    if (SUCCEEDED(hrInit))
        CoUninitialize();
    return bOk;
}

} // namespace

TEST(ResolveShortcut, OtherPathsComeBackUnchanged) {
    CScratchTree tree("link");
    char sz[MAX_PATH];
    std::strcpy(sz, tree.WriteFile("表ソ.lnk", "not a shell link"));
    CString strBefore = sz;
    EXPECT_EQ(sz, ResolveShortcut(sz));
    EXPECT_EQ(strBefore, sz);

    std::strcpy(sz, tree.Path("無い.lnk"));
    strBefore = sz;
    ResolveShortcut(sz);
    EXPECT_EQ(strBefore, sz);
}

TEST(ResolveShortcut, LinkResolvesToItsTarget) {
    CScratchTree tree("link");
    CString strTarget = tree.WriteFile("表\\能十.txt", "target");
    CString strLink = tree.Path("ソ.lnk");
    ASSERT_TRUE(SaveShortcut(strLink, strTarget));
    char sz[MAX_PATH];
    std::strcpy(sz, strLink);
    EXPECT_STREQ(strTarget, ResolveShortcut(sz));
}

TEST(ResolveShortcut, KeepsTheCallersComApartment) {
    // A caller already in the multithreaded apartment: the resolver's own
    // initialisation fails and it must not uninitialise the caller's COM.
    CScratchTree tree("link");
    CString strTarget = tree.WriteFile("十.txt", "target");
    CString strLink = tree.Path("表.lnk");
    ASSERT_TRUE(SaveShortcut(strLink, strTarget));

    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    char sz[MAX_PATH];
    std::strcpy(sz, strLink);
    EXPECT_STREQ(strTarget, ResolveShortcut(sz));
    HRESULT hrAgain = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(S_FALSE, hrAgain) << "the caller's COM was shut down";
    if (SUCCEEDED(hrAgain))
        CoUninitialize();
    CoUninitialize();
}

// Wine cannot set creation times on Linux, so the tolerance is checked on
// the rule itself.
TEST(CompareFiles, CreationTimeToleranceIsOneSecondWithinTheMinute) {
    CTime source(2020, 5, 5, 12, 30, 30);
    EXPECT_TRUE(CreationTimesMatch(source, source));
    EXPECT_TRUE(CreationTimesMatch(source, CTime(2020, 5, 5, 12, 30, 29)));
    EXPECT_TRUE(CreationTimesMatch(source, CTime(2020, 5, 5, 12, 30, 31)));
    EXPECT_FALSE(CreationTimesMatch(source, CTime(2020, 5, 5, 12, 30, 28)));
    EXPECT_FALSE(CreationTimesMatch(source, CTime(2020, 5, 5, 12, 31, 30)));
    // One second apart across a minute boundary does not match.
    EXPECT_FALSE(CreationTimesMatch(CTime(2020, 5, 5, 12, 31, 0), CTime(2020, 5, 5, 12, 30, 59)));
    EXPECT_FALSE(CreationTimesMatch(CTime(2020, 5, 5, 12, 30, 59), CTime(2020, 5, 5, 12, 31, 0)));
    // Same seconds in another minute is another time.
    EXPECT_FALSE(CreationTimesMatch(source, CTime(2020, 5, 5, 12, 29, 31)));
}
