// The data file: the writer byte for byte against committed files, every
// reader rule, round trips, and values that could not be read back as they
// stand (TAB, CR, LF, option values longer than their field).
#include <gtest/gtest.h>

#include <string>

#include "DataFile.h"
#include "DataFileTestSupport.h"
#include "DocTestSupport.h"
#include "ScratchTree.h"

namespace {

const std::string HEADER = "mrq Backup File \tHeaderVersion 2.1\r\n";

class DataFileTest : public testing::Test {
protected:
    DataFileTest() : m_tree("datafile") { m_doc.AddView(&m_view); }

    // Saves m_doc to a scratch file and returns the bytes written.
    std::string Saved() {
        CString strPath = m_tree.Path("saved.mrd");
        EXPECT_TRUE(m_doc.OnSaveDocument(strPath));
        return ReadWholeFile(strPath);
    }

    // Opens a fresh document on the given bytes.
    CSetText Read(const std::string& content) {
        CMrqDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(m_tree.WriteFile("read.mrd", content)));
        return Snapshot(doc);
    }

    CScratchTree m_tree;
    CMessageCapture m_messages;
    CRecordingView m_view;
    CMrqDoc m_doc;
};

CEntryText Defaults(const char* pszFolder) {
    return {pszFolder, "", "1", "", "する", "-1", ""};
}

} // namespace

TEST_F(DataFileTest, WriterMatchesTheCommittedFiles) {
    EXPECT_EQ(ReadWholeFile(TestDataPath("fresh.mrd").c_str()), Saved()) << "fresh set";

    m_doc.m_strDestination = "F:\\bk";
    m_doc.m_strLastBackup = "2000/03/16 21:05:09";
    EXPECT_EQ(ReadWholeFile(TestDataPath("no_sources.mrd").c_str()), Saved()) << "no sources";

    CBackupSource& docs = AddSource(m_doc, "E:\\My Documents");
    CBackupSource::SetOption(docs.m_szHistory, "3");
    docs.m_strNote = "work files";
    CBackupSource& data = AddSource(m_doc, "D:\\data", "stale");
    CBackupSource::SetOption(data.m_szSubfolders, "しない");
    CBackupSource::SetOption(data.m_szFilterMode, "0");
    data.m_strExtensions = "tmp,bak";
    EXPECT_EQ(ReadWholeFile(TestDataPath("two_sources.mrd").c_str()), Saved()) << "two sources";
}

TEST_F(DataFileTest, WriterMatchesTheJapaneseFile) {
    // 表 ソ 能 十 all end in byte 0x5C: none of them is a separator.
    m_doc.m_strDestination = "F:\\バックアップ\\表";
    m_doc.m_strLastBackup = "2001/01/02 03:04:05";
    CBackupSource& a = AddSource(m_doc, "D:\\資料\\表");
    CBackupSource::SetOption(a.m_szHistory, "5");
    CBackupSource::SetOption(a.m_szFilterMode, "1");
    a.m_strNote = "見積書と請求書のソース";
    a.m_strExtensions = "doc,xls";
    CBackupSource& b = AddSource(m_doc, "E:\\十");
    CBackupSource::SetOption(b.m_szHistory, "0");
    CBackupSource::SetOption(b.m_szSubfolders, "しない");
    b.m_strNote = "能力";
    CBackupSource& c = AddSource(m_doc, "D:\\能\\十");
    CBackupSource::SetOption(c.m_szHistory, "99");
    CBackupSource::SetOption(c.m_szFilterMode, "0");
    c.m_strExtensions = "ソ,表";
    std::string expected = ReadWholeFile(TestDataPath("japanese.mrd").c_str());
    EXPECT_EQ(expected, Saved());

    // And the file reads back into the same set, which writes the same bytes.
    CSetText saved = Snapshot(m_doc);
    ASSERT_TRUE(m_doc.OnOpenDocument(TestDataPath("japanese.mrd").c_str()));
    EXPECT_EQ(saved, Snapshot(m_doc));
    EXPECT_EQ(expected, Saved());
}

