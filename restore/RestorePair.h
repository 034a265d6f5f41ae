// The data of the restore list and of a restore run.
#pragma once

#include "Object.h"
#include "String.h"

class CIconEntry;

// The item data of one restore-list row, owned by the row.
struct RestoreItem {
    CString m_strPath;             // exact (ExactText.h); the row shows it in the code page
    int m_nKind = 0;               // GetPathKind of the path when the row was added
    CIconEntry* m_pIcon = nullptr; // a file's shell icon (the view's cache owns it)
};

// One work item of a restore: a path inside the destination and where it
// goes back to ("" when no source folder takes it), with the source folder
// the target lies in as the spare folder of its copies: one whose target
// folder leaves no room for a staging name is staged there.
class CRestorePair : public CObject {
public:
    CRestorePair(const char* pszFrom, const char* pszTo, const char* pszSpare = "")
        : m_strFrom(pszFrom), m_strTo(pszTo), m_strSpare(pszSpare) {}

    CString m_strFrom;
    CString m_strTo;
    CString m_strSpare;
};
