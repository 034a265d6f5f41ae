// Path text functions of code page 932 paths with the backslash as
// separator. Path buffers are MAX_PATH (260) bytes; a result that would not
// fit in one is refused, never written past the buffer.
//
// Double-byte characters (MultiByte.h) are stepped over whole, so a trail
// byte of 0x5C (as in 表, ソ or 纊) is never taken for a backslash.
#pragma once

#include <string>

#include "MultiByte.h"
#include "String.h"

// Appends "\" unless the path is empty or already ends in a backslash.
// Returns the new length, or -1 (buffer unchanged) when no byte is left.
int AddBackslash(char* pszPath);
void AddBackslash(CString& strPath);

// out = folder, a backslash when needed, name. Returns false and leaves out
// empty when the result would not fit in MAX_PATH bytes.
bool JoinPath(char* pszOut, const char* pszFolder, const char* pszName);
CString JoinPath(const CString& strFolder, const char* pszName);

// Byte index of the first (bFirst) or last backslash; -1 when there is none.
int FindBackslash(const char* pszPath, bool bFirst);

// In place: "X root" for a path of at most 3 characters (X its first
// character), else the text after the last backslash.
void GetLastComponent(char* pszPath);
CString GetLastComponent(const CString& strPath);

// "X root" for a drive root, "" for shorter paths, else the entry's name as
// the file system stores it ("" when nothing is found, when the path holds
// a wildcard, or when the code page cannot hold the stored name).
CString GetFolderTitle(const char* pszPath);

// Shortens a path for a one-line display to about nMax bytes (see the
// implementation for the exact rule).
void ShortenPath(char* pszPath, int nMax);

// The path as the user reads it (ShownText: "?" for what the code page
// lacks), shortened by ShortenPath; one too long for a path buffer shows
// as its drive and its last name.
CString ShownShortPath(const char* pszPath, int nMax);

// For \\server\share\... writes \\server\share and returns true.
bool GetShareName(const char* pszPath, char* pszOut);

// True when the text after the first dot of the file name, lower-cased,
// equals one of the comma-separated items of pszList byte for byte.
bool HasListedExtension(const char* pszPath, const char* pszList);

// The folder a source path names, written the one way the engine walks it:
// no empty or "." components and no trailing backslash except after a
// drive, so D:\src\, D:\src\. and D:\\src all give D:\src. False for a path
// that is not absolute (X:\... or \\server\share...), holds a ".." or any
// other component that is not a real name (IsRealName), or does not fit in
// MAX_PATH: which folder such a path names is not plain from its text.
bool NormalizeFolderPath(const char* pszPath, CString& strOut);

// True when the text holds "?" or "*". Such a path is a search pattern to
// the system's file search: D:\Caf? matches the folder Café (and Cafe,
// and any other), so a path from the user or a file that holds one names
// no folder plainly. Neither byte is ever the trail byte of a character.
bool HasWildcard(const char* pszPath);

// True when a folder text can be taken as it stands: no wildcard, and
// nothing but characters of the code page (a name the code page cannot
// hold reaches a path only with "?" in its place).
bool IsPlainPathText(const char* pszPath);

// True when the last character is a backslash (double-byte rule).
bool EndsWithBackslash(const char* pszPath);

// True when Windows keeps the name as given: not empty, not "." or "..",
// no trailing dot or blank, none of \ / : * ? " < > | or control bytes, and
// not a device name such as CON, NUL or COM1 (with or without extension).
bool IsRealName(const char* pszName);

// The text in upper case by the rules the file system ignores case with,
// as wide characters, so that two names are the same file exactly when
// their folded forms are equal. Every byte counts, a NUL byte too.
std::wstring FoldCase(const std::string& text);
inline std::wstring FoldCase(const char* psz) {
    return FoldCase(std::string(psz));
}

// True when the two folders are the same or one lies inside the other,
// letter case ignored (both as NormalizeFolderPath writes them).
bool FoldersOverlap(const char* pszA, const char* pszB);
