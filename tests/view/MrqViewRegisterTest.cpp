// Registration of sources and of the destination on the main view: every
// refusal with its message, and every success with its entry, row,
// modified flag and log line.
#include "ViewHarness.h"

#include "BackupSource.h"
#include "LogBuffer.h"

namespace {

class MrqViewRegisterTest : public CMrqViewTest {
protected:
    void SetUp() override {
        CMrqViewTest::SetUp();
        Start();
        Doc()->SetModifiedFlag(false);
    }

    // Registers and expects success without a message.
    void Register(const char* pszPath) {
        size_t nBoxes = s_boxes.size();
        ASSERT_EQ(1, View()->GetSourcePage().RegisterSource(pszPath)) << pszPath;
        ASSERT_EQ(nBoxes, s_boxes.size()) << pszPath;
    }
    // Expects the refusal with exactly this warning, and nothing changed.
    void ExpectRefused(int nResult, const char* pszMessage) {
        EXPECT_EQ(0, nResult);
        ASSERT_EQ(1u, s_boxes.size());
        EXPECT_EQ(CString(pszMessage), s_boxes[0].strText);
        EXPECT_EQ(CString("mrq Warning"), s_boxes[0].strCaption);
        EXPECT_EQ(UINT{MB_OK | MB_ICONEXCLAMATION}, s_boxes[0].nType);
        EXPECT_EQ(m_nSources, Doc()->m_sources.GetCount());
        EXPECT_EQ(m_nSources, SourceList().GetItemCount());
        EXPECT_EQ(m_nLogLines, LogBuffer().m_nLines);
        EXPECT_FALSE(Doc()->IsModified());
        s_boxes.clear();
    }
    void ExpectSourceRefused(const char* pszPath, const char* pszMessage) {
        Remember();
        ExpectRefused(View()->GetSourcePage().RegisterSource(pszPath), pszMessage);
    }
    void ExpectDestinationRefused(const char* pszPath) {
        Remember();
        CString strBefore = ControlText(IDC_DESTINATION);
        ExpectRefused(View()->GetDestinationPage().SetDestination(pszPath),
                      "バックアップ元に登録されているフォルダです。");
        EXPECT_EQ(strBefore, ControlText(IDC_DESTINATION));
    }
    // The state a refusal must leave alone.
    void Remember() {
        Doc()->SetModifiedFlag(false);
        m_nSources = Doc()->m_sources.GetCount();
        m_nLogLines = LogBuffer().m_nLines;
    }
    // The path's entry in the set leaves its subfolders out. Its row still
    // says "する": the rules go by the set, not by what a row says.
    void SetNoSubfolders(const char* pszPath) {
        for (POSITION pos = Doc()->m_sources.GetHeadPosition(); pos;) {
            CBackupSource* pEntry = GetNextSource(Doc()->m_sources, pos);
            if (pEntry->m_strFolder == pszPath)
                pEntry->SetSubfolders("しない");
        }
    }
    CString LastLogLine() const {
        std::string strText = LogBuffer().m_strText.str();
        strText.pop_back(); // the last line's line feed
        return strText.substr(strText.rfind('\n') + 1);
    }

    int m_nSources = 0;
    int m_nLogLines = 0;
};

const char kAlready[] = "すでにバックアップされるフォルダになっています。";
const char kChildRegistered[] = "子フォルダが登録されていますので登録できません。";
const char kParentRegistered[] = "親フォルダが登録されていますのでバックアップされます。";
const char kIsDestination[] = "バックアップ先のフォルダは登録できません。";

TEST_F(MrqViewRegisterTest, NewSourceGetsEntryRowModifiedFlagAndLogLine) {
    Register("E:\\表");
    ASSERT_EQ(1, Doc()->m_sources.GetCount());
    auto* pEntry = static_cast<CBackupSource*>(Doc()->m_sources.GetHead());
    EXPECT_EQ(CString("E:\\表"), pEntry->m_strFolder);
    EXPECT_EQ(CString(""), pEntry->m_strMirror);
    EXPECT_EQ(CString(""), pEntry->m_strNote);
    EXPECT_STREQ("1", pEntry->m_szHistory);
    EXPECT_STREQ("する", pEntry->m_szSubfolders);
    EXPECT_STREQ("-1", pEntry->m_szFilterMode);
    EXPECT_EQ(CString(""), pEntry->m_strExtensions);
    EXPECT_EQ(std::vector<std::string>{"E:\\表||1|する"}, SourceRows());
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(pEntry), SourceList().GetItemData(0));
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    SourceList().SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(6, item.iImage);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(CString("E:\\表 をバックアップ元に登録しました。"), LastLogLine());
}

TEST_F(MrqViewRegisterTest, RowsAreSortedWhileEntriesKeepTheirOrder) {
    Register("E:\\b");
    Register("D:\\ソ");
    Register("E:\\a");
    EXPECT_EQ((std::vector<std::string>{"D:\\ソ||1|する", "E:\\a||1|する", "E:\\b||1|する"}),
              SourceRows());
    auto* pFirst = static_cast<CBackupSource*>(Doc()->m_sources.GetHead());
    EXPECT_EQ(CString("E:\\b"), pFirst->m_strFolder);
}

TEST_F(MrqViewRegisterTest, SameFolderTwiceIsRefused) {
    Register("E:\\Data");
    ExpectSourceRefused("E:\\Data", kAlready);
}

