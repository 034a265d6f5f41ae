// The synchronised copy over whole runs: what is copied, with which times and
// attributes, which filters apply, and how failures of single files are
// reported.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "BackupHarness.h"
#include "FileOps.h"
#include "ScratchTree.h"

namespace {

class CopyWalkTest : public CBackupFixture {
protected:
    CopyWalkTest() : CBackupFixture("copywalk", "src表") {}
};

TEST_F(CopyWalkTest, NewFilesAreCopiedWithTimesAndAttributes) {
    m_tree.WriteFile("src表\\plain.txt", "plain");
    CString strHidden = m_tree.WriteFile("src表\\ソ\\hidden.dat", "hidden");
    CString strReadOnly = m_tree.WriteFile("src表\\ソ\\能.txt", "read only");
    CString strSystem = m_tree.WriteFile("src表\\system.sys", "system");
    SetWriteTime(strReadOnly, 2019, 6, 30, 23, 59, 58);
    SetFileAttributesA(strHidden, FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(strReadOnly, FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(strSystem, FILE_ATTRIBUTE_SYSTEM);

    CRunResult result = Run();
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("バックアップが終了しました。", result.strResultText);
    EXPECT_EQ(4, result.nTotal);
    EXPECT_EQ(4, result.nNew);
    EXPECT_EQ(0, result.nUpdated);
    EXPECT_EQ("read only", ReadWholeFile(Mirror("ソ\\能.txt")));
    EXPECT_EQ(Attributes(strHidden), Attributes(Mirror("ソ\\hidden.dat")));
    EXPECT_EQ(Attributes(strReadOnly), Attributes(Mirror("ソ\\能.txt")));
    EXPECT_EQ(Attributes(strSystem), Attributes(Mirror("system.sys")));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strReadOnly, Mirror("ソ\\能.txt")));

    // Nothing changed: the second run copies nothing.
    CRunResult again = Run();
    EXPECT_EQ(4, again.nTotal);
    EXPECT_EQ(0, again.nNew);
    EXPECT_EQ(0, again.nUpdated);
}

TEST_F(CopyWalkTest, ChangedSizeTimeOrAttributesCountAsUpdated) {
    CString strSize = m_tree.WriteFile("src表\\size.txt", "1");
    CString strTime = m_tree.WriteFile("src表\\time.txt", "1");
    CString strAttr = m_tree.WriteFile("src表\\attr.txt", "1");
    m_tree.WriteFile("src表\\same.txt", "1");
    SetWriteTime(strTime, 2021, 3, 3, 3, 3, 3);
    Run();

    WriteWholeFile(strSize, "12");
    SetWriteTime(strSize, 2021, 3, 3, 3, 3, 3);
    SetWriteTime(strTime, 2021, 3, 3, 3, 3, 4);
    SetFileAttributesA(strAttr, FILE_ATTRIBUTE_HIDDEN);
    CRunResult result = Run();
    EXPECT_EQ(4, result.nTotal);
    EXPECT_EQ(3, result.nUpdated);
    EXPECT_EQ("12", ReadWholeFile(Mirror("size.txt")));
    EXPECT_TRUE(Attributes(Mirror("attr.txt")) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Attributes(strAttr), Attributes(Mirror("attr.txt")));
}

// A last-write time in 100 ns ticks, as FILETIME counts them.
ULONGLONG WriteTicks(const char* pszPath) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data);
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}
bool SetWriteTicks(const char* pszPath, ULONGLONG nTicks) {
    HANDLE h = CreateFileA(pszPath, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME ft = {static_cast<DWORD>(nTicks), static_cast<DWORD>(nTicks >> 32)};
    bool bSet = h != INVALID_HANDLE_VALUE && SetFileTime(h, nullptr, nullptr, &ft);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    return bSet;
}

TEST_F(CopyWalkTest, MirrorTimesAsFatStoresThemCountAsUnchanged) {
    const ULONGLONG SECOND = 10000000;
    SYSTEMTIME st = {2021, 3, 0, 3, 3, 3, 0, 0}; // a whole minute, so a 2-second step
    FILETIME ftBase;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ftBase));
    const ULONGLONG nBase =
        (static_cast<ULONGLONG>(ftBase.dwHighDateTime) << 32) | ftBase.dwLowDateTime;
    // Source times off the 2-second steps, and the step FAT moves each to:
    // up or down, as near as 0.5 s and as far as just under 2 s.
    struct CCase {
        const char* pszName;
        ULONGLONG nSource, nFat;
    } cases[] = {
        {"表.txt", nBase + 3 * SECOND + SECOND / 2, nBase + 4 * SECOND},
        {"ソ.txt", nBase + 4 * SECOND + SECOND / 4, nBase + 4 * SECOND},
        {"能.txt", nBase + 5 * SECOND, nBase + 6 * SECOND},
        {"纊.txt", nBase + 8 * SECOND - 1, nBase + 6 * SECOND},
    };
    for (const CCase& c : cases) {
        CString strSource = m_tree.WriteFile((CString("src表\\") + c.pszName).str().c_str(), "1");
        ASSERT_TRUE(SetWriteTicks(strSource, c.nSource));
    }
    ASSERT_EQ(4, Run().nNew);
    for (const CCase& c : cases) {
        ASSERT_EQ(c.nSource, WriteTicks(Mirror(c.pszName))) << "the copy carries the exact time";
        ASSERT_TRUE(SetWriteTicks(Mirror(c.pszName), c.nFat));
    }

    CRunResult again = Run();
    EXPECT_EQ(4, again.nTotal);
    EXPECT_EQ(0, again.nUpdated);
    EXPECT_FALSE(PathExists(m_strDestination + "\\mrq HistoryFolder"));

    // Moved by 2 seconds from the FAT time, or changed in size: updated.
    ASSERT_TRUE(SetWriteTicks(m_tree.Path("src表\\表.txt"), nBase + 6 * SECOND));
    CString strSize = m_tree.Path("src表\\能.txt");
    WriteWholeFile(strSize, "12");
    ASSERT_TRUE(SetWriteTicks(strSize, nBase + 5 * SECOND));
    CRunResult changed = Run();
    EXPECT_EQ(2, changed.nUpdated);
    EXPECT_EQ("12", ReadWholeFile(Mirror("能.txt")));
}

