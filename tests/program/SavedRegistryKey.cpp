#include "SavedRegistryKey.h"

namespace {

// Where the copies wait, apart from every key the program uses.
const char* const COPIES_KEY = "Software\\mrq program tests";

// Copies hFromRoot\strFrom with everything under it to hToRoot\strTo.
bool CopyKey(HKEY hFromRoot, const std::string& strFrom, HKEY hToRoot, const std::string& strTo) {
    HKEY hFrom = nullptr;
    if (::RegOpenKeyExA(hFromRoot, strFrom.c_str(), 0, KEY_READ, &hFrom) != ERROR_SUCCESS)
        return false;
    HKEY hTo = nullptr;
    bool bCopied = false;
    if (::RegCreateKeyExA(hToRoot, strTo.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hTo,
                          nullptr) == ERROR_SUCCESS) {
        bCopied = ::RegCopyTreeA(hFrom, nullptr, hTo) == ERROR_SUCCESS;
        ::RegCloseKey(hTo);
    }
    ::RegCloseKey(hFrom);
    return bCopied;
}

std::string NewCopyName() {
    static int s_nNext = 0;
    return std::string(COPIES_KEY) + "\\" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(++s_nNext);
}

} // namespace

CSavedRegistryKey::CSavedRegistryKey(HKEY hRoot, const std::string& strKey)
    : m_hRoot(hRoot), m_strKey(strKey) {
    std::string strCopy = NewCopyName();
    if (CopyKey(m_hRoot, m_strKey, HKEY_CURRENT_USER, strCopy))
        m_strCopy = strCopy;
}

CSavedRegistryKey::~CSavedRegistryKey() {
    ::RegDeleteTreeA(m_hRoot, m_strKey.c_str());
    if (m_strCopy.empty())
        return;
    CopyKey(HKEY_CURRENT_USER, m_strCopy, m_hRoot, m_strKey);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, m_strCopy.c_str());
    // Fails while another copy still waits there, as it should.
    ::RegDeleteKeyA(HKEY_CURRENT_USER, COPIES_KEY);
}
