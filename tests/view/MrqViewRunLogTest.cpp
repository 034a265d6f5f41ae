// The run log as the main view keeps it: one record for every backup and
// restore, written before the result shows; a record that cannot be
// written leaves the run as it was and only adds a sentence to its message;
// the switch on the settings page and the button that opens the log.
#include "ViewHarness.h"

#include <string>
#include <vector>

#include "BackupSource.h"
#include "LogBuffer.h"
#include "RunLog.h"
#include "ScratchTree.h"
#include "ShellOpen.h"

namespace {

const int TAB_SOURCES = 0;
const int TAB_RESTORE = 2;
const int TAB_SETTINGS = 3;
const char kFinished[] = "バックアップが終了しました。";
const char kLogFailed[] = "ログファイルに記録できませんでした。";

class MrqViewRunLogTest : public CMrqViewTest {
protected:
    MrqViewRunLogTest() : m_tree("runlogview") {}
    void TearDown() override {
        AfxSetShellOpenHandler(nullptr);
        CMrqViewTest::TearDown();
    }

    // A set of one source and a destination, as a data file gives them.
    void MakeSet(const CString& strSource, const CString& strDestination) {
        auto* pEntry = new CBackupSource(strSource);
        Doc()->m_sources.AddTail(pEntry);
        View()->GetSourcePage().AddRow(pEntry);
        TypeDestination(strDestination);
    }
    // Presses Start on the page shown; the result window's text (of either
    // run) is read and confirmed, the progress window runs by itself.
    void PressStart() {
        m_strResult.Empty();
        AfxSetModalDialogHandler([this](CDialog& dlg) {
            if (dlg.GetTemplateID() != IDD_BACKUP_RESULT &&
                dlg.GetTemplateID() != IDD_RESTORE_RESULT)
                return 0;
            m_strResult = dlg.GetDlgItemText(IDC_RESULT_TEXT);
            return static_cast<int>(IDOK);
        });
        Click(IDC_START);
        AfxSetModalDialogHandler(nullptr);
    }
    // The log panel's last line is the text.
    bool LogEndsWith(const std::string& strLine) const {
        std::string strText = LogBuffer().m_strText.str();
        return strText.size() > strLine.size() &&
               strText.compare(strText.size() - strLine.size() - 2, std::string::npos,
                               "\n" + strLine + "\n") == 0;
    }

    CScratchTree m_tree;
    CString m_strResult;
};

TEST_F(MrqViewRunLogTest, EveryBackupAndRestoreLeavesItsRecordBesideTheBackup) {
    m_tree.WriteFile("src表\\ソ.txt", "so");
    m_tree.WriteFile("src表\\能\\十.txt", "ju");
    CString strLocked = m_tree.WriteFile("src表\\纊.txt", "locked");
    CString strDestination = m_tree.MakeFolder("bk犾");
    Start();
    MakeSet(m_tree.Path("src表"), strDestination);
    HANDLE hLocked = ::CreateFileA(strLocked, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLocked);
    PressStart();
    ::CloseHandle(hLocked);

    CString strLog = NewestRunLog(strDestination);
    EXPECT_EQ(RunLogPath(strDestination, CTime::GetCurrentTime()), strLog);
    std::string strText = ReadWholeFile(strLog);
    // The run's own time stamp starts the record; its end follows.
    std::string strHead = "==== バックアップ  " + Doc()->m_strLastBackup.str() + " - ";
    ASSERT_EQ(0u, strText.find(strHead)) << strText;
    std::string strEnd = strText.substr(strHead.size(), 19);
    EXPECT_LE(Doc()->m_strLastBackup.str(), strEnd);
    std::string strSet = "データファイル : " + strDestination.str() +
                         "\\Backup.mrd\r\nバックアップ先 : " + strDestination.str() + "\r\n";
    EXPECT_EQ(strHead + strEnd + "\r\n" + strSet + "結果 : 0 " + kFinished +
                  "\r\n総ファイル数 : 3    更新ファイル数 : 0\r\n"
                  "新規ファイル数 : 2    削除ファイル数 : 0\r\nWarning : " +
                  strLocked.str() + " 排他的処理中の為コピーできません。\r\n\r\n",
              strText);
    EXPECT_EQ(std::string::npos, m_strResult.str().find(kLogFailed));

    // A restore of a file that comes back and of one whose mirror belongs
    // to no source (never tried, so not counted): its record follows.
    ::DeleteFileA(m_tree.Path("src表\\ソ.txt"));
    CString strStray = m_tree.WriteFile("bk犾\\無(1)\\表.txt", "stray");
    SelectTab(TAB_RESTORE);
    ASSERT_EQ(1, View()->GetRestorePage().AddRestoreItem(strDestination + "\\src表\\ソ.txt"));
    ASSERT_EQ(1, View()->GetRestorePage().AddRestoreItem(strStray));
    PressStart();
    EXPECT_EQ("so", ReadWholeFile(m_tree.Path("src表\\ソ.txt")));
    std::string strRestore = ReadWholeFile(strLog).substr(strText.size());
    EXPECT_EQ(0u, strRestore.find("==== 復元  ")) << strRestore;
    EXPECT_EQ(strSet +
                  "結果 : -1 1 件を復元できませんでした。\r\n復元ファイル数 : 1\r\nWarning : " +
                  strStray.str() + " が復元されませんでした。\r\n\r\n",
              strRestore.substr(strRestore.find("\r\n") + 2));
}

TEST_F(MrqViewRunLogTest, ARecordThatCannotBeWrittenNeverFailsTheRunAndTheRunSaysSo) {
    m_tree.WriteFile("src\\表.txt", "a");
    CString strDestination = m_tree.MakeFolder("bk");
    // This month's file cannot be made: a folder holds its name.
    CString strLog = RunLogPath(strDestination, CTime::GetCurrentTime());
    ASSERT_TRUE(MakeFolders(strLog));
    Start();
    MakeSet(m_tree.Path("src"), strDestination);
    PressStart();
    EXPECT_EQ("a", ReadWholeFile(strDestination + "\\src\\表.txt"));
    EXPECT_TRUE(s_boxes.empty());
    EXPECT_EQ(CString(kFinished) + "\n" + kLogFailed, m_strResult);
    EXPECT_TRUE(LogEndsWith(kLogFailed));

    // A restore, and a run that fails of itself, say so too.
    SelectTab(TAB_RESTORE);
    ASSERT_EQ(1, View()->GetRestorePage().AddRestoreItem(strDestination + "\\src\\表.txt"));
    PressStart();
    EXPECT_EQ(CString("復元処理が終了しました。\n") + kLogFailed, m_strResult);
    EXPECT_TRUE(LogEndsWith(kLogFailed));
    RemoveTree(m_tree.Path("src"));
    SelectTab(TAB_SOURCES);
    PressStart();
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(CString("バックアップ元のフォルダが見つかりません。\n") + kLogFailed,
              s_boxes[0].strText);
    EXPECT_TRUE(LogEndsWith(kLogFailed));
}

TEST_F(MrqViewRunLogTest, WithTheSwitchOffNoRunLeavesARecordAndTheSwitchIsStored) {
    m_tree.WriteFile("src\\a.txt", "a");
    CString strDestination = m_tree.MakeFolder("bk");
    Profile()->WriteProfileInt("Settings\\Button", "LogFile", 0);
    Start();
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(Control(IDC_LOG_FILE), BM_GETCHECK, 0, 0));
    MakeSet(m_tree.Path("src"), strDestination);
    PressStart();
    SelectTab(TAB_RESTORE);
    ASSERT_EQ(1, View()->GetRestorePage().AddRestoreItem(strDestination + "\\src\\a.txt"));
    PressStart();
    EXPECT_EQ("a", ReadWholeFile(strDestination + "\\src\\a.txt"));
    EXPECT_FALSE(PathExists(strDestination + "\\mrq Log"));

