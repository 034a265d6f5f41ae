// The backup set: mirror folder assignment, emptying, and the rule for
// option values too long for their fixed fields.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "DataFileTestSupport.h"
#include "DocTestSupport.h"
#include "PathText.h"

namespace {

// Counts its destruction, to see that the document owns its entries.
class CCountedSource : public CBackupSource {
public:
    explicit CCountedSource(int* pnDestroyed) : m_pnDestroyed(pnDestroyed) {}
    ~CCountedSource() override { ++*m_pnDestroyed; }
    int* m_pnDestroyed;
};

std::vector<std::string> Assigned(CMrqDoc& doc, const char* pszDestination) {
    doc.m_strDestination = pszDestination;
    doc.AssignMirrors();
    return Mirrors(doc);
}

// The assignment spelled out plainly: scan every entry for every suffix.
void AssignMirrorsPlainly(std::vector<CEntryText>& entries, const std::string& destination) {
    CString strDestination(destination);
    AddBackslash(strDestination);
    for (CEntryText& e : entries) {
        e.mirror.clear();
        std::string candidate = strDestination.str() + GetLastComponent(CString(e.folder)).str();
        std::string suffix;
        for (int n = 1;; ++n) {
            bool bHeld = false;
            for (const CEntryText& other : entries)
                bHeld = bHeld || other.mirror == candidate + suffix;
            if (!bHeld)
                break;
            suffix = "(" + std::to_string(n) + ")";
        }
        e.mirror = candidate + suffix;
    }
}

} // namespace

TEST(MrqDoc, SameFolderNamesGetNumberedMirrors) {
    CMrqDoc doc;
    AddSource(doc, "G:\\a\\data");
    AddSource(doc, "D:\\data");
    AddSource(doc, "E:\\x\\data");
    std::vector<std::string> expected = {"F:\\bk\\data", "F:\\bk\\data(1)", "F:\\bk\\data(2)"};
    EXPECT_EQ(expected, Assigned(doc, "F:\\bk"));
    EXPECT_EQ(expected, Assigned(doc, "F:\\bk\\")) << "trailing backslash";
    EXPECT_EQ(expected, Assigned(doc, "F:\\bk")) << "again, from assigned mirrors";
}

TEST(MrqDoc, MirrorNamesFollowTheDoubleByteRule) {
    CMrqDoc doc;
    AddSource(doc, "D:\\");
    AddSource(doc, "E:\\資料\\表");
    AddSource(doc, "D:\\ソ");
    EXPECT_EQ((std::vector<std::string>{"F:\\表\\D root", "F:\\表\\表", "F:\\表\\ソ"}),
              Assigned(doc, "F:\\表"));
}

TEST(MrqDoc, EveryMirrorIsAFolderOfItsOwnInsideTheDestination) {
    CMrqDoc doc;
    AddSource(doc, "D:\\Data");
    AddSource(doc, "E:\\data");
    AddSource(doc, "D:\\ＤＡＴＡ");
    AddSource(doc, "E:\\ｄａｔａ");
    AddSource(doc, "D:\\mrq historyfolder");
    AddSource(doc, "E:\\MRQ LOG");
    AddSource(doc, "D:\\src\\.");
    AddSource(doc, "D:\\資料\\纊\\");
    AddSource(doc, "D:\\a\\..");
    AddSource(doc, "D:\\x\\CON");
    AddSource(doc, "");
    EXPECT_EQ(
        (std::vector<std::string>{"F:\\bk\\Data", "F:\\bk\\data(1)", "F:\\bk\\ＤＡＴＡ",
                                  "F:\\bk\\ｄａｔａ(1)", "F:\\bk\\mrq historyfolder(1)",
                                  "F:\\bk\\MRQ LOG(1)", "F:\\bk\\src", "F:\\bk\\纊", "", "", ""}),
        Assigned(doc, "F:\\bk"));
}

TEST(MrqDoc, LaterEntriesStillHoldTheirOldMirrorsDuringTheScan) {
    CMrqDoc doc;
    AddSource(doc, "D:\\data", "");
    AddSource(doc, "E:\\data", "F:\\bk\\data");
    EXPECT_EQ((std::vector<std::string>{"F:\\bk\\data(1)", "F:\\bk\\data"}),
              Assigned(doc, "F:\\bk"));
}

