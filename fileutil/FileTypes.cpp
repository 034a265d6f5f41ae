#include "FileTypes.h"

#include <cstring>

#include "RegKey.h"

namespace {

const char* const CLASSES_PREFIX = "Software\\CLASSES\\";

} // namespace

bool ReadDefaultValue(HKEY hRoot, const char* pszKey, char* pszOut) {
    CRegKey key;
    if (!key.Open(hRoot, pszKey, KEY_READ))
        return false;
    char szValue[MAX_PATH + 1] = {};
    DWORD cbValue = MAX_PATH;
    DWORD dwType = 0;
    LONG lResult = RegQueryValueExA(key, nullptr, nullptr, &dwType,
                                    reinterpret_cast<BYTE*>(szValue), &cbValue);
    // A value of exactly MAX_PATH bytes may come without a terminator: it
    // fits szValue, but not with one in the caller's MAX_PATH buffer.
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ || std::strlen(szValue) >= MAX_PATH)
        return false;
    std::strcpy(pszOut, szValue);
    return true;
}

bool GetFileTypeClass(char* szExt) {
    if (szExt == nullptr || *szExt == '\0')
        return false;
    return ReadDefaultValue(HKEY_LOCAL_MACHINE, CString(CLASSES_PREFIX) + "." + szExt, szExt);
}

CString GetFileTypeName(const char* pszExt) {
    char szName[MAX_PATH];
    lstrcpynA(szName, pszExt != nullptr ? pszExt : "", MAX_PATH);
    if (!GetFileTypeClass(szName))
        return CString(pszExt) + " ファイル";
    // The type's display name, when it has one, replaces the type name.
    ReadDefaultValue(HKEY_LOCAL_MACHINE, CString(CLASSES_PREFIX) + szName, szName);
    return szName;
}
