#include "NetworkCalls.h"

namespace {

CNetworkCalls g_systemCalls;
CNetworkCalls* g_pCalls = nullptr;

} // namespace

DWORD CNetworkCalls::OpenEnum(DWORD dwScope, DWORD dwType, DWORD dwUsage, NETRESOURCEA* pContainer,
                              HANDLE* phEnum) {
    return ::WNetOpenEnumA(dwScope, dwType, dwUsage, pContainer, phEnum);
}

DWORD CNetworkCalls::EnumResource(HANDLE hEnum, DWORD* pnCount, void* pBuffer, DWORD* pcbBuffer) {
    return ::WNetEnumResourceA(hEnum, pnCount, pBuffer, pcbBuffer);
}

DWORD CNetworkCalls::CloseEnum(HANDLE hEnum) {
    return ::WNetCloseEnum(hEnum);
}

DWORD CNetworkCalls::AddConnection(const char* pszRemote, const char* pszPassword,
                                   const char* pszLocalName) {
    return ::WNetAddConnectionA(pszRemote, pszPassword, pszLocalName);
}

DWORD CNetworkCalls::CancelConnection(const char* pszName, bool bForce) {
    return ::WNetCancelConnectionA(pszName, bForce);
}

CNetworkCalls& GetNetworkCalls() {
    return g_pCalls ? *g_pCalls : g_systemCalls;
}

void SetNetworkCalls(CNetworkCalls* pCalls) {
    g_pCalls = pCalls;
}

DWORD CNetEnum::Open(NETRESOURCEA* pContainer) {
    Close();
    HANDLE hEnum = nullptr;
    DWORD dwResult =
        GetNetworkCalls().OpenEnum(RESOURCE_GLOBALNET, RESOURCETYPE_DISK, 0, pContainer, &hEnum);
    if (dwResult == NO_ERROR)
        m_hEnum = hEnum;
    return dwResult;
}

DWORD CNetEnum::Next(DWORD* pnCount, void* pBuffer, DWORD* pcbBuffer) {
    return GetNetworkCalls().EnumResource(m_hEnum, pnCount, pBuffer, pcbBuffer);
}

DWORD CNetEnum::Close() {
    if (!m_hEnum)
        return NO_ERROR;
    HANDLE hEnum = m_hEnum;
    m_hEnum = nullptr;
    return GetNetworkCalls().CloseEnum(hEnum);
}
