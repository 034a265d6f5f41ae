// The source properties dialog on its own: the filter controls follow their
// check box, the extension list splits and joins at commas, takes each
// extension once (letter case counts), and the history count stays within
// two digits.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "SourcePropertiesDlg.h"
#include "resource.h"

namespace {

class SourcePropertiesDlgTest : public testing::Test {
protected:
    void TearDown() override { AfxSetModalDialogHandler(nullptr); }

    // Runs the dialog; pfnUser works it. Extension entries the user types
    // (in order) answer the nested entry dialog with OK.
    int Run(const std::function<int(CDialog&)>& user) {
        AfxSetModalDialogHandler([this, user](CDialog& dlg) {
            if (dlg.GetTemplateID() == IDD_EXTENSION) {
                dlg.SetDlgItemText(IDC_EXTENSION, m_typed.front().c_str());
                m_typed.pop_front();
                return IDOK;
            }
            return user(dlg);
        });
        return m_dlg.DoModal();
    }

    static std::vector<std::string> ListItems(CDialog& dlg) {
        std::vector<std::string> items;
        HWND hList = dlg.GetDlgItem(IDC_EXTENSION_LIST);
        int nCount = static_cast<int>(::SendMessageA(hList, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; i++) {
            char sz[64] = "";
            ::SendMessageA(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(sz));
            items.push_back(sz);
        }
        return items;
    }
    static bool Enabled(CDialog& dlg, int nID) {
        return ::IsWindowEnabled(dlg.GetDlgItem(nID)) != 0;
    }
    static void Press(CDialog& dlg, int nID) {
        ::SendMessageA(dlg.GetDlgItem(nID), BM_CLICK, 0, 0);
    }

    CSourcePropertiesDlg m_dlg;
    std::deque<std::string> m_typed;
};

const int kFilterControls[] = {IDC_FILTER_LABEL,  IDC_FILTER_NOTE,   IDC_FILTER_EXCLUDE,
                               IDC_FILTER_ONLY,   IDC_EXTENSION_ADD, IDC_EXTENSION_REMOVE,
                               IDC_EXTENSION_LIST};

TEST_F(SourcePropertiesDlgTest, FilterControlsFollowTheCheckBoxAndKeepTheirValues) {
    m_dlg.m_bUseFilter = 0;
    m_dlg.m_nFilterMode = FILTER_INDEX_ONLY;
    m_dlg.m_strExtensions = "txt";
    Run([](CDialog& dlg) {
        for (int nID : kFilterControls)
            EXPECT_FALSE(Enabled(dlg, nID)) << nID;
        EXPECT_EQ(std::vector<std::string>{"txt"}, ListItems(dlg));
        Press(dlg, IDC_USE_FILTER);
        for (int nID : kFilterControls)
            EXPECT_TRUE(Enabled(dlg, nID)) << nID;
        Press(dlg, IDC_USE_FILTER);
        EXPECT_FALSE(Enabled(dlg, IDC_FILTER_ONLY));
        return IDOK;
    });
    EXPECT_EQ(0, m_dlg.m_bUseFilter);
    EXPECT_EQ(FILTER_INDEX_ONLY, m_dlg.m_nFilterMode);
    EXPECT_EQ("txt", m_dlg.m_strExtensions);
}

TEST_F(SourcePropertiesDlgTest, ExtensionsSplitAtCommasJoinInListOrderAndEnterOnce) {
    // A comma typed into one entry splits it the next time the list opens.
    m_dlg.m_strExtensions = "表,a,b,doc";
    m_typed = {"bak", "bak", "BAK", "", "c,d"};
    Run([this](CDialog& dlg) {
        EXPECT_EQ((std::vector<std::string>{"a", "b", "doc", "表"}), ListItems(dlg));
        for (size_t i = 0; i < 5; i++)
            Press(dlg, IDC_EXTENSION_ADD);
        EXPECT_TRUE(m_typed.empty());
        // The list box sorts without regard to case: "bak" and "BAK" both stay.
        EXPECT_EQ(7u, ListItems(dlg).size());
        ::SendDlgItemMessageA(dlg.GetSafeHwnd(), IDC_EXTENSION_LIST, LB_SETCURSEL, 0, 0);
        Press(dlg, IDC_EXTENSION_REMOVE); // "a"
        // The selection plays no part in what OK stores.
        ::SendDlgItemMessageA(dlg.GetSafeHwnd(), IDC_EXTENSION_LIST, LB_SETCURSEL, 2, 0);
        return IDOK;
    });
    std::vector<std::string> parts;
    std::string strJoined = m_dlg.m_strExtensions.str();
    EXPECT_EQ(std::string::npos, strJoined.find(",,"));
    size_t nStart = 0;
    for (size_t nComma; (nComma = strJoined.find(',', nStart)) != std::string::npos;
         nStart = nComma + 1)
        parts.push_back(strJoined.substr(nStart, nComma - nStart));
    parts.push_back(strJoined.substr(nStart));
    std::sort(parts.begin(), parts.end());
    EXPECT_EQ((std::vector<std::string>{"BAK", "b", "bak", "c", "d", "doc", "表"}), parts)
        << strJoined;
}

TEST_F(SourcePropertiesDlgTest, HistoryStepsFromItsTextWithinZeroToNinetyNine) {
    struct CCase {
        const char* pszStart;
        UINT nKey;
        const char* pszStored;
    };
    for (const CCase& c : {CCase{"7", VK_UP, "8"}, CCase{"99", VK_UP, "99"},
                           CCase{"0", VK_DOWN, "0"}, CCase{"1", VK_DOWN, "0"}}) {
        m_dlg.m_strHistory = c.pszStart;
        Run([&](CDialog& dlg) {
            // An arrow key on the up-down steps it as a click on an arrow.
            ::SendMessageA(dlg.GetDlgItem(IDC_HISTORY_SPIN), WM_KEYDOWN, c.nKey, 0);
            return IDOK;
        });
        EXPECT_EQ(c.pszStored, m_dlg.m_strHistory) << c.pszStart;
    }
    // A count of three digits (from a data file) cannot be confirmed as it
    // stands: the framework's message, and the dialog stays open.
    static int s_nBoxes = 0;
    AfxSetMessageBoxHandler([](HWND, const char*, const char*, UINT) { return ++s_nBoxes, IDOK; });
    m_dlg.m_strHistory = "100";
    EXPECT_EQ(-1, Run([](CDialog&) { return IDOK; }));
    AfxSetMessageBoxHandler(nullptr);
    EXPECT_EQ(1, s_nBoxes);
}

} // namespace
