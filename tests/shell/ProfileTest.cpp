// The profile over the registry: what a read leaves behind, the value types
// another program sees, deletion, double-byte names whose trail byte is a
// backslash, and the recent-file list's storage. Each test keeps its values
// under a company key of its own.
#include <gtest/gtest.h>

#include "Profile.h"
#include "RecentFileList.h"
#include "RegistryTestSupport.h"

namespace {

class ProfileTest : public testing::Test {
protected:
    void SetUp() override {
        m_strCompany = UniqueCompany("profile");
        m_profile.SetRegistryKey(m_strCompany);
    }
    void TearDown() override { DeleteCompany(m_strCompany); }

    // HKCU-relative path of the root or of one section.
    CString Key(const char* pszSection = nullptr) const {
        CString str = CString("Software\\") + m_strCompany + "\\App";
        return pszSection ? str + "\\" + pszSection : str;
    }

    CString m_strCompany;
    CProfile m_profile{"App"};
};

TEST_F(ProfileTest, MissingValuesYieldTheCallersDefault) {
    EXPECT_EQ(7, m_profile.GetProfileInt("Sec", "n", 7));
    EXPECT_EQ(-1, m_profile.GetProfileInt("Sec", "n", -1));
    EXPECT_EQ("dflt", m_profile.GetProfileString("Sec", "s", "dflt"));
    EXPECT_EQ("", m_profile.GetProfileString("Sec", "s"));

    // A value of the other type is not the value asked for.
    ASSERT_TRUE(m_profile.WriteProfileString("Sec", "n", "12"));
    ASSERT_TRUE(m_profile.WriteProfileInt("Sec", "s", 12));
    EXPECT_EQ(7, m_profile.GetProfileInt("Sec", "n", 7));
    EXPECT_EQ("dflt", m_profile.GetProfileString("Sec", "s", "dflt"));
}

TEST_F(ProfileTest, WithoutARootNothingIsReadOrWritten) {
    CProfile profile("App");
    EXPECT_FALSE(profile.HasRegistryKey());
    EXPECT_FALSE(profile.WriteProfileInt("Sec", "n", 1));
    EXPECT_FALSE(profile.WriteProfileString("Sec", "s", "x"));
    EXPECT_EQ(3, profile.GetProfileInt("Sec", "n", 3));
    EXPECT_EQ("d", profile.GetProfileString("Sec", "s", "d"));

    CProfile nameless("");
    nameless.SetRegistryKey(m_strCompany);
    EXPECT_FALSE(nameless.WriteProfileInt("Sec", "n", 1));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, CString("Software\\") + m_strCompany));
}

TEST_F(ProfileTest, NumbersAreDwordsAndTextIsZeroTerminatedSz) {
    ASSERT_TRUE(m_profile.WriteProfileInt("Sec", "n", -5));
    ASSERT_TRUE(m_profile.WriteProfileString("Sec", "s", "abc"));
    ASSERT_TRUE(m_profile.WriteProfileString("Sec", "empty", ""));

    std::string data;
    DWORD dwType = 0;
    ASSERT_TRUE(ReadRawValue(HKEY_CURRENT_USER, Key("Sec"), "n", data, dwType));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), dwType);
    EXPECT_EQ(std::string("\xFB\xFF\xFF\xFF", 4), data);
    ASSERT_TRUE(ReadRawValue(HKEY_CURRENT_USER, Key("Sec"), "s", data, dwType));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), dwType);
    EXPECT_EQ(std::string("abc", 4), data);

    EXPECT_EQ(-5, m_profile.GetProfileInt("Sec", "n", 0));
    EXPECT_EQ("abc", m_profile.GetProfileString("Sec", "s", "d"));
    // An empty text is a stored value, not a missing one.
    EXPECT_EQ("", m_profile.GetProfileString("Sec", "empty", "d"));
}

TEST_F(ProfileTest, AReadCreatesTheKeysButWritesNoValue) {
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, Key()));
    EXPECT_EQ(150, m_profile.GetProfileInt("Settings\\Window", "tcx", 150));
    EXPECT_EQ("", m_profile.GetProfileString("Recent File List", "File1", ""));

    // Nested sections are nested keys, each created empty.
    EXPECT_EQ(0, CountValues(HKEY_CURRENT_USER, Key()));
    EXPECT_EQ(2, CountSubkeys(HKEY_CURRENT_USER, Key()));
    EXPECT_EQ(0, CountValues(HKEY_CURRENT_USER, Key("Settings")));
    EXPECT_EQ(1, CountSubkeys(HKEY_CURRENT_USER, Key("Settings")));
    EXPECT_EQ(0, CountValues(HKEY_CURRENT_USER, Key("Settings\\Window")));
    EXPECT_EQ(0, CountValues(HKEY_CURRENT_USER, Key("Recent File List")));
}

