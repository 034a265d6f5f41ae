// The one owner of an open registry key: it closes the key when it goes, so
// no path forgets the close or makes it twice.
//
//     CRegKey key;
//     if (!key.Open(HKEY_CURRENT_USER, "Software\\...", KEY_READ))
//         return false;
//     RegQueryValueExA(key, ...); // closed at the end of the scope
#pragma once

#include "Types.h"

class CRegKey {
public:
    CRegKey() = default;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    ~CRegKey() { Close(); }

    operator HKEY() const { return m_hKey; }
    bool IsOpen() const { return m_hKey != nullptr; }

    // Opens hParent\pszName (the key held is closed first); false, with no
    // key held, when the system refuses.
    bool Open(HKEY hParent, const char* pszName, REGSAM samDesired);
    // Opens or creates it.
    bool Create(HKEY hParent, const char* pszName, REGSAM samDesired);
    void Close();

private:
    HKEY m_hKey = nullptr;
};
