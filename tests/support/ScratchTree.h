// A scratch folder on one of the test drives (D:, E:, F: map to folders of
// the build tree), removed with everything in it when the test ends.
#pragma once

#include <initializer_list>
#include <map>
#include <string>

#include "String.h"

class CScratchTree {
public:
    // Creates <drive>:\<name>_<process>_<n>.
    explicit CScratchTree(const char* pszName, char chDrive = 'D');
    ~CScratchTree();
    CScratchTree(const CScratchTree&) = delete;
    CScratchTree& operator=(const CScratchTree&) = delete;

    const CString& Root() const { return m_strRoot; }
    // Root + "\" + relative path (no check of the length).
    CString Path(const char* pszRelative) const;

    // Creates the folders along the relative path, then the file.
    CString WriteFile(const char* pszRelative, const std::string& content) const;
    CString MakeFolder(const char* pszRelative) const;

    // The same through the wide interface, for names the code page cannot
    // hold (résumé, 한글, a yen sign), which no ANSI path reaches: the
    // relative path is UTF-16, the result the whole wide path.
    std::wstring WidePath(const wchar_t* pszRelative) const;
    std::wstring WriteWideFile(const wchar_t* pszRelative, const std::string& content) const;
    std::wstring MakeWideFolder(const wchar_t* pszRelative) const;

private:
    CString m_strRoot;
};

// Whole-file helpers on full paths in the code page, of any length; in a
// path, <U+XXXX> (as a snapshot writes it) stands for a character the code
// page lacks.
bool WriteWholeFile(const char* pszPath, const std::string& content);
// An empty file of nSize bytes that takes no room on the disk (folders
// along the path are created).
bool MakeSparseFile(const char* pszPath, LONGLONG nSize);
std::string ReadWholeFile(const char* pszPath);
bool PathExists(const char* pszPath);
std::string ReadWideFile(const std::wstring& path);
bool WidePathExists(const std::wstring& path);
bool MakeFolders(const char* pszPath);
// Removes a tree of any depth (read-only entries included), or a file.
void RemoveTree(const char* pszPath);

// Sets the last-write time (and the access time) to the given local time.
bool SetWriteTime(const char* pszPath, int nYear, int nMonth, int nDay, int nHour, int nMin,
                  int nSec);
DWORD Attributes(const char* pszPath);
// Number of files (not folders) below a folder.
int CountFiles(const char* pszFolder);

// A symbolic link to a folder, made on the Linux side (wine lists it as a
// folder with the reparse attribute). The target is a Windows path or a
// text such as "." or "..", relative to the link's folder.
bool MakeFolderLink(const char* pszLink, const char* pszTarget);
bool RemoveFolderLink(const char* pszLink);

// An empty file made on the Linux side under a name (ASCII) that Windows
// refuses, such as one holding a backslash or an asterisk: wine lists it
// as it stands.
bool WriteFileOnTheLinuxSide(const char* pszFolder, const char* pszName);

// Maps a drive letter to a folder, or takes it away again, as a removable
// drive comes and goes (the link in the prefix's dosdevices).
bool MapDriveLetter(char chDrive, const char* pszFolder);
bool UnmapDriveLetter(char chDrive);

// Every file below a folder (links to folders not followed), by path
// relative to it, with its content; folders appear as "<folder>" entries.
// The tree is read through the wide interface, so every entry is seen as
// it is; in a key, a character the code page lacks is written <U+XXXX>.
using CTreeSnapshot = std::map<std::string, std::string>;
CTreeSnapshot SnapshotTree(const char* pszFolder);
// The snapshot without the entries at or below the given relative paths.
CTreeSnapshot Without(CTreeSnapshot snapshot, std::initializer_list<const char*> prefixes);
