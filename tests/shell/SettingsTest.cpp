// The program's values in the profile: every default when nothing is
// stored (and that reading them stores nothing), the two readings of
// StartBackup, and the never-copied list written back without stale
// entries. A test-only company key stands in for the program's own.
#include <gtest/gtest.h>

#include "RegistryTestSupport.h"
#include "Settings.h"

namespace {

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        m_strCompany = UniqueCompany("settings");
        m_profile.SetRegistryKey(m_strCompany);
    }
    void TearDown() override { DeleteCompany(m_strCompany); }

    CString Key(const char* pszSection) const {
        return CString("Software\\") + m_strCompany + "\\mrq BackupTool\\" + pszSection;
    }

    // The list as one comma-separated text, for readable comparisons.
    static std::string Joined(const CStringList& list) {
        std::string str;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            str += list.GetNext(pos).str();
            if (pos != nullptr)
                str += ",";
        }
        return str;
    }

    std::string LoadedNoCopyList() const {
        CStringList list;
        LoadNoCopyList(m_profile, list);
        return Joined(list);
    }

    void SaveList(std::initializer_list<const char*> items) {
        CStringList list;
        for (const char* psz : items)
            list.AddTail(psz);
        SaveNoCopyList(m_profile, list);
    }

    CString m_strCompany;
    CProfile m_profile{"mrq BackupTool"};
};

TEST_F(SettingsTest, EveryReaderGetsItsDefaultAndNothingIsStored) {
    RECT rc = LoadFramePlacement(m_profile);
    EXPECT_EQ(80, rc.left);
    EXPECT_EQ(80, rc.top);
    EXPECT_EQ(550, rc.right - rc.left);
    EXPECT_EQ(360, rc.bottom - rc.top);
    EXPECT_EQ(150, LoadTreeWidth(m_profile));

    const int sourceWidths[] = {150, 100, 50, 50};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(sourceWidths[i], LoadColumnWidth(m_profile, SOURCE_LIST, i)) << i;
    const int restoreWidths[] = {150, 70, 85};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(restoreWidths[i], LoadColumnWidth(m_profile, RESTORE_LIST, i)) << i;
    EXPECT_EQ(0, LoadColumnWidth(m_profile, RESTORE_LIST, 3));

    CButtonSettings buttons;
    buttons.Load(m_profile);
    EXPECT_EQ(1, buttons.m_nStartBackup);
    EXPECT_EQ(0, buttons.m_nStartBackupExit);
    EXPECT_EQ(0, buttons.m_nLogView);
    EXPECT_EQ(0, buttons.m_nExtended);
    EXPECT_FALSE(IsUnattendedBackup(m_profile));
    EXPECT_EQ("", LoadedNoCopyList());

    EXPECT_EQ(0, CountValues(HKEY_CURRENT_USER, Key("Settings\\Window")));
    EXPECT_EQ(0, CountValues(HKEY_CURRENT_USER, Key("Settings\\Button")));
    EXPECT_EQ(0, CountValues(HKEY_CURRENT_USER, Key("FileType\\NonCopy")));
}

TEST_F(SettingsTest, StoredValuesComeBackUnchanged) {
    RECT rcNormal = {-20, 5, 700, 505};
    SaveFramePlacement(m_profile, rcNormal);
    SaveTreeWidth(m_profile, 0);
    SaveColumnWidth(m_profile, SOURCE_LIST, 3, 77);
    SaveColumnWidth(m_profile, RESTORE_LIST, 3, 99); // no such column: not stored

    RECT rc = LoadFramePlacement(m_profile);
    EXPECT_EQ(-20, rc.left);
    EXPECT_EQ(5, rc.top);
    EXPECT_EQ(700, rc.right);
    EXPECT_EQ(505, rc.bottom);
    EXPECT_EQ(720, m_profile.GetProfileInt("Settings\\Window", "cx", 0));
    EXPECT_EQ(0, LoadTreeWidth(m_profile));
    EXPECT_EQ(77, m_profile.GetProfileInt("Settings\\Window", "lc13", 0));
    EXPECT_EQ(6, CountValues(HKEY_CURRENT_USER, Key("Settings\\Window")));

    CButtonSettings buttons;
    buttons.m_nStartBackup = 0;
    buttons.m_nLogView = 1;
    buttons.Save(m_profile);
    CButtonSettings read;
    read.Load(m_profile);
    EXPECT_EQ(0, read.m_nStartBackup);
    EXPECT_EQ(1, read.m_nLogView);
    EXPECT_EQ(1, m_profile.GetProfileInt("Settings\\Button", "LogView", 0));
}

TEST_F(SettingsTest, AnUnattendedBackupNeedsBothValuesStoredAsOne) {
    // The main view shows a missing StartBackup as checked; start-up does
    // not count it.
    m_profile.WriteProfileInt("Settings\\Button", "StartBackupExit", 1);
    EXPECT_FALSE(IsUnattendedBackup(m_profile));
    m_profile.WriteProfileInt("Settings\\Button", "StartBackup", 2);
    EXPECT_FALSE(IsUnattendedBackup(m_profile));
    m_profile.WriteProfileInt("Settings\\Button", "StartBackup", 1);
    EXPECT_TRUE(IsUnattendedBackup(m_profile));
    m_profile.WriteProfileString("Settings\\Button", "StartBackupExit", nullptr);
    EXPECT_FALSE(IsUnattendedBackup(m_profile));
}

TEST_F(SettingsTest, AShorterListLeavesNoStaleEntries) {
    SaveList({"a", "b", "c", "d", "e"});
    EXPECT_EQ(6, CountValues(HKEY_CURRENT_USER, Key("FileType\\NonCopy")));

    SaveList({"bak", "表"});
    EXPECT_EQ(2, m_profile.GetProfileInt("FileType\\NonCopy", "Count", 0));
    EXPECT_EQ(3, CountValues(HKEY_CURRENT_USER, Key("FileType\\NonCopy")));
    for (const char* pszStale : {"FileType2", "FileType3", "FileType4"})
        EXPECT_EQ("<missing>", ReadText(HKEY_CURRENT_USER, Key("FileType\\NonCopy"), pszStale));
    EXPECT_EQ("表", ReadText(HKEY_CURRENT_USER, Key("FileType\\NonCopy"), "FileType1"));
    EXPECT_EQ("bak,表", LoadedNoCopyList());

    SaveList({});
    EXPECT_EQ(0, m_profile.GetProfileInt("FileType\\NonCopy", "Count", -1));
    EXPECT_EQ(1, CountValues(HKEY_CURRENT_USER, Key("FileType\\NonCopy")));
}

TEST_F(SettingsTest, TheStoredCountDecidesHowManyEntriesAreRead) {
    WriteNoCopyDefaults(m_profile);
    EXPECT_EQ("bak,swp,tmp", LoadedNoCopyList());
    // More counted than stored: the missing ones read as empty items.
    m_profile.WriteProfileInt("FileType\\NonCopy", "Count", 5);
    EXPECT_EQ("bak,swp,tmp,,", LoadedNoCopyList());
    m_profile.WriteProfileInt("FileType\\NonCopy", "Count", -1);
    EXPECT_EQ("", LoadedNoCopyList());
    // Over a negative count no stored entry counts as stale.
    SaveList({"x"});
    EXPECT_EQ("swp", ReadText(HKEY_CURRENT_USER, Key("FileType\\NonCopy"), "FileType1"));
}

} // namespace
