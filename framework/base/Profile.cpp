#include "Profile.h"

#include <vector>

namespace {

const REGSAM SECTION_ACCESS = KEY_READ | KEY_WRITE;

bool IsUsableName(const char* psz) {
    return psz != nullptr && *psz != '\0';
}

} // namespace

void CProfile::SetRegistryKey(const char* pszCompany) {
    m_strRegistryKey = pszCompany;
}

bool CProfile::OpenSectionKey(const char* pszSection, CRegKey& section) const {
    if (!HasRegistryKey() || m_strAppName.IsEmpty() || !IsUsableName(pszSection))
        return false;
    // Software belongs to the system: it is opened, never created.
    CRegKey software, company, app;
    return software.Open(HKEY_CURRENT_USER, "Software", SECTION_ACCESS) &&
           company.Create(software, m_strRegistryKey, SECTION_ACCESS) &&
           app.Create(company, m_strAppName, SECTION_ACCESS) &&
           section.Create(app, pszSection, SECTION_ACCESS);
}

int CProfile::GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) const {
    if (!IsUsableName(pszEntry))
        return nDefault;
    CRegKey hKey;
    if (!OpenSectionKey(pszSection, hKey))
        return nDefault;
    DWORD dwType = 0;
    DWORD dwValue = 0;
    DWORD cbValue = sizeof(dwValue);
    LONG lResult = RegQueryValueExA(hKey, pszEntry, nullptr, &dwType,
                                    reinterpret_cast<BYTE*>(&dwValue), &cbValue);
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || cbValue != sizeof(dwValue))
        return nDefault;
    return static_cast<int>(dwValue);
}

bool CProfile::WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue) {
    if (!IsUsableName(pszEntry))
        return false;
    CRegKey hKey;
    if (!OpenSectionKey(pszSection, hKey))
        return false;
    DWORD dwValue = static_cast<DWORD>(nValue);
    LONG lResult = RegSetValueExA(hKey, pszEntry, 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    return lResult == ERROR_SUCCESS;
}

CString CProfile::GetProfileString(const char* pszSection, const char* pszEntry,
                                   const char* pszDefault) const {
    if (!IsUsableName(pszEntry))
        return pszDefault;
    CRegKey hKey;
    if (!OpenSectionKey(pszSection, hKey))
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
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ || buffer.empty())
        return pszDefault;
    return CString(buffer.data());
}

bool CProfile::WriteProfileString(const char* pszSection, const char* pszEntry,
                                  const char* pszValue) {
    if (!IsUsableName(pszEntry))
        return false;
    CRegKey hKey;
    if (!OpenSectionKey(pszSection, hKey))
        return false;
    LONG lResult;
    if (pszValue == nullptr)
        lResult = RegDeleteValueA(hKey, pszEntry);
    else
        lResult = RegSetValueExA(hKey, pszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                                 static_cast<DWORD>(lstrlenA(pszValue) + 1));
    return lResult == ERROR_SUCCESS;
}
