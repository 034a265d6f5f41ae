// The Start command as a user meets it, from outside the program: an
// unattended run of a data file (minimised, no focus, the result shown for
// five seconds, then the end) and the record it leaves in the destination,
// one whose source was emptied (nothing asked, the mirror left whole),
// errors that still end such a run, a second
// start during a run, and a run that keeps the main window from acting on
// the set until it is over (a close waits, a log-off stops the worker).
#include "ProgramTest.h"

#include <string>
#include <vector>

#include "resource.h"

namespace {

const char* const PROGRESS_TITLE = "バックアップ中";
const char* const RESULT_TITLE = "バックアップ";
const char* const ERROR_TITLE = "mrq Error";
// Files of a set whose run lasts long enough to be watched.
const int LONG_RUN_FILES = 2000;
const int FILE_SIZE = 1000;

class StartCommand : public ProgramTest {
protected:
    // A source folder of nFiles files of FILE_SIZE bytes.
    std::string MakeSource(const char* pszName, int nFiles) const {
        for (int i = 0; i < nFiles; i++) {
            char szFile[MAX_PATH];
            std::snprintf(szFile, sizeof szFile, "%s\\f%05d.txt", pszName, i);
            m_scratch.WriteFile(szFile, std::string(FILE_SIZE, 'x'));
        }
        return ScratchPath(pszName);
    }
    // Every visible window of every program with that caption.
    static int CountWindows(const char* pszTitle) {
        int nCount = 0;
        for (HWND hWnd : VisibleTopWindows(0))
            if (WindowText(hWnd) == pszTitle && WindowClass(hWnd) == DIALOG_CLASS)
                ++nCount;
        return nCount;
    }
    // Files of the mirror that hold all FILE_SIZE bytes, and all files.
    static void CountMirror(const std::string& strMirror, int& nWhole, int& nAll) {
        nWhole = nAll = 0;
        WIN32_FIND_DATAA data;
        HANDLE hFind = ::FindFirstFileA((strMirror + "\\*.txt").c_str(), &data);
        if (hFind == INVALID_HANDLE_VALUE)
            return;
        do {
            ++nAll;
            if (data.nFileSizeLow == FILE_SIZE)
                ++nWhole;
        } while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
    }
};

TEST_F(StartCommand, UnattendedRunIsMinimisedShowsItsResultForFiveSecondsAndEnds) {
    MarkInstalled();
    StoreStartButtons(1, 1);
    std::string strSource = MakeSource("src表", 3);
    m_scratch.WriteFile("src表\\sub\\b.txt", "b");
    std::string strDestination = m_scratch.MakeFolder("bk").str();
    std::string strFile = WriteSet("set.mrd", strDestination, {strSource});

    CRunningProgram program(Quoted(strFile));
    bool bMainShownNormal = false;
    bool bMainForeground = false;
    auto watchMain = [&] {
        for (HWND hWnd : VisibleTopWindows(program.ProcessId())) {
            if (WindowText(hWnd) != PROGRAM_TITLE || WindowClass(hWnd) == DIALOG_CLASS)
                continue;
            bMainShownNormal = bMainShownNormal || !::IsIconic(hWnd);
            bMainForeground = bMainForeground || ::GetForegroundWindow() == hWnd;
        }
    };
    HWND hResult = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        watchMain();
        hResult = program.Dialog(RESULT_TITLE);
        return hResult != nullptr || !program.IsRunning();
    }));
    ASSERT_NE(nullptr, hResult);
    DWORD dwShown = ::GetTickCount();
    EXPECT_EQ("4", CRunningProgram::ItemText(hResult, IDC_TOTAL));
    EXPECT_EQ("4", CRunningProgram::ItemText(hResult, IDC_NEW));
    EXPECT_EQ("0", CRunningProgram::ItemText(hResult, IDC_UPDATED));
    EXPECT_EQ("0", CRunningProgram::ItemText(hResult, IDC_DELETED));
    EXPECT_EQ("バックアップが終了しました。", CRunningProgram::ItemText(hResult, IDC_RESULT_TEXT));

    // Nobody presses OK: the dialog goes by itself, and so does the program.
    ASSERT_TRUE(WaitUntil([&] {
        watchMain();
        return !::IsWindow(hResult);
    }));
    EXPECT_GE(::GetTickCount() - dwShown, 4000u);
    ASSERT_TRUE(WaitUntil([&] {
        watchMain();
        return !program.IsRunning();
    }));
    EXPECT_EQ(0u, program.ExitCode());
    EXPECT_FALSE(bMainShownNormal);
    EXPECT_FALSE(bMainForeground);
    EXPECT_EQ(4, CountFiles((strDestination + "\\src表").c_str()));
}

