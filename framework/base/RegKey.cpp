#include "RegKey.h"

bool CRegKey::Open(HKEY hParent, const char* pszName, REGSAM samDesired) {
    Close();
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hParent, pszName, 0, samDesired, &hKey) != ERROR_SUCCESS)
        return false;
    m_hKey = hKey;
    return true;
}

bool CRegKey::Create(HKEY hParent, const char* pszName, REGSAM samDesired) {
    Close();
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    if (RegCreateKeyExA(hParent, pszName, 0, nullptr, REG_OPTION_NON_VOLATILE, samDesired, nullptr,
                        &hKey, &dwDisposition) != ERROR_SUCCESS)
        return false;
    m_hKey = hKey;
    return true;
}

void CRegKey::Close() {
    if (m_hKey)
        RegCloseKey(m_hKey);
    m_hKey = nullptr;
}
