// What a normal start does before the main window: the install notice and
// a new user's defaults on the very first start only, and the association
// and uninstall entry renewed on every start, pointing at this program
// file.
#include "ProgramTest.h"
#include "RegistryTestSupport.h"

namespace {

const std::string NONCOPY_KEY = std::string(SETTINGS_KEY) + "\\FileType\\NonCopy";

class Startup : public ProgramTest {
protected:
    static std::string NoCopyValue(const char* pszName) {
        return ReadText(HKEY_CURRENT_USER, NONCOPY_KEY.c_str(), pszName);
    }
    static long long NoCopyCount() {
        return ReadNumber(HKEY_CURRENT_USER, NONCOPY_KEY.c_str(), "Count");
    }
    static std::string ShortProgramPath() {
        char szShort[MAX_PATH] = "";
        ::GetShortPathNameA(ProgramPath().c_str(), szShort, MAX_PATH);
        return szShort;
    }
    static void ExpectRegistrationOfThisProgram() {
        EXPECT_EQ("mrdfile", ReadText(HKEY_LOCAL_MACHINE, EXTENSION_KEY, nullptr));
        std::string strType = TYPE_KEY;
        EXPECT_EQ(
            ShortProgramPath() + " \"%1\"",
            ReadText(HKEY_LOCAL_MACHINE, (strType + "\\shell\\open\\command").c_str(), nullptr));
        EXPECT_EQ(ProgramPath() + ",1",
                  ReadText(HKEY_LOCAL_MACHINE, (strType + "\\DefaultIcon").c_str(), nullptr));
        EXPECT_EQ("mrq BackupToolの削除",
                  ReadText(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "DisplayName"));
        EXPECT_EQ(ProgramPath() + " /uninstall",
                  ReadText(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "UninstallString"));
    }
};

TEST_F(Startup, FirstStartShowsTheNoticeBeforeTheWindowThenWritesTheDefaults) {
    for (bool bCloseBox : {false, true}) {
        SCOPED_TRACE(bCloseBox ? "close box" : "close button");
        RegDeleteTreeA(HKEY_CURRENT_USER, COMPANY_KEY);
        CRunningProgram program;
        HWND hNotice = program.WaitForDialog("Install");
        ASSERT_NE(nullptr, hNotice);
        EXPECT_EQ("閉じる", CRunningProgram::ItemText(hNotice, IDOK));
        EXPECT_EQ(nullptr, program.MainWindow());
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SETTINGS_KEY)) << "written before the notice";

        if (bCloseBox)
            ASSERT_TRUE(::PostMessageA(hNotice, WM_CLOSE, 0, 0));
        else
            ASSERT_TRUE(PressButton(hNotice, IDOK));
        ASSERT_NE(nullptr, program.WaitForMainWindow());
        EXPECT_EQ(3, NoCopyCount());
        EXPECT_EQ("bak", NoCopyValue("FileType0"));
        EXPECT_EQ("swp", NoCopyValue("FileType1"));
        EXPECT_EQ("tmp", NoCopyValue("FileType2"));
        EXPECT_EQ("<missing>", NoCopyValue("FileType3"));
        ExpectRegistrationOfThisProgram();
        EXPECT_TRUE(program.CloseAndWait());
    }
}

TEST_F(Startup, LaterStartShowsNoNoticeAndKeepsTheUsersExtensions) {
    MarkInstalled();
    // The user's own list: the defaults gone, one extension of their own.
    SetNumber(HKEY_CURRENT_USER, NONCOPY_KEY.c_str(), "Count", 1);
    SetText(HKEY_CURRENT_USER, NONCOPY_KEY.c_str(), "FileType0", "log");

    CRunningProgram program;
    HWND hMain = program.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    EXPECT_EQ(nullptr, program.Dialog("Install"));
    EXPECT_EQ(1, NoCopyCount());
    EXPECT_EQ("log", NoCopyValue("FileType0"));
    EXPECT_EQ("<missing>", NoCopyValue("FileType1"));
    EXPECT_TRUE(program.CloseAndWait());
    EXPECT_EQ(1, NoCopyCount());
    EXPECT_EQ("<missing>", NoCopyValue("FileType1"));
}

TEST_F(Startup, EveryStartRenewsTheAssociationAndTheUninstallEntry) {
    MarkInstalled();
    // Another program took the extension; the entry points at an old copy.
    SetText(HKEY_CLASSES_ROOT, ".mrd", nullptr, "otherfile");
    SetText(HKEY_CLASSES_ROOT, "mrdfile\\shell\\open\\command", nullptr, "C:\\old\\mrq.exe \"%1\"");
    SetText(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "UninstallString",
            "C:\\old\\mrq.exe /uninstall");

    CRunningProgram program;
    ASSERT_NE(nullptr, program.WaitForMainWindow());
    ExpectRegistrationOfThisProgram();
    EXPECT_TRUE(program.CloseAndWait());
}

} // namespace
