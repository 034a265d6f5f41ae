// The control wrappers against real controls of a dialog template: list
// view items and subitems with Japanese text, list box searches, the 16-bit
// progress range, the up-down control and its buddy, tabs, trees, scroll
// bars, image lists and the plain window calls.
#include <gtest/gtest.h>

#include <string>

#include "Button.h"
#include "Dialog.h"
#include "Edit.h"
#include "ImageList.h"
#include "ListBox.h"
#include "ListCtrl.h"
#include "ProgressCtrl.h"
#include "ScrollBar.h"
#include "SpinButtonCtrl.h"
#include "Static.h"
#include "TabCtrl.h"
#include "TreeCtrl.h"
#include "WindowTestIds.h"
#include "WindowTestSupport.h"

namespace {

class Controls : public CWindowTest {
protected:
    void SetUp() override {
        CWindowTest::SetUp();
        ASSERT_TRUE(m_dataDlg.Create());
        ASSERT_TRUE(m_controlsDlg.Create());
    }
    void TearDown() override {
        m_dataDlg.DestroyWindow();
        m_controlsDlg.DestroyWindow();
        CWindowTest::TearDown();
    }
    HWND Data(int nID) const { return m_dataDlg.GetDlgItem(nID); }
    HWND Item(int nID) const { return m_controlsDlg.GetDlgItem(nID); }

    CDialog m_dataDlg{IDD_DATA};
    CDialog m_controlsDlg{IDD_CONTROLS};
};

} // namespace

