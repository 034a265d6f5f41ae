// The program's own registry entries, read back from the registry as the
// shell and Add/Remove Programs would read them: the association and the
// uninstall entry written at every start, the first-start defaults, and an
// uninstall that leaves the company key only when it still holds another
// program's settings. These tests use the program's real key names; the
// whole executable runs alone.
#include <gtest/gtest.h>

#include <cstring>

#include "FileTypes.h"
#include "Installation.h"
#include "RegistryTestSupport.h"
#include "ScratchTree.h"
#include "Settings.h"
#include "SystemRegistry.h"

namespace {

const char* const TITLE = "mrq BackupTool";
const char* const SETTINGS_KEY = "Software\\Quenlow\\mrq BackupTool";
const char* const OTHER_KEY = "Software\\Quenlow\\Other Tool";
const char* const COMPANY_KEY = "Software\\Quenlow";
const char* const EXT_KEY = "Software\\Classes\\.mrd";
const char* const TYPE_KEY = "Software\\Classes\\mrdfile";
const char* const UNINSTALL_KEY =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\mrq BackupTool";

void RemoveEverything() {
    RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY);
    RegDeleteTreeA(HKEY_CURRENT_USER, OTHER_KEY);
    RegDeleteKeyA(HKEY_CURRENT_USER, COMPANY_KEY);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, EXT_KEY);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, TYPE_KEY);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
}

class InstallationTest : public testing::Test {
protected:
    void SetUp() override { RemoveEverything(); }
    void TearDown() override { RemoveEverything(); }

    // One normal start's registry steps, as start-up takes them.
    static void NormalStart(CProfile& profile) {
        OpenProfile(profile, IsFirstStart(TITLE));
        RenewShellRegistration(TITLE);
    }

    static std::string StoredList(const CProfile& profile) {
        CStringList list;
        LoadNoCopyList(profile, list);
        std::string str;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            str += list.GetNext(pos).str() + ";";
        return str;
    }
};

TEST_F(InstallationTest, TheFirstStartWritesTheDefaultsOnce) {
    EXPECT_TRUE(IsFirstStart(TITLE));
    EXPECT_TRUE(IsFirstStart(TITLE)); // asking creates nothing
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, COMPANY_KEY));

    CProfile first(TITLE);
    NormalStart(first);
    EXPECT_EQ("bak;swp;tmp;", StoredList(first));
    EXPECT_EQ(3, first.GetProfileInt("FileType\\NonCopy", "Count", 0));
    // Nothing else is written in advance.
    EXPECT_EQ(0, CountValues(HKEY_CURRENT_USER, SETTINGS_KEY));
    EXPECT_EQ(1, CountSubkeys(HKEY_CURRENT_USER, SETTINGS_KEY));
    EXPECT_FALSE(IsFirstStart(TITLE));

    CStringList mine;
    mine.AddTail("log");
    SaveNoCopyList(first, mine);

    CProfile second(TITLE);
    NormalStart(second);
    EXPECT_EQ("log;", StoredList(second));
}

TEST_F(InstallationTest, EveryStartRenewsTheAssociationAndTheUninstallEntry) {
    // Another program had taken the extension over.
    SetText(HKEY_CLASSES_ROOT, ".mrd", nullptr, "otherfile");
    CProfile profile(TITLE);
    NormalStart(profile);

    CString strProgram = GetProgramPath();
    char szShort[MAX_PATH];
    std::strcpy(szShort, strProgram);
    MakeShortPath(szShort);
    ASSERT_NE(strProgram, CString(szShort)) << "the test program's path has no short form";

    EXPECT_EQ("mrdfile", ReadText(HKEY_LOCAL_MACHINE, EXT_KEY, nullptr));
    EXPECT_EQ(std::string(szShort) + " \"%1\"",
              ReadText(HKEY_LOCAL_MACHINE, CString(TYPE_KEY) + "\\shell\\open\\command", nullptr));
    EXPECT_EQ(strProgram.str() + ",1",
              ReadText(HKEY_LOCAL_MACHINE, CString(TYPE_KEY) + "\\DefaultIcon", nullptr));
    EXPECT_EQ(0, CountValues(HKEY_LOCAL_MACHINE, TYPE_KEY));
    // The same keys seen through the classes root.
    EXPECT_EQ("mrdfile", ReadText(HKEY_CLASSES_ROOT, ".mrd", nullptr));

    EXPECT_EQ("mrq BackupToolの削除", ReadText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName"));
    EXPECT_EQ(strProgram.str() + " /uninstall",
              ReadText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UninstallString"));
    EXPECT_EQ(2, CountValues(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
}

TEST_F(InstallationTest, UninstallKeepsTheCompanyKeyOnlyForAnotherProgram) {
    for (bool bOther : {true, false}) {
        SCOPED_TRACE(bOther ? "with another program's key" : "alone");
        CProfile profile(TITLE);
        NormalStart(profile);
        if (bOther)
            SetText(HKEY_CURRENT_USER, OTHER_KEY, "v", "1");

        RemoveInstallation(TITLE);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SETTINGS_KEY));
        EXPECT_EQ(bOther, KeyExists(HKEY_CURRENT_USER, COMPANY_KEY));
        EXPECT_EQ(bOther ? "1" : "<missing>", ReadText(HKEY_CURRENT_USER, OTHER_KEY, "v"));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EXT_KEY));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, TYPE_KEY));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
        EXPECT_TRUE(IsFirstStart(TITLE));
        RemoveEverything();
    }
}

