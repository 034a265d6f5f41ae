// The program's entries in the system registry: the association of its
// data file extension, the Add/Remove Programs entry and the removal of its
// settings key. Every operation reports failure by its result only.
//
// The classes store is written through HKEY_CLASSES_ROOT and read and
// deleted as HKEY_LOCAL_MACHINE\Software\CLASSES, which the system maps onto
// the same keys.
#pragma once

#include "String.h"

class CSystemRegistry {
public:
    // ".<ext>" names the type (null: ext + "file"); the type's open command
    // is the program's short path followed by " \"%1\"" and its icon is icon
    // 1 of the program file. Whatever another program had put there is
    // overwritten. A failed step keeps the steps before it.
    bool RegisterFileType(const char* pszExt, const char* pszType);
    // Deletes ".<ext>" and the type key with all they hold, but only when
    // ".<ext>" still names this type (byte for byte); an association taken
    // over by another program is left alone and gives false.
    bool UnregisterFileType(const char* pszExt, const char* pszType);

    // HKLM ...\Uninstall\<title>: DisplayName and UninstallString, the
    // program's long path, a blank and the argument, unquoted.
    bool WriteUninstallEntry(const char* pszTitle, const char* pszDisplayName,
                             const char* pszArgument);
    // True when the entry existed.
    bool DeleteUninstallEntry(const char* pszTitle);

    // Deletes HKCU\Software\<company>\<title> with everything under it, and
    // the company key too once no other subkey is left in it. True when the
    // settings key existed.
    bool DeleteSettingsTree(const char* pszCompany, const char* pszTitle);
    bool IsSettingsTreePresent(const char* pszCompany, const char* pszTitle);
};

// Rewrites a full path in place (a buffer of MAX_PATH bytes) into its short
// form, component by component as the file system reports them. A component
// that cannot be found is dropped; a result that would not fit leaves the
// path unchanged.
void MakeShortPath(char* pszPath);

// The running program's own full path, as the system reports it.
CString GetProgramPath();
