// One folder of a source and its mirror folder as the walks go through
// them: both listed once, in the file system's order, with what the
// removal pass found of the source folder.
#pragma once

#include "BackupJob.h"
#include "FolderListing.h"

struct CWalkLevel {
    CWalkLevel(const char* pszSourceFolder, const char* pszMirrorFolder, const char* pszHistory)
        : pszSource(pszSourceFolder), pszMirror(pszMirrorFolder), pszHistoryName(pszHistory) {}

    // The mirror entry of a name, the mirror listed when the first file
    // needs it (a folder the mirror lacks lists as empty).
    const CFileFacts* FindInMirror(const char* pszName) {
        if (!bMirrorAsked)
            bMirrorListed = mirrors.List(pszMirror);
        bMirrorAsked = true;
        return mirrors.Find(pszName);
    }

    const char* pszSource;
    const char* pszMirror;
    const char* pszHistoryName;
    CFolderListing sources;
    CFolderListing mirrors;
    bool bMirrorAsked = false;
    bool bMirrorListed = false;
    SourceFolderState state = SOURCE_NOT_LISTED;
    // A mirror file missing from the source listing has only gone while
    // this folder is still there: the source folder itself, or, for one
    // that has gone, the deepest folder above known to be there.
    const char* pszHere = nullptr;
};

// Why a source folder could not be listed. pszAnchor: the deepest folder
// above known to be there, null at an entry's top; a source subfolder
// reported missing has only gone while the anchor is still there.
SourceFolderState WhyNotListed(const char* pszFolder, const char* pszAnchor);