TEST(MrqDoc, AssignmentAgreesWithThePlainScanOnRandomSets) {
    std::mt19937 random(20240611);
    const char* folders[] = {"D:\\data", "E:\\data", "D:\\表", "E:\\x\\表", "D:\\", "D:\\data(1)"};
    const char* olds[] = {"",           "F:\\bk\\data",  "F:\\bk\\data(1)",    "F:\\bk\\data(2)",
                          "F:\\bk\\表", "F:\\bk\\表(1)", "F:\\bk\\data(1)(1)", "F:\\bk\\D root"};
    for (int nRound = 0; nRound < 500; ++nRound) {
        CMrqDoc doc;
        int nEntries = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < nEntries; ++i)
            AddSource(doc, folders[random() % 6], olds[random() % 8]);
        std::vector<CEntryText> expected = Snapshot(doc).entries;
        AssignMirrorsPlainly(expected, "F:\\bk");
        doc.m_strDestination = "F:\\bk";
        doc.AssignMirrors();
        ASSERT_EQ(expected, Snapshot(doc).entries) << "round " << nRound;
    }
}

TEST(MrqDoc, ManyEntriesOfOneNameAreAssignedQuickly) {
    CMrqDoc doc;
    for (int i = 0; i < 20000; ++i)
        AddSource(doc, "D:\\data");
    DWORD dwStart = GetTickCount();
    std::vector<std::string> mirrors = Assigned(doc, "F:\\bk");
    EXPECT_LT(GetTickCount() - dwStart, 3000u);
    EXPECT_EQ("F:\\bk\\data(19999)", mirrors.back());
}

TEST(MrqDoc, DeleteContentsClearsEverythingAndAlwaysTellsTheViews) {
    CMrqDoc doc;
    CRecordingView view;
    doc.AddView(&view);
    doc.DeleteContents();
    ASSERT_EQ(1u, view.m_updates.size());
    EXPECT_EQ(HINT_CLEAR, view.m_updates[0].lHint);
    EXPECT_EQ(nullptr, view.m_updates[0].pSender);
    EXPECT_EQ(nullptr, view.m_updates[0].pHint);

    int nDestroyed = 0;
    doc.m_strDestination = "F:\\bk";
    doc.m_strLastBackup = "2000/01/01 00:00:00";
    doc.m_sources.AddTail(new CCountedSource(&nDestroyed));
    doc.m_sources.AddTail(new CCountedSource(&nDestroyed));
    doc.DeleteContents();
    EXPECT_EQ(2, nDestroyed);
    EXPECT_EQ(CSetText(), Snapshot(doc));
    EXPECT_EQ((std::vector<LPARAM>{HINT_CLEAR, HINT_CLEAR}), view.Hints());
}

TEST(MrqDoc, DocumentDestroysItsEntries) {
    int nDestroyed = 0;
    {
        CMrqDoc doc;
        doc.m_sources.AddTail(new CCountedSource(&nDestroyed));
    }
    EXPECT_EQ(1, nDestroyed);
}

TEST(BackupSource, FixedFieldsNeverTakeOrCutALongValue) {
    CBackupSource source;
    EXPECT_TRUE(CBackupSource::SetOption(source.m_szHistory, "1234567"));
    EXPECT_STREQ("1234567", source.m_szHistory);
    EXPECT_FALSE(CBackupSource::SetOption(source.m_szHistory, "12345678"));
    EXPECT_STREQ("1234567", source.m_szHistory);
    EXPECT_TRUE(CBackupSource::SetOption(source.m_szSubfolders, "しない"));
    EXPECT_FALSE(CBackupSource::SetOption(source.m_szSubfolders, "表表表表"));
    EXPECT_STREQ("しない", source.m_szSubfolders);

    EXPECT_FALSE(source.SetHistory("00000001"));
    EXPECT_STREQ("1", source.m_szHistory);
    EXPECT_TRUE(source.SetHistory("42"));
    EXPECT_FALSE(source.SetHistory("99999999999999999999999"));
    EXPECT_STREQ("99", source.m_szHistory);
    EXPECT_FALSE(source.SetSubfolders("するするする"));
    EXPECT_STREQ("しない", source.m_szSubfolders);
    EXPECT_FALSE(source.SetFilterMode("+0000001"));
    EXPECT_STREQ("1", source.m_szFilterMode);
    EXPECT_FALSE(source.SetFilterMode("-99999999"));
    EXPECT_STREQ("-1", source.m_szFilterMode);
}
