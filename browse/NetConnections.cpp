#include "NetConnections.h"

#include <cstring>
#include <memory>

#include "NetworkCalls.h"
#include "PasswordDlg.h"
#include "SecretBuffer.h"

int CNetConnections::ConnectShare(const char* pszRemote, CWnd* pParent) {
    if (std::strlen(pszRemote) >= SECRET_BUFFER_SIZE)
        return 1;
    CNetworkCalls& calls = GetNetworkCalls();
    if (calls.AddConnection(pszRemote, nullptr, nullptr) != ERROR_INVALID_PASSWORD)
        return 1;

    CPasswordDlg dlg(pParent);
    dlg.m_strResource = pszRemote;
    if (dlg.DoModal() != IDOK)
        return 1;
    CSecretBuffer password;
    bool bFits = password.Set(dlg.m_strPassword);
    WipeString(dlg.m_strPassword);
    if (!bFits)
        return 0;
    DWORD dwResult = calls.AddConnection(pszRemote, password.Get(), nullptr);
    password.Wipe();
    if (dwResult != NO_ERROR)
        return 0;
    auto pConnection = std::make_unique<CNetConnection>(pszRemote);
    m_connections.AddTail(pConnection.get());
    pConnection.release();
    return 1;
}

void CNetConnections::CancelConnections() {
    for (POSITION pos = m_connections.GetHeadPosition(); pos;)
        GetNetworkCalls().CancelConnection(m_connections.GetNext(pos)->m_strRemote, false);
    DeleteAll();
}

const CNetConnection* CNetConnections::GetAt(INT_PTR nIndex) const {
    POSITION pos = m_connections.FindIndex(nIndex);
    return pos ? m_connections.GetAt(pos) : nullptr;
}

void CNetConnections::DeleteAll() {
    for (POSITION pos = m_connections.GetHeadPosition(); pos;)
        delete m_connections.GetNext(pos);
    m_connections.RemoveAll();
}
