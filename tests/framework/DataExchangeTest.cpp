// Dialog data exchange against the real controls of a dialog template:
// round trips of Japanese text whose trail byte is 0x5C, numbers that do
// not parse, check boxes, radio groups with a label inside and a list box
// after them, and the length check answered through the message-box seam.
#include <gtest/gtest.h>

#include <cstring>

#include "DataExchange.h"
#include "Dialog.h"
#include "Edit.h"
#include "WindowTestIds.h"
#include "WindowTestSupport.h"

namespace {

class CDataDlg : public CDialog {
public:
    CDataDlg() : CDialog(IDD_DATA) {}

    CString m_strLabel;
    CString m_strName;
    int m_nCount = 0;
    int m_nSource = 0;
    int m_nEnough = 0;
    int m_nRadio = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_LABEL, m_strLabel);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 10);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDX_Check(pDX, IDC_CHECK_SOURCE, m_nSource);
        DDX_Check(pDX, IDC_CHECK_ENOUGH, m_nEnough);
        DDX_Radio(pDX, IDC_RADIO_TABLE, m_nRadio);
    }
};

int CheckOf(const CDialog& dlg, int nID) {
    return static_cast<int>(dlg.SendDlgItemMessage(nID, BM_GETCHECK));
}

void Click(const CDialog& dlg, int nID) {
    dlg.SendDlgItemMessage(nID, BM_CLICK);
}

class DataExchange : public CWindowTest {
protected:
    void TearDown() override {
        m_dlg.DestroyWindow();
        CWindowTest::TearDown();
    }
    CDataDlg m_dlg;
};

} // namespace

TEST_F(DataExchange, MembersToControlsAndBack) {
    m_dlg.m_strLabel = "能力表示";
    m_dlg.m_strName = "表ソ能十";
    m_dlg.m_nCount = -42;
    m_dlg.m_nSource = 1;
    m_dlg.m_nEnough = 0;
    m_dlg.m_nRadio = 2;
    ASSERT_TRUE(m_dlg.Create());

    // OnInitDialog filled the controls from the members.
    EXPECT_EQ("能力表示", m_dlg.GetDlgItemText(IDC_LABEL));
    EXPECT_EQ("表ソ能十", m_dlg.GetDlgItemText(IDC_NAME));
    EXPECT_EQ("-42", m_dlg.GetDlgItemText(IDC_COUNT));
    EXPECT_EQ(BST_CHECKED, CheckOf(m_dlg, IDC_CHECK_SOURCE));
    EXPECT_EQ(BST_UNCHECKED, CheckOf(m_dlg, IDC_CHECK_ENOUGH));
    EXPECT_EQ(BST_UNCHECKED, CheckOf(m_dlg, IDC_RADIO_TABLE));
    EXPECT_EQ(BST_CHECKED, CheckOf(m_dlg, IDC_RADIO_ABILITY));

    // What the user changes comes back into the members.
    m_dlg.SetDlgItemText(IDC_NAME, "ソ\\十");
    m_dlg.SetDlgItemText(IDC_COUNT, " +2147483647 ");
    Click(m_dlg, IDC_CHECK_SOURCE);
    Click(m_dlg, IDC_CHECK_ENOUGH);
    Click(m_dlg, IDC_RADIO_SO);
    ASSERT_TRUE(m_dlg.UpdateData(true));
    EXPECT_EQ("ソ\\十", m_dlg.m_strName);
    EXPECT_EQ(2147483647, m_dlg.m_nCount);
    EXPECT_EQ(0, m_dlg.m_nSource);
    EXPECT_EQ(1, m_dlg.m_nEnough);
    EXPECT_EQ(1, m_dlg.m_nRadio);
    EXPECT_TRUE(s_boxes.empty());
}

