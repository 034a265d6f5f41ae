#include "Profile.h"

#include <vector>

namespace {

// Opens or creates pszName under hParent; closes hParent either way.
HKEY CreateChildKey(HKEY hParent, const char* pszName) {
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    LONG lResult = RegCreateKeyExA(hParent, pszName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_READ | KEY_WRITE, nullptr, &hKey, &dwDisposition);
    RegCloseKey(hParent);
    return lResult == ERROR_SUCCESS ? hKey : nullptr;
}

bool IsUsableName(const char* psz) {
    return psz != nullptr && *psz != '\0';
}

} // namespace

void CProfile::SetRegistryKey(const char* pszCompany) {
    m_strRegistryKey = pszCompany;
}

HKEY CProfile::OpenSectionKey(const char* pszSection) const {
    if (!HasRegistryKey() || m_strAppName.IsEmpty() || !IsUsableName(pszSection))
        return nullptr;
    // Software belongs to the system: it is opened, never created.
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ | KEY_WRITE, &hKey) !=
        ERROR_SUCCESS)
        return nullptr;
    hKey = CreateChildKey(hKey, m_strRegistryKey);
    if (hKey != nullptr)
        hKey = CreateChildKey(hKey, m_strAppName);
    if (hKey != nullptr)
        hKey = CreateChildKey(hKey, pszSection);
    return hKey;
}

int CProfile::GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) const {
    if (!IsUsableName(pszEntry))
        return nDefault;
    HKEY hKey = OpenSectionKey(pszSection);
    if (hKey == nullptr)
        return nDefault;
    DWORD dwType = 0;
    DWORD dwValue = 0;
    DWORD cbValue = sizeof(dwValue);
    LONG lResult = RegQueryValueExA(hKey, pszEntry, nullptr, &dwType,
                                    reinterpret_cast<BYTE*>(&dwValue), &cbValue);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || cbValue != sizeof(dwValue))
        return nDefault;
    return static_cast<int>(dwValue);
}

bool CProfile::WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue) {
    if (!IsUsableName(pszEntry))
        return false;
    HKEY hKey = OpenSectionKey(pszSection);
    if (hKey == nullptr)
        return false;
    DWORD dwValue = static_cast<DWORD>(nValue);
    LONG lResult = RegSetValueExA(hKey, pszEntry, 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

CString CProfile::GetProfileString(const char* pszSection, const char* pszEntry,
                                   const char* pszDefault) const {
    if (!IsUsableName(pszEntry))
        return pszDefault;
    HKEY hKey = OpenSectionKey(pszSection);
    if (hKey == nullptr)
        return pszDefault;
    // Size first, then the text; one byte more so the text always ends in a
    // zero even when the stored data did not.
    DWORD dwType = 0;
    DWORD cbValue = 0;
    LONG lResult = RegQueryValueExA(hKey, pszEntry, nullptr, &dwType, nullptr, &cbValue);
    std::vector<char> buffer;
    if (lResult == ERROR_SUCCESS && dwType == REG_SZ) {
        buffer.assign(cbValue + 1, '\0');
        lResult = RegQueryValueExA(hKey, pszEntry, nullptr, &dwType,
                                   reinterpret_cast<BYTE*>(buffer.data()), &cbValue);
    }
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ || buffer.empty())
        return pszDefault;
    return CString(buffer.data());
}

bool CProfile::WriteProfileString(const char* pszSection, const char* pszEntry,
                                  const char* pszValue) {
    if (!IsUsableName(pszEntry))
        return false;
    HKEY hKey = OpenSectionKey(pszSection);
    if (hKey == nullptr)
        return false;
    LONG lResult;
    if (pszValue == nullptr)
        lResult = RegDeleteValueA(hKey, pszEntry);
    else
        lResult = RegSetValueExA(hKey, pszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                                 static_cast<DWORD>(lstrlenA(pszValue) + 1));
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}
