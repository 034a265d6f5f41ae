// The Start command on the main view: what it refuses before anything is
// written, the data file it saves, the run in the progress dialog, and how
// the run's end reaches the user: result dialog, message box, log.
#include "ViewHarness.h"

#include <string>

#include "BackupSource.h"
#include "FakeNetwork.h"
#include "LogBuffer.h"
#include "ScratchTree.h"
#include "TreeHelpers.h"

namespace {

const char kFinished[] = "バックアップが終了しました。";

struct CResultShown {
    bool bShown = false;
    CString strTotal, strNew, strUpdated, strDeleted, strMessage;
};

class MrqViewStartTest : public CMrqViewTest {
public:
    // The boxes a handler other than the harness's own was shown.
    inline static std::vector<CShownBox> s_asked;

protected:
    MrqViewStartTest() : m_tree("start") {}

    void SetUp() override {
        CMrqViewTest::SetUp();
        Start();
    }

    // Adds a source as a data file would (no registration rules).
    void AddLoadedSource(const CString& strFolder) {
        auto* pEntry = new CBackupSource(strFolder);
        Doc()->m_sources.AddTail(pEntry);
        View()->GetSourcePage().AddRow(pEntry);
    }
    // Presses Start. The progress dialog runs by itself unless
    // bAbort; the result dialog is read and confirmed.
    void PressStart(bool bAbort = false) {
        m_result = CResultShown();
        m_bWasIconic = false;
        AfxSetModalDialogHandler([this, bAbort](CDialog& dlg) {
            if (dlg.GetTemplateID() == IDD_BACKUP_RESULT) {
                m_result.bShown = true;
                m_result.strTotal = dlg.GetDlgItemText(IDC_TOTAL);
                m_result.strNew = dlg.GetDlgItemText(IDC_NEW);
                m_result.strUpdated = dlg.GetDlgItemText(IDC_UPDATED);
                m_result.strDeleted = dlg.GetDlgItemText(IDC_DELETED);
                m_result.strMessage = dlg.GetDlgItemText(IDC_RESULT_TEXT);
                return IDOK;
            }
            m_bWasIconic = ::IsIconic(m_pApp->m_pMainWnd->GetSafeHwnd()) != 0;
            if (bAbort)
                ::SendMessageA(dlg.GetDlgItem(IDC_ABORT), BM_CLICK, 0, 0);
            return 0;
        });
        Click(IDC_START);
        AfxSetModalDialogHandler(nullptr);
    }
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        std::string strText = LogBuffer().m_strText.str();
        size_t nStart = 0;
        for (size_t nEnd; (nEnd = strText.find('\n', nStart)) != std::string::npos;
             nStart = nEnd + 1)
            lines.push_back(strText.substr(nStart, nEnd - nStart));
        return lines;
    }
    // Expects exactly one "mrq Error" box with the text, and nothing
    // written: no time stamp, no data file, no log line.
    void ExpectRefused(const std::string& strText) {
        ASSERT_EQ(1u, s_boxes.size()) << strText;
        EXPECT_EQ(strText, s_boxes[0].strText.str());
        EXPECT_EQ(CString("mrq Error"), s_boxes[0].strCaption);
        EXPECT_EQ(UINT{MB_OK | MB_ICONHAND}, s_boxes[0].nType);
        EXPECT_EQ("", Doc()->m_strLastBackup);
        EXPECT_EQ("", Doc()->GetPathName());
        EXPECT_EQ(m_nLogLines, LogBuffer().m_nLines);
        EXPECT_FALSE(m_result.bShown);
        s_boxes.clear();
    }

    CScratchTree m_tree;
    CResultShown m_result;
    bool m_bWasIconic = false;
    int m_nLogLines = 0;
};

