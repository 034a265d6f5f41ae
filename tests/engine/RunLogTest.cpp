// The record of every run beside the backup: appended whole to the file of
// its month in the code page with CR LF, the last twelve months kept, and a
// record that cannot be written leaves the file as it was.
#include <gtest/gtest.h>

#include "FileOps.h"
#include "RunLog.h"
#include "ScratchTree.h"

namespace {

CRunRecord Record(CTime end, const char* pszWarnings = "") {
    CRunRecord record;
    record.strTitle = "バックアップ";
    record.start = end - CTimeSpan(5);
    record.end = end;
    record.strDataFile = "D:\\資料\\表.mrd";
    record.strDestination = "E:\\十";
    record.nStatus = 0;
    record.strMessage = "バックアップが終了しました。";
    record.strCounts =
        "総ファイル数 : 8    更新ファイル数 : 0\n新規ファイル数 : 8    削除ファイル数 : 0\n";
    record.strWarnings = pszWarnings;
    return record;
}

class RunLogTest : public testing::Test {
protected:
    RunLogTest() : m_tree("runlog") { m_strDestination = m_tree.MakeFolder("dest十"); }

    CRunRecord At(int nYear, int nMonth, const char* pszWarnings = "") {
        CRunRecord record = Record(CTime(nYear, nMonth, 9, 14, 0, 0), pszWarnings);
        record.strDestination = m_strDestination;
        return record;
    }
    CString Log(const char* pszName) const { return m_strDestination + "\\mrq Log\\" + pszName; }

    CScratchTree m_tree;
    CString m_strDestination;
};

TEST_F(RunLogTest, RecordsAreAppendedWholeToTheirMonthInCrLf) {
    CRunRecord first = At(2026, 12, "Warning : D:\\資料\\表\\a.txt がコピーされませんでした。\n");
    CRunRecord second = At(2026, 12);
    second.nStatus = 112;
    second.strMessage = "バックアップ先のの容量が足りません。";
    ASSERT_TRUE(AppendRunRecord(first));
    ASSERT_TRUE(AppendRunRecord(second));
    std::string text = ReadWholeFile(Log("2026-12.txt"));
    EXPECT_EQ(std::string(FormatRunRecord(first)) + std::string(FormatRunRecord(second)), text);
    EXPECT_EQ("==== バックアップ  2026/12/09 13:59:55 - 2026/12/09 14:00:00\r\n"
              "データファイル : D:\\資料\\表.mrd\r\n"
              "バックアップ先 : " +
                  m_strDestination.str() +
                  "\r\n"
                  "結果 : 0 バックアップが終了しました。\r\n"
                  "総ファイル数 : 8    更新ファイル数 : 0\r\n"
                  "新規ファイル数 : 8    削除ファイル数 : 0\r\n"
                  "Warning : D:\\資料\\表\\a.txt がコピーされませんでした。\r\n\r\n",
              std::string(FormatRunRecord(first)));
    EXPECT_EQ(std::string::npos, text.find("\n\n")) << "every line feed follows a CR";
    // A record of another month starts that month's file.
    ASSERT_TRUE(AppendRunRecord(At(2027, 1)));
    EXPECT_EQ(std::string(FormatRunRecord(At(2027, 1))), ReadWholeFile(Log("2027-01.txt")));
}

TEST_F(RunLogTest, TheLastTwelveMonthsAreKeptAndNothingElseIsTouched) {
    for (const char* pszName : {"2025-11.txt", "2025-12.txt", "2026-01.txt", "2026-11.txt",
                                "notes.txt", "2025-1.txt", "2025-13.txt"})
        m_tree.WriteFile((CString("dest十\\mrq Log\\") + pszName).GetBuffer(0), "x");
    ASSERT_TRUE(AppendRunRecord(At(2026, 12)));
    EXPECT_FALSE(PathExists(Log("2025-11.txt")));
    EXPECT_FALSE(PathExists(Log("2025-12.txt")));
    for (const char* pszName :
         {"2026-01.txt", "2026-11.txt", "2026-12.txt", "notes.txt", "2025-1.txt", "2025-13.txt"})
        EXPECT_TRUE(PathExists(Log(pszName))) << pszName;
}

TEST_F(RunLogTest, ARecordThatCannotBeWrittenChangesNothing) {
    // The month's file cannot be opened (a folder holds its name): the
    // record fails, and the older months are not touched either.
    m_tree.MakeFolder("dest十\\mrq Log\\2026-12.txt");
    m_tree.WriteFile("dest十\\mrq Log\\2025-01.txt", "earlier\r\n");
    EXPECT_FALSE(AppendRunRecord(At(2026, 12)));
    EXPECT_EQ("earlier\r\n", ReadWholeFile(Log("2025-01.txt")));
    // Its folder's name is a file: no folder can be made.
    CScratchTree other("runlogfile");
    CRunRecord record = At(2026, 12);
    record.strDestination = other.MakeFolder("dest");
    other.WriteFile("dest\\mrq Log", "in the way");
    EXPECT_FALSE(AppendRunRecord(record));
    EXPECT_EQ("in the way", ReadWholeFile(other.Path("dest\\mrq Log")));
}

} // namespace
