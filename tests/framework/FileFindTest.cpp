// The file finder over real folders (Japanese names whose trail byte is a
// backslash included), driven by the loop every caller uses, and the file
// status query.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "File.h"
#include "ExactText.h"
#include "FileFind.h"
#include "PathCalls.h"
#include "ScratchTree.h"

namespace {

struct CEntry {
    std::string path;
    bool bDirectory;
    ULONGLONG nLength;
};

// Name -> entry for every entry the caller's loop sees, dots included.
std::map<std::string, CEntry> Enumerate(const char* pszPattern) {
    std::map<std::string, CEntry> entries;
    CFileFind finder;
    bool bMore = finder.FindFile(pszPattern);
    while (bMore) {
        bMore = finder.FindNextFile();
        entries[finder.GetFileName().str()] = {finder.GetFilePath().str(), finder.IsDirectory(),
                                               finder.GetLength()};
    }
    return entries;
}

} // namespace

TEST(FileFind, LoopSeesEveryEntryOnceWithItsPath) {
    CScratchTree tree("find");
    tree.WriteFile("表\\ソ.txt", "12345");
    tree.WriteFile("表\\能十", "");
    tree.MakeFolder("表\\十表");

    std::map<std::string, CEntry> entries = Enumerate(tree.Path("表\\*.*"));
    ASSERT_EQ(5u, entries.size());
    EXPECT_TRUE(entries.count(".") && entries.count(".."));
    // The folder part ends in the trail byte 0x5C of 表: it must be kept whole.
    EXPECT_EQ(tree.Path("表\\ソ.txt").str(), entries["ソ.txt"].path);
    EXPECT_EQ(5u, entries["ソ.txt"].nLength);
    EXPECT_FALSE(entries["ソ.txt"].bDirectory);
    EXPECT_EQ(0u, entries["能十"].nLength);
    EXPECT_TRUE(entries["十表"].bDirectory);
    EXPECT_EQ(tree.Path("表\\十表").str(), entries["十表"].path);
}

TEST(FileFind, PatternSelectsEntries) {
    CScratchTree tree("find");
    tree.WriteFile("a.txt", "");
    tree.WriteFile("ソ.txt", "");
    tree.WriteFile("b.doc", "");
    std::map<std::string, CEntry> entries = Enumerate(tree.Path("*.txt"));
    EXPECT_EQ(2u, entries.size());
    EXPECT_TRUE(entries.count("ソ.txt"));
}

TEST(FileFind, PathOfOneEntryFindsExactlyIt) {
    CScratchTree tree("find");
    CString strFolder = tree.MakeFolder("能");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(strFolder));
    EXPECT_FALSE(finder.FindNextFile()); // the only entry is also the last
    EXPECT_EQ("能", finder.GetFileName());
    EXPECT_EQ(strFolder, finder.GetFilePath());
    EXPECT_TRUE(finder.IsDirectory());
    EXPECT_FALSE(finder.IsDots());
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ("能", finder.GetFileName());
}

TEST(FileFind, EmptyFolderHoldsOnlyTheDots) {
    CScratchTree tree("find");
    tree.MakeFolder("空ソ");
    CFileFind finder;
    int nEntries = 0;
    bool bMore = finder.FindFile(tree.Path("空ソ\\*.*"));
    while (bMore) {
        bMore = finder.FindNextFile();
        EXPECT_TRUE(finder.IsDots()) << finder.GetFileName().str();
        ++nEntries;
    }
    EXPECT_EQ(2, nEntries);
    EXPECT_FALSE(finder.FindFile(tree.Path("空ソ\\*.txt")));
}

TEST(FileFind, MissingFolderOrRootFindsNothing) {
    CScratchTree tree("find");
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile(tree.Path("無い表\\*.*")));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_FALSE(finder.FindNextFile());
    // A bare drive root is no entry of its own.
    EXPECT_FALSE(finder.FindFile("D:\\"));
}

TEST(FileFind, NewSearchRestartsAfterAFailedOne) {
    CScratchTree tree("find");
    tree.WriteFile("x.txt", "");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(tree.Path("*.txt")));
    EXPECT_FALSE(finder.FindFile(tree.Path("*.doc")));
    EXPECT_FALSE(finder.FindNextFile()); // nothing left of the old search
    ASSERT_TRUE(finder.FindFile(tree.Path("*.txt")));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ("x.txt", finder.GetFileName());
}

