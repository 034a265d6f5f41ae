// A folder listed once and looked up by name: it must find what the file
// system finds for that name (letter case ignored, double-byte letters
// too), report what the file system reports of it, and compare two files
// by those facts as the comparison of opened files does.
#include <gtest/gtest.h>
#include <windows.h>

#include "FileFacts.h"
#include "FileFind.h"
#include "FileOps.h"
#include "FolderListing.h"
#include "ScratchTree.h"

namespace {

CFileFacts FactsFromTheFileSystem(const char* pszPath) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_TRUE(GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data)) << pszPath;
    CFileFacts facts;
    facts.ftCreation = data.ftCreationTime;
    facts.ftLastWrite = data.ftLastWriteTime;
    facts.nSize = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    facts.dwAttributes = data.dwFileAttributes;
    return facts;
}

bool SameFacts(const CFileFacts& a, const CFileFacts& b) {
    return CompareFileTime(&a.ftCreation, &b.ftCreation) == 0 &&
           CompareFileTime(&a.ftLastWrite, &b.ftLastWrite) == 0 && a.nSize == b.nSize &&
           a.dwAttributes == b.dwAttributes;
}

TEST(FolderListing, FindsWhatTheFileSystemFindsByTheSameName) {
    CScratchTree tree("listing");
    CString strHidden = tree.WriteFile("f\\Report.TXT", "report");
    tree.WriteFile("f\\表ソ能.txt", "kanji");
    tree.WriteFile("f\\纊犾", "ibm");
    tree.WriteFile("f\\ａｂｃ.txt", "fullwidth");
    tree.WriteFile("f\\αβ.txt", "greek");
    tree.MakeFolder("f\\sub十");
    SetFileAttributesA(strHidden, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);

    CFolderListing listing;
    ASSERT_TRUE(listing.List(tree.Path("f")));
    EXPECT_EQ(6u, listing.GetCount());
    // Each asked-for name, and whether the file system itself finds it.
    const char* names[] = {"Report.TXT", "report.txt", "REPORT.txt", "表ソ能.TXT",
                           "纊犾",       "ＡＢＣ.TXT", "ΑΒ.TXT",     "SUB十",
                           "report",     "表ソ.txt",   "纊",         "ａｂｃ"};
    for (const char* pszName : names) {
        CString strPath = tree.Path("f") + "\\" + pszName;
        bool bOnDisk = GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
        const CFileFacts* pFacts = listing.Find(pszName);
        EXPECT_EQ(bOnDisk, pFacts != nullptr) << pszName;
        if (pFacts && bOnDisk) {
            EXPECT_TRUE(SameFacts(FactsFromTheFileSystem(strPath), *pFacts)) << pszName;
        }
    }
    EXPECT_NE(nullptr, listing.Find("report.txt"));
    EXPECT_EQ(nullptr, listing.Find("report"));
    EXPECT_TRUE(listing.Find("sub十")->dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
    SetFileAttributesA(strHidden, FILE_ATTRIBUTE_NORMAL);
}

TEST(FolderListing, MissingFolderFailsAndEmptyFolderListsNothing) {
    CScratchTree tree("listing_empty");
    CFolderListing listing;
    EXPECT_FALSE(listing.List(tree.Path("無い")));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
    tree.WriteFile("full\\a", "a");
    ASSERT_TRUE(listing.List(tree.Path("full")));
    EXPECT_EQ(1u, listing.GetCount());
    ASSERT_TRUE(listing.List(tree.MakeFolder("empty")));
    EXPECT_EQ(0u, listing.GetCount());
    EXPECT_EQ(nullptr, listing.Find("a"));
}

TEST(FolderListing, GivesTheEntriesInTheFindersOrderWithWhatItSaysOfEach) {
    CScratchTree tree("listing_order");
    for (const char* pszName : {"f\\表.txt", "f\\b.txt", "f\\纊\\x", "f\\Z.txt", "f\\十\\y"})
        tree.WriteFile(pszName, "x");
    tree.WriteWideFile(L"f\\r\u00e9sum\u00e9.txt", "wide");
    ASSERT_TRUE(WriteFileOnTheLinuxSide(tree.Path("f"), "a\\b"));
    ASSERT_TRUE(MakeFolderLink(tree.Path("f\\link"), tree.Path("f\\十")));

    CFolderListing listing;
    ASSERT_TRUE(listing.List(tree.Path("f")));
    CFileFind finder;
    bool bMore = finder.FindFile(tree.Path("f\\*.*"));
    size_t nIndex = 0;
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        ASSERT_LT(nIndex, listing.GetCount());
        CString strName = finder.GetFileName();
        EXPECT_STREQ(strName, listing.GetName(nIndex));
        EXPECT_EQ(finder.IsNameReachable(), listing.IsNameReachable(nIndex)) << strName;
        EXPECT_EQ(finder.IsFolderLink(), listing.IsFolderLink(nIndex)) << strName;
        EXPECT_EQ(finder.IsDirectory(), listing.IsDirectory(nIndex)) << strName;
        if (finder.IsNameReachable()) {
            EXPECT_EQ(nIndex, listing.IndexOf(strName)) << strName;
        }
        ++nIndex;
    }
    EXPECT_EQ(8u, nIndex);
    EXPECT_EQ(nIndex, listing.GetCount());
    EXPECT_EQ(listing.IndexOf("z.TXT"), listing.IndexOf("Z.txt"));
    EXPECT_EQ(CFolderListing::NONE, listing.IndexOf("c.txt"));
}