    // Checked again, the next run has its record, and the box is stored.
    SelectTab(TAB_SETTINGS);
    Click(IDC_LOG_FILE);
    SelectTab(TAB_RESTORE);
    PressStart();
    EXPECT_NE("", NewestRunLog(strDestination));
    Close();
    EXPECT_EQ(1, Profile()->GetProfileInt("Settings\\Button", "LogFile", -1));
}

TEST_F(MrqViewRunLogTest, TheButtonOpensTheNewestMonthOfTheDestinationsLog) {
    static std::vector<std::string> s_opened;
    static bool s_bOpens;
    s_opened.clear();
    s_bOpens = true;
    AfxSetShellOpenHandler([](HWND, const char* pszTarget) {
        s_opened.push_back(pszTarget);
        return s_bOpens;
    });
    Start();
    SelectTab(TAB_SETTINGS);
    // No destination, then one that holds no log yet: a word, no open.
    Click(IDC_OPEN_LOG);
    TypeDestination(m_tree.MakeFolder("bk十"));
    Click(IDC_OPEN_LOG);
    ASSERT_EQ(2u, s_boxes.size());
    EXPECT_EQ(CString("バックアップ先のフォルダが指定されていません。"), s_boxes[0].strText);
    EXPECT_EQ(CString("このバックアップ先にはまだログがありません。"), s_boxes[1].strText);
    EXPECT_TRUE(s_opened.empty());
    s_boxes.clear();

    // The last month that had a run, whatever else lies in the folder.
    m_tree.WriteFile("bk十\\mrq Log\\2025-11.txt", "x");
    CString strNewest = m_tree.WriteFile("bk十\\mrq Log\\2026-02.txt", "x");
    m_tree.WriteFile("bk十\\mrq Log\\2099-1.txt", "x");
    m_tree.WriteFile("bk十\\mrq Log\\2099-12.txt.bak", "x");
    m_tree.MakeFolder("bk十\\mrq Log\\2099-12.txt");
    Click(IDC_OPEN_LOG);
    EXPECT_TRUE(s_boxes.empty());
    EXPECT_EQ((std::vector<std::string>{strNewest.str()}), s_opened);

    // Nothing to open it with: the user is told which file it was.
    s_bOpens = false;
    Click(IDC_OPEN_LOG);
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ("ログファイル " + strNewest.str() + " を開けませんでした。",
              s_boxes[0].strText.str());
}

} // namespace
