// A network for the tests, installed through the network seam: a tree of
// providers, domains, servers and shares that the enumeration calls list,
// and shares that accept the current credentials or want a password.
// Every call is recorded; passwords appear in the record only as "***"
// (right) or "bad" (wrong), so a test can tell them apart.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "NetworkCalls.h"

struct CFakeResource {
    DWORD dwDisplayType;
    DWORD dwUsage;
    std::string strRemote;   // null in the record when empty
    std::string strProvider; // null in the record when empty
    std::vector<CFakeResource> children;
};

CFakeResource FakeContainer(DWORD dwDisplayType, const char* pszRemote,
                            std::vector<CFakeResource> children = {});
CFakeResource FakeShare(const char* pszRemote);
CFakeResource FakeProvider(const char* pszProvider, std::vector<CFakeResource> children);

class CFakeNetwork : public CNetworkCalls {
public:
    CFakeNetwork() { SetNetworkCalls(this); }
    ~CFakeNetwork() override { SetNetworkCalls(nullptr); }
    CFakeNetwork(const CFakeNetwork&) = delete;
    CFakeNetwork& operator=(const CFakeNetwork&) = delete;

    DWORD OpenEnum(DWORD dwScope, DWORD dwType, DWORD dwUsage, NETRESOURCEA* pContainer,
                   HANDLE* phEnum) override;
    DWORD EnumResource(HANDLE hEnum, DWORD* pnCount, void* pBuffer, DWORD* pcbBuffer) override;
    DWORD CloseEnum(HANDLE hEnum) override;
    DWORD AddConnection(const char* pszRemote, const char* pszPassword,
                        const char* pszLocalName) override;
    DWORD CancelConnection(const char* pszName, bool bForce) override;

    // The whole network, as listed from the top.
    std::vector<CFakeResource> m_top;
    // Remote names whose listing cannot be opened, with the error.
    std::map<std::string, DWORD> m_openErrors;
    // Remote names whose listing answers success with no entries, every
    // time it is asked (up to 100 times, so a test fails rather than hangs),
    // and how often such an answer was given.
    std::set<std::string> m_emptyAnswers;
    int m_nEmptyAnswers = 0;
    // At most this many records per EnumResource call.
    DWORD m_nBatch = 1000;
    DWORD m_dwTopOpenResult = NO_ERROR;
    // Shares that want a password, with the password they take.
    std::map<std::string, std::string> m_passwords;
    // What a share without a password answers.
    DWORD m_dwConnectResult = NO_ERROR;

    std::vector<std::string> m_calls;
    int m_nOpenEnums = 0;

private:
    struct CEnumState {
        const std::vector<CFakeResource>* pList;
        size_t nNext;
        bool bOpen;
        bool bEmptyAnswers;
    };
    const CFakeResource* FindContainer(const std::vector<CFakeResource>& list,
                                       const NETRESOURCEA& container) const;

    std::vector<CEnumState> m_enums;
};
