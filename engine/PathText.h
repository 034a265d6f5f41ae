// Path text functions of code page 932 paths with the backslash as
// separator. Path buffers are MAX_PATH (260) bytes; a result that would not
// fit in one is refused, never written past the buffer.
//
// Double-byte rule: a byte in 0x81-0x9F or 0xE0-0xEF followed by a byte in
// 0x40-0x7E or 0x80-0xFC is one character and is stepped over whole, so a
// trail byte of 0x5C (as in 表 or ソ) is never taken for a backslash.
#pragma once

#include "String.h"

// True when p[0] and p[1] form one double-byte character.
bool IsDoubleByteAt(const char* p);

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
// the file system stores it ("" when nothing is found).
CString GetFolderTitle(const char* pszPath);

// Shortens a path for a one-line display to about nMax bytes (see the
// implementation for the exact rule).
void ShortenPath(char* pszPath, int nMax);

// For \\server\share\... writes \\server\share and returns true.
bool GetShareName(const char* pszPath, char* pszOut);

// True when the text after the first dot of the file name, lower-cased,
// equals one of the comma-separated items of pszList byte for byte.
bool HasListedExtension(const char* pszPath, const char* pszList);