TEST_F(Controls, ListViewItemsAndSubitems) {
    CListCtrl list(Item(IDC_LISTVIEW));
    EXPECT_EQ(0, list.InsertColumn(0, "フォルダ", LVCFMT_LEFT, 120));
    EXPECT_EQ(1, list.InsertColumn(1, "表示", LVCFMT_LEFT, 60));
    EXPECT_EQ(2, list.InsertColumn(2, "容量", LVCFMT_RIGHT));
    EXPECT_EQ(120, list.GetColumnWidth(0));
    EXPECT_TRUE(list.SetColumnWidth(2, 75));
    EXPECT_EQ(75, list.GetColumnWidth(2));

    EXPECT_EQ(0, list.InsertItem(0, "D:\\表\\ソ"));
    EXPECT_EQ(1, list.InsertItem(1, "E:\\能"));
    EXPECT_EQ(0, list.InsertItem(0, "F:\\十"));
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_TRUE(list.SetItemText(1, 1, "する"));
    // Longer than the first buffer GetItemText tries.
    std::string strLong;
    for (int i = 0; i < 300; ++i)
        strLong += "表";
    EXPECT_TRUE(list.SetItemText(1, 2, strLong.c_str()));
    EXPECT_EQ("F:\\十", list.GetItemText(0, 0));
    EXPECT_EQ("D:\\表\\ソ", list.GetItemText(1, 0));
    EXPECT_EQ("する", list.GetItemText(1, 1));
    EXPECT_EQ(strLong.c_str(), list.GetItemText(1, 2));
    EXPECT_EQ("", list.GetItemText(0, 1));
    EXPECT_EQ("", list.GetItemText(9, 0));

    const DWORD_PTR dwData = static_cast<DWORD_PTR>(0x123456789ABCull);
    EXPECT_TRUE(list.SetItemData(2, dwData));
    EXPECT_EQ(dwData, list.GetItemData(2));

    EXPECT_EQ(-1, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_TRUE(list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(2, list.GetSelectedCount());
    EXPECT_EQ(0, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(2, list.GetNextItem(0, LVNI_SELECTED));
    EXPECT_EQ(-1, list.GetNextItem(2, LVNI_SELECTED));

    // Deleting moves the later items up, with their data and subitems.
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_FALSE(list.DeleteItem(5));
    EXPECT_EQ("する", list.GetItemText(0, 1));
    EXPECT_EQ(dwData, list.GetItemData(1));
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

TEST_F(Controls, ListViewTakesAnImageList) {
    CListCtrl list(Item(IDC_LISTVIEW));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    EXPECT_EQ(0, images.Add(::LoadIconA(nullptr, IDI_INFORMATION)));
    EXPECT_EQ(nullptr, list.SetImageList(images.GetSafeHandle(), LVSIL_SMALL));
    EXPECT_EQ(images.GetSafeHandle(), list.GetImageList(LVSIL_SMALL));
    EXPECT_EQ(0, list.InsertItem(0, "表", 0));
    // Without LVS_SHAREIMAGELISTS the list view destroys the list itself.
    images.Detach();
}

TEST_F(Controls, ListBoxFindsExactStringsOnly) {
    CListBox list(Data(IDC_LIST));
    for (const char* psz : {"表示", "表", "ソフト", "bak", "能"})
        list.AddString(psz);
    EXPECT_EQ(5, list.GetCount());
    EXPECT_EQ(1, list.FindStringExact(-1, "表"));
    EXPECT_EQ(0, list.FindStringExact(-1, "表示"));
    EXPECT_EQ(4, list.FindStringExact(-1, "能"));
    EXPECT_EQ(LB_ERR, list.FindStringExact(-1, "ソ"));
    EXPECT_EQ(LB_ERR, list.FindStringExact(-1, "表示する"));
    // The system compares without regard to case, and wraps round.
    EXPECT_EQ(3, list.FindStringExact(-1, "BAK"));
    EXPECT_EQ(0, list.FindStringExact(3, "表示"));

    CString str;
    EXPECT_TRUE(list.GetText(2, str));
    EXPECT_EQ("ソフト", str);
    EXPECT_FALSE(list.GetText(5, str));
    EXPECT_EQ("", str);

    EXPECT_EQ(LB_ERR, list.GetCurSel());
    EXPECT_TRUE(list.SetCurSel(2));
    EXPECT_EQ(2, list.GetCurSel());
    EXPECT_FALSE(list.SetCurSel(9));
    EXPECT_TRUE(list.SetCurSel(-1));
    EXPECT_EQ(LB_ERR, list.GetCurSel());

    EXPECT_EQ(4, list.DeleteString(0));
    EXPECT_EQ(LB_ERR, list.DeleteString(4));
    EXPECT_EQ(0, list.FindStringExact(-1, "表"));
    list.ResetContent();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(Controls, ProgressRangeIsSixteenBits) {
    CProgressCtrl progress(Data(IDC_PROGRESS));
    int nLower = -1, nUpper = -1;
    EXPECT_TRUE(progress.SetRange(0, 32000));
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(0, nLower);
    EXPECT_EQ(32000, nUpper);
    EXPECT_EQ(0, progress.SetPos(16000));
    EXPECT_EQ(16000, progress.GetPos());

    // Bounds beyond 16 bits are refused and the range stays.
    EXPECT_FALSE(progress.SetRange(0, 65536));
    EXPECT_FALSE(progress.SetRange(0, 0x7FFFFFFF));
    EXPECT_FALSE(progress.SetRange(-1, 100));
    EXPECT_FALSE(progress.SetRange(10, 5));
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(32000, nUpper);

    EXPECT_TRUE(progress.SetRange(0, 65535));
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(65535, nUpper);
    progress.SetPos(40000);
    EXPECT_EQ(40000, progress.GetPos());

    // Nothing to copy: an empty range keeps the bar at its start.
    EXPECT_TRUE(progress.SetRange(0, 0));
    progress.SetPos(5);
    EXPECT_EQ(0, progress.GetPos());
}

TEST_F(Controls, UpDownFollowsItsBuddy) {
    CSpinButtonCtrl spin(Item(IDC_SPIN));
    CEdit buddy(Item(IDC_SPIN_EDIT));
    spin.SetBuddy(buddy.GetSafeHwnd());
    EXPECT_EQ(buddy.GetSafeHwnd(), spin.GetBuddy());
    spin.SetRange(1, 99);
    int nLower = 0, nUpper = 0;
    spin.GetRange(nLower, nUpper);
    EXPECT_EQ(1, nLower);
    EXPECT_EQ(99, nUpper);

    spin.SetPos(42);
    EXPECT_EQ("42", buddy.GetWindowText());
    bool bError = true;
    EXPECT_EQ(42, spin.GetPos(&bError));
    EXPECT_FALSE(bError);

    // What the user typed counts; text out of range or no number is an error.
    buddy.SetWindowText("17");
    EXPECT_EQ(17, spin.GetPos(&bError));
    EXPECT_FALSE(bError);
    buddy.SetWindowText("表");
    spin.GetPos(&bError);
    EXPECT_TRUE(bError);
    buddy.SetWindowText("150");
    spin.GetPos(&bError);
    EXPECT_TRUE(bError);

    spin.SetPos(500);
    EXPECT_EQ(99, spin.GetPos());
    spin.SetPos(-5);
    EXPECT_EQ(1, spin.GetPos());
}

TEST_F(Controls, TabsAndTheirDisplayArea) {
    CTabCtrl tab(Item(IDC_TAB));
    const char* const kPages[] = {"バックアップ元", "表示", "ソフト設定", "ログ"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(i, tab.InsertItem(i, kPages[i]));
    EXPECT_EQ(4, tab.GetItemCount());
    EXPECT_EQ(0, tab.GetCurSel());
    EXPECT_EQ(0, tab.SetCurSel(2));
    EXPECT_EQ(2, tab.GetCurSel());
    EXPECT_EQ(-1, tab.SetCurSel(7));
    EXPECT_EQ(2, tab.GetCurSel());

    RECT rcItem = {};
    EXPECT_TRUE(tab.GetItemRect(1, &rcItem));
    EXPECT_GT(rcItem.right, rcItem.left);
    RECT rcWindow = {0, 0, 300, 200};
    RECT rc = rcWindow;
    tab.AdjustRect(false, &rc);
    EXPECT_GT(rc.top, rcWindow.top);
    tab.AdjustRect(true, &rc);
    EXPECT_TRUE(::EqualRect(&rc, &rcWindow));

    EXPECT_TRUE(tab.DeleteAllItems());
    EXPECT_EQ(0, tab.GetItemCount());
}

TEST_F(Controls, TreeItemsInOrderWithTextAndData) {
    CTreeCtrl tree(Item(IDC_TREE));
    HTREEITEM hRoot = tree.InsertItem("D:\\表", 0, 1);
    HTREEITEM hSo = tree.InsertItem("ソ", 0, 1, hRoot);
    HTREEITEM hAbility = tree.InsertItem("能", 0, 1, hRoot);
    ASSERT_TRUE(hRoot && hSo && hAbility);
    EXPECT_EQ(3, tree.GetCount());
    EXPECT_EQ(hRoot, tree.GetRootItem());
    EXPECT_EQ(hSo, tree.GetChildItem(hRoot));
    EXPECT_EQ(hAbility, tree.GetNextSiblingItem(hSo));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(hAbility));
    EXPECT_EQ(hRoot, tree.GetParentItem(hAbility));

    EXPECT_EQ("D:\\表", tree.GetItemText(hRoot));
    EXPECT_TRUE(tree.SetItemText(hSo, "十\\ソ"));
    EXPECT_EQ("十\\ソ", tree.GetItemText(hSo));
    EXPECT_TRUE(tree.SetItemData(hAbility, 77));
    EXPECT_EQ(77u, tree.GetItemData(hAbility));

    EXPECT_TRUE(tree.SelectItem(hAbility));
    EXPECT_EQ(hAbility, tree.GetSelectedItem());
    EXPECT_TRUE(tree.Expand(hRoot, TVE_EXPAND));
    EXPECT_TRUE(tree.DeleteItem(hSo));
    EXPECT_EQ(hAbility, tree.GetChildItem(hRoot));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0, tree.GetCount());
}

TEST_F(Controls, ScrollBarKeepsItsPositionInRange) {
    CScrollBar bar(Item(IDC_SCROLL));
    bar.SetScrollRange(0, 49);
    int nMin = -1, nMax = -1;
    bar.GetScrollRange(&nMin, &nMax);
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(49, nMax);
    EXPECT_EQ(0, bar.SetScrollPos(10));
    EXPECT_EQ(10, bar.SetScrollPos(60));
    EXPECT_EQ(49, bar.GetScrollPos());
}

TEST_F(Controls, ButtonEditStaticAndWindowCalls) {
    CButton check(Data(IDC_CHECK_ENOUGH));
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    EXPECT_EQ("十分な空き容量", check.GetWindowText());

    CEdit edit(Data(IDC_NAME));
    edit.SetLimitText(5);
    EXPECT_EQ(5u, edit.GetLimitText());
    EXPECT_TRUE(edit.SetReadOnly());
    EXPECT_TRUE(::GetWindowLongA(edit.GetSafeHwnd(), GWL_STYLE) & ES_READONLY);

    CStatic icon(Item(IDC_INFO_ICON));
    HICON hIcon = ::LoadIconA(nullptr, IDI_INFORMATION);
    icon.SetIcon(hIcon);
    EXPECT_EQ(hIcon, icon.GetIcon());

    CStatic label(Data(IDC_LABEL));
    EXPECT_EQ("十能表ソ", label.GetWindowText());
    EXPECT_TRUE(label.EnableWindow(false));
    EXPECT_FALSE(label.IsWindowEnabled());
    EXPECT_FALSE(label.EnableWindow(true));
    EXPECT_TRUE(label.MoveWindow(RECT{5, 6, 105, 26}));
    RECT rc = {};
    EXPECT_TRUE(label.GetClientRect(&rc));
    EXPECT_EQ(100, rc.right);
    EXPECT_EQ(20, rc.bottom);
    EXPECT_TRUE(label.IsWindowVisible() == m_dataDlg.IsWindowVisible());
}

TEST_F(Controls, ImageListOwnsItsHandle) {
    CImageList images;
    EXPECT_EQ(nullptr, images.GetSafeHandle());
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 4));
    EXPECT_FALSE(images.Create(16, 16, ILC_COLOR24, 1, 1));
    HICON hIcon = ::LoadIconA(nullptr, IDI_WARNING);
    EXPECT_EQ(0, images.Add(hIcon));
    EXPECT_EQ(1, images.Add(hIcon));
    EXPECT_EQ(2, images.GetImageCount());
    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(1, images.GetImageCount());

    HIMAGELIST hList = images.Detach();
    EXPECT_EQ(nullptr, images.GetSafeHandle());
    EXPECT_FALSE(images.DeleteImageList());
    EXPECT_TRUE(images.Attach(hList));
    EXPECT_FALSE(images.Attach(hList));
    EXPECT_TRUE(images.DeleteImageList());
}
