// A restore as a user does it, from outside the program: a set backed up
// through Start, a source file deleted and another changed, the mirror's
// file and folder picked in the synchronised-folder tree and listed with
// "登録", then "開始" on the restore page: the files are back with their
// bytes and times, what was not listed is left alone, and the result window
// says how many files came back.
#include "ProgramTest.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "RemoteControls.h"
#include "resource.h"

namespace {

const char* const BACKUP_RESULT_TITLE = "バックアップ";
const char* const RESTORE_RESULT_TITLE = "復元の終了";
const int PAGE_RESTORE = 2;

class RestoreCommand : public ProgramTest {
protected:
    static bool ShowPage(HWND hMain, int nPage) {
        HWND hTab = FindDescendant(hMain, IDC_TAB);
        if (!hTab)
            return false;
        // The tab control reports the change to the view itself.
        ::SendMessageA(hTab, TCM_SETCURFOCUS, nPage, 0);
        return WaitUntil([&] { return ::SendMessageA(hTab, TCM_GETCURSEL, 0, 0) == nPage; });
    }
    static void Click(HWND hMain, int nID) {
        ::PostMessageA(FindDescendant(hMain, nID), BM_CLICK, 0, 0);
    }
    // Waits for the dialog, keeps the texts of its controls, presses OK and
    // waits until it has gone.
    static std::vector<std::string> AnswerDialog(const CRunningProgram& program,
                                                 const char* pszCaption,
                                                 const std::vector<int>& ids) {
        std::vector<std::string> texts;
        HWND hDialog = program.WaitForDialog(pszCaption);
        if (!hDialog)
            return texts;
        for (int nID : ids)
            texts.push_back(CRunningProgram::ItemText(hDialog, nID));
        PressButton(hDialog, IDOK);
        WaitUntil([&] { return !::IsWindow(hDialog); });
        return texts;
    }
    static FILETIME WriteTime(const std::string& strPath) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ::GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    }
    static bool SameTime(const FILETIME& a, const FILETIME& b) {
        return ::CompareFileTime(&a, &b) == 0;
    }
};

TEST_F(RestoreCommand, ListedMirrorItemsComeBackWithTheirBytesAndTimesThroughTheWindow) {
    MarkInstalled();
    StoreStartButtons(0, 0);
    // 表 and ソ end in the backslash's byte, 能 and 十 too.
    std::string strGone = m_scratch.WriteFile("src表\\表.txt", "first 表").str();
    std::string strChanged = m_scratch.WriteFile("src表\\ソ\\能.txt", "second ソ").str();
    std::string strUnlisted = m_scratch.WriteFile("src表\\十.txt", "third").str();
    ASSERT_TRUE(SetWriteTime(strGone.c_str(), 2001, 2, 3, 4, 5, 6));
    ASSERT_TRUE(SetWriteTime(strChanged.c_str(), 2002, 3, 4, 5, 6, 7));
    FILETIME ftGone = WriteTime(strGone);
    FILETIME ftChanged = WriteTime(strChanged);
    std::string strDestination = m_scratch.MakeFolder("bk").str();
    std::string strFile = WriteSet("set.mrd", strDestination, {ScratchPath("src表")});

    CRunningProgram program(Quoted(strFile));
    HWND hMain = program.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    Click(hMain, IDC_START);
    std::vector<std::string> backup = AnswerDialog(program, BACKUP_RESULT_TITLE, {IDC_TOTAL});
    ASSERT_EQ(std::vector<std::string>{"3"}, backup);
    std::string strMirror = strDestination + "\\src表";
    ASSERT_EQ("first 表", ReadWholeFile((strMirror + "\\表.txt").c_str()));

    ASSERT_TRUE(::DeleteFileA(strGone.c_str()));
    ASSERT_TRUE(WriteWholeFile(strChanged.c_str(), "changed"));
    ASSERT_TRUE(WriteWholeFile(strUnlisted.c_str(), "changed too"));

    // The mirror's file and folder, picked in the tree and registered.
    ASSERT_TRUE(ShowPage(hMain, PAGE_RESTORE));
    HWND hTree = FindDescendant(hMain, IDC_SYNC_TREE);
    HWND hList = FindDescendant(hMain, IDC_RESTORE_LIST);
    ASSERT_TRUE(hTree && hList);
    ASSERT_NE(nullptr, SelectTreePath(hTree, {"同期フォルダ", "src表", "表.txt"}));
    Click(hMain, IDC_REGISTER);
    ASSERT_TRUE(WaitUntil([&] { return ListItemCount(hList) == 1; }));
    ASSERT_NE(nullptr, SelectTreePath(hTree, {"同期フォルダ", "src表", "ソ"}));
    Click(hMain, IDC_REGISTER);
    ASSERT_TRUE(WaitUntil([&] { return ListItemCount(hList) == 2; }));
    EXPECT_EQ(strMirror + "\\ソ", ListItemText(hList, 0, 0)); // folders first
    EXPECT_EQ(strMirror + "\\表.txt", ListItemText(hList, 1, 0));

    Click(hMain, IDC_START);
    std::vector<std::string> result =
        AnswerDialog(program, RESTORE_RESULT_TITLE, {IDC_RESTORED, IDC_RESULT_TEXT});
    ASSERT_EQ(2u, result.size()) << "no restore result window";
    EXPECT_EQ("2", result[0]);
    EXPECT_EQ("復元処理が終了しました。", result[1]);

    EXPECT_EQ("first 表", ReadWholeFile(strGone.c_str()));
    EXPECT_TRUE(SameTime(ftGone, WriteTime(strGone)));
    EXPECT_EQ("second ソ", ReadWholeFile(strChanged.c_str()));
    EXPECT_TRUE(SameTime(ftChanged, WriteTime(strChanged)));
    EXPECT_EQ("changed too", ReadWholeFile(strUnlisted.c_str())) << "an unlisted file came back";
    EXPECT_EQ(2, ListItemCount(hList)) << "the list is kept for another run";
    EXPECT_TRUE(program.CloseAndWait());
}

} // namespace