TEST_F(CopyWalkTest, ExcludeFilterSkipsListedExtensions) {
    m_tree.WriteFile("src表\\a.txt", "a");
    m_tree.WriteFile("src表\\b.TXT", "b");
    m_tree.WriteFile("src表\\c.doc", "c");
    CBackupSource::SetOption(m_source->m_szFilterMode, "0");
    m_source->m_strExtensions = "txt";
    CRunResult result = Run();
    EXPECT_EQ(1, result.nTotal);
    EXPECT_TRUE(PathExists(Mirror("c.doc")));
    EXPECT_FALSE(PathExists(Mirror("a.txt")));
    EXPECT_FALSE(PathExists(Mirror("b.TXT"))); // the name is lower-cased, the list is not
}

TEST_F(CopyWalkTest, OnlyFilterTakesTheTextAfterTheFirstDot) {
    m_tree.WriteFile("src表\\a.TXT", "a");
    m_tree.WriteFile("src表\\a.b.txt", "ab");
    m_tree.WriteFile("src表\\noext", "n");
    m_tree.WriteFile("src表\\表.txt", "j");
    CBackupSource::SetOption(m_source->m_szFilterMode, "1");
    m_source->m_strExtensions = "txt";
    Run();
    EXPECT_TRUE(PathExists(Mirror("a.TXT")));
    EXPECT_TRUE(PathExists(Mirror("表.txt")));
    EXPECT_FALSE(PathExists(Mirror("a.b.txt"))); // its extension is b.txt
    EXPECT_FALSE(PathExists(Mirror("noext")));
}

