// The settings page: check boxes from and to the profile, and the list of
// extensions never copied, stored back in its sorted order without stale
// values.
#include "ViewHarness.h"

#include "Settings.h"

namespace {

class MrqViewSettingsTest : public CMrqViewTest {
protected:
    int Check(int nID) const {
        return static_cast<int>(::SendMessageA(Control(nID), BM_GETCHECK, 0, 0));
    }
    bool Enabled(int nID) const { return ::IsWindowEnabled(Control(nID)) != 0; }
    std::vector<std::string> NoCopyItems() const {
        std::vector<std::string> items;
        CString strItem;
        for (int i = 0; i < NoCopyList().GetCount(); i++) {
            NoCopyList().GetText(i, strItem);
            items.push_back(strItem.str());
        }
        return items;
    }
    // The stored list as "Count" and the values FileType0 ... FileType9.
    std::vector<std::string> StoredNoCopy() const {
        std::vector<std::string> values;
        auto pProfile = Profile();
        values.push_back(std::to_string(pProfile->GetProfileInt("FileType\\NonCopy", "Count", -1)));
        for (int i = 0; i < 10; i++) {
            CString strEntry;
            strEntry.Format("FileType%d", i);
            CString strValue = pProfile->GetProfileString("FileType\\NonCopy", strEntry, "<none>");
            if (strValue != "<none>")
                values.push_back(strEntry.str() + "=" + strValue.str());
        }
        return values;
    }
    // The entry dialog answers with the text and the button.
    void AddThroughDialog(const char* pszText, int nButton = IDOK) {
        AfxSetModalDialogHandler([=](CDialog& dlg) {
            ::SetDlgItemTextA(dlg.GetSafeHwnd(), IDC_EXTENSION, pszText);
            return nButton;
        });
        Click(IDC_NOCOPY_ADD);
        AfxSetModalDialogHandler(nullptr);
    }
    void StartWithDefaults() {
        WriteNoCopyDefaults(*Profile());
        Start();
    }
};

TEST_F(MrqViewSettingsTest, NewInstallationStartsWithTheDefaults) {
    StartWithDefaults();
    EXPECT_EQ((std::vector<std::string>{"bak", "swp", "tmp"}), NoCopyItems());
    EXPECT_EQ(BST_CHECKED, Check(IDC_START_BACKUP));
    EXPECT_EQ(BST_UNCHECKED, Check(IDC_START_BACKUP_EXIT));
    EXPECT_TRUE(Enabled(IDC_START_BACKUP_EXIT));
    EXPECT_EQ(BST_UNCHECKED, Check(IDC_LOG_VIEW));
    EXPECT_EQ(BST_UNCHECKED, Check(IDC_EXTENDED));
    EXPECT_FALSE(View()->GetSettingsPage().IsExtendedEnabled());
    // The run log is on for the user who never opens this page.
    EXPECT_EQ(BST_CHECKED, Check(IDC_LOG_FILE));
    EXPECT_TRUE(View()->GetSettingsPage().KeepsRunLog());
    EXPECT_FALSE(Enabled(IDC_EXTENDED_TAB));
    EXPECT_FALSE(Enabled(IDC_CHECK_SPACE));
    // Gone files are deleted as they always were; the guard is on.
    EXPECT_EQ(BST_UNCHECKED, Check(IDC_KEEP_DELETED));
    EXPECT_EQ(BST_CHECKED, Check(IDC_REMOVAL_GUARD));
    EXPECT_FALSE(View()->GetSettingsPage().KeepsDeletedFiles());
    EXPECT_TRUE(View()->GetSettingsPage().GuardsRemovals());
}

TEST_F(MrqViewSettingsTest, StoredCheckBoxesComeBackAndExitBoxFollowsTheBackupBox) {
    auto pProfile = Profile();
    pProfile->WriteProfileInt("Settings\\Button", "StartBackup", 0);
    pProfile->WriteProfileInt("Settings\\Button", "StartBackupExit", 1);
    pProfile->WriteProfileInt("Settings\\Button", "LogView", 1);
    pProfile->WriteProfileInt("Settings\\Button", "exp", 1);
    pProfile->WriteProfileInt("Settings\\Button", "KeepDeleted", 1);
    pProfile->WriteProfileInt("Settings\\Button", "RemovalGuard", 0);
    Start();
    EXPECT_TRUE(View()->GetSettingsPage().KeepsDeletedFiles());
    EXPECT_FALSE(View()->GetSettingsPage().GuardsRemovals());
    EXPECT_EQ(BST_UNCHECKED, Check(IDC_START_BACKUP));
    EXPECT_EQ(BST_CHECKED, Check(IDC_START_BACKUP_EXIT));
    EXPECT_FALSE(Enabled(IDC_START_BACKUP_EXIT)); // disabled, still checked
    EXPECT_EQ(BST_CHECKED, Check(IDC_LOG_VIEW));
    EXPECT_TRUE(View()->GetSettingsPage().IsExtendedEnabled());

    Click(IDC_START_BACKUP);
    EXPECT_TRUE(Enabled(IDC_START_BACKUP_EXIT));
    EXPECT_EQ(BST_CHECKED, Check(IDC_START_BACKUP_EXIT));
    Click(IDC_START_BACKUP);
    Click(IDC_EXTENDED);
    EXPECT_FALSE(View()->GetSettingsPage().IsExtendedEnabled());
    Click(IDC_KEEP_DELETED);
    Click(IDC_REMOVAL_GUARD);
    Close();

    // The exit box's state is stored although it was disabled.
    pProfile = Profile();
    EXPECT_EQ(0, pProfile->GetProfileInt("Settings\\Button", "StartBackup", -1));
    EXPECT_EQ(1, pProfile->GetProfileInt("Settings\\Button", "StartBackupExit", -1));
    EXPECT_EQ(1, pProfile->GetProfileInt("Settings\\Button", "LogView", -1));
    EXPECT_EQ(0, pProfile->GetProfileInt("Settings\\Button", "exp", -1));
    EXPECT_EQ(0, pProfile->GetProfileInt("Settings\\Button", "KeepDeleted", -1));
    EXPECT_EQ(1, pProfile->GetProfileInt("Settings\\Button", "RemovalGuard", -1));
}

TEST_F(MrqViewSettingsTest, TreeWidthAndColumnWidthsAreStoredAtClose) {
    Profile()->WriteProfileInt("Settings\\Window", "tcx", 180);
    Start();
    SourceList().SetColumnWidth(1, 123);
    RestoreList().SetColumnWidth(2, 77);
    Close();
    auto pProfile = Profile();
    EXPECT_EQ(180, pProfile->GetProfileInt("Settings\\Window", "tcx", -1));
    EXPECT_EQ(150, pProfile->GetProfileInt("Settings\\Window", "lc10", -1));
    EXPECT_EQ(123, pProfile->GetProfileInt("Settings\\Window", "lc11", -1));
    EXPECT_EQ(50, pProfile->GetProfileInt("Settings\\Window", "lc13", -1));
    EXPECT_EQ(150, pProfile->GetProfileInt("Settings\\Window", "lc20", -1));
    EXPECT_EQ(77, pProfile->GetProfileInt("Settings\\Window", "lc22", -1));
    EXPECT_EQ(-1, pProfile->GetProfileInt("Settings\\Window", "lc14", -1));
}

TEST_F(MrqViewSettingsTest, AStartThatCannotOpenItsDataFileLeavesTheStoredSettingsAlone) {
    WriteNoCopyDefaults(*Profile());
    Profile()->WriteProfileInt("Settings\\Button", "StartBackup", 1);
    Profile()->WriteProfileInt("Settings\\Window", "lc11", 123);
    std::vector<std::string> noCopy = StoredNoCopy();
    {
        // The view is made and destroyed without ever showing a document.
        CViewTestApp app(m_strCompany);
        app.SetStartupState(::GetModuleHandleA(nullptr), "C:\\無い\\表.mrq", SW_HIDE);
        EXPECT_FALSE(app.InitInstance());
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    EXPECT_EQ(noCopy, StoredNoCopy());
    EXPECT_EQ(1, Profile()->GetProfileInt("Settings\\Button", "StartBackup", -1));
    EXPECT_EQ(123, Profile()->GetProfileInt("Settings\\Window", "lc11", -1));
}

TEST_F(MrqViewSettingsTest, RemovingAnExtensionDropsTheStaleValueAtClose) {
    StartWithDefaults();
    NoCopyList().SetCurSel(1); // swp
    Click(IDC_NOCOPY_REMOVE);
    EXPECT_EQ((std::vector<std::string>{"bak", "tmp"}), NoCopyItems());
    Close();
    EXPECT_EQ((std::vector<std::string>{"2", "FileType0=bak", "FileType1=tmp"}), StoredNoCopy());
}

TEST_F(MrqViewSettingsTest, RemoveWithoutSelectionDoesNothing) {
    StartWithDefaults();
    NoCopyList().SetCurSel(-1);
    Click(IDC_NOCOPY_REMOVE);
    EXPECT_EQ(3u, NoCopyItems().size());
}

TEST_F(MrqViewSettingsTest, AddedExtensionIsSortedInAndStoredInListOrder) {
    StartWithDefaults();
    AddThroughDialog("log");
    EXPECT_EQ((std::vector<std::string>{"bak", "log", "swp", "tmp"}), NoCopyItems());
    Close();
    EXPECT_EQ((std::vector<std::string>{"4", "FileType0=bak", "FileType1=log", "FileType2=swp",
                                        "FileType3=tmp"}),
              StoredNoCopy());
}

TEST_F(MrqViewSettingsTest, DuplicatesEmptyTextAndCancelAddNothingButCaseCounts) {
    StartWithDefaults();
    AddThroughDialog("bak");
    AddThroughDialog("");
    AddThroughDialog("zip", IDCANCEL);
    EXPECT_EQ(3u, NoCopyItems().size());
    AddThroughDialog("BAK");
    AddThroughDialog("表");
    std::vector<std::string> items = NoCopyItems();
    EXPECT_EQ(5u, items.size());
    EXPECT_EQ(1, std::count(items.begin(), items.end(), "BAK"));
    EXPECT_EQ(1, std::count(items.begin(), items.end(), "表"));
}

TEST_F(MrqViewSettingsTest, StoredCountBeyondTheValuesGivesEmptyItems) {
    auto pProfile = Profile();
    pProfile->WriteProfileInt("FileType\\NonCopy", "Count", 3);
    pProfile->WriteProfileString("FileType\\NonCopy", "FileType0", "ソ");
    Start();
    EXPECT_EQ((std::vector<std::string>{"", "", "ソ"}), NoCopyItems());
}

TEST_F(MrqViewSettingsTest, NegativeCountGivesAnEmptyListAndStoresZero) {
    Profile()->WriteProfileInt("FileType\\NonCopy", "Count", -5);
    Start();
    EXPECT_TRUE(NoCopyItems().empty());
    Close();
    EXPECT_EQ(std::vector<std::string>{"0"}, StoredNoCopy());
}

} // namespace
