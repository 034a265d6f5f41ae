// Connections to network shares. A share is connected without a drive
// letter before it is listed or backed up; when it refuses the user's
// current credentials, the user is asked for a password. Shares connected
// with a password are remembered and disconnected when the program ends;
// those connected with the current credentials stay connected.
#pragma once

#include "Object.h"
#include "PtrList.h"
#include "String.h"

class CWnd;

// A share connected with a password.
class CNetConnection : public CObject {
public:
    explicit CNetConnection(const char* pszRemote) : m_strRemote(pszRemote) {}

    CString m_strRemote;
};

class CNetConnections {
public:
    CNetConnections() = default;
    CNetConnections(const CNetConnections&) = delete;
    CNetConnections& operator=(const CNetConnections&) = delete;
    ~CNetConnections() { DeleteAll(); }

    // 1 when the caller may go on: connected, any failure other than a
    // refused password, or the user cancelled the password dialog (owned
    // by pParent). 0 when the password the user typed was refused too.
    // A name too long for the system's 260-byte buffer is not tried.
    int ConnectShare(const char* pszRemote, CWnd* pParent);
    // Disconnects every remembered share (not forced) and forgets them.
    void CancelConnections();

    INT_PTR GetCount() const { return m_connections.GetCount(); }
    const CNetConnection* GetAt(INT_PTR nIndex) const;

private:
    void DeleteAll();

    CTypedList<CNetConnection*> m_connections{10};
};
