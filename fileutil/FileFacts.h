// What the comparison of a file with its mirror copy looks at: creation and
// last-write time, size and the attribute word. A folder listing gives
// them for every entry at once, so an unchanged file needs no open at all.
#pragma once

#include <windows.h>

#include "FileFind.h"

struct CFileFacts {
    FILETIME ftCreation = {};
    FILETIME ftLastWrite = {};
    ULONGLONG nSize = 0;
    DWORD dwAttributes = 0;
};

// The facts of the finder's current entry, as its listing gave them.
CFileFacts FactsOf(const CFileFind& finder);
// The facts of a file looked up by its name (GetFileAttributesExA).
CFileFacts FactsOf(const WIN32_FILE_ATTRIBUTE_DATA& data);

// True when the mirror copy matches the source: last-write times equal in
// whole seconds of local time, or the mirror's on a 2-second step less than
// 2 seconds from the source's (a FAT drive's copy), creation times equal
// within the one-second tolerance of CreationTimesMatch, the same size and
// the same read-only, hidden, system and archive bits (the attributes every
// drive keeps with a copy).
bool FactsMatch(const CFileFacts& source, const CFileFacts& mirror);
