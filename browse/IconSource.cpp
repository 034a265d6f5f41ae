#include "IconSource.h"

#include <windows.h>

#include <cstring>

#include "PathText.h"
#include "RegKey.h"

namespace {

// The shell takes these types' icons from each file whatever the registry
// says (and some systems register nothing for them).
const char* const OWN_ICON_TYPES[] = {".exe", ".lnk", ".ico", ".cur", ".ani"};

// The text of HKEY_CLASSES_ROOT\strKey's default value; empty when there is
// none.
CString ReadClassValue(const CString& strKey) {
    CRegKey key;
    if (!key.Open(HKEY_CLASSES_ROOT, strKey, KEY_QUERY_VALUE))
        return CString();
    char szValue[MAX_PATH + 1] = {};
    DWORD cbValue = MAX_PATH;
    DWORD dwType = 0;
    LONG lResult = ::RegQueryValueExA(key, nullptr, nullptr, &dwType,
                                      reinterpret_cast<BYTE*>(szValue), &cbValue);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
        return CString();
    return CString(szValue);
}

bool ClassKeyExists(const CString& strKey) {
    CRegKey key;
    return key.Open(HKEY_CLASSES_ROOT, strKey, KEY_QUERY_VALUE);
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
