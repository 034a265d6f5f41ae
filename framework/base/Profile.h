// The application's profile: named values in sections under one registry
// key of the current user, HKEY_CURRENT_USER\Software\<company>\<application>.
//
// Numbers are REG_DWORD, strings REG_SZ in the ANSI code page. Every access
// opens the root and the section and creates them when they are missing
// (Software itself is only opened), so even a read leaves the keys behind;
// a read never writes a value. A section may name nested keys with a
// backslash ("Settings\Window"). A missing value, or one of another type,
// reads as the caller's default; a failed write returns false and nothing
// else. Until SetRegistryKey has been called there is no root: reads yield
// the default and writes fail.
#pragma once

#include "RegKey.h"
#include "String.h"

class CProfile {
public:
    explicit CProfile(const char* pszAppName) : m_strAppName(pszAppName) {}
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    // The root becomes Software\<company>\<application name>. Nothing is
    // created until the first access.
    void SetRegistryKey(const char* pszCompany);
    bool HasRegistryKey() const { return !m_strRegistryKey.IsEmpty(); }
    const CString& GetAppName() const { return m_strAppName; }
    const CString& GetRegistryKey() const { return m_strRegistryKey; }

    int GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) const;
    bool WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue);
    CString GetProfileString(const char* pszSection, const char* pszEntry,
                             const char* pszDefault = "") const;
    // A null text deletes the entry; false when there was none to delete.
    bool WriteProfileString(const char* pszSection, const char* pszEntry, const char* pszValue);

private:
    // The section's key opened (created if need be) for reading and
    // writing; false when it cannot be.
    bool OpenSectionKey(const char* pszSection, CRegKey& section) const;

    CString m_strAppName;
    CString m_strRegistryKey; // company, empty until SetRegistryKey
};