TEST_F(CopyWalkTest, GlobalNoCopyListWinsOverTheEntrysOnlyList) {
    m_tree.WriteFile("src表\\a.txt", "a");
    m_tree.WriteFile("src表\\b.tmp", "b");
    m_tree.WriteFile("src表\\c.bak", "c");
    CBackupSource::SetOption(m_source->m_szFilterMode, "1");
    m_source->m_strExtensions = "txt,tmp";
    CRunOptions options;
    options.strNoCopy = "tmp,bak";
    Run(options);
    EXPECT_TRUE(PathExists(Mirror("a.txt")));
    EXPECT_FALSE(PathExists(Mirror("b.tmp")));
    EXPECT_FALSE(PathExists(Mirror("c.bak")));
}

TEST_F(CopyWalkTest, NoFilterModeIgnoresTheStoredList) {
    m_tree.WriteFile("src表\\a.txt", "a");
    m_source->m_strExtensions = "txt"; // stays stored while the mode is -1
    EXPECT_EQ(1, Run().nNew);
}

TEST_F(CopyWalkTest, SubfoldersAreSkippedWhenSwitchedOff) {
    m_tree.WriteFile("src表\\top.txt", "t");
    m_tree.WriteFile("src表\\sub\\deep.txt", "d");
    CBackupSource::SetOption(m_source->m_szSubfolders, "しない");
    CRunResult result = Run();
    EXPECT_EQ(1, result.nTotal);
    EXPECT_TRUE(PathExists(Mirror("top.txt")));
    EXPECT_FALSE(PathExists(Mirror("sub")));
}

TEST_F(CopyWalkTest, EmptySubfoldersAppearFromTheSecondRunOn) {
    m_tree.MakeFolder("src表\\empty十\\inner");
    m_tree.WriteFile("src表\\full\\f.txt", "f");
    Run();
    // The first survey has no mirror folder to create subfolders in; only
    // the folders that receive files exist afterwards.
    EXPECT_TRUE(PathExists(Mirror("full\\f.txt")));
    EXPECT_FALSE(PathExists(Mirror("empty十")));
    Run();
    EXPECT_TRUE(PathExists(Mirror("empty十\\inner")));
}

TEST_F(CopyWalkTest, EmptySourceLeavesTheMirrorAlone) {
    CRunResult result = Run();
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(0, result.nTotal);
    EXPECT_FALSE(PathExists(m_source->m_strMirror));
}

TEST_F(CopyWalkTest, FileHeldOpenWithoutSharingGivesAWarningAndTheRunGoesOn) {
    CString strLocked = m_tree.WriteFile("src表\\locked表.txt", "locked");
    m_tree.WriteFile("src表\\free.txt", "free");
    HANDLE hLock = CreateFileA(strLocked, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    CRunResult result = Run();
    CloseHandle(hLock);

    EXPECT_EQ(0, result.nStatus);
    // Counted in the total, not as new: it was not copied.
    EXPECT_EQ(2, result.nTotal);
    EXPECT_EQ(1, result.nNew);
    EXPECT_EQ(CString("Warning : ") + strLocked + " 排他的処理中の為コピーできません。\n",
              result.strWarnings);
    EXPECT_TRUE(PathExists(Mirror("free.txt")));
    EXPECT_FALSE(PathExists(Mirror("locked表.txt")));
    // Released, it is copied by the next run.
    EXPECT_EQ(1, Run().nNew);
}

TEST_F(CopyWalkTest, FileAnotherProgramOnlyReadsIsCopiedByItsName) {
    // The comparison cannot open it without sharing; the copy opens it
    // with read sharing, as it always did, and succeeds.
    CString strRead = m_tree.WriteFile("src表\\能\\纊.txt", "being read");
    HANDLE hReader = CreateFileA(strRead, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hReader);
    CRunResult result = Run();
    CloseHandle(hReader);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("", result.strWarnings);
    EXPECT_EQ("being read", ReadWholeFile(Mirror("能\\纊.txt")));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strRead, Mirror("能\\纊.txt")));
}

