#include "IconSource.h"

#include <windows.h>

#include <cstring>

#include "PathText.h"

namespace {

// The shell takes these types' icons from each file whatever the registry
// says (and some systems register nothing for them).
const char* const OWN_ICON_TYPES[] = {".exe", ".lnk", ".ico", ".cur", ".ani"};

// The text of HKEY_CLASSES_ROOT\strKey's default value; empty when there is
// none.
CString ReadClassValue(const CString& strKey) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, strKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return CString();
    char szValue[MAX_PATH + 1] = {};
    DWORD cbValue = MAX_PATH;
    DWORD dwType = 0;
    LONG lResult = ::RegQueryValueExA(hKey, nullptr, nullptr, &dwType,
                                      reinterpret_cast<BYTE*>(szValue), &cbValue);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
        return CString();
    return CString(szValue);
}

bool ClassKeyExists(const CString& strKey) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, strKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

// A class (an extension's key or the type it names) whose icon depends on
// the file: "%1" in its icon, or an icon handler that asks each file.
bool ClassHasIconPerFile(const CString& strClass) {
    return std::strstr(ReadClassValue(strClass + "\\DefaultIcon"), "%1") != nullptr ||
           ClassKeyExists(strClass + "\\shellex\\IconHandler");
}

} // namespace

bool HasIconOfItsOwn(const char* pszPath) {
    // '.' is never the second byte of a double-byte character, so the last
    // one of the name starts its extension.
    CString strName = GetLastComponent(CString(pszPath));
    const char* pszDot = std::strrchr(strName, '.');
    if (!pszDot || !pszDot[1])
        return false;
    CString strExtension = pszDot;
    for (const char* pszType : OWN_ICON_TYPES)
        if (::lstrcmpiA(strExtension, pszType) == 0)
            return true;
    if (ClassHasIconPerFile(strExtension))
        return true;
    CString strType = ReadClassValue(strExtension);
    return !strType.IsEmpty() && ClassHasIconPerFile(strType);
}