TEST_F(InstallationTest, DeletionsReportWhetherThereWasAnythingToDelete) {
    CSystemRegistry registry;
    EXPECT_FALSE(registry.DeleteSettingsTree("Quenlow", TITLE));
    EXPECT_FALSE(registry.DeleteSettingsTree("Quenlow", ""));
    EXPECT_FALSE(registry.DeleteUninstallEntry(TITLE));
    EXPECT_FALSE(registry.DeleteUninstallEntry(""));
    EXPECT_FALSE(registry.UnregisterFileType("mrd", "mrdfile"));
    EXPECT_FALSE(registry.WriteUninstallEntry("", "x", "/uninstall"));
    EXPECT_FALSE(registry.RegisterFileType("", nullptr));

    // An association that another program holds now stays its own.
    SetText(HKEY_CLASSES_ROOT, ".mrd", nullptr, "otherfile");
    SetText(HKEY_CLASSES_ROOT, "mrdfile\\DefaultIcon", nullptr, "x,1");
    EXPECT_FALSE(registry.UnregisterFileType("mrd", "mrdfile"));
    EXPECT_EQ("otherfile", ReadText(HKEY_LOCAL_MACHINE, EXT_KEY, nullptr));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, TYPE_KEY));
    // The comparison of type names is case-sensitive.
    SetText(HKEY_CLASSES_ROOT, ".mrd", nullptr, "MRDFILE");
    EXPECT_FALSE(registry.UnregisterFileType("mrd", "mrdfile"));
    EXPECT_TRUE(registry.UnregisterFileType("mrd", "MRDFILE"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EXT_KEY));
}

TEST_F(InstallationTest, TheUninstallArgumentMatchesOnlyExactly) {
    EXPECT_TRUE(IsUninstallCommand("/uninstall"));
    EXPECT_FALSE(IsUninstallCommand("/UNINSTALL"));
    EXPECT_FALSE(IsUninstallCommand("/uninstall "));
    EXPECT_FALSE(IsUninstallCommand("\"/uninstall\""));
    EXPECT_FALSE(IsUninstallCommand(""));
    EXPECT_FALSE(IsUninstallCommand(nullptr));
}

// File type names for the information dialog, on extensions of their own.
TEST(FileTypeName, FallsBackFromDisplayNameToTypeNameToExtension) {
    CString strExt;
    strExt.Format("mrqt%lu", GetCurrentProcessId());
    CString strType = strExt + "type";
    CSystemRegistry registry;
    EXPECT_EQ(strExt + " ファイル", GetFileTypeName(strExt));

    char szClass[MAX_PATH];
    std::strcpy(szClass, strExt);
    EXPECT_FALSE(GetFileTypeClass(szClass));
    EXPECT_EQ(strExt, CString(szClass));
    szClass[0] = '\0';
    EXPECT_FALSE(GetFileTypeClass(szClass));

    ASSERT_TRUE(registry.RegisterFileType(strExt, strType));
    std::strcpy(szClass, strExt);
    EXPECT_TRUE(GetFileTypeClass(szClass));
    EXPECT_EQ(strType, CString(szClass));
    EXPECT_EQ(strType, GetFileTypeName(strExt)); // the type key has no name

    SetText(HKEY_CLASSES_ROOT, strType, nullptr, "表示用データ");
    EXPECT_EQ("表示用データ", GetFileTypeName(strExt));

    EXPECT_TRUE(registry.UnregisterFileType(strExt, strType));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, CString("Software\\Classes\\") + strType));
    EXPECT_EQ(strExt + " ファイル", GetFileTypeName(strExt));
}

// The short form of a path, against the system's own answer.
TEST(MakeShortPath, ShortensEachComponentTheFileSystemKnows) {
    CScratchTree tree("shortpath");
    CString strLong = tree.WriteFile("Program Files\\Backup Tool\\tool.exe", "x");
    char sz[MAX_PATH];
    std::strcpy(sz, strLong);
    MakeShortPath(sz);
    char szSystem[MAX_PATH];
    ASSERT_NE(0u, GetShortPathNameA(strLong, szSystem, MAX_PATH));
    EXPECT_EQ(CString(szSystem), CString(sz));
    // Wine makes its short names from a hash ("PROG~FBU"), not "PROGRA~1".
    EXPECT_EQ(nullptr, std::strchr(sz, ' ')) << sz;
    EXPECT_NE(nullptr, std::strstr(sz, "~")) << sz;
    EXPECT_EQ(0, std::strcmp(sz + std::strlen(sz) - 9, "\\tool.exe")) << sz;
    EXPECT_EQ(0, std::strncmp(sz, "D:\\", 3));

    // A component whose last byte is a trail byte 0x5C is one name, not
    // two: cut there, "A表" would leave "A" plus a lone lead byte, which wine
    // drops and so finds the sibling folder A.
    tree.MakeFolder("A");
    CString strJapanese = tree.WriteFile("A表\\能.txt", "x");
    std::strcpy(sz, strJapanese);
    MakeShortPath(sz);
    ASSERT_NE(0u, GetShortPathNameA(strJapanese, szSystem, MAX_PATH));
    EXPECT_EQ(CString(szSystem), CString(sz));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(sz)) << sz;
}

} // namespace