TEST_F(MrqViewStartTest, RefusesASetWithoutSourcesDestinationOrThatBacksUpIntoItself) {
    m_nLogLines = LogBuffer().m_nLines;
    PressStart();
    ExpectRefused("バックアップ元のフォルダが指定されていません。");

    CString strSource = m_tree.MakeFolder("src表");
    AddLoadedSource(strSource);
    for (const char* pszDestination : {"", "D", "D:\\no such folder"}) {
        TypeDestination(pszDestination);
        m_nLogLines = LogBuffer().m_nLines;
        PressStart();
        ExpectRefused("バックアップ先のフォルダが指定されていません。");
    }

    // Destinations the registration rules never see: typed, or from a
    // data file; the same folder in other letters or by a detour counts
    // too.
    CString strLower = strSource;
    strLower.MakeLower();
    const CString kDestinations[] = {
        m_tree.MakeFolder("src表\\bk"), // inside the source
        m_tree.Root(),                  // around it
        strLower,                       // the source itself
        strSource + "\\sub\\..\\bk",    // inside, by a detour
    };
    for (const CString& strDestination : kDestinations) {
        SCOPED_TRACE(strDestination.str());
        TypeDestination(strDestination);
        m_nLogLines = LogBuffer().m_nLines;
        PressStart();
        ExpectRefused("バックアップ先のフォルダがバックアップ元のフォルダ " + strSource.str() +
                      " と重なっていますのでバックアップできません。");
        EXPECT_FALSE(PathExists(strSource + "\\bk\\src表"));
    }
}

TEST_F(MrqViewStartTest, CleanRunSavesTheSetReportsCountsAndLogsEachSkippedFile) {
    m_tree.WriteFile("src表\\a.txt", "a");
    m_tree.WriteFile("src表\\sub\\b.txt", "b");
    CString strLocked = m_tree.WriteFile("src表\\locked.txt", "l");
    CString strSource = m_tree.Path("src表");
    CString strDestination = m_tree.MakeFolder("bk");
    AddLoadedSource(strSource);
    TypeDestination(strDestination);

    // A file another program holds open cannot be copied: one warning.
    HANDLE hLocked = ::CreateFileA(strLocked, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLocked);
    int nFirstLine = LogBuffer().m_nLines;
    PressStart();
    ::CloseHandle(hLocked);

    EXPECT_TRUE(s_boxes.empty());
    ASSERT_TRUE(m_result.bShown);
    EXPECT_EQ("3", m_result.strTotal);
    EXPECT_EQ("2", m_result.strNew);
    EXPECT_EQ("0", m_result.strUpdated);
    EXPECT_EQ("0", m_result.strDeleted);
    EXPECT_EQ(CString(kFinished) + "\nバックアップできなかったファイル等 : 1 件" +
                  "\n詳しくはログビューをご覧ください。",
              m_result.strMessage);
    EXPECT_TRUE(m_bWasIconic) << "the main window steps aside during the run";
    EXPECT_FALSE(::IsIconic(m_pApp->m_pMainWnd->GetSafeHwnd()));

    // The set, never saved, went to the destination before the run.
    CString strDataFile = strDestination + "\\Backup.mrd";
    EXPECT_EQ(strDataFile, Doc()->GetPathName());
    EXPECT_TRUE(PathExists(strDataFile));
    EXPECT_NE(std::string::npos, ReadWholeFile(strDataFile).find(Doc()->m_strLastBackup.str()));
    EXPECT_EQ(2, CountFiles(strDestination + "\\src表"));
    // The restore page's tree shows the new mirror at once.
    CSyncTree& sync = View()->GetRestorePage().GetSyncTree();
    EXPECT_EQ((std::vector<std::string>{"src表"}), ChildTexts(sync, sync.GetRootItem()));

    std::vector<std::string> lines = LogLines();
    lines.erase(lines.begin(), lines.begin() + nFirstLine);
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ("バックアップ開始(" + Doc()->m_strLastBackup.str() + ")", lines[0]);
    EXPECT_EQ("新規データファイル(" + strDataFile.str() + ")", lines[1]);
    EXPECT_EQ("データファイル " + strDataFile.str() + " を読み込みました。", lines[2]);
    EXPECT_EQ("総ファイル数 : 3    更新ファイル数 : 0", lines[3]);
    EXPECT_EQ("新規ファイル数 : 2    削除ファイル数 : 0", lines[4]);
    EXPECT_EQ("Warning : " + strLocked.str() + " 排他的処理中の為コピーできません。", lines[5]);

    // The next run: nothing skipped, so the text is the finished text alone.
    m_tree.WriteFile("src表\\a.txt", "changed");
    SetWriteTime(m_tree.Path("src表\\a.txt"), 2030, 1, 1, 0, 0, 0);
    ::DeleteFileA(m_tree.Path("src表\\sub\\b.txt"));
    PressStart();
    ASSERT_TRUE(m_result.bShown);
    EXPECT_EQ(CString(kFinished), m_result.strMessage);
    EXPECT_EQ("1", m_result.strNew);
    EXPECT_EQ("1", m_result.strUpdated);
    EXPECT_EQ("1", m_result.strDeleted);
    EXPECT_EQ(strDataFile, Doc()->GetPathName());
}

