// The folder relation rules behind registering sources, the destination and
// restore items: byte-exact comparison, folder boundaries by the double-byte
// rule, and the first deciding row of a list.
#include <gtest/gtest.h>

#include "FolderRelation.h"
#include "HiddenListView.h"
#include "ListCtrl.h"

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

class FindListRelationTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(nullptr, m_list.GetSafeHwnd()); }

    // A source list: folder and subfolder columns (note and history empty).
    void MakeSourceList(std::initializer_list<std::pair<const char*, const char*>> rows) {
        for (int nCol = 0; nCol < 4; ++nCol)
            m_list.InsertColumn(nCol, "", LVCFMT_LEFT, 50);
        int i = 0;
        for (const auto& row : rows) {
            m_list.InsertItem(i, row.first);
            m_list.SetItemText(i++, 3, row.second);
        }
    }

    CHiddenListView m_host;
    CListCtrl& m_list = m_host.List();
};

TEST_F(FindListRelationTest, EmptyListRelatesToNothing) {
    MakeSourceList({});
    EXPECT_EQ(RELATION_NONE, FindListRelation(m_list, "E:\\Data"));
}

TEST_F(FindListRelationTest, ParentCountsOnlyWhenItBacksUpItsSubfolders) {
    MakeSourceList({{"E:\\Data", "する"}});
    EXPECT_EQ(RELATION_INSIDE, FindListRelation(m_list, "E:\\Data\\Sub"));
    m_list.SetItemText(0, 3, "しない");
    EXPECT_EQ(RELATION_NONE, FindListRelation(m_list, "E:\\Data\\Sub"));
    EXPECT_EQ(RELATION_SAME, FindListRelation(m_list, "E:\\Data"));
    EXPECT_EQ(RELATION_CONTAINS, FindListRelation(m_list, "E:\\"));
    EXPECT_EQ(RELATION_NONE, FindListRelation(m_list, "E:\\Database"));
}

TEST_F(FindListRelationTest, FirstDecidingRowInDisplayOrderWins) {
    MakeSourceList({{"E:\\a", "しない"}, {"E:\\a\\b\\c", "する"}, {"E:\\a\\b", "する"}});
    // E:\a\b lies inside the first row (which does not count), then
    // contains the second: the second decides before the third's SAME.
    EXPECT_EQ(RELATION_CONTAINS, FindListRelation(m_list, "E:\\a\\b"));
    EXPECT_EQ(RELATION_INSIDE, FindListRelation(m_list, "E:\\a\\b\\x"));
}

TEST_F(FindListRelationTest, ListWithoutSubfolderColumnNeverContains) {
    // The restore list: path, size, time; no column 3.
    for (int nCol = 0; nCol < 3; ++nCol)
        m_list.InsertColumn(nCol, "", LVCFMT_LEFT, 50);
    m_list.InsertItem(0, "F:\\bk\\表");
    EXPECT_EQ(RELATION_NONE, FindListRelation(m_list, "F:\\bk\\表\\x.txt"));
    EXPECT_EQ(RELATION_SAME, FindListRelation(m_list, "F:\\bk\\表"));
    EXPECT_EQ(RELATION_CONTAINS, FindListRelation(m_list, "F:\\bk"));
}

} // namespace
