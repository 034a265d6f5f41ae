#include "FakeNetwork.h"

#include <cstring>

CFakeResource FakeContainer(DWORD dwDisplayType, const char* pszRemote,
                            std::vector<CFakeResource> children) {
    return {dwDisplayType, RESOURCEUSAGE_CONTAINER, pszRemote, "", std::move(children)};
}

CFakeResource FakeShare(const char* pszRemote) {
    return {RESOURCEDISPLAYTYPE_SHARE, RESOURCEUSAGE_CONNECTABLE, pszRemote, "", {}};
}

CFakeResource FakeProvider(const char* pszProvider, std::vector<CFakeResource> children) {
    return {RESOURCEDISPLAYTYPE_NETWORK, RESOURCEUSAGE_CONTAINER, "", pszProvider,
            std::move(children)};
}

namespace {

// The key that leads back from a listed record to its resource: the
// record's comment holds it.
std::string KeyOf(const CFakeResource& resource) {
    return resource.strProvider + "|" + resource.strRemote;
}

} // namespace

const CFakeResource* CFakeNetwork::FindContainer(const std::vector<CFakeResource>& list,
                                                 const NETRESOURCEA& container) const {
    for (const CFakeResource& resource : list) {
        if (container.lpComment && KeyOf(resource) == container.lpComment)
            return &resource;
        if (const CFakeResource* pFound = FindContainer(resource.children, container))
            return pFound;
    }
    return nullptr;
}

DWORD CFakeNetwork::OpenEnum(DWORD, DWORD, DWORD, NETRESOURCEA* pContainer, HANDLE* phEnum) {
    const std::vector<CFakeResource>* pList = &m_top;
    bool bEmptyAnswers = false;
    if (!pContainer) {
        m_calls.push_back("open top");
        if (m_dwTopOpenResult != NO_ERROR)
            return m_dwTopOpenResult;
    } else {
        const CFakeResource* pResource = FindContainer(m_top, *pContainer);
        if (!pResource)
            return ERROR_INVALID_PARAMETER;
        m_calls.push_back("open " + KeyOf(*pResource));
        auto error = m_openErrors.find(pResource->strRemote);
        if (error != m_openErrors.end())
            return error->second;
        pList = &pResource->children;
        bEmptyAnswers = m_emptyAnswers.count(pResource->strRemote) > 0;
    }
    m_enums.push_back({pList, 0, true, bEmptyAnswers});
    ++m_nOpenEnums;
    *phEnum = reinterpret_cast<HANDLE>(m_enums.size());
    return NO_ERROR;
}

DWORD CFakeNetwork::EnumResource(HANDLE hEnum, DWORD* pnCount, void* pBuffer, DWORD* pcbBuffer) {
    CEnumState& state = m_enums.at(reinterpret_cast<size_t>(hEnum) - 1);
    if (!state.bOpen)
        return ERROR_INVALID_HANDLE;
    if (state.bEmptyAnswers && m_nEmptyAnswers < 100) {
        ++m_nEmptyAnswers;
        *pnCount = 0;
        return NO_ERROR;
    }
    if (state.nNext >= state.pList->size())
        return ERROR_NO_MORE_ITEMS;
    // Records from the front of the buffer, their strings from the back.
    auto* pRecords = static_cast<NETRESOURCEA*>(pBuffer);
    char* pStrings = static_cast<char*>(pBuffer) + *pcbBuffer;
    auto place = [&](const std::string& str) -> char* {
        pStrings -= str.size() + 1;
        std::memcpy(pStrings, str.c_str(), str.size() + 1);
        return pStrings;
    };
    DWORD nWanted = *pnCount;
    DWORD nCount = 0;
    while (nCount < nWanted && nCount < m_nBatch && state.nNext < state.pList->size()) {
        const CFakeResource& resource = (*state.pList)[state.nNext++];
        NETRESOURCEA& record = pRecords[nCount++];
        record = {};
        record.dwScope = RESOURCE_GLOBALNET;
        record.dwType = RESOURCETYPE_DISK;
        record.dwDisplayType = resource.dwDisplayType;
        record.dwUsage = resource.dwUsage;
        record.lpRemoteName = resource.strRemote.empty() ? nullptr : place(resource.strRemote);
        record.lpProvider = resource.strProvider.empty() ? nullptr : place(resource.strProvider);
        record.lpComment = place(KeyOf(resource));
    }
    *pnCount = nCount;
    return NO_ERROR;
}

DWORD CFakeNetwork::CloseEnum(HANDLE hEnum) {
    CEnumState& state = m_enums.at(reinterpret_cast<size_t>(hEnum) - 1);
    if (!state.bOpen)
        return ERROR_INVALID_HANDLE;
    state.bOpen = false;
    --m_nOpenEnums;
    return NO_ERROR;
}

DWORD CFakeNetwork::AddConnection(const char* pszRemote, const char* pszPassword,
                                  const char* pszLocalName) {
    auto wanted = m_passwords.find(pszRemote);
    std::string strPassword = !pszPassword ? "none"
                              : wanted != m_passwords.end() && wanted->second == pszPassword
                                  ? "***"
                                  : "bad";
    m_calls.push_back(std::string("add ") + pszRemote + " " + strPassword +
                      (pszLocalName ? " local" : ""));
    if (wanted == m_passwords.end())
        return m_dwConnectResult;
    return strPassword == "***" ? NO_ERROR : ERROR_INVALID_PASSWORD;
}

DWORD CFakeNetwork::CancelConnection(const char* pszName, bool bForce) {
    m_calls.push_back(std::string("cancel ") + pszName + (bForce ? " forced" : ""));
    return NO_ERROR;
}