TEST_F(MrqViewStartTest, SharesOfTheSetAreConnectedFirstAndARefusedPasswordStopsTheStart) {
    CFakeNetwork network;
    network.m_passwords["\\\\SERVER\\経理"] = "開けゴマ";
    AddLoadedSource("\\\\SERVER\\表\\資料");
    AddLoadedSource("\\\\SERVER\\経理\\十");
    TypeDestination(m_tree.MakeFolder("bk"));
    std::string strPassword = "開けろ";
    AfxSetModalDialogHandler([&](CDialog& dlg) {
        if (dlg.GetTemplateID() != IDD_PASSWORD)
            return 0; // the progress dialog runs by itself
        dlg.SetDlgItemText(IDC_PASSWORD, strPassword.c_str());
        return IDOK;
    });
    // Without the extended features no share is touched.
    m_nLogLines = LogBuffer().m_nLines;
    Click(IDC_START);
    EXPECT_TRUE(network.m_calls.empty());
    ASSERT_FALSE(s_boxes.empty());
    EXPECT_EQ("バックアップ元のフォルダが見つかりません。", s_boxes.back().strText.str());
    s_boxes.clear();
    Doc()->m_strLastBackup.Empty();
    Doc()->SetPathName("");

    Click(IDC_EXTENDED); // the tree lists the network now
    network.m_calls.clear();
    m_nLogLines = LogBuffer().m_nLines;
    Click(IDC_START);
    EXPECT_EQ((std::vector<std::string>{"add \\\\SERVER\\表 none", "add \\\\SERVER\\経理 none",
                                        "add \\\\SERVER\\経理 bad"}),
              network.m_calls);
    ExpectRefused("ネットワークへのアクセスができません。");

    // The right password lets the run go on.
    network.m_calls.clear();
    strPassword = "開けゴマ";
    Click(IDC_START);
    AfxSetModalDialogHandler(nullptr);
    ASSERT_FALSE(network.m_calls.empty());
    EXPECT_EQ("add \\\\SERVER\\経理 ***", network.m_calls.back());
    EXPECT_NE("", Doc()->m_strLastBackup);
}

TEST_F(MrqViewStartTest, ASaveThatFailsIsReportedAndTheRunStillGoesToTheRightMirror) {
    m_tree.WriteFile("src表\\a.txt", "a");
    CString strDestination = m_tree.MakeFolder("bk");
    // A folder where the data file would go: the save cannot write it.
    m_tree.MakeFolder("bk\\Backup.mrd");
    AddLoadedSource(m_tree.Path("src表"));
    TypeDestination(strDestination);
    PressStart();
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_NE(-1, s_boxes[0].strText.Find("Backup.mrd")) << s_boxes[0].strText.str();
    ASSERT_TRUE(m_result.bShown);
    EXPECT_EQ("1", m_result.strNew);
    EXPECT_EQ(1, CountFiles(strDestination + "\\src表"));
}

TEST_F(MrqViewStartTest, RunThatEndsWithAStatusShowsItsMessageAndNoCounts) {
    CString strDestination = m_tree.MakeFolder("bk");
    for (int i = 0; i < 300; i++) {
        char szName[32];
        std::snprintf(szName, sizeof szName, "src\\f%03d.txt", i);
        m_tree.WriteFile(szName, std::string(100, 'x'));
    }
    AddLoadedSource(m_tree.Path("src"));
    TypeDestination(strDestination);
    struct CCase {
        bool bAbort;
        const char* pszMessage;
    };
    for (const CCase& c : {CCase{true, "バックアップを中断しました。"},
                           CCase{false, "バックアップ元のフォルダが見つかりません。"}}) {
        if (!c.bAbort)
            RemoveTree(m_tree.Path("src"));
        PressStart(c.bAbort);
        // The abort reached the worker: the survey stopped and nothing of
        // the 300 files was copied (the button alone sets the status).
        EXPECT_EQ(0, CountFiles(strDestination + "\\src"));
        EXPECT_FALSE(m_result.bShown);
        ASSERT_EQ(1u, s_boxes.size());
        EXPECT_EQ(CString(c.pszMessage), s_boxes[0].strText);
        EXPECT_EQ(CString("mrq Error"), s_boxes[0].strCaption);
        EXPECT_EQ(UINT{MB_OK | MB_ICONHAND}, s_boxes[0].nType);
        s_boxes.clear();
        EXPECT_EQ(c.pszMessage, LogLines().back());
        EXPECT_EQ(std::string::npos, LogBuffer().m_strText.str().find("総ファイル数", 0))
            << "no counts after a failed run";
    }
}

