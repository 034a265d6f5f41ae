// The activity log: its 50-line limit, what the three-line panel shows, and
// the arrows that move it one line at a time.
#include <gtest/gtest.h>

#include <cstdio>

#include "LogBuffer.h"

namespace {

CString Lines(int nFirst, int nLast) {
    CString str;
    for (int i = nFirst; i <= nLast; ++i) {
        char sz[16];
        std::snprintf(sz, sizeof sz, "line%d\n", i);
        str += sz;
    }
    return str;
}

void AddNumbered(CLogBuffer& log, int nFirst, int nLast) {
    for (int i = nFirst; i <= nLast; ++i) {
        char sz[16];
        std::snprintf(sz, sizeof sz, "line%d", i);
        log.AddLine(sz);
    }
}

TEST(LogBuffer, FirstLineAloneCannotScroll) {
    CLogBuffer log;
    log.AddLine("mrq BackupTool LogView");
    CString str = "untouched";
    EXPECT_FALSE(log.ScrollUp(str));
    EXPECT_FALSE(log.ScrollDown(str));
    EXPECT_EQ("untouched", str);
    EXPECT_EQ("mrq BackupTool LogView\n", log.GetVisibleText());
}

TEST(LogBuffer, FourLinesShowTheNewestThreeAndScrollUpOnce) {
    CLogBuffer log;
    AddNumbered(log, 1, 4);
    EXPECT_EQ(1, log.m_nTop);
    EXPECT_EQ(Lines(2, 4), log.GetVisibleText());
    CString str;
    ASSERT_TRUE(log.ScrollUp(str));
    EXPECT_EQ(Lines(1, 4), str); // line 4 falls below the panel
    EXPECT_FALSE(log.ScrollUp(str));
}

TEST(LogBuffer, TopIsResetOnlyWhenMoreThanThreeLinesAreHeld) {
    CLogBuffer log;
    AddNumbered(log, 1, 2);
    CString str;
    ASSERT_TRUE(log.ScrollDown(str));
    EXPECT_EQ(Lines(2, 2), str);
    EXPECT_FALSE(log.ScrollDown(str)); // only the newest line is left
    AddNumbered(log, 3, 3);
    EXPECT_EQ(1, log.m_nTop);
    AddNumbered(log, 4, 4);
    EXPECT_EQ(1, log.m_nTop);
    ASSERT_TRUE(log.ScrollDown(str));
    ASSERT_TRUE(log.ScrollDown(str));
    AddNumbered(log, 5, 5); // an addition brings the newest three back
    EXPECT_EQ(2, log.m_nTop);
    EXPECT_EQ(Lines(3, 5), log.GetVisibleText());
}

TEST(LogBuffer, FiftyFirstLineDropsTheOldest) {
    CLogBuffer log;
    AddNumbered(log, 1, 51);
    EXPECT_EQ(50, log.m_nLines);
    EXPECT_EQ(Lines(2, 51), log.m_strText);
    EXPECT_EQ(47, log.m_nTop);
    EXPECT_EQ(Lines(49, 51), log.GetVisibleText());
    AddNumbered(log, 52, 200);
    EXPECT_EQ(50, log.m_nLines);
    EXPECT_EQ(Lines(151, 200), log.m_strText);
}

TEST(LogBuffer, JapaneseLinesWithTrailByte5CStayWhole) {
    CLogBuffer log;
    log.AddLine("D:\\表\\ソ をバックアップ元に登録しました。");
    log.AddLine("能十");
    EXPECT_EQ("D:\\表\\ソ をバックアップ元に登録しました。\n能十\n", log.GetVisibleText());
}

TEST(LogBuffer, ClearEmptiesEverything) {
    CLogBuffer log;
    AddNumbered(log, 1, 10);
    log.Clear();
    EXPECT_EQ(0, log.m_nLines);
    EXPECT_EQ(0, log.m_nTop);
    EXPECT_EQ("", log.GetVisibleText());
}

} // namespace
