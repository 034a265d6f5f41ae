// CTime: file times become local calendar seconds with the fraction dropped
// (never rounded up), the program's date-time text, and arithmetic across
// minute, day and year boundaries.
#include <gtest/gtest.h>

#include "Time.h"

namespace {

const char* const kFormat = "%Y/%m/%d %H:%M:%S";

// The UTC file time of a local calendar time.
FILETIME FileTimeOfLocal(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec,
                         int nMilliseconds = 0) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(nYear);
    st.wMonth = static_cast<WORD>(nMonth);
    st.wDay = static_cast<WORD>(nDay);
    st.wHour = static_cast<WORD>(nHour);
    st.wMinute = static_cast<WORD>(nMin);
    st.wSecond = static_cast<WORD>(nSec);
    st.wMilliseconds = static_cast<WORD>(nMilliseconds);
    FILETIME local = {}, utc = {};
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

} // namespace

TEST(Time, FromFileTimeDropsTheFraction) {
    CTime time(FileTimeOfLocal(2004, 2, 29, 23, 59, 58, 999));
    ASSERT_TRUE(time.IsValid());
    EXPECT_EQ("2004/02/29 23:59:58", time.Format(kFormat));
    EXPECT_EQ(58, time.GetSecond());
    EXPECT_EQ(59, time.GetMinute());
    EXPECT_EQ(23, time.GetHour());
    EXPECT_EQ(29, time.GetDay());
    EXPECT_EQ(2, time.GetMonth());
    EXPECT_EQ(2004, time.GetYear());
    // Two file times within the same second are the same CTime.
    EXPECT_EQ(time, CTime(FileTimeOfLocal(2004, 2, 29, 23, 59, 58, 0)));
}

TEST(Time, FieldsAndFileTimeAgree) {
    EXPECT_EQ(CTime(2001, 1, 2, 3, 4, 5), CTime(FileTimeOfLocal(2001, 1, 2, 3, 4, 5)));
    EXPECT_EQ("2001/01/02 03:04:05", CTime(2001, 1, 2, 3, 4, 5).Format(kFormat));
}

TEST(Time, SpansCrossBoundaries) {
    CTime time(2004, 2, 29, 23, 59, 58);
    CTime later = time + CTimeSpan(2);
    EXPECT_EQ("2004/03/01 00:00:00", later.Format(kFormat));
    EXPECT_EQ(0, later.GetSecond());
    EXPECT_EQ("2004/02/29 23:58:59", (time - CTimeSpan(59)).Format(kFormat));
    EXPECT_EQ(2, (later - time).GetTotalSeconds());
    EXPECT_EQ(-2, (time - later).GetTotalSeconds());
    EXPECT_TRUE(time < later);
    EXPECT_NE(time, later);

    CTime newYear = CTime(1999, 12, 31, 23, 59, 59) + CTimeSpan(1);
    EXPECT_EQ("2000/01/01 00:00:00", newYear.Format(kFormat));
    EXPECT_EQ(86400, (CTime(2000, 3, 1, 0, 0, 0) - CTime(2000, 2, 29, 0, 0, 0)).GetTotalSeconds());
}

TEST(Time, TimesBeforeTheEpochAreInvalid) {
    // 1601-01-01, the zero of the file time scale.
    FILETIME ftZero = {};
    CTime time(ftZero);
    EXPECT_FALSE(time.IsValid());
    EXPECT_EQ("", time.Format(kFormat));
    EXPECT_EQ(0, time.GetSecond());
    EXPECT_FALSE(CTime(1969, 12, 31, 0, 0, 0).IsValid());
}

TEST(Time, FormatCopiesJapaneseTextThrough) {
    EXPECT_EQ("2010年03月表", CTime(2010, 3, 7, 0, 0, 0).Format("%Y年%m月表"));
    EXPECT_EQ("", CTime(2010, 3, 7, 0, 0, 0).Format(""));
}

TEST(Time, CurrentTimeIsNow) {
    __time64_t before = _time64(nullptr);
    CTime now = CTime::GetCurrentTime();
    __time64_t after = _time64(nullptr);
    EXPECT_LE(before, now.GetTime());
    EXPECT_GE(after, now.GetTime());
}