TEST_F(MrqViewStartTest, AProgressWindowThatCannotOpenIsReportedAsAFailedRun) {
    m_tree.WriteFile("src\\a.txt", "a");
    CString strDestination = m_tree.MakeFolder("bk");
    AddLoadedSource(m_tree.Path("src"));
    TypeDestination(strDestination);
    {
        CRefusedWindows refused;
        ASSERT_TRUE(refused.IsSet());
        PressStart();
    }
    // The worker never ran: no result window, no counts, an error box.
    EXPECT_FALSE(m_result.bShown);
    EXPECT_FALSE(PathExists(strDestination + "\\src\\a.txt"));
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(0, s_boxes[0].strText.Find(" Error Code (")) << s_boxes[0].strText.str();
    EXPECT_EQ(CString("mrq Error"), s_boxes[0].strCaption);
    EXPECT_EQ(s_boxes[0].strText.str(), LogLines().back());
    EXPECT_EQ(std::string::npos, LogBuffer().m_strText.str().find("総ファイル数"));
}

int AnswerYes(HWND, const char* pszText, const char* pszCaption, UINT nType) {
    MrqViewStartTest::s_asked.push_back({pszText, pszCaption, nType});
    return IDYES;
}

// An emptied source: the run asks through a message box naming the folder
// and both counts; "no" (what any other answer counts as) keeps its mirror
// and the run says so; with "ソースから削除されたファイルも履歴に残す"
// checked, "yes" moves the gone files into the first generation.
TEST_F(MrqViewStartTest, AnEmptiedSourceIsAskedAboutAndTheSettingsReachTheRun) {
    const int kFiles = 150;
    for (int i = 0; i < kFiles; ++i)
        m_tree.WriteFile(("写真表\\f" + std::to_string(i) + ".txt").c_str(), "x");
    CString strSource = m_tree.Path("写真表");
    CString strDestination = m_tree.MakeFolder("bk");
    AddLoadedSource(strSource);
    TypeDestination(strDestination);
    PressStart();
    ASSERT_TRUE(s_boxes.empty());
    const int kGone = 120;
    for (int i = 0; i < kGone; ++i)
        ::DeleteFileA(m_tree.Path(("写真表\\f" + std::to_string(i) + ".txt").c_str()));
    m_tree.WriteFile("写真表\\new.txt", "new");

    int nFirstLine = LogBuffer().m_nLines;
    PressStart();
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(CString("mrq Warning"), s_boxes[0].strCaption);
    EXPECT_EQ(UINT{MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2}, s_boxes[0].nType);
    const CString& strAsked = s_boxes[0].strText;
    EXPECT_NE(-1, strAsked.Find("\n" + strSource + "\n"));
    EXPECT_NE(-1, strAsked.Find("バックアップ先の 150 個のファイルのうち 120 個が削除されます。"));
    ASSERT_TRUE(m_result.bShown);
    EXPECT_EQ("0", m_result.strDeleted);
    EXPECT_EQ(CString("削除を見送ったフォルダがあります。\n詳しくはログビューをご覧ください。"),
              m_result.strMessage);
    EXPECT_EQ(kFiles + 1, CountFiles(strDestination + "\\写真表"));
    std::vector<std::string> lines = LogLines();
    EXPECT_EQ("Warning : " + strSource.str() +
                  " のミラーの 150 個のファイルのうち 120 個を削除することになるため、"
                  "削除を行いませんでした。",
              lines.back());
    EXPECT_LT(static_cast<size_t>(nFirstLine), lines.size());

    Click(IDC_KEEP_DELETED);
    s_asked.clear();
    AfxSetMessageBoxHandler(&AnswerYes);
    PressStart();
    EXPECT_EQ(1u, s_asked.size());
    EXPECT_EQ("120", m_result.strDeleted);
    EXPECT_EQ(CString(kFinished), m_result.strMessage);
    EXPECT_EQ(kFiles - kGone + 1, CountFiles(strDestination + "\\写真表"));
    EXPECT_EQ(kGone, CountFiles(strDestination + "\\mrq HistoryFolder\\bk1\\写真表"));
}

} // namespace