TEST_F(ProfileTest, ANullTextDeletesTheEntryOnly) {
    ASSERT_TRUE(m_profile.WriteProfileString("Sec", "a", "1"));
    ASSERT_TRUE(m_profile.WriteProfileString("Sec", "b", "2"));
    EXPECT_TRUE(m_profile.WriteProfileString("Sec", "a", nullptr));
    EXPECT_EQ("gone", m_profile.GetProfileString("Sec", "a", "gone"));
    EXPECT_EQ("2", m_profile.GetProfileString("Sec", "b", ""));
    EXPECT_EQ(1, CountValues(HKEY_CURRENT_USER, Key("Sec")));
    // Nothing left to delete.
    EXPECT_FALSE(m_profile.WriteProfileString("Sec", "a", nullptr));
    // A number can be deleted the same way.
    ASSERT_TRUE(m_profile.WriteProfileInt("Sec", "n", 4));
    EXPECT_TRUE(m_profile.WriteProfileString("Sec", "n", nullptr));
    EXPECT_EQ(9, m_profile.GetProfileInt("Sec", "n", 9));
}

TEST_F(ProfileTest, TrailByteBackslashesStayInsideTheirCharacters) {
    // 表 ソ 能 十 all end in 0x5C: none of them may split a key name.
    CProfile profile("表ソ");
    CString strCompany = UniqueCompany("能");
    profile.SetRegistryKey(strCompany);
    ASSERT_TRUE(profile.WriteProfileString("能\\十", "表示", "D:\\ソフト\\表.mrd"));
    ASSERT_TRUE(profile.WriteProfileInt("能\\十", "十", 10));

    CString strRoot = CString("Software\\") + strCompany + "\\表ソ";
    EXPECT_EQ(1, CountSubkeys(HKEY_CURRENT_USER, strRoot));
    EXPECT_EQ(1, CountSubkeys(HKEY_CURRENT_USER, strRoot + "\\能"));
    EXPECT_EQ("D:\\ソフト\\表.mrd", ReadText(HKEY_CURRENT_USER, strRoot + "\\能\\十", "表示"));
    EXPECT_EQ("D:\\ソフト\\表.mrd", profile.GetProfileString("能\\十", "表示", ""));
    EXPECT_EQ(10, profile.GetProfileInt("能\\十", "十", 0));
    DeleteCompany(strCompany);
}

TEST_F(ProfileTest, LongTextRoundTrips) {
    CString strLong('x', 5000);
    strLong += "表";
    ASSERT_TRUE(m_profile.WriteProfileString("Sec", "long", strLong));
    EXPECT_EQ(strLong, m_profile.GetProfileString("Sec", "long", ""));
}

// The recent-file list in memory: newest first, no doubles, four at most.
TEST(RecentFileList, KeepsTheNewestFirstWithoutDoubles) {
    CRecentFileList list("Recent File List", "File%d", 4);
    list.Add("D:\\a.mrd");
    list.Add("D:\\b.mrd");
    list.Add("");
    list.Add(nullptr);
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ("D:\\b.mrd", list.GetAt(0));

    list.Add("d:\\A.MRD"); // the same file moves up, spelled as given now
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ("d:\\A.MRD", list.GetAt(0));

    list.Add("D:\\c.mrd");
    list.Add("D:\\表.mrd");
    list.Add("D:\\e.mrd");
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ("D:\\e.mrd", list.GetAt(0));
    EXPECT_EQ("d:\\A.MRD", list.GetAt(3)); // the oldest, b, fell off
    EXPECT_EQ("", list.GetAt(4));
    EXPECT_EQ("", list.GetAt(-1));

    list.Remove(1);
    EXPECT_EQ("D:\\c.mrd", list.GetAt(1));
    list.Remove(7);
    EXPECT_EQ(3, list.GetCount());
}

TEST_F(ProfileTest, RecentFilesAreStoredNewestFirstAndStaleEntriesGo) {
    CRecentFileList list("Recent File List", "File%d", 4);
    list.Add("D:\\1.mrd");
    list.Add("D:\\ソ\\2.mrd");
    list.Add("D:\\3.mrd");
    list.Add("D:\\4.mrd");
    list.WriteList(m_profile);
    EXPECT_EQ("D:\\4.mrd", ReadText(HKEY_CURRENT_USER, Key("Recent File List"), "File1"));
    EXPECT_EQ("D:\\1.mrd", ReadText(HKEY_CURRENT_USER, Key("Recent File List"), "File4"));

    CRecentFileList read("Recent File List", "File%d", 4);
    read.ReadList(m_profile);
    ASSERT_EQ(4, read.GetCount());
    EXPECT_EQ("D:\\ソ\\2.mrd", read.GetAt(2));

    read.Remove(0);
    read.Remove(0);
    read.WriteList(m_profile);
    EXPECT_EQ(2, CountValues(HKEY_CURRENT_USER, Key("Recent File List")));
    EXPECT_EQ("<missing>", ReadText(HKEY_CURRENT_USER, Key("Recent File List"), "File3"));

    // A gap in the stored entries closes up on reading.
    m_profile.WriteProfileString("Recent File List", "File1", nullptr);
    read.ReadList(m_profile);
    ASSERT_EQ(1, read.GetCount());
    EXPECT_EQ("D:\\1.mrd", read.GetAt(0));
}

} // namespace
