// Where a path of the mirror goes back to.
#pragma once

#include "String.h"

class CMrqDoc;

// The restore target of a path inside the destination: the source folder
// whose mirror holds it, followed by the path below the mirror. "" when no
// source takes it.
//
// A mirror belongs to the entry whose m_strMirror names it, so suffixed
// mirrors such as data(1) go back to their own source. An entry that has no
// mirror yet (registered since the last save) is found by its folder's name,
// as the mirror it will get is named. The target is never outside the
// source folder: a path below the mirror whose names Windows would not keep
// as they are gets "", and so does a source folder text that names no
// folder plainly (NormalizeFolderPath). pstrSourceFolder, when given, gets
// the source folder the target lies in.
CString MapRestoreTarget(const CMrqDoc& doc, const char* pszItem,
                         CString* pstrSourceFolder = nullptr);

// True for a link (junction, symbolic link), by the rule the backup's walks
// use (IsLinkReparsePoint). The restore never goes through one: in the
// mirror it may lead out of the mirror, in a source folder out of the source
// folder. Other reparse points (deduplicated files, cloud placeholders) are
// restored like any file or folder.
bool IsLinkPath(const char* pszPath);
