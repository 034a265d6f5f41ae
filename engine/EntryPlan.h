// What a run may do with each source entry, decided once per run, whatever
// text the entry holds (a hand-edited data file, a drop, a registration):
// the folder its walks read, the mirror they write and the history name the
// old versions go under. An entry runs only when its mirror is a real
// folder name directly inside the destination, held by no other entry and
// not a link, and its source neither lies inside the destination nor
// contains it. Nothing
// outside the mirror and its history tree is ever listed, deleted, moved or
// copied.
#pragma once

#include <set>
#include <string>

#include "String.h"

struct CSourceSpec;

struct CEntryPlan {
    CString strFolder; // the source folder, normalised (NormalizeFolderPath)
    CString strMirror; // its mirror, normalised
    CString strTitle;  // the history name of the source folder
};

class CEntryPlanner {
public:
    // The destination as the run was given it.
    explicit CEntryPlanner(const char* pszDestination);

    // Fills the plan and returns true when the entry may run. Each accepted
    // mirror is taken: a later entry holding the same folder (letter case
    // ignored, as the file system ignores it) is refused.
    bool Plan(const CSourceSpec& source, CEntryPlan& plan);

private:
    bool IsOwnMirror(const CString& strMirror) const;
    bool OverlapsDestination(const CString& strFolder) const;

    CString m_strDestination; // normalised; empty when it is no usable folder
    std::set<std::wstring> m_mirrors;
};
