#include "SystemRegistry.h"

#include <cstring>

#include "FileTypes.h"
#include "Handle.h"
#include "PathText.h"
#include "RegKey.h"

namespace {

const char* const CLASSES_PREFIX = "Software\\CLASSES\\";
const char* const UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

bool IsEmptyText(const char* psz) {
    return psz == nullptr || *psz == '\0';
}

CString TypeOrDefault(const char* pszExt, const char* pszType) {
    return pszType != nullptr ? CString(pszType) : CString(pszExt) + "file";
}

// Creates or opens hRoot\pszKey with full access and sets its default value.
bool SetDefaultValue(HKEY hRoot, const char* pszKey, const char* pszValue) {
    CRegKey key;
    return key.Create(hRoot, pszKey, KEY_ALL_ACCESS) &&
           RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                          static_cast<DWORD>(std::strlen(pszValue) + 1)) == ERROR_SUCCESS;
}

bool KeyOpensForReading(HKEY hRoot, const char* pszKey) {
    CRegKey key;
    return key.Open(hRoot, pszKey, KEY_READ);
}

bool HasSubkey(HKEY hRoot, const char* pszKey) {
    CRegKey key;
    if (!key.Open(hRoot, pszKey, KEY_READ))
        return false;
    char szName[MAX_PATH];
    DWORD cchName = sizeof(szName);
    return RegEnumKeyExA(key, 0, szName, &cchName, nullptr, nullptr, nullptr, nullptr) !=
           ERROR_NO_MORE_ITEMS;
}

CString SettingsKey(const char* pszCompany, const char* pszTitle) {
    return CString("Software\\") + pszCompany + "\\" + pszTitle;
}

} // namespace

CString GetProgramPath() {
    char szPath[MAX_PATH] = {};
    DWORD nLength = GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    return nLength > 0 && nLength < MAX_PATH ? CString(szPath) : CString();
}

void MakeShortPath(char* pszPath) {
    // Walks from the last component to the first, looking each whole
    // prefix up; the double-byte rule keeps a trail byte 0x5C inside its
    // character.
    char szRest[MAX_PATH];
    lstrcpynA(szRest, pszPath, MAX_PATH);
    CString strTail;
    for (int nCut = FindBackslash(szRest, false); nCut >= 0; nCut = FindBackslash(szRest, false)) {
        WIN32_FIND_DATAA fd;
        if (CFindHandle(FindFirstFileA(szRest, &fd)).IsValid()) {
            const char* pszName = fd.cAlternateFileName[0] ? fd.cAlternateFileName : fd.cFileName;
            strTail = CString("\\") + pszName + strTail;
        }
        szRest[nCut] = '\0';
    }
    CString strShort = CString(szRest) + strTail;
    if (strShort.GetLength() < MAX_PATH)
        std::strcpy(pszPath, strShort);
}

bool CSystemRegistry::RegisterFileType(const char* pszExt, const char* pszType) {
    if (IsEmptyText(pszExt))
        return false;
    CString strType = TypeOrDefault(pszExt, pszType);
    if (!SetDefaultValue(HKEY_CLASSES_ROOT, CString(".") + pszExt, strType))
        return false;

    CString strProgram = GetProgramPath();
    char szShort[MAX_PATH];
    lstrcpynA(szShort, strProgram, MAX_PATH);
    MakeShortPath(szShort);
    if (!SetDefaultValue(HKEY_CLASSES_ROOT, strType + "\\shell\\open\\command",
                         CString(szShort) + " \"%1\""))
        return false;
    return SetDefaultValue(HKEY_CLASSES_ROOT, strType + "\\DefaultIcon", strProgram + ",1");
}

bool CSystemRegistry::UnregisterFileType(const char* pszExt, const char* pszType) {
    if (IsEmptyText(pszExt))
        return false;
    CString strType = TypeOrDefault(pszExt, pszType);
    char szClass[MAX_PATH];
    lstrcpynA(szClass, pszExt, MAX_PATH);
    if (!GetFileTypeClass(szClass) || std::strcmp(szClass, strType) != 0)
        return false;
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, CString(CLASSES_PREFIX) + "." + pszExt);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, CString(CLASSES_PREFIX) + strType);
    return true;
}

bool CSystemRegistry::WriteUninstallEntry(const char* pszTitle, const char* pszDisplayName,
                                          const char* pszArgument) {
    if (IsEmptyText(pszTitle))
        return false;
    CRegKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, CString(UNINSTALL_KEY) + pszTitle, KEY_ALL_ACCESS))
        return false;
    auto setText = [&key](const char* pszName, const char* pszValue) {
        return RegSetValueExA(key, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                              static_cast<DWORD>(std::strlen(pszValue) + 1)) == ERROR_SUCCESS;
    };
    return setText("DisplayName", pszDisplayName) &&
           setText("UninstallString", GetProgramPath() + " " + pszArgument);
}

bool CSystemRegistry::DeleteUninstallEntry(const char* pszTitle) {
    if (IsEmptyText(pszTitle))
        return false;
    CString strKey = CString(UNINSTALL_KEY) + pszTitle;
    if (!KeyOpensForReading(HKEY_LOCAL_MACHINE, strKey))
        return false;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, strKey);
    return true;
}

bool CSystemRegistry::DeleteSettingsTree(const char* pszCompany, const char* pszTitle) {
    if (IsEmptyText(pszTitle) || IsEmptyText(pszCompany))
        return false;
    CString strKey = SettingsKey(pszCompany, pszTitle);
    if (!KeyOpensForReading(HKEY_CURRENT_USER, strKey))
        return false;
    RegDeleteTreeA(HKEY_CURRENT_USER, strKey);
    // The company key stays while another program of ours keeps its
    // settings under it.
    CString strCompanyKey = CString("Software\\") + pszCompany;
    if (!HasSubkey(HKEY_CURRENT_USER, strCompanyKey))
        RegDeleteKeyA(HKEY_CURRENT_USER, strCompanyKey);
    return true;
}

bool CSystemRegistry::IsSettingsTreePresent(const char* pszCompany, const char* pszTitle) {
    if (IsEmptyText(pszTitle) || IsEmptyText(pszCompany))
        return false;
    return KeyOpensForReading(HKEY_CURRENT_USER, SettingsKey(pszCompany, pszTitle));
}
