// The entries of one folder, listed once and looked up by name as the file
// system looks names up: letter case ignored (an entry of exactly the
// name asked for wins over one that differs in case only). Entries keep
// the names the file system stores, so a name of the code page finds only
// the entry it opens, never one that the ANSI listing would give as its
// look-alike (résumé.txt listed as resume.txt). The walks look
// up the mirror file of every source file, and the source file of every
// mirror file, here instead of asking the file system name by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FileFacts.h"

class CFolderListing {
public:
    // Lists the folder's entries ("." and ".." left out). False, with the
    // listing empty and the system's last error set, when the folder
    // cannot be listed; an empty folder lists as true.
    bool List(const char* pszFolder);
    void Clear();

    // The facts of the entry of that name (a folder's too: its attributes
    // say so), or nullptr when there is none.
    const CFileFacts* Find(const char* pszName) const;

    size_t GetCount() const { return m_entries.size(); }

private:
    struct CEntry {
        uint32_t nNameStart; // in m_names, UTF-16
        uint32_t nNameLength;
        CFileFacts facts;
    };

    int CompareIgnoringCase(const CEntry& entry, const wchar_t* pszName, int nLength) const;

    std::vector<CEntry> m_entries; // sorted by name, letter case ignored
    std::wstring m_names;
};
