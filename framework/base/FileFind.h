// Enumerates the entries of a folder that match a pattern.
//
//   CFileFind finder;
//   BOOL bMore = finder.FindFile("D:\\data\\*.*");
//   while (bMore) {
//       bMore = finder.FindNextFile();   // before each entry is used
//       if (!finder.IsNameExact()) ...   // the name cannot be joined into a path
//       ... finder.GetFileName() ...
//   }
//
// Names are read as the file system stores them (UTF-16) and only then put
// into the code page. A name with a character the code page lacks (é, the
// yen sign, Hangul, an emoji) cannot be reached through a path of the
// code page at all: the system's own conversion would turn it into a
// look-alike (é as e, the yen sign as a backslash) or a "?", and so into
// another file, or a path that climbs out of its folder. Every walk asks
// IsNameExact() before it joins a name to its folder.
#pragma once

#include <string>

#include "Handle.h"
#include "String.h"

// The rule for links: an entry with the reparse attribute whose tag is a
// name surrogate (junctions, symbolic links, mount points) or that has no
// tag (wine gives its symbolic links none). A reparse point of any other
// tag (a deduplicated file, a cloud placeholder) holds its own data.
bool IsLinkReparsePoint(DWORD dwAttributes, DWORD dwReparseTag);

class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() { Close(); }

    // Starts a search; false when nothing matches or the folder cannot be
    // read (the system's last error says why). A pattern of MAX_PATH bytes
    // or more is refused, as the system's ANSI search refuses it.
    bool FindFile(const char* pszName = "*.*");
    // Makes the next entry current; false when the current one is the last.
    bool FindNextFile();
    void Close();

    // The entry's name in the code page; where the code page lacks a
    // character of it, a "?" stands in its place (see IsNameExact).
    CString GetFileName() const { return m_strName; }
    // True when the code page holds the name exactly, so that the name
    // joined to its folder leads back to this entry and to no other.
    bool IsNameExact() const { return m_bExact; }
    // The name as the file system stores it.
    const wchar_t* GetWideFileName() const { return m_found.cFileName; }
    // The folder part of the pattern followed by the entry's name.
    CString GetFilePath() const { return m_strRoot + m_strName; }
    DWORD GetAttributes() const { return m_found.dwFileAttributes; }
    bool IsDirectory() const { return HasAttribute(FILE_ATTRIBUTE_DIRECTORY); }
    bool IsDots() const;
    bool IsHidden() const { return HasAttribute(FILE_ATTRIBUTE_HIDDEN); }
    bool IsSystem() const { return HasAttribute(FILE_ATTRIBUTE_SYSTEM); }
    bool IsReadOnly() const { return HasAttribute(FILE_ATTRIBUTE_READONLY); }
    // A junction or a symbolic link to a folder, which a walk must not
    // follow: it may lead back to a folder above it, and the walk would
    // never end. Other reparse points (files kept in the cloud, say) are
    // real folders.
    bool IsFolderLink() const;
    // A link of either kind, to a folder or to a file (IsLinkReparsePoint).
    bool IsLink() const;
    ULONGLONG GetLength() const;
    FILETIME GetCreationTime() const { return m_found.ftCreationTime; }
    FILETIME GetLastWriteTime() const { return m_found.ftLastWriteTime; }

private:
    bool HasAttribute(DWORD dwAttribute) const {
        return (m_found.dwFileAttributes & dwAttribute) != 0;
    }

    CFindHandle m_hFind;
    WIN32_FIND_DATAW m_next = {};
    WIN32_FIND_DATAW m_found = {};
    bool m_bHaveNext = false;
    CString m_strRoot;
    CString m_strName;
    bool m_bExact = false;
    std::string m_strBuffer; // reused for each name's conversion
};
