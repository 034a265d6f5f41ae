// Reading the registry behind the code's back, and keys of the tests' own
// that no other test run touches.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

#include "String.h"

// The raw bytes of a value (trailing zero included) and its type; false
// when the key or the value is missing.
inline bool ReadRawValue(HKEY hRoot, const char* pszKey, const char* pszName, std::string& data,
                         DWORD& dwType) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD cb = 0;
    LONG lResult = RegQueryValueExA(hKey, pszName, nullptr, &dwType, nullptr, &cb);
    if (lResult == ERROR_SUCCESS) {
        data.assign(cb, '\0');
        lResult = RegQueryValueExA(hKey, pszName, nullptr, &dwType,
                                   reinterpret_cast<BYTE*>(&data[0]), &cb);
        data.resize(cb);
    }
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

// A REG_SZ value as text; "<missing>" or "<type n>" when it is not one.
inline std::string ReadText(HKEY hRoot, const char* pszKey, const char* pszName) {
    std::string data;
    DWORD dwType = 0;
    if (!ReadRawValue(hRoot, pszKey, pszName, data, dwType))
        return "<missing>";
    if (dwType != REG_SZ)
        return "<type " + std::to_string(dwType) + ">";
    return data.c_str();
}

// A REG_DWORD value; -1 when it is missing or not one.
inline long long ReadNumber(HKEY hRoot, const char* pszKey, const char* pszName) {
    std::string data;
    DWORD dwType = 0;
    if (!ReadRawValue(hRoot, pszKey, pszName, data, dwType) || dwType != REG_DWORD ||
        data.size() != sizeof(DWORD))
        return -1;
    DWORD dwValue = 0;
    std::memcpy(&dwValue, data.data(), sizeof dwValue);
    return dwValue;
}

inline bool KeyExists(HKEY hRoot, const char* pszKey) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

// Number of values and of subkeys of a key; -1 when it does not open.
inline int CountValues(HKEY hRoot, const char* pszKey) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return -1;
    DWORD nValues = 0;
    RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &nValues, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(hKey);
    return static_cast<int>(nValues);
}

inline int CountSubkeys(HKEY hRoot, const char* pszKey) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return -1;
    DWORD nSubkeys = 0;
    RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &nSubkeys, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(hKey);
    return static_cast<int>(nSubkeys);
}

inline void SetText(HKEY hRoot, const char* pszKey, const char* pszName, const char* pszValue) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(hRoot, pszKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                   static_cast<DWORD>(lstrlenA(pszValue) + 1));
    RegCloseKey(hKey);
}

inline void SetNumber(HKEY hRoot, const char* pszKey, const char* pszName, DWORD dwValue) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(hRoot, pszKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                   sizeof dwValue);
    RegCloseKey(hKey);
}

// A company name no other test (of this or another process) uses.
inline CString UniqueCompany(const char* pszTest) {
    static int s_nNext = 0;
    CString str;
    str.Format("mrqtest %s %lu %d", pszTest, GetCurrentProcessId(), ++s_nNext);
    return str;
}

// Removes HKCU\Software\<company> with everything under it.
inline void DeleteCompany(const char* pszCompany) {
    RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\") + pszCompany);
}