TEST_F(DataFileTest, ReaderTakesTheExampleFile) {
    ASSERT_TRUE(m_doc.OnOpenDocument(TestDataPath("two_sources.mrd").c_str()));
    CSetText set = Snapshot(m_doc);
    EXPECT_EQ("F:\\bk", set.destination);
    EXPECT_EQ("2000/03/16 21:05:09", set.lastBackup);
    ASSERT_EQ(2u, set.entries.size());
    EXPECT_EQ((CEntryText{"E:\\My Documents", "F:\\bk\\My Documents", "3", "work files", "する",
                          "-1", ""}),
              set.entries[0]);
    EXPECT_EQ((CEntryText{"D:\\data", "F:\\bk\\data", "1", "", "しない", "0", "tmp,bak"}),
              set.entries[1]);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(DataFileTest, HeaderDecidesWhetherAnythingIsRead) {
    const std::string body = "F:\\bk\t2000/01/01 00:00:00\r\nD:\\data\r\n";
    CSetText empty;
    EXPECT_EQ(1u, Read("mrq Backup File \tHeaderVersion 9.9\r\n" + body).entries.size());
    EXPECT_EQ(1u, Read("mrq Backup File \t\r\n" + body).entries.size()) << "no version";
    EXPECT_EQ(empty, Read("mrq backup file \tHeaderVersion 2.1\r\n" + body)) << "case";
    EXPECT_EQ(empty, Read("mrq Backup File\tHeaderVersion 2.1\r\n" + body)) << "no space";
    EXPECT_EQ(empty, Read("mrq Backup File  HeaderVersion 2.1\r\n" + body)) << "no TAB";
    EXPECT_EQ(empty, Read(std::string("mrq Backup File \0\tX\r\n", 21) + body)) << "NUL";
    EXPECT_EQ(empty, Read(body)) << "missing header";
    EXPECT_EQ(empty, Read("")) << "empty file";
    EXPECT_EQ(empty, Read(HEADER)) << "header only";
}

TEST_F(DataFileTest, SecondLineGivesDestinationAndLastBackup) {
    EXPECT_EQ("F:\\bk", Read(HEADER + "F:\\bk\r\n").destination);
    EXPECT_EQ("", Read(HEADER + "F:\\bk\r\n").lastBackup);
    EXPECT_EQ("a\tb\tc", Read(HEADER + "F:\\表\ta\tb\tc\r\n").lastBackup);
    EXPECT_EQ("F:\\表", Read(HEADER + "F:\\表\ta\tb\tc\r\n").destination);
    EXPECT_EQ("F:\\x", Read(HEADER + "F:\\x").destination) << "truncated";
    EXPECT_EQ("", Read(HEADER + "\t2000\r\n").destination);
}

TEST_F(DataFileTest, EntryFieldsReplaceDefaultsOnlyWhenPresent) {
    struct {
        const char* pszLine;
        CEntryText expected;
    } cases[] = {
        {"D:\\data", Defaults("D:\\data")},
        {"", Defaults("")},
        {"D:\\data\t->\t\t\t", {"D:\\data", "", "", "", "する", "-1", ""}},
        {"D:\\data\t->\tM\t2", {"D:\\data", "M", "2", "", "する", "-1", ""}},
        {"D:\\data\tanything\tM\t2\tn\tしない\t1\tx,y\textra\tmore",
         {"D:\\data", "M", "2", "n", "しない", "1", "x,y"}},
        {"D:\\表\t->\tF:\\ソ\t3\t能\t\t\t", {"D:\\表", "F:\\ソ", "3", "能", "", "", ""}},
        {"\t\t\t\t\t\t\t", {"", "", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        CSetText set = Read(HEADER + "\t\r\n" + c.pszLine + "\r\n");
        ASSERT_EQ(1u, set.entries.size()) << c.pszLine;
        EXPECT_EQ(c.expected, set.entries[0]) << c.pszLine;
    }
}

TEST_F(DataFileTest, EveryLineAfterTheSecondIsAnEntry) {
    // LF-only lines, an empty line, a CR taking a byte along, and a last
    // line without terminator.
    CSetText set = Read(HEADER + "\t\nD:\\a\n\nD:\\b\rxD:\\c\r\r\nD:\\last");
    ASSERT_EQ(6u, set.entries.size());
    EXPECT_EQ("D:\\a", set.entries[0].folder);
    EXPECT_EQ("", set.entries[1].folder);
    EXPECT_EQ("D:\\bx", set.entries[2].folder);
    EXPECT_EQ("D:\\c\r", set.entries[3].folder);
    EXPECT_EQ("", set.entries[4].folder);
    EXPECT_EQ("D:\\last", set.entries[5].folder);
}

TEST_F(DataFileTest, SavingWithoutDestinationKeepsTheStoredMirrors) {
    AddSource(m_doc, "D:\\data", "X:\\old\\data");
    AddSource(m_doc, "E:\\表", "");
    std::string saved = Saved();
    EXPECT_NE(std::string::npos, saved.find("D:\\data\t->\tX:\\old\\data\t1\t\tする\t-1\t\r\n"));
    EXPECT_NE(std::string::npos, saved.find("E:\\表\t->\t\t1\t\tする\t-1\t\r\n"));

    m_doc.m_strDestination = "F:\\bk";
    Saved();
    EXPECT_EQ((std::vector<std::string>{"F:\\bk\\data", "F:\\bk\\表"}), Mirrors(m_doc));
}

TEST_F(DataFileTest, WriterUpdatesViewsBeforeTheNewPathIsRecorded) {
    CString strFirst = m_tree.Path("first.mrd");
    ASSERT_TRUE(m_doc.OnSaveDocument(strFirst));
    m_view.m_updates.clear();
    ASSERT_TRUE(m_doc.OnSaveDocument(m_tree.Path("second.mrd")));
    ASSERT_EQ(1u, m_view.m_updates.size());
    EXPECT_EQ(0, m_view.m_updates[0].lHint);
    EXPECT_EQ(nullptr, m_view.m_updates[0].pSender);
    EXPECT_EQ(nullptr, m_view.m_updates[0].pHint);
    EXPECT_EQ(strFirst, m_view.m_updates[0].strPathName);
    EXPECT_EQ(m_tree.Path("second.mrd"), m_doc.GetPathName());
}

TEST_F(DataFileTest, OpeningClearsTheViewsAndSendsNothingElse) {
    AddSource(m_doc, "D:\\data");
    ASSERT_TRUE(m_doc.OnOpenDocument(TestDataPath("two_sources.mrd").c_str()));
    EXPECT_EQ((std::vector<LPARAM>{HINT_CLEAR}), m_view.Hints());
    EXPECT_EQ(2, m_doc.m_sources.GetCount());
}

TEST_F(DataFileTest, RoundTripKeepsEverythingInOrder) {
    m_doc.m_strDestination = "F:\\表";
    m_doc.m_strLastBackup = "2024/12/31 23:59:59";
    const char* folders[] = {"D:\\ソ", "E:\\能\\", "D:\\", "G:\\十\\data", "D:\\十\\data"};
    int n = 0;
    for (const char* pszFolder : folders) {
        CBackupSource& source = AddSource(m_doc, pszFolder);
        source.m_strNote = CString("note ") + pszFolder;
        CBackupSource::SetOption(source.m_szHistory, std::to_string(n++).c_str());
        source.m_strExtensions = n % 2 ? "" : "表,ソ";
    }
    std::string saved = Saved();
    CSetText written = Snapshot(m_doc);
    EXPECT_EQ(written, Read(saved));
    EXPECT_EQ("F:\\表\\D root", written.entries[2].mirror);
    EXPECT_EQ("F:\\表\\能", written.entries[1].mirror) << "folder ending in a backslash";
    EXPECT_EQ("F:\\表\\data(1)", written.entries[4].mirror);
}

TEST_F(DataFileTest, LineBreakingCharactersBecomeBlanksInFileAndDocument) {
    m_doc.m_strDestination = "F:\\a\tb";
    m_doc.m_strLastBackup = "2000/01/01\tkept\rx";
    CBackupSource& source = AddSource(m_doc, "D:\\表\tソ");
    source.m_strNote = "line1\r\nline2\n";
    source.m_strExtensions = "a\tb";
    CBackupSource::SetOption(source.m_szHistory, "1\t2");
    CBackupSource::SetOption(source.m_szSubfolders, "\r");
    std::string saved = Saved();

    CSetText written = Snapshot(m_doc);
    EXPECT_EQ("F:\\a b", written.destination);
    EXPECT_EQ("2000/01/01\tkept x", written.lastBackup);
    EXPECT_EQ((CEntryText{"D:\\表 ソ", "F:\\a b\\表 ソ", "1 2", "line1  line2 ", " ", "-1", "a b"}),
              written.entries.at(0));
    EXPECT_EQ(written, Read(saved));
}

TEST_F(DataFileTest, OverLongOptionValuesKeepTheirMeaning) {
    struct {
        const char* pszFields; // history, note, subfolders, mode
        const char *pszHistory, *pszSubfolders, *pszMode;
    } cases[] = {
        {"00000001\tn\tする\t-1", "1", "する", "-1"},
        {"00000150\tn\tする\t-1", "150", "する", "-1"},
        {"12345678\tn\tする\t-1", "99", "する", "-1"},
        {"-12345678\tn\tする\t-1", "0", "する", "-1"},
        {"ソソソソ\tn\tしないです\t-0000001", "0", "しない", "-1"},
        {"1\tn\tするする\t00000001", "1", "しない", "1"},
        {"1\tn\tする\t123456789", "1", "する", "-1"},
        {"1234567\tn\t表表表表\t0000000000", "1234567", "しない", "0"},
    };
    for (const auto& c : cases) {
        std::string line = std::string("D:\\d\t->\tF:\\d\t") + c.pszFields + "\t\r\n";
        CSetText set = Read(HEADER + "\t\r\n" + line);
        ASSERT_EQ(1u, set.entries.size());
        EXPECT_EQ(c.pszHistory, set.entries[0].history) << c.pszFields;
        EXPECT_EQ(c.pszSubfolders, set.entries[0].subfolders) << c.pszFields;
        EXPECT_EQ(c.pszMode, set.entries[0].mode) << c.pszFields;
    }
}