TEST_F(StartCommand, UnattendedRunOfAnEmptiedSourceAsksNothingAndLeavesItsMirrorWhole) {
    MarkInstalled();
    StoreStartButtons(1, 1);
    const int kFiles = 200;
    std::string strSource = MakeSource("写真表", kFiles);
    std::string strDestination = m_scratch.MakeFolder("bk").str();
    std::string strFile = WriteSet("set.mrd", strDestination, {strSource});
    std::string strMirror = strDestination + "\\写真表";
    {
        CRunningProgram first(Quoted(strFile));
        ASSERT_TRUE(first.WaitForExit(3 * WINDOW_WAIT_MS));
    }
    int nWhole = 0, nAll = 0;
    CountMirror(strMirror, nWhole, nAll);
    ASSERT_EQ(kFiles, nWhole);

    // The folder is still there, emptied: a drive formatted again, say.
    for (int i = 0; i < kFiles; i++) {
        char szFile[MAX_PATH];
        std::snprintf(szFile, sizeof szFile, "%s\\f%05d.txt", strSource.c_str(), i);
        ASSERT_TRUE(::DeleteFileA(szFile));
    }
    CRunningProgram program(Quoted(strFile));
    bool bAsked = false;
    HWND hResult = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        bAsked = bAsked || program.Dialog("mrq Warning") != nullptr;
        hResult = program.Dialog(RESULT_TITLE);
        return hResult != nullptr || !program.IsRunning();
    }));
    ASSERT_NE(nullptr, hResult);
    EXPECT_EQ("0", CRunningProgram::ItemText(hResult, IDC_DELETED));
    EXPECT_EQ("削除を見送ったフォルダがあります。\n詳しくはログビューをご覧ください。",
              CRunningProgram::ItemText(hResult, IDC_RESULT_TEXT));
    ASSERT_TRUE(program.WaitForExit(3 * WINDOW_WAIT_MS));
    EXPECT_FALSE(bAsked) << "nobody may be there to answer";
    EXPECT_EQ(0u, program.ExitCode());
    CountMirror(strMirror, nWhole, nAll);
    EXPECT_EQ(kFiles, nWhole);
    EXPECT_EQ(kFiles, nAll);
}

TEST_F(StartCommand, UnattendedRunLeavesItsRecordInTheDestinationsLog) {
    MarkInstalled();
    StoreStartButtons(1, 1);
    std::string strSource = MakeSource("src表", 2);
    m_scratch.WriteFile("src表\\ソ\\能.txt", "b");
    std::string strDestination = m_scratch.MakeFolder("bk十").str();
    std::string strFile = WriteSet("纊.mrd", strDestination, {strSource});

    CRunningProgram program(Quoted(strFile));
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(0u, program.ExitCode());
    // The program is gone; the month's file holds the one record.
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA((strDestination + "\\mrq Log\\*.txt").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind) << "no record";
    EXPECT_FALSE(::FindNextFileA(hFind, &data)) << "one month only";
    ::FindClose(hFind);
    std::string strRecord =
        ReadWholeFile((strDestination + "\\mrq Log\\" + data.cFileName).c_str());
    EXPECT_EQ(0u, strRecord.find("==== バックアップ  ")) << strRecord;
    for (const std::string& strLine :
         {"データファイル : " + strFile, "バックアップ先 : " + strDestination,
          std::string("結果 : 0 バックアップが終了しました。"),
          std::string("総ファイル数 : 3    更新ファイル数 : 0\r\n新規ファイル数 : 3    "
                      "削除ファイル数 : 0")})
        EXPECT_NE(std::string::npos, strRecord.find("\r\n" + strLine + "\r\n")) << strLine;
}

TEST_F(StartCommand, UnattendedRunThatCannotStartOrFailsStillEndsOnceItsMessageIsGone) {
    MarkInstalled();
    StoreStartButtons(1, 1);
    std::string strDestination = m_scratch.MakeFolder("bk").str();
    struct CCase {
        std::string strFile;
        const char* pszMessage;
    };
    const CCase kCases[] = {
        {WriteSet("nodest.mrd", "", {MakeSource("src", 1)}),
         "バックアップ先のフォルダが指定されていません。"},
        {WriteSet("gone.mrd", strDestination, {ScratchPath("gone")}),
         "バックアップ元のフォルダが見つかりません。"},
    };
    for (const CCase& c : kCases) {
        SCOPED_TRACE(c.pszMessage);
        CRunningProgram program(Quoted(c.strFile));
        HWND hBox = program.WaitForDialog(ERROR_TITLE);
        ASSERT_NE(nullptr, hBox);
        EXPECT_EQ(c.pszMessage, MessageBoxText(hBox));
        ::Sleep(500);
        EXPECT_TRUE(program.IsRunning()) << "the message waits for the user";
        ASSERT_TRUE(PressButton(hBox, IDOK));
        EXPECT_TRUE(program.WaitForExit());
    }
}