TEST_F(CopyWalkTest, LockedChangedFileKeepsItsMirrorCopy) {
    CString strPath = m_tree.WriteFile("src表\\doc.txt", "v1");
    SetWriteTime(strPath, 2020, 1, 1, 0, 0, 0);
    Run();
    WriteWholeFile(strPath, "v2");
    SetWriteTime(strPath, 2020, 1, 2, 0, 0, 0);
    HANDLE hLock = CreateFileA(strPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    CRunResult result = Run();
    CloseHandle(hLock);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_NE(-1, result.strWarnings.Find("排他的処理中"));
    EXPECT_EQ("v1", ReadWholeFile(Mirror("doc.txt")));
}

TEST_F(CopyWalkTest, UnchangedFileHeldOpenIsLeftAloneWithoutAWarning) {
    // A backup that already holds the file must not fail over it every
    // night because another program keeps it open.
    CString strHeld = m_tree.WriteFile("src表\\十.db", "database");
    m_tree.WriteFile("src表\\other.txt", "o");
    ASSERT_EQ(2, Run().nNew);
    HANDLE hLock = CreateFileA(strHeld, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    CRunResult result = Run();
    CloseHandle(hLock);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("", result.strWarnings);
    EXPECT_EQ(2, result.nTotal);
    EXPECT_EQ(0, result.nNew + result.nUpdated);
    EXPECT_EQ("database", ReadWholeFile(Mirror("十.db")));
}

TEST_F(CopyWalkTest, MirrorFileHeldOpenGivesAWarningAndTheRunGoesOn) {
    CString strFile = m_tree.WriteFile("src表\\doc.txt", "v1");
    m_tree.WriteFile("src表\\other.txt", "o");
    Run();
    WriteWholeFile(strFile, "v2 longer");
    CBackupSource::SetOption(m_source->m_szHistory, "0");
    HANDLE hLock = CreateFileA(Mirror("doc.txt"), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    m_tree.WriteFile("src表\\later.txt", "l");
    CRunResult result = Run();
    CloseHandle(hLock);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(CString("Warning : ") + strFile + " 排他的処理中の為コピーできません。\n",
              result.strWarnings);
    EXPECT_EQ("v1", ReadWholeFile(Mirror("doc.txt")));
    EXPECT_TRUE(PathExists(Mirror("later.txt")));
}

TEST_F(CopyWalkTest, StatusTextsNameTheFilesShortened) {
    m_tree.WriteFile("src表\\a_rather_long_folder_name\\file.txt", "x");
    CRunResult result = Run();
    bool bSawSearch = false, bSawCopy = false;
    for (const CString& str : result.statusTexts) {
        bSawSearch |= str.Find("検索中 : ") == 0;
        bSawCopy |= str.Find("Backup中 : ") == 0;
        EXPECT_LE(str.GetLength(), 60) << str;
    }
    // Texts come faster than the 10 ms poll, so only some are seen; the
    // last one of a run is always there to take.
    EXPECT_TRUE(bSawSearch || bSawCopy);
}

} // namespace

namespace {

// The source lies one folder deeper below the tree than its mirror, so a
// name of yen signs and dots climbs from them to two different files
// outside both: one to read, one to overwrite.
class UnnamableSourceTest : public CBackupFixture {
protected:
    UnnamableSourceTest() : CBackupFixture("unnamable", "in\\deep\\src表") {}
    std::wstring Source(const wchar_t* pszName) const {
        return std::wstring(L"in\\deep\\src\u8868\\") + pszName;
    }
    std::string Warning(const char* pszRelative) const {
        return ("Warning : " + m_strSource + "\\" + pszRelative +
                " は名前に扱えない文字があるため、コピーされませんでした。")
            .str();
    }
};

// The lines of a text, in any order.
std::multiset<std::string> Lines(const CString& strText) {
    std::multiset<std::string> lines;
    std::string text = strText.str();
    for (size_t nStart = 0; nStart < text.size();) {
        size_t nEnd = text.find('\n', nStart);
        lines.insert(text.substr(nStart, nEnd - nStart));
        nStart = nEnd == std::string::npos ? text.size() : nEnd + 1;
    }
    return lines;
}

} // namespace

// Names the code page cannot hold are backed up under their exact names:
// never as their look-alikes (the yen sign is no backslash, é is no e), so
// nothing outside both folders is read or written. Only a name no path can
// reach (a backslash in a Linux name) is reported and left alone.
TEST_F(UnnamableSourceTest, AreBackedUpUnderTheirExactNames) {
    CString strRead = m_tree.WriteFile("in\\victim.txt", "outside the source");
    CString strWritten = m_tree.WriteFile("victim.txt", "outside the destination");
    m_tree.WriteWideFile(Source(L"sub\\..\u00a5..\u00a5..\u00a5victim.txt").c_str(), "yen");
    m_tree.WriteFile("in\\deep\\src表\\表ソ能十纊犾.txt", "kanji");
    m_tree.WriteFile("in\\deep\\src表\\resume.txt", "plain");
    m_tree.WriteWideFile(Source(L"r\u00e9sum\u00e9.txt").c_str(), "accented");
    m_tree.WriteWideFile(Source(L"\ud55c\uae00.txt").c_str(), "hangul");
    m_tree.WriteWideFile(Source(L"photo\U0001F600.jpg").c_str(), "emoji");
    m_tree.WriteWideFile(Source(L"Caf\u00e9\\menu.txt").c_str(), "in a folder of that kind");
    m_tree.WriteWideFile(Source(L"\u00e9t\u00e9.tmp").c_str(), "filtered out");
    ASSERT_TRUE(WriteFileOnTheLinuxSide(m_strSource, "..\\..\\victim.txt"));
    CRunOptions options;
    options.strNoCopy = "tmp";
    CRunResult result = Run(options);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(7, result.nNew);
    EXPECT_EQ("outside the destination", ReadWholeFile(strWritten));
    EXPECT_EQ("outside the source", ReadWholeFile(strRead));
    CTreeSnapshot expected = {{"Caf<U+00E9>", "<folder>"},
                              {"Caf<U+00E9>\\menu.txt", "in a folder of that kind"},
                              {"photo<U+D83D><U+DE00>.jpg", "emoji"},
                              {"r<U+00E9>sum<U+00E9>.txt", "accented"},
                              {"resume.txt", "plain"},
                              {"sub", "<folder>"},
                              {"sub\\..<U+00A5>..<U+00A5>..<U+00A5>victim.txt", "yen"},
                              {"<U+D55C><U+AE00>.txt", "hangul"},
                              {"表ソ能十纊犾.txt", "kanji"}};
    EXPECT_EQ(expected, SnapshotTree(m_source->m_strMirror));
    EXPECT_EQ(std::multiset<std::string>{Warning("..\\..\\victim.txt")}, Lines(result.strWarnings));

    // Unchanged, then gone: compared and removed by their exact names.
    EXPECT_EQ(0, Run(options).nNew);
    ASSERT_TRUE(DeleteFileW(m_tree.WidePath(Source(L"r\u00e9sum\u00e9.txt").c_str()).c_str()));
    CRunResult removed = Run(options);
    EXPECT_EQ(1, removed.nDeleted);
    EXPECT_EQ("plain", ReadWholeFile(m_source->m_strMirror + "\\resume.txt"));
    EXPECT_EQ(expected.size() - 1, SnapshotTree(m_source->m_strMirror).size());
}