TEST_F(MrqViewRegisterTest, FolderInsideASourceWithSubfoldersIsRefusedUntilTheyAreOff) {
    Register("E:\\Data");
    ExpectSourceRefused("E:\\Data\\Sub", kParentRegistered);
    SetNoSubfolders("E:\\Data");
    Register("E:\\Data\\Sub");
}

TEST_F(MrqViewRegisterTest, FolderAroundASourceIsRefusedDriveRootToo) {
    Register("E:\\Data\\Sub");
    ExpectSourceRefused("E:\\Data", kChildRegistered);
    ExpectSourceRefused("E:\\", kChildRegistered);
}

TEST_F(MrqViewRegisterTest, NeighboursAndOtherCaseAreUnrelated) {
    Register("E:\\Data");
    Register("E:\\Database");
    Register("E:\\DATA");
    Register("e:\\data\\Sub");
}

TEST_F(MrqViewRegisterTest, TrailByte5CIsNotAFolderBoundary) {
    // ソ and 十 end in the byte of a backslash.
    Register("E:\\ソ");
    Register("E:\\ソ十");
    Register("E:\\十");
    ExpectSourceRefused("E:\\ソ\\表", kParentRegistered);
    ExpectSourceRefused("E:\\ソ", kAlready);
    Register("E:\\能\\表");
    ExpectSourceRefused("E:\\能", kChildRegistered);
    Register("E:\\能力"); // 能 followed by more text is another folder
}

TEST_F(MrqViewRegisterTest, DestinationAndEverythingAroundItIsRefusedAsASource) {
    ASSERT_EQ(1, View()->GetDestinationPage().SetDestination("D:\\Backup"));
    ExpectSourceRefused("D:\\Backup", kIsDestination);
    ExpectSourceRefused("D:\\Backup\\Old", kIsDestination);
    ExpectSourceRefused("D:\\", kIsDestination);
    Register("D:\\Backup2");
    Register("D:\\backup");
}

TEST_F(MrqViewRegisterTest, TypedDestinationWithTrailingBackslashStillRefusesTheFolder) {
    // Typed by the user: the box's change rule takes the text as it is.
    TypeDestination("D:\\Backup\\");
    EXPECT_EQ(CString("D:\\Backup\\"), Doc()->m_strDestination);
    ExpectSourceRefused("D:\\Backup", kIsDestination);
}

TEST_F(MrqViewRegisterTest, EmptyDestinationBoxRefusesNothing) {
    Register("D:\\");
}

TEST_F(MrqViewRegisterTest, DestinationIsWrittenToBoxDocumentLogAndFreeSpace) {
    ASSERT_EQ(1, View()->GetDestinationPage().SetDestination("F:\\バックアップ\\表"));
    EXPECT_TRUE(s_boxes.empty());
    EXPECT_EQ(CString("F:\\バックアップ\\表"), ControlText(IDC_DESTINATION));
    EXPECT_EQ(CString("F:\\バックアップ\\表"), Doc()->m_strDestination);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(CString("F:\\バックアップ\\表 をバックアップ先に書き込みました。"), LastLogLine());
    EXPECT_EQ(0, ControlText(IDC_FREE_SPACE).Find("空き容量 : "));

    // A second destination replaces the first.
    ASSERT_EQ(1, View()->GetDestinationPage().SetDestination("E:\\"));
    EXPECT_EQ(CString("E:\\"), Doc()->m_strDestination);
}

TEST_F(MrqViewRegisterTest, DestinationMustStayApartFromTheSources) {
    Register("E:\\Data");
    Register("E:\\Flat");
    SetNoSubfolders("E:\\Flat");
    ExpectDestinationRefused("E:\\Data");
    ExpectDestinationRefused("E:\\");
    ExpectDestinationRefused("E:\\Data\\Backup");
    // Inside a source that leaves its subfolders out: accepted.
    EXPECT_EQ(1, View()->GetDestinationPage().SetDestination("E:\\Flat\\Backup"));
    EXPECT_TRUE(s_boxes.empty());
}

TEST_F(MrqViewRegisterTest, OnlyAModifiedBoxCopiesItsTextIntoTheDocument) {
    Doc()->m_strDestination = "kept";
    // Set by program, not typed: the box is not marked modified.
    ::SetWindowTextA(Control(IDC_DESTINATION), "D:\\other");
    EXPECT_EQ(CString("kept"), Doc()->m_strDestination);
    EXPECT_FALSE(Doc()->IsModified());

    // Typing goes in as it is, without any test against the sources.
    Register("E:\\Data");
    Doc()->SetModifiedFlag(false);
    TypeDestination("E:\\Data");
    EXPECT_EQ(CString("E:\\Data"), Doc()->m_strDestination);
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(MrqViewRegisterTest, LongestPathGoesThroughTheDestinationBoxWhole) {
    CString strPath = "D:\\";
    for (int i = 0; i < 128; i++)
        strPath += "表"; // 3 + 256 = 259 bytes, the most a path holds
    ASSERT_EQ(1, View()->GetDestinationPage().SetDestination(strPath));
    EXPECT_EQ(strPath, Doc()->m_strDestination);
    ExpectSourceRefused(strPath, kIsDestination);
}

} // namespace
