// Every call of the program into the Windows network functions (listing
// the network, connecting and disconnecting shares) passes through here, so
// a test can stand in for a network: install an object of a derived class
// and each call goes to it instead of the system.
//
//     class CFakeNetwork : public CNetworkCalls { ... overrides ... };
//     CFakeNetwork network;
//     SetNetworkCalls(&network);
//     ...
//     SetNetworkCalls(nullptr); // the system's calls again
//
// The base class makes the system's calls (mpr), with their arguments and
// results unchanged.
#pragma once

#include "Types.h"

#include <winnetwk.h>

class CNetworkCalls {
public:
    virtual ~CNetworkCalls() = default;

    virtual DWORD OpenEnum(DWORD dwScope, DWORD dwType, DWORD dwUsage, NETRESOURCEA* pContainer,
                           HANDLE* phEnum);
    virtual DWORD EnumResource(HANDLE hEnum, DWORD* pnCount, void* pBuffer, DWORD* pcbBuffer);
    virtual DWORD CloseEnum(HANDLE hEnum);
    // pszPassword null: the user's current credentials.
    virtual DWORD AddConnection(const char* pszRemote, const char* pszPassword,
                                const char* pszLocalName);
    virtual DWORD CancelConnection(const char* pszName, bool bForce);
};

// The calls in use: the installed object, or the system's.
CNetworkCalls& GetNetworkCalls();
// Test seam: null returns to the system's calls. The object stays the
// caller's.
void SetNetworkCalls(CNetworkCalls* pCalls);

// One network enumeration, closed when the holder goes.
class CNetEnum {
public:
    CNetEnum() = default;
    CNetEnum(const CNetEnum&) = delete;
    CNetEnum& operator=(const CNetEnum&) = delete;
    ~CNetEnum() { Close(); }

    // Disk resources of the whole network, below pContainer (null: from
    // the top). NO_ERROR or the system's error.
    DWORD Open(NETRESOURCEA* pContainer);
    DWORD Next(DWORD* pnCount, void* pBuffer, DWORD* pcbBuffer);
    // The close result; NO_ERROR when nothing is open.
    DWORD Close();

private:
    HANDLE m_hEnum = nullptr;
};
