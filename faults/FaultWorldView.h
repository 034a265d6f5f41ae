// Whole drives as the cases whose entries name folders anywhere see them:
// runs of data files and restores, measured by what changed outside every
// mirror the run may write.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "FaultWorld.h"

// Snapshots of whole trees, by drive, for the cases whose entries name
// folders anywhere: what lies outside every mirror the run may write.
class CWorldView {
public:
    void AddRoot(const std::string& root) { m_roots.push_back(root); }

    CTreeSnapshot Snapshot() const;

    // The snapshot without the entries at or below the prefix (letter case
    // ignored).
    static void ErasePrefix(CTreeSnapshot& snapshot, const CString& strPrefix);

    // The snapshot without the mirrors of a run: folders directly inside
    // the destination, with real names other than the history folder's,
    // that the run's entries name.
    static CTreeSnapshot OutsideMirrors(CTreeSnapshot snapshot, const std::string& destination,
                                        const std::vector<std::string>& mirrors);

private:
    // destination\mrq HistoryFolder, or its generation g's folder.
    static CString HistoryOf(const CString& strDestination, int g);

    std::vector<std::string> m_roots;
};

// The destination a data file names (its second line, up to a TAB).
std::string ReadDestination(const std::string& set);

// Files of before that after lacks.
int CountGone(const CTreeSnapshot& before, const CTreeSnapshot& after);

// Runs each data file (as the Start command would, and as loaded) and
// counts what changed outside the mirrors its entries may write.
// arguments: the driver's, for every run (a restore instead of a backup).
// Gives the results of the runs, in order.
std::vector<CDriverResult> RunSets(CFaultWorld& world, const CWorldView& view,
                                   const std::vector<std::string>& sets, CFaultRow& row,
                                   bool bBothWays = true,
                                   const std::vector<std::string>& arguments = {});

// The files of a snapshot, without its folders.
CTreeSnapshot FilesOf(const CTreeSnapshot& snapshot);

// Every file of the source must be in the mirror under its exact name with
// its exact bytes, and nothing else.
void CheckExactMirror(const CString& strSource, const CString& strMirror, CFaultRow& row);

// A restore of the items: the targets must come to hold what the mirrors
// hold, and nothing outside the targets may change.
void RunRestore(CFaultWorld& world, const CWorldView& view, const std::string& set,
                const std::vector<std::pair<CString, CString>>& mirrorsAndTargets,
                const std::vector<std::string>& arguments, CFaultRow& row);
