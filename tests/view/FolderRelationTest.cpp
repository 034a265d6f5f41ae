// The folder relation rules behind registering sources, the destination and
// restore items: byte-exact comparison, folder boundaries by the double-byte
// rule, and the first deciding folder of those registered.
#include <gtest/gtest.h>

#include "FolderRelation.h"

namespace {

TEST(ComparePaths, SameContainsInsideAndNone) {
    EXPECT_EQ(RELATION_SAME, ComparePaths("E:\\Data", "E:\\Data"));
    EXPECT_EQ(RELATION_CONTAINS, ComparePaths("E:\\Data", "E:\\Data\\Sub"));
    EXPECT_EQ(RELATION_INSIDE, ComparePaths("E:\\Data\\Sub", "E:\\Data"));
    EXPECT_EQ(RELATION_NONE, ComparePaths("E:\\Data", "E:\\Database"));
    EXPECT_EQ(RELATION_NONE, ComparePaths("E:\\Database", "E:\\Data"));
    EXPECT_EQ(RELATION_NONE, ComparePaths("E:\\Data", "E:\\Dat1"));
}

TEST(ComparePaths, CaseMatters) {
    EXPECT_EQ(RELATION_NONE, ComparePaths("E:\\DATA", "E:\\Data"));
    EXPECT_EQ(RELATION_NONE, ComparePaths("e:\\data", "E:\\Data\\Sub"));
}

TEST(ComparePaths, RootsAndTrailingBackslashes) {
    EXPECT_EQ(RELATION_CONTAINS, ComparePaths("E:\\", "E:\\Data"));
    EXPECT_EQ(RELATION_INSIDE, ComparePaths("E:\\Data", "E:\\"));
    // A destination typed with a trailing backslash still covers itself.
    EXPECT_EQ(RELATION_INSIDE, ComparePaths("D:\\Backup\\Old", "D:\\Backup\\"));
    EXPECT_EQ(RELATION_CONTAINS, ComparePaths("D:\\Backup\\", "D:\\Backup\\Old"));
    // D:\Backup against the same folder typed with a backslash: related,
    // so such a destination still refuses the source D:\Backup.
    EXPECT_EQ(RELATION_CONTAINS, ComparePaths("D:\\Backup", "D:\\Backup\\"));
    EXPECT_EQ(RELATION_CONTAINS, ComparePaths("\\\\server\\share", "\\\\server\\share\\x"));
}

TEST(ComparePaths, TrailByteIsNoFolderBoundary) {
    // 表 ends in byte 0x5C: E:\表 must not contain E:\表X as if it were E:\表\X.
    EXPECT_EQ(RELATION_NONE, ComparePaths("E:\\表", "E:\\表x"));
    EXPECT_EQ(RELATION_NONE, ComparePaths("E:\\表x", "E:\\表"));
    EXPECT_EQ(RELATION_CONTAINS, ComparePaths("E:\\表", "E:\\表\\ソ"));
    EXPECT_EQ(RELATION_INSIDE, ComparePaths("E:\\能\\十", "E:\\能"));
    // The shorter path ending in a real backslash after a 0x5C character.
    EXPECT_EQ(RELATION_CONTAINS, ComparePaths("E:\\十\\", "E:\\十\\a"));
}

// Registered folders as the rules get them: a source that backs up its
// subfolders covers them.
std::vector<CRegisteredFolder>
Sources(std::initializer_list<std::pair<const char*, bool>> sources) {
    std::vector<CRegisteredFolder> folders;
    for (const auto& source : sources)
        folders.push_back({source.first, source.second});
    return folders;
}

TEST(FindRelation, NothingRegisteredRelatesToNothing) {
    EXPECT_EQ(RELATION_NONE, FindRelation({}, "E:\\Data"));
}

TEST(FindRelation, ParentCountsOnlyWhenItCoversItsSubfolders) {
    EXPECT_EQ(RELATION_INSIDE, FindRelation(Sources({{"E:\\Data", true}}), "E:\\Data\\Sub"));
    auto flat = Sources({{"E:\\Data", false}});
    EXPECT_EQ(RELATION_NONE, FindRelation(flat, "E:\\Data\\Sub"));
    EXPECT_EQ(RELATION_SAME, FindRelation(flat, "E:\\Data"));
    EXPECT_EQ(RELATION_CONTAINS, FindRelation(flat, "E:\\"));
    EXPECT_EQ(RELATION_NONE, FindRelation(flat, "E:\\Database"));
}

TEST(FindRelation, FirstDecidingFolderInTheOrderGivenWins) {
    auto folders = Sources({{"E:\\a", false}, {"E:\\a\\b\\c", true}, {"E:\\a\\b", true}});
    // E:\a\b lies inside the first (which does not count), then contains
    // the second: the second decides before the third's SAME.
    EXPECT_EQ(RELATION_CONTAINS, FindRelation(folders, "E:\\a\\b"));
    EXPECT_EQ(RELATION_INSIDE, FindRelation(folders, "E:\\a\\b\\x"));
    std::swap(folders[1], folders[2]);
    EXPECT_EQ(RELATION_SAME, FindRelation(folders, "E:\\a\\b"));
}

TEST(FindRelation, FolderThatCoversNothingInsideIsMatchedWholeOnly) {
    // The restore list's items: a listed file or folder covers nothing.
    auto listed = Sources({{"F:\\bk\\表", false}, {"F:\\bk\\纊\\ソ.txt", false}});
    EXPECT_EQ(RELATION_NONE, FindRelation(listed, "F:\\bk\\表\\x.txt"));
    EXPECT_EQ(RELATION_SAME, FindRelation(listed, "F:\\bk\\表"));
    EXPECT_EQ(RELATION_CONTAINS, FindRelation(listed, "F:\\bk"));
    // 纊 is FA 5C: F:\bk\纊 holds the file, F:\bk\纊x does not.
    EXPECT_EQ(RELATION_CONTAINS, FindRelation(listed, "F:\\bk\\纊"));
    EXPECT_EQ(RELATION_NONE, FindRelation(listed, "F:\\bk\\纊x"));
}

} // namespace