TEST_F(StartCommand, SecondUnattendedStartDuringARunStartsNoSecondBackup) {
    MarkInstalled();
    StoreStartButtons(1, 1);
    std::string strSource = MakeSource("src", LONG_RUN_FILES);
    std::string strDestination = m_scratch.MakeFolder("bk").str();
    std::string strFile = WriteSet("set.mrd", strDestination, {strSource});

    CRunningProgram first(Quoted(strFile));
    ASSERT_NE(nullptr, first.WaitForDialog(PROGRESS_TITLE));
    CRunningProgram second(Quoted(strFile));
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(0u, second.ExitCode());
    // The first run goes on undisturbed; there never were two.
    EXPECT_NE(nullptr, first.Dialog(PROGRESS_TITLE)) << "the run ended before the second start";
    EXPECT_EQ(1, CountWindows(PROGRESS_TITLE));

    // The run is ended by its abort button, and the program with it.
    ASSERT_TRUE(PressButton(first.Dialog(PROGRESS_TITLE), IDC_ABORT));
    HWND hBox = first.WaitForDialog(ERROR_TITLE);
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ("バックアップを中断しました。", MessageBoxText(hBox));
    ASSERT_TRUE(PressButton(hBox, IDOK));
    EXPECT_TRUE(first.WaitForExit());
}

TEST_F(StartCommand, DuringARunTheMainWindowTakesNoCommandAndACloseWaitsForTheEnd) {
    MarkInstalled();
    StoreStartButtons(0, 0);
    std::string strSource = MakeSource("src", LONG_RUN_FILES);
    std::string strOther = m_scratch.MakeFolder("other").str();
    std::string strDestination = m_scratch.MakeFolder("bk").str();
    std::string strFile = WriteSet("set.mrd", strDestination, {strSource, strOther});
    std::string strSaved = ReadWholeFile(strFile.c_str());

    CRunningProgram program(Quoted(strFile));
    HWND hMain = program.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    HWND hStart = FindDescendant(hMain, IDC_START);
    ASSERT_NE(nullptr, hStart);
    ::PostMessageA(hStart, BM_CLICK, 0, 0);
    HWND hProgress = program.WaitForDialog(PROGRESS_TITLE);
    ASSERT_NE(nullptr, hProgress);

    EXPECT_FALSE(::IsWindowEnabled(hMain)) << "the main window takes clicks during the run";
    // What another program could still send: the list's commands, a new
    // set, a second Start, and a close.
    for (UINT nID : {ID_SOURCE_DELETE, ID_LIST_INIT, ID_FILE_NEW})
        ::PostMessageA(hMain, WM_COMMAND, nID, 0);
    ::PostMessageA(hStart, BM_CLICK, 0, 0);
    ::PostMessageA(hMain, WM_CLOSE, 0, 0);
    ::Sleep(500);
    EXPECT_TRUE(::IsWindow(hMain));
    EXPECT_EQ(1, CountWindows(PROGRESS_TITLE));

    // The run ends (here by its abort button); then the close goes ahead.
    ASSERT_TRUE(PressButton(hProgress, IDC_ABORT));
    HWND hBox = program.WaitForDialog(ERROR_TITLE);
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ("バックアップを中断しました。", MessageBoxText(hBox));
    ASSERT_TRUE(PressButton(hBox, IDOK));
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_EQ(nullptr, FindTopWindow(0, PROGRESS_TITLE, true)) << "a second run started";
    // Both sources are still in the set the program saved before the run.
    std::string strNow = ReadWholeFile(strFile.c_str());
    EXPECT_NE(std::string::npos, strNow.find(strSource + "\t->"));
    EXPECT_NE(std::string::npos, strNow.find(strOther + "\t->"));
}

TEST_F(StartCommand, LogOffDuringARunStopsTheWorkerBeforeTheSessionEnds) {
    MarkInstalled();
    StoreStartButtons(1, 1);
    std::string strSource = MakeSource("src", LONG_RUN_FILES);
    std::string strDestination = m_scratch.MakeFolder("bk").str();
    std::string strFile = WriteSet("set.mrd", strDestination, {strSource});
    std::string strMirror = strDestination + "\\src";

    CRunningProgram program(Quoted(strFile));
    HWND hProgress = program.WaitForDialog(PROGRESS_TITLE);
    ASSERT_NE(nullptr, hProgress);
    int nWhole = 0, nAll = 0;
    ASSERT_TRUE(WaitUntil([&] {
        CountMirror(strMirror, nWhole, nAll);
        return nAll > 0;
    })) << "nothing was copied";

    // As the system ends a session: every top-level window is asked, then
    // told; once they have answered, the process is ended.
    DWORD_PTR nAnswer = 0;
    for (HWND hWnd : VisibleTopWindows(program.ProcessId()))
        ::SendMessageTimeoutA(hWnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                              WINDOW_WAIT_MS, &nAnswer);
    for (HWND hWnd : VisibleTopWindows(program.ProcessId()))
        ::SendMessageTimeoutA(hWnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                              WINDOW_WAIT_MS, &nAnswer);
    // Nothing is copied any more once the windows have answered, and every
    // file of the mirror is whole; the system may now end the process.
    EXPECT_TRUE(program.IsRunning());
    CountMirror(strMirror, nWhole, nAll);
    ::Sleep(500);
    int nWholeLater = 0, nAllLater = 0;
    CountMirror(strMirror, nWholeLater, nAllLater);
    program.Kill();
    EXPECT_EQ(nAll, nAllLater) << "the worker went on copying";
    EXPECT_EQ(nAll, nWhole);
    EXPECT_LT(nAll, LONG_RUN_FILES) << "the run ended before the log-off";
}

} // namespace
