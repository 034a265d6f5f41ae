// How two folders relate, and how a folder relates to the folders listed in
// a list view: the test behind every registration of a source, of the
// destination and of a restore item.
#pragma once

#include "String.h"

class CListCtrl;

enum FolderRelation {
    RELATION_SAME = 0,     // the same folder
    RELATION_CONTAINS = 1, // the second lies inside the first
    RELATION_INSIDE = 2,   // the first lies inside the second
    RELATION_NONE = 3,     // neither
};

// Byte for byte, so letter case matters; E:\Data contains E:\Data\Sub and
// E:\ contains E:\Data, while E:\Data and E:\Database are unrelated.
FolderRelation ComparePaths(const char* pszA, const char* pszB);

// The relation of pszPath to the rows of the list (column 0 the folder), in
// display order; the first row that decides gives the answer. A row that
// contains the path counts only when its column 3 says "する" (its
// subfolders are backed up); lists without that column never contain.
FolderRelation FindListRelation(const CListCtrl& list, const char* pszPath);

// The relation of two folders as the file system sees them: each taken as
// its full path (so "." and ".." steps and a trailing backslash fall away)
// with short names expanded where the folder exists, and letter case
// ignored. RELATION_NONE when either path is empty or cannot be resolved.
FolderRelation CompareFolders(const char* pszA, const char* pszB);
