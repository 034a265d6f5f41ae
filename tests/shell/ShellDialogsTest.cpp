// The install, uninstall and about dialogs on the program's own templates,
// answered through the modal-dialog seam the way a user would end them.
#include <gtest/gtest.h>

#include "Button.h"
#include "ShellDialogs.h"

namespace {

class ShellDialogsTest : public testing::Test {
protected:
    void TearDown() override { AfxSetModalDialogHandler(nullptr); }

    // Ends the next modal dialog by a keyboard or window message.
    static void AnswerWith(UINT nMessage, WPARAM wParam) {
        AfxSetModalDialogHandler([=](CDialog& dlg) {
            dlg.SendMessage(nMessage, wParam, 0);
            return 0;
        });
    }
    static void AnswerByClicking(int nID) {
        AfxSetModalDialogHandler([=](CDialog& dlg) {
            SendMessageA(GetDlgItem(dlg.GetSafeHwnd(), nID), BM_CLICK, 0, 0);
            return 0;
        });
    }
};

TEST_F(ShellDialogsTest, UninstallGoesAheadOnlyByItsButton) {
    AnswerByClicking(IDOK);
    EXPECT_EQ(IDOK, CUninstallDlg().DoModal());
    AnswerByClicking(IDCANCEL);
    EXPECT_EQ(IDCANCEL, CUninstallDlg().DoModal());
    AnswerWith(WM_COMMAND, IDCANCEL); // Escape
    EXPECT_EQ(IDCANCEL, CUninstallDlg().DoModal());
    AnswerWith(WM_CLOSE, 0); // the close box
    EXPECT_EQ(IDCANCEL, CUninstallDlg().DoModal());
}

TEST_F(ShellDialogsTest, InstallNoticeEndsWithItsCloseButton) {
    AnswerByClicking(IDOK);
    EXPECT_EQ(IDOK, CInstallDlg().DoModal());
    AnswerWith(WM_CLOSE, 0);
    EXPECT_EQ(IDCANCEL, CInstallDlg().DoModal());
}

CString g_strOpened;
void RecordOpen(const char* pszAddress) {
    g_strOpened = pszAddress;
}

TEST_F(ShellDialogsTest, AboutBoxOpensThePageOnlyFromTheAddressButton) {
    g_strOpened.Empty();
    AfxSetModalDialogHandler([](CDialog& dlg) {
        // Enter presses the default button, which is "OK" (IDCANCEL).
        LRESULT nDefault = dlg.SendMessage(DM_GETDEFID, 0, 0);
        EXPECT_EQ(IDCANCEL, LOWORD(nDefault));
        dlg.SendMessage(WM_COMMAND, LOWORD(nDefault), 0);
        return 0;
    });
    ShowAboutBox(nullptr, RecordOpen);
    EXPECT_EQ("", g_strOpened);

    AnswerWith(WM_CLOSE, 0);
    ShowAboutBox(nullptr, RecordOpen);
    EXPECT_EQ("", g_strOpened);

    AfxSetModalDialogHandler([](CDialog& dlg) {
        char sz[128] = "";
        GetDlgItemTextA(dlg.GetSafeHwnd(), IDOK, sz, sizeof sz);
        EXPECT_STREQ(MAKER_ADDRESS, sz); // the button shows what is opened
        SendMessageA(GetDlgItem(dlg.GetSafeHwnd(), IDOK), BM_CLICK, 0, 0);
        return 0;
    });
    ShowAboutBox(nullptr, RecordOpen);
    EXPECT_EQ(MAKER_ADDRESS, g_strOpened);
}

} // namespace