TEST(FileFind, AttributesOfTheFoundEntry) {
    CScratchTree tree("find");
    CString strPath = tree.WriteFile("ro表.txt", "");
    ASSERT_TRUE(SetFileAttributesA(strPath, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(strPath));
    finder.FindNextFile();
    EXPECT_TRUE(finder.IsReadOnly());
    EXPECT_TRUE(finder.IsHidden());
    EXPECT_FALSE(finder.IsDirectory());
    SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
}

TEST(FileFind, LinksAreNameSurrogatesOrReparsePointsWithoutATag) {
    const DWORD REPARSE = FILE_ATTRIBUTE_REPARSE_POINT, FOLDER = FILE_ATTRIBUTE_DIRECTORY;
    const DWORD TAG_MOUNT_POINT = 0xA0000003, TAG_SYMLINK = 0xA000000C;
    const DWORD TAG_DEDUP = 0x80000013, TAG_CLOUD = 0x9000001A;
    EXPECT_TRUE(IsLinkReparsePoint(REPARSE | FOLDER, 0)); // wine's symbolic links
    EXPECT_TRUE(IsLinkReparsePoint(REPARSE | FOLDER, TAG_MOUNT_POINT));
    EXPECT_TRUE(IsLinkReparsePoint(REPARSE, TAG_SYMLINK));
    // Deduplicated files and cloud placeholders hold their own data.
    EXPECT_FALSE(IsLinkReparsePoint(REPARSE, TAG_DEDUP));
    EXPECT_FALSE(IsLinkReparsePoint(REPARSE | FOLDER, TAG_CLOUD));
    // Without the attribute the tag field means nothing.
    EXPECT_FALSE(IsLinkReparsePoint(FOLDER, TAG_SYMLINK));
}

TEST(FileStatus, OfAFile) {
    CScratchTree tree("status");
    CString strPath = tree.WriteFile("表\\ソ.txt", "abc");
    ASSERT_TRUE(SetWriteTime(strPath, 2004, 2, 29, 23, 59, 58));
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(strPath, status));
    EXPECT_EQ(3u, status.m_size);
    EXPECT_STREQ(strPath, status.m_szFullName);
    EXPECT_FALSE(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ("2004/02/29 23:59:58", status.m_mtime.Format("%Y/%m/%d %H:%M:%S"));
    EXPECT_TRUE(status.m_ctime.IsValid());
    EXPECT_NE(0, status.m_ctime.GetTime());
}

TEST(FileStatus, OfAFolder) {
    CScratchTree tree("status");
    CString strFolder = tree.MakeFolder("十");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(strFolder, status));
    EXPECT_TRUE(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_STREQ(strFolder, status.m_szFullName);
}

TEST(FileStatus, OfAMissingPathClearsTheRecord) {
    CScratchTree tree("status");
    CFileStatus status;
    status.m_size = 7;
    EXPECT_FALSE(CFile::GetStatus(tree.Path("無い.txt"), status));
    EXPECT_EQ(0u, status.m_size);
    EXPECT_EQ(0, status.m_mtime.GetTime());
    EXPECT_FALSE(CFile::GetStatus("", status));
    EXPECT_FALSE(CFile::GetStatus(nullptr, status));
}

TEST(FileStatus, FullPathThatDoesNotFitIsRefused) {
    std::string strLong = "D:\\" + std::string(300, 'a');
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(strLong.c_str(), status));
    EXPECT_STREQ("", status.m_szFullName);
}

TEST(FileFind, NamesOutsideTheCodePageComeExactNeverAsLookAlikes) {
    CScratchTree tree("find");
    tree.WriteFile("表ソ能十纊犾.txt", "");
    tree.WriteFile("resume.txt", "");
    tree.WriteWideFile(L"r\u00e9sum\u00e9.txt", "");  // best fit: resume.txt
    tree.WriteWideFile(L"..\u00a5..\u00a5x.txt", ""); // best fit: ..\..\x.txt
    tree.WriteWideFile(L"\ud55c\uae00.txt", "");      // no mapping: ??.txt
    tree.MakeWideFolder(L"photo\U0001F600");          // a surrogate pair
    std::map<std::string, std::wstring> wide;
    std::map<std::string, bool> exact;
    CFileFind finder;
    bool bMore = finder.FindFile(tree.Path("*.*"));
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        std::string name = ShownText(finder.GetFileName()).str();
        EXPECT_FALSE(exact.count(name)) << "two entries shown as " << name;
        EXPECT_TRUE(finder.IsNameReachable()) << name;
        wide[name] = WideOfText(finder.GetFileName());
        EXPECT_EQ(finder.GetWideFileName(), wide[name]) << "the text names the entry exactly";
        exact[name] = finder.IsNameExact();
        // The text leads back to this entry, and to no other.
        EXPECT_NE(INVALID_FILE_ATTRIBUTES,
                  GetAttributesAt(tree.Root() + "\\" + finder.GetFileName()));
    }
    ASSERT_EQ(6u, exact.size());
    // Names of the code page, trail bytes 0x5C and lead bytes FA-FB
    // included, come byte for byte as before.
    EXPECT_TRUE(exact["表ソ能十纊犾.txt"]);
    EXPECT_EQ(L"\u8868\u30bd\u80fd\u5341\u7e8a\u72be.txt", wide["表ソ能十纊犾.txt"]);
    EXPECT_TRUE(exact["resume.txt"]);
    EXPECT_FALSE(exact["r?sum?.txt"]);
    EXPECT_EQ(L"r\u00e9sum\u00e9.txt", wide["r?sum?.txt"]);
    EXPECT_FALSE(exact["..?..?x.txt"]) << "a yen sign must never become a backslash";
    EXPECT_FALSE(exact["??.txt"]);
    EXPECT_FALSE(exact["photo??"]);
    EXPECT_EQ(L"photo\U0001F600", wide["photo??"]);
}
