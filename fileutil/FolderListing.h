// The entries of one folder, listed once and looked up by name as the file
// system looks names up: letter case ignored (an entry of exactly the
// name asked for wins over one that differs in case only). Entries keep
// the names the file system stores, so a name of the code page finds only
// the entry it opens, never one that the ANSI listing would give as its
// look-alike (résumé.txt listed as resume.txt). The walks look
// up the mirror file of every source file, and the source file of every
// mirror file, here instead of asking the file system name by name, and
// go through the entries in the order the file system listed them, so a
// folder is listed once for both.
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
    // The place in listing order of that entry, or NONE.
    static constexpr size_t NONE = static_cast<size_t>(-1);
    size_t IndexOf(const char* pszName) const;

    // The entries in listing order, as CFileFind gives them: the exact
    // name text (ExactText.h), whether a path can reach it, the facts, and
    // whether it is a link to a folder that no walk follows.
    size_t GetCount() const { return m_entries.size(); }
    const char* GetName(size_t nIndex) const {
        return m_texts.data() + m_entries[nIndex].nTextStart;
    }
    bool IsNameReachable(size_t nIndex) const { return m_entries[nIndex].bReachable; }
    bool IsFolderLink(size_t nIndex) const { return m_entries[nIndex].bFolderLink; }
    bool IsDirectory(size_t nIndex) const {
        return (m_entries[nIndex].facts.dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    const CFileFacts& GetFacts(size_t nIndex) const { return m_entries[nIndex].facts; }

private:
    struct CEntry {
        uint32_t nNameStart; // in m_names, UTF-16
        uint32_t nNameLength;
        uint32_t nTextStart; // in m_texts, ended by a NUL
        bool bReachable;
        bool bFolderLink;
        CFileFacts facts;
    };

    int CompareIgnoringCase(const CEntry& entry, const wchar_t* pszName, int nLength) const;

    std::vector<CEntry> m_entries;  // in listing order
    std::vector<uint32_t> m_sorted; // m_entries by name, letter case ignored
    std::wstring m_names;
    std::string m_texts;
};
