// A backup run as plain values: the destination, the extensions that are
// never copied, and per source entry its folder, mirror and options. The
// backup set builds it from its document; the engine reads nothing else.
#pragma once

#include <vector>

#include "String.h"

// What an entry's extension list does.
enum FilterMode {
    FILTER_NONE = -1,   // every file is copied
    FILTER_EXCLUDE = 0, // files with a listed extension are not
    FILTER_ONLY = 1,    // only files with a listed extension are
};

struct CSourceSpec {
    CString strFolder;     // as the set holds it; the run normalises it
    CString strMirror;     // its mirror folder inside the destination
    int nHistoryLimit = 1; // generations kept of an overwritten file
    bool bSubfolders = true;
    int nFilterMode = FILTER_NONE; // a FilterMode; other values filter nothing
    CString strExtensions;         // comma-separated, without periods
};

// What a run does with an entry whose survey found that it would take most
// of its mirror away (RemovalGuard.h): an emptied source, or another folder
// that took its place.
enum RemovalGuard {
    GUARD_OFF,  // the deletions go ahead
    GUARD_ASK,  // whoever polls the run is asked, and the worker waits
    GUARD_SKIP, // nobody to ask: that entry's deletions are left undone
};

struct CRunSpec {
    CString strDestination;
    CString strNoCopy; // comma-separated extensions never copied
    std::vector<CSourceSpec> sources;
    // Files that left a source go into history generation 1 of their entry
    // instead of being deleted (an entry that keeps no history deletes).
    bool bKeepDeleted = false;
    RemovalGuard removalGuard = GUARD_SKIP;
};

// How a run ended, once its worker has.
struct CRunOutcome {
    int nStatus = 0; // STATUS_OK, another status code or a system error code
    int nTotal = 0;
    int nNew = 0;
    int nUpdated = 0;
    int nDeleted = 0;
    CString strWarnings;     // one line a warning, each ending in a line feed
    int nGuardedEntries = 0; // entries whose deletions the guard left undone
    CString strResultText;   // the result dialog's first line; empty after a failure
};
