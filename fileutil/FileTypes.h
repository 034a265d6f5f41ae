// The file types the system's classes store knows: which type an extension
// is registered to, and the name a user reads for it. Read as
// HKEY_LOCAL_MACHINE\Software\CLASSES, which the system maps onto the keys
// written through HKEY_CLASSES_ROOT.
#pragma once

#include "String.h"
#include "Types.h"

// Reads the default value of hRoot\pszKey into a MAX_PATH buffer; the
// buffer is left alone on failure.
bool ReadDefaultValue(HKEY hRoot, const char* pszKey, char* pszOut);

// szExt holds an extension without period (a buffer of MAX_PATH bytes) and
// receives the type it is registered to; unchanged when there is none.
bool GetFileTypeClass(char* szExt);

// The type's display name; the type name when it has none; ext + " ファイル"
// for an extension without a type.
CString GetFileTypeName(const char* pszExt);