TEST(FileFacts, MatchByTheRuleOfTheComparison) {
    CFileFacts source;
    SYSTEMTIME st = {2021, 6, 0, 15, 3, 4, 30, 0};
    SystemTimeToFileTime(&st, &source.ftLastWrite);
    source.ftCreation = source.ftLastWrite;
    source.nSize = 1234;
    source.dwAttributes = FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_TRUE(FactsMatch(source, source));

    auto Shifted = [](FILETIME ft, LONGLONG nHundredNs) {
        ULARGE_INTEGER u = {{ft.dwLowDateTime, ft.dwHighDateTime}};
        u.QuadPart += static_cast<ULONGLONG>(nHundredNs);
        return FILETIME{u.LowPart, u.HighPart};
    };
    const LONGLONG SECOND = 10000000;
    CFileFacts mirror = source;
    mirror.nSize = 1235;
    EXPECT_FALSE(FactsMatch(source, mirror));
    mirror = source;
    mirror.dwAttributes |= FILE_ATTRIBUTE_READONLY;
    EXPECT_FALSE(FactsMatch(source, mirror));
    mirror = source;
    mirror.ftLastWrite = Shifted(source.ftLastWrite, SECOND / 2); // same whole second
    EXPECT_TRUE(FactsMatch(source, mirror));
    mirror.ftLastWrite = Shifted(source.ftLastWrite, SECOND);
    EXPECT_FALSE(FactsMatch(source, mirror));

    // A FAT drive's copy: the mirror's time on a 2-second step (:30.0 is
    // one), the source's less than 2 s from it; a mirror time off a step
    // or 2 s away is a change.
    CFileFacts later = source;
    later.ftLastWrite = Shifted(source.ftLastWrite, 2 * SECOND - 1);
    EXPECT_TRUE(FactsMatch(later, source));
    later.ftLastWrite = Shifted(source.ftLastWrite, -(2 * SECOND - 1));
    EXPECT_TRUE(FactsMatch(later, source));
    later.ftLastWrite = Shifted(source.ftLastWrite, 2 * SECOND);
    EXPECT_FALSE(FactsMatch(later, source));
    mirror.ftLastWrite = Shifted(source.ftLastWrite, SECOND / 2); // :30.5, no step
    later.ftLastWrite = Shifted(source.ftLastWrite, SECOND + SECOND / 2);
    EXPECT_FALSE(FactsMatch(later, mirror));

    // Bits a drive may not keep, or a copy never sets, count for nothing;
    // read-only, hidden, system and archive do.
    mirror = source;
    for (DWORD dwBit : {0x2000u, 0x800u, 0x4000u, 0x200u, 0x100u, 0x1000u}) {
        later = source;
        later.dwAttributes |= dwBit;
        EXPECT_TRUE(FactsMatch(later, mirror)) << dwBit;
        EXPECT_TRUE(FactsMatch(source, later)) << dwBit;
    }
    for (DWORD dwBit : {0x1u, 0x2u, 0x4u}) {
        later = source;
        later.dwAttributes |= dwBit;
        EXPECT_FALSE(FactsMatch(later, mirror)) << dwBit;
    }
    later.dwAttributes = FILE_ATTRIBUTE_NORMAL; // the archive bit gone
    EXPECT_FALSE(FactsMatch(later, mirror));
    mirror = source;
    mirror.ftCreation = Shifted(source.ftCreation, SECOND); // :31 against :30
    EXPECT_TRUE(FactsMatch(source, mirror));
    mirror.ftCreation = Shifted(source.ftCreation, 2 * SECOND);
    EXPECT_FALSE(FactsMatch(source, mirror));
    mirror.ftCreation = Shifted(source.ftCreation, 30 * SECOND); // :00 of the next minute
    EXPECT_FALSE(FactsMatch(source, mirror));
}

TEST(FileFacts, ListingFactsOfACopyMatchLikeTheComparisonOfOpenedFiles) {
    CScratchTree tree("listing_copy");
    CString strSource = tree.WriteFile("s\\表.txt", "content");
    SetFileAttributesA(strSource, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    tree.MakeFolder("m");
    CString strMirror = tree.Path("m\\表.txt");
    ASSERT_TRUE(CopyFileWithTimes(strSource, strMirror));

    CFolderListing sources, mirrors;
    ASSERT_TRUE(sources.List(tree.Path("s")));
    ASSERT_TRUE(mirrors.List(tree.Path("m")));
    EXPECT_EQ(COMPARE_EQUAL, CompareFiles(strSource, strMirror));
    EXPECT_TRUE(FactsMatch(*sources.Find("表.txt"), *mirrors.Find("表.txt")));

    SetFileAttributesA(strSource, FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_TRUE(sources.List(tree.Path("s")));
    EXPECT_EQ(COMPARE_CHANGED, CompareFiles(strSource, strMirror));
    EXPECT_FALSE(FactsMatch(*sources.Find("表.txt"), *mirrors.Find("表.txt")));
    SetFileAttributesA(strMirror, FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(strSource, FILE_ATTRIBUTE_NORMAL);
}

} // namespace