TEST_F(DataExchange, RadioGroupWithoutSelectionIsMinusOne) {
    m_dlg.m_nRadio = -1;
    ASSERT_TRUE(m_dlg.Create());
    for (int nID : {IDC_RADIO_TABLE, IDC_RADIO_SO, IDC_RADIO_ABILITY})
        EXPECT_EQ(BST_UNCHECKED, CheckOf(m_dlg, nID));
    m_dlg.m_nRadio = 5;
    ASSERT_TRUE(m_dlg.UpdateData(true));
    EXPECT_EQ(-1, m_dlg.m_nRadio);

    // An index past the group checks nothing, not the list box after it.
    m_dlg.m_nRadio = 3;
    ASSERT_TRUE(m_dlg.UpdateData(false));
    ASSERT_TRUE(m_dlg.UpdateData(true));
    EXPECT_EQ(-1, m_dlg.m_nRadio);
}

TEST_F(DataExchange, NumberThatDoesNotParseKeepsTheFocusOnItsControl) {
    ASSERT_TRUE(m_dlg.Create());
    for (const char* pszBad : {"12x", "", "-", "2147483648", "-2147483649", "1 2", "１２"}) {
        SCOPED_TRACE(pszBad);
        s_boxes.clear();
        m_dlg.m_nCount = 77;
        m_dlg.m_nSource = 0;
        m_dlg.m_strName = "old";
        m_dlg.SetDlgItemText(IDC_NAME, "表");
        m_dlg.SetDlgItemText(IDC_COUNT, pszBad);
        m_dlg.SendDlgItemMessage(IDC_CHECK_SOURCE, BM_SETCHECK, BST_CHECKED);

        EXPECT_FALSE(m_dlg.UpdateData(true));
        ASSERT_EQ(1u, s_boxes.size());
        EXPECT_EQ("整数を入力してください。", s_boxes[0].strText);
        EXPECT_EQ(m_dlg.GetSafeHwnd(), s_boxes[0].hOwner);
        EXPECT_EQ(m_dlg.GetDlgItem(IDC_COUNT), ::GetFocus());
        // Exchanged before the failure: saved; the failed one and after: not.
        EXPECT_EQ("表", m_dlg.m_strName);
        EXPECT_EQ(77, m_dlg.m_nCount);
        EXPECT_EQ(0, m_dlg.m_nSource);
    }
    m_dlg.SetDlgItemText(IDC_COUNT, "-2147483648");
    EXPECT_TRUE(m_dlg.UpdateData(true));
    EXPECT_EQ(-2147483647 - 1, m_dlg.m_nCount);
}

TEST_F(DataExchange, MaxCharsCountsBytesAndLimitsTheEdit) {
    ASSERT_TRUE(m_dlg.Create());
    CEdit name(m_dlg.GetDlgItem(IDC_NAME));
    EXPECT_EQ(10u, name.GetLimitText());

    // Ten bytes pass, eleven fail: a double-byte character counts two.
    m_dlg.SetDlgItemText(IDC_NAME, "表ソ能十xy");
    m_dlg.SetDlgItemText(IDC_COUNT, "1");
    EXPECT_TRUE(m_dlg.UpdateData(true));
    EXPECT_EQ("表ソ能十xy", m_dlg.m_strName);
    m_dlg.SetDlgItemText(IDC_NAME, "表ソ能十表");
    EXPECT_TRUE(m_dlg.UpdateData(true));

    m_dlg.SetDlgItemText(IDC_NAME, "表ソ能十表x");
    m_dlg.SetDlgItemText(IDC_COUNT, "5");
    EXPECT_FALSE(m_dlg.UpdateData(true));
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_NE(nullptr, std::strstr(s_boxes[0].strText, "10"));
    EXPECT_EQ(UINT{MB_OK | MB_ICONEXCLAMATION}, s_boxes[0].nType);
    EXPECT_EQ(name.GetSafeHwnd(), ::GetFocus());
    // The whole refused text is selected, ready to be typed over.
    name.ReplaceSel("ソ");
    EXPECT_EQ("ソ", name.GetWindowText());
    EXPECT_EQ(1, m_dlg.m_nCount);
}
