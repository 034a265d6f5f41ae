// The uninstall command: "/uninstall", exactly, asks first and then removes
// the settings, the association and the uninstall entry; cancelled, it
// changes nothing; while the program runs it only warns. Either way the
// program ends without a main window. Any other spelling starts normally.
#include "ProgramTest.h"
#include "RegistryTestSupport.h"

namespace {

const char* const UNINSTALL_ARGUMENT = "/uninstall";
const char* const OTHER_PROGRAM_KEY = "Software\\Quenlow\\Other Tool";

class Uninstall : public ProgramTest {
protected:
    static void ExpectAllRemoved() {
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SETTINGS_KEY));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EXTENSION_KEY));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, TYPE_KEY));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY));
    }
};

TEST_F(Uninstall, ConfirmedRemovesSettingsAssociationAndUninstallEntry) {
    ASSERT_NO_FATAL_FAILURE(InstallAndClose());
    CRunningProgram program(UNINSTALL_ARGUMENT);
    HWND hDialog = program.WaitForDialog("Uninstall");
    ASSERT_NE(nullptr, hDialog);
    EXPECT_EQ("ｱﾝｲﾝｽﾄｰﾙ", CRunningProgram::ItemText(hDialog, IDOK));
    EXPECT_EQ("ｷｬﾝｾﾙ", CRunningProgram::ItemText(hDialog, IDCANCEL));
    EXPECT_EQ(nullptr, program.MainWindow());
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, SETTINGS_KEY)) << "removed before the answer";

    ASSERT_TRUE(PressButton(hDialog, IDOK));
    EXPECT_TRUE(EndsWithoutMainWindow(program));
    EXPECT_EQ(0u, program.ExitCode());
    ExpectAllRemoved();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, COMPANY_KEY)) << "the empty company key stays";
}

TEST_F(Uninstall, ConfirmedKeepsTheCompanyKeyOfAnotherProgram) {
    ASSERT_NO_FATAL_FAILURE(InstallAndClose());
    SetText(HKEY_CURRENT_USER, OTHER_PROGRAM_KEY, "v", "1");
    CRunningProgram program(UNINSTALL_ARGUMENT);
    HWND hDialog = program.WaitForDialog("Uninstall");
    ASSERT_NE(nullptr, hDialog);
    ASSERT_TRUE(PressButton(hDialog, IDOK));
    EXPECT_TRUE(EndsWithoutMainWindow(program));
    ExpectAllRemoved();
    EXPECT_EQ("1", ReadText(HKEY_CURRENT_USER, OTHER_PROGRAM_KEY, "v"));
}

TEST_F(Uninstall, CancelledByButtonOrCloseBoxChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(InstallAndClose());
    std::string strBefore = DumpProgramKeys();
    for (bool bCloseBox : {false, true}) {
        SCOPED_TRACE(bCloseBox ? "close box" : "cancel button");
        CRunningProgram program(UNINSTALL_ARGUMENT);
        HWND hDialog = program.WaitForDialog("Uninstall");
        ASSERT_NE(nullptr, hDialog);
        if (bCloseBox)
            ASSERT_TRUE(::PostMessageA(hDialog, WM_CLOSE, 0, 0));
        else
            ASSERT_TRUE(PressButton(hDialog, IDCANCEL));
        EXPECT_TRUE(EndsWithoutMainWindow(program));
        EXPECT_EQ(0u, program.ExitCode());
        EXPECT_EQ(strBefore, DumpProgramKeys());
    }
}

TEST_F(Uninstall, OnlyTheExactArgumentUninstalls) {
    ASSERT_NO_FATAL_FAILURE(InstallAndClose());
    // The framework reads the others as a switch and opens a new set.
    for (const char* pszArguments : {"/UNINSTALL", "/uninstall ", "\"/uninstall\""}) {
        SCOPED_TRACE(pszArguments);
        CRunningProgram program(pszArguments);
        HWND hMain = program.WaitForMainWindow();
        ASSERT_NE(nullptr, hMain);
        EXPECT_EQ(nullptr, program.Dialog("Uninstall"));
        EXPECT_EQ("New DataFile", FileLabel(hMain));
        ASSERT_TRUE(program.CloseAndWait());
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, SETTINGS_KEY));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, EXTENSION_KEY));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY));
    }
}

TEST_F(Uninstall, WhileTheProgramRunsOnlyWarnsAndLeavesTheWindowAlone) {
    MarkInstalled();
    StoreStartButtons(0, 0);
    std::string strFile = CopyDataFile("no_sources.mrd", "open.mrd");
    CRunningProgram running(Quoted(strFile));
    HWND hMain = running.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    ::ShowWindow(hMain, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(hMain) != 0; }));
    std::string strBefore = DumpProgramKeys();

    CRunningProgram second(UNINSTALL_ARGUMENT);
    HWND hWarning = second.WaitForDialog("Warning");
    ASSERT_NE(nullptr, hWarning);
    EXPECT_EQ("mrq BackupToolが起動していますのでアンインストールできません。",
              MessageBoxText(hWarning));
    EXPECT_NE(nullptr, ::GetDlgItem(hWarning, IDOK));
    EXPECT_EQ(nullptr, ::GetDlgItem(hWarning, IDCANCEL));
    EXPECT_TRUE(::IsIconic(hMain)) << "the running window came forward";

    ASSERT_TRUE(PressButton(hWarning, IDOK));
    EXPECT_TRUE(EndsWithoutMainWindow(second));
    EXPECT_EQ(0u, second.ExitCode());
    EXPECT_EQ(strBefore, DumpProgramKeys());
    EXPECT_TRUE(::IsIconic(hMain));
    EXPECT_TRUE(running.IsRunning());
    EXPECT_EQ(strFile, FileLabel(hMain));
    EXPECT_TRUE(running.CloseAndWait());
}

} // namespace
