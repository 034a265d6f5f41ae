// How two folders relate, and how a folder relates to folders registered
// already: the test behind every registration of a source, of the
// destination and of a restore item.
#pragma once

#include <vector>

#include "String.h"

enum FolderRelation {
    RELATION_SAME = 0,     // the same folder
    RELATION_CONTAINS = 1, // the second lies inside the first
    RELATION_INSIDE = 2,   // the first lies inside the second
    RELATION_NONE = 3,     // neither
};

// Byte for byte, so letter case matters; E:\Data contains E:\Data\Sub and
// E:\ contains E:\Data, while E:\Data and E:\Database are unrelated.
FolderRelation ComparePaths(const char* pszA, const char* pszB);

// A folder registered already, as the rules see it.
struct CRegisteredFolder {
    CString strFolder;
    // Its subfolders are backed up with it, so it covers what lies inside.
    bool bCoversSubfolders = false;
};

// The relation of pszPath to the registered folders, visited in the order
// given (the order the user sees them in); the first that decides gives
// the answer. A folder around the path decides only when it covers its
// subfolders; one that leaves them out is passed over.
FolderRelation FindRelation(const std::vector<CRegisteredFolder>& folders, const char* pszPath);

// The relation of two folders as the file system sees them: each taken as
// its full path (so "." and ".." steps and a trailing backslash fall away)
// with short names expanded where the folder exists, and letter case
// ignored. RELATION_NONE when either path is empty or cannot be resolved.
FolderRelation CompareFolders(const char* pszA, const char* pszB);
