// The extension entry dialog: what is typed comes back as it stands on OK,
// and Cancel leaves the member alone.
#include <gtest/gtest.h>

#include "ExtensionEntryDlg.h"
#include "resource.h"

namespace {

class ExtensionEntryDlgTest : public testing::Test {
protected:
    void TearDown() override { AfxSetModalDialogHandler(nullptr); }

    static void TypeAndPress(const char* pszText, int nButton) {
        AfxSetModalDialogHandler([=](CDialog& dlg) {
            SetDlgItemTextA(dlg.GetSafeHwnd(), IDC_EXTENSION, pszText);
            SendMessageA(GetDlgItem(dlg.GetSafeHwnd(), nButton), BM_CLICK, 0, 0);
            return 0;
        });
    }
};

TEST_F(ExtensionEntryDlgTest, OkTakesTheTextAsTyped) {
    CExtensionEntryDlg dlg;
    TypeAndPress(" .Bak表", IDOK);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(" .Bak表", dlg.m_strExtension); // no trimming, no check
}

TEST_F(ExtensionEntryDlgTest, CancelKeepsTheMember) {
    CExtensionEntryDlg dlg;
    dlg.m_strExtension = "tmp";
    TypeAndPress("ソ", IDCANCEL);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("tmp", dlg.m_strExtension);
}

TEST_F(ExtensionEntryDlgTest, StartsWithTheMembersText) {
    CExtensionEntryDlg dlg;
    dlg.m_strExtension = "能十";
    CString strShown;
    AfxSetModalDialogHandler([&](CDialog& d) {
        char sz[64] = "";
        GetDlgItemTextA(d.GetSafeHwnd(), IDC_EXTENSION, sz, sizeof sz);
        strShown = sz;
        return IDCANCEL;
    });
    dlg.DoModal();
    EXPECT_EQ("能十", strShown);
}

} // namespace
