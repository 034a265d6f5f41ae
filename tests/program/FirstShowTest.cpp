// How the main window first shows: with its form on the first page;
// minimised and in the background for an unattended backup (a data file
// given while both "start backup" settings are 1), normally otherwise; not
// at all when the data file given cannot be read, which the program
// reports before it ends.
#include "ProgramTest.h"

#include <commctrl.h>

#include "RegistryTestSupport.h"
#include "resource.h"

namespace {

class FirstShow : public ProgramTest {};

TEST_F(FirstShow, TheWindowShowsTheFormOnItsFirstPage) {
    MarkInstalled();
    CRunningProgram program;
    HWND hMain = program.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    HWND hTab = FindDescendant(hMain, IDC_TAB);
    ASSERT_NE(nullptr, hTab);
    EXPECT_TRUE(::IsWindowVisible(hTab)) << "the main form stays hidden";
    EXPECT_EQ(4, ::SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(0, ::SendMessageA(hTab, TCM_GETCURSEL, 0, 0));
    for (int nID : {IDC_FILE_NAME, IDC_FOLDER_TREE, IDC_SOURCE_LIST, IDC_REGISTER, IDC_START}) {
        HWND hControl = FindDescendant(hMain, nID);
        EXPECT_TRUE(hControl && ::IsWindowVisible(hControl)) << "control " << nID;
    }
    for (int nID : {IDC_DESTINATION, IDC_RESTORE_LIST, IDC_NOCOPY_LIST}) {
        HWND hControl = FindDescendant(hMain, nID);
        EXPECT_TRUE(hControl && !::IsWindowVisible(hControl)) << "control " << nID;
    }
    EXPECT_TRUE(program.CloseAndWait());
}

TEST_F(FirstShow, UnattendedStartWithADataFileStaysMinimisedInTheBackground) {
    MarkInstalled();
    StoreStartButtons(1, 1);
    // The set has no source: its backup stops at once with a message, and
    // the program ends once the message is gone.
    std::string strFile = CopyDataFile("no_sources.mrd", "unattended.mrd");
    CRunningProgram program(Quoted(strFile));
    bool bShownNormal = false;
    auto watch = [&] {
        HWND hMain = program.MainWindow();
        bShownNormal =
            bShownNormal || (hMain && (!::IsIconic(hMain) || hMain == ::GetForegroundWindow()));
    };
    HWND hBox = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        watch();
        hBox = program.Dialog("mrq Error");
        return hBox != nullptr;
    }));
    EXPECT_EQ("バックアップ元のフォルダが指定されていません。", MessageBoxText(hBox));
    ASSERT_TRUE(PressButton(hBox, IDOK));
    EXPECT_TRUE(WaitUntil([&] {
        watch();
        return !program.IsRunning();
    }));
    EXPECT_FALSE(bShownNormal);
}

TEST_F(FirstShow, ShowsNormallyUnlessBothSettingsAndADataFileAskForMinimised) {
    struct CCase {
        int nStartBackup; // -1: not stored
        int nStartBackupExit;
        bool bDataFile;
    };
    const CCase kCases[] = {
        {1, 1, false}, {1, 0, true}, {0, 1, true}, {2, 1, true}, {-1, -1, true},
    };
    std::string strFile = CopyDataFile("no_sources.mrd", "set.mrd");
    for (const CCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.nStartBackup << "/" << c.nStartBackupExit
                                        << (c.bDataFile ? " with data file" : " without"));
        RegDeleteTreeA(HKEY_CURRENT_USER, COMPANY_KEY);
        MarkInstalled();
        if (c.nStartBackup >= 0)
            StoreStartButtons(c.nStartBackup, c.nStartBackupExit);
        CRunningProgram program(c.bDataFile ? Quoted(strFile) : "");
        // A data file opened while the view's setting is on (stored as 1
        // or not stored) is backed up at once, and this set has no source.
        if (c.bDataFile && (c.nStartBackup == 1 || c.nStartBackup == -1)) {
            HWND hBox = program.WaitForDialog("mrq Error");
            ASSERT_NE(nullptr, hBox);
            ASSERT_TRUE(PressButton(hBox, IDOK));
        }
        HWND hMain = program.WaitForMainWindow();
        ASSERT_NE(nullptr, hMain);
        EXPECT_FALSE(::IsIconic(hMain));
        EXPECT_TRUE(::IsWindowVisible(hMain));
        EXPECT_TRUE(program.CloseAndWait());
    }
}

TEST_F(FirstShow, AnUnreadableDataFileIsReportedAndNoWindowShows) {
    MarkInstalled();
    m_scratch.MakeFolder("folder.mrd");
    for (const std::string& strPath : {ScratchPath("missing.mrd"), ScratchPath("folder.mrd"),
                                       std::string("G:\\gone\\set.mrd")}) {
        SCOPED_TRACE(strPath);
        CRunningProgram program(Quoted(strPath));
        HWND hBox = program.WaitForDialog(PROGRAM_TITLE);
        ASSERT_NE(nullptr, hBox);
        std::string strText = MessageBoxText(hBox);
        EXPECT_EQ(0u, strText.find("ファイル " + strPath + " を開けませんでした。\n")) << strText;
        EXPECT_EQ(nullptr, program.MainWindow());
        ASSERT_TRUE(PressButton(hBox, IDOK));
        EXPECT_TRUE(EndsWithoutMainWindow(program));
    }
}

} // namespace
