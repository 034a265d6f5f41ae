// Enumerates the entries of a folder that match a pattern.
//
//   CFileFind finder;
//   BOOL bMore = finder.FindFile("D:\\data\\*.*");
//   while (bMore) {
//       bMore = finder.FindNextFile();    // before each entry is used
//       if (!finder.IsNameReachable()) ... // the name cannot be joined into a path
//       ... finder.GetFileName() ...
//   }
//
// Names are read as the file system stores them (UTF-16). The name text is
// exact (ExactText.h): a name the code page holds is its own text, byte for
// byte, and a character the code page lacks (é, the yen sign, Hangul, an
// emoji) stands as an escape, never as a look-alike or a "?", so a name
// joined to its folder leads back to this entry and to no other, through
// the wide calls (PathCalls.h). Only a name no path can reach (one holding
// a backslash, a wildcard or a control character, as wine lists Linux
// names) is never joined: every walk asks IsNameReachable() first.
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
    // read (the system's last error says why). The pattern is a path text
    // (ExactText.h) of any length the file system takes.
    bool FindFile(const char* pszName = "*.*");
    // Makes the next entry current; false when the current one is the last.
    bool FindNextFile();
    void Close();

    // The entry's exact name text (ExactText.h); ShownText gives what the
    // user reads of it.
    CString GetFileName() const { return m_strName; }
    // True when the code page holds the name exactly: its text has no
    // escape, and the ANSI calls and the user see it as it is.
    bool IsNameExact() const { return m_bExact && m_bReachable; }
    // True when a path can name the entry (IsReachableName).
    bool IsNameReachable() const { return m_bReachable; }
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
    bool m_bReachable = false;
    std::string m_strBuffer; // reused for each name's conversion
};
