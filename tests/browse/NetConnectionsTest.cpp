// Connecting network shares: the current credentials first, then the
// password dialog (right, wrong, cancelled), the shares remembered for the
// disconnection at exit, and the password buffer wiped.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "Dialog.h"
#include "FakeNetwork.h"
#include "MessageBox.h"
#include "NetConnections.h"
#include "SecretBuffer.h"
#include "resource.h"

namespace {

const char kShare[] = "\\\\server\\表";
const char kLocked[] = "\\\\server\\経理";

class NetConnectionsTest : public testing::Test {
protected:
    void SetUp() override { m_network.m_passwords[kLocked] = "開けゴマ"; }
    void TearDown() override { AfxSetModalDialogHandler(nullptr); }

    // The dialog is answered with the text typed and the button pressed;
    // what it showed is remembered.
    void Answer(const char* pszTyped, int nButton) {
        AfxSetModalDialogHandler([this, pszTyped, nButton](CDialog& dlg) {
            m_nDialogs++;
            m_strShownResource = dlg.GetDlgItemText(IDC_RESOURCE);
            HWND hBox = dlg.GetDlgItem(IDC_PASSWORD);
            m_bMasked = (::GetWindowLongA(hBox, GWL_STYLE) & ES_PASSWORD) != 0;
            m_nLimit = static_cast<int>(::SendMessageA(hBox, EM_GETLIMITTEXT, 0, 0));
            dlg.SetDlgItemText(IDC_PASSWORD, pszTyped);
            return nButton;
        });
    }
    std::vector<std::string> Calls() {
        std::vector<std::string> calls;
        calls.swap(m_network.m_calls);
        return calls;
    }

    CFakeNetwork m_network;
    CNetConnections m_connections;
    int m_nDialogs = 0;
    CString m_strShownResource;
    bool m_bMasked = false;
    int m_nLimit = 0;
};

TEST_F(NetConnectionsTest, ShareThatTakesTheCurrentCredentialsAsksNothing) {
    Answer("", IDOK);
    EXPECT_EQ(1, m_connections.ConnectShare(kShare, nullptr));
    // Any other failure is the caller's to meet when it reads the share.
    m_network.m_dwConnectResult = ERROR_BAD_NET_NAME;
    EXPECT_EQ(1, m_connections.ConnectShare(kShare, nullptr));
    EXPECT_EQ(0, m_nDialogs);
    EXPECT_EQ(0, m_connections.GetCount());
    EXPECT_EQ((std::vector<std::string>{std::string("add ") + kShare + " none",
                                        std::string("add ") + kShare + " none"}),
              Calls());
}

TEST_F(NetConnectionsTest, PasswordRightWrongOrCancelledAndDisconnectedAtTheEnd) {
    const std::string strAdd = std::string("add ") + kLocked;

    Answer("違う", IDOK);
    EXPECT_EQ(0, m_connections.ConnectShare(kLocked, nullptr));
    EXPECT_EQ((std::vector<std::string>{strAdd + " none", strAdd + " bad"}), Calls());
    EXPECT_EQ(0, m_connections.GetCount());

    Answer("開けゴマ", IDCANCEL);
    EXPECT_EQ(1, m_connections.ConnectShare(kLocked, nullptr));
    EXPECT_EQ((std::vector<std::string>{strAdd + " none"}), Calls());
    EXPECT_EQ(0, m_connections.GetCount());

    Answer("開けゴマ", IDOK);
    EXPECT_EQ(1, m_connections.ConnectShare(kLocked, nullptr));
    EXPECT_EQ((std::vector<std::string>{strAdd + " none", strAdd + " ***"}), Calls());
    ASSERT_EQ(1, m_connections.GetCount());
    EXPECT_EQ(CString(kLocked), m_connections.GetAt(0)->m_strRemote);

    // Each time the dialog named the share and masked a box of 259 bytes.
    EXPECT_EQ(3, m_nDialogs);
    EXPECT_EQ(CString(kLocked), m_strShownResource);
    EXPECT_TRUE(m_bMasked);
    EXPECT_EQ(259, m_nLimit);

    m_connections.CancelConnections();
    EXPECT_EQ((std::vector<std::string>{std::string("cancel ") + kLocked}), Calls());
    EXPECT_EQ(0, m_connections.GetCount());
}

TEST_F(NetConnectionsTest, NameTooLongForTheSystemBufferIsNotTried) {
    std::string strLong = "\\\\server\\" + std::string(260 - 9, 'x');
    EXPECT_EQ(1, m_connections.ConnectShare(strLong.c_str(), nullptr));
    EXPECT_TRUE(Calls().empty());
    std::string strLongest = "\\\\server\\" + std::string(259 - 9, 'x');
    EXPECT_EQ(1, m_connections.ConnectShare(strLongest.c_str(), nullptr));
    EXPECT_EQ(1u, Calls().size());
}

TEST(SecretBuffer, KeepsAtMost259BytesAndLeavesOnlyZerosBehind) {
    alignas(CSecretBuffer) unsigned char storage[sizeof(CSecretBuffer)];
    auto* pBuffer = new (storage) CSecretBuffer;
    EXPECT_FALSE(pBuffer->Set(std::string(260, 'p').c_str()));
    EXPECT_STREQ("", pBuffer->Get());
    ASSERT_TRUE(pBuffer->Set(std::string(259, 'p').c_str()));
    EXPECT_EQ(259u, std::string(pBuffer->Get()).size());
    pBuffer->~CSecretBuffer();
    for (unsigned char byte : storage)
        ASSERT_EQ(0, byte);

    CString strPassword = "開けゴマ";
    const char* pBytes = strPassword;
    WipeString(strPassword);
    EXPECT_TRUE(strPassword.IsEmpty());
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(0, pBytes[i]);
}

} // namespace
