// The most recently used files, newest first, kept in the profile as one
// value per file: "File1" is the newest. The list holds at most GetSize()
// names and never an empty one or the same file twice.
#pragma once

#include <vector>

#include "String.h"

class CProfile;

class CRecentFileList {
public:
    // pszEntryFormat is a printf format with one %d, numbered from 1.
    CRecentFileList(const char* pszSection, const char* pszEntryFormat, int nSize);

    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_names.size()); }
    // The name at nIndex (0 = newest); empty past the end.
    CString GetAt(int nIndex) const;

    // Puts the file first; the same file further down moves up (compared
    // without regard to letter case, as the file system does) and the
    // oldest falls off a full list. An empty name changes nothing.
    void Add(const char* pszPathName);
    void Remove(int nIndex);

    // Reads the stored entries in order; empty or missing ones are skipped.
    void ReadList(const CProfile& profile);
    // Writes the names as entries 1 to GetCount() and deletes the entries
    // beyond them, so a shorter list leaves no stale names behind.
    void WriteList(CProfile& profile) const;

private:
    CString EntryName(int nIndex) const;

    CString m_strSection;
    CString m_strEntryFormat;
    int m_nSize;
    std::vector<CString> m_names;
};
