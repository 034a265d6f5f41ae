// The removal pass: mirror files whose source file has gone are deleted (or
// moved into the history generations: in the direct phase with history, and
// in any run that keeps deleted files), and mirror subfolders whose source
// subfolder has gone are removed once empty.
//
// A mirror file is only ever taken for gone when its source folder could be
// listed and the file itself is reported missing. The source folder is
// listed once per level, so a mirror file whose source is still there (the
// usual case) costs no question to the file system; one missing from that
// listing is asked about by name before it counts as gone. A source folder that
// cannot be read (a vanished drive, a drive without a medium, a folder that
// exists but refuses listing) protects its whole mirror subtree.
#include <new>
#include <vector>

#include "BackupJob.h"
#include "FileOps.h"
#include "FolderListing.h"
#include "PathCalls.h"
#include "PathText.h"
#include "WalkLevel.h"

SourceFolderState WhyNotListed(const char* pszFolder, const char* pszAnchor) {
    DWORD dwAttributes = GetAttributesAt(pszFolder);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES) {
        if (!(dwAttributes & FILE_ATTRIBUTE_DIRECTORY)) // now a file
            return pszAnchor ? SOURCE_GONE : SOURCE_UNREADABLE;
        return SOURCE_UNREADABLE; // there, but refuses listing
    }
    if (pszAnchor && HasLeftTheSource(pszFolder, pszAnchor))
        return SOURCE_GONE;
    return SOURCE_UNREADABLE;
}

namespace {

// Lists a source folder for the look-ups of its mirror's entries; an empty
// folder that is there lists as readable.
SourceFolderState ListSourceFolder(CFolderListing& sources, const char* pszFolder,
                                   const char* pszAnchor) {
    if (sources.List(pszFolder))
        return SOURCE_READABLE;
    return WhyNotListed(pszFolder, pszAnchor);
}

} // namespace

void CBackupJob::RemovalWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                             const char* pszHistoryName) {
    RemovalLevel(pszSourceFolder, pszMirrorFolder, pszHistoryName, nullptr);
}

// Returns what the source folder was found to be, SOURCE_NOT_LISTED when
// the mirror folder could not be listed and the source was not asked.
SourceFolderState CBackupJob::RemovalLevel(const char* pszSourceFolder, const char* pszMirrorFolder,
                                           const char* pszHistoryName, const char* pszAnchor) {
    m_status.SetText(REMOVAL_SEARCH_TEXT);
    CWalkLevel level(pszSourceFolder, pszMirrorFolder, pszHistoryName);
    if (!level.mirrors.List(pszMirrorFolder))
        return SOURCE_NOT_LISTED; // no mirror folder yet
    // One listing of the source folder tells whether it can be read and
    // serves the look-up of every mirror entry.
    level.state = ListSourceFolder(level.sources, pszSourceFolder, pszAnchor);
    if (level.state == SOURCE_UNREADABLE)
        return level.state;
    level.pszHere = level.state == SOURCE_READABLE ? pszSourceFolder : pszAnchor;
    RemovalEntries(level, 0, level.mirrors.GetCount());
    return level.state;
}

void CBackupJob::RemovalEntries(const CWalkLevel& level, size_t nFirst, size_t nEnd) {
    const CFolderListing& mirrors = level.mirrors;
    for (size_t i = nFirst; i < nEnd && !m_bAbort; ++i) {
        const char* pszName = mirrors.GetName(i);
        bool bDirectory = mirrors.IsDirectory(i);
        if (m_bSurvey && !bDirectory && !IsStagingName(pszName))
            ++m_nMirrorFiles; // what the guard weighs the gone files against
        if (!mirrors.IsNameReachable(i)) {
            // Its source cannot be looked up by that name, so nothing says
            // it has gone: kept, and reported once.
            if (m_bSurvey && (m_bSubfolders || !bDirectory))
                AddWarning(JoinPath(CString(level.pszMirror), pszName), MIRROR_NAME_WARNING);
            continue;
        }
        if (mirrors.IsFolderLink(i)) {
            // Never entered and never removed: under wine, removing a link
            // to a folder removes the folder it points to.
            if (m_bSubfolders)
                AddWarning(JoinPath(CString(level.pszMirror), pszName), LINK_WARNING);
            continue;
        }
        if (bDirectory) {
            if (m_bSubfolders)
                RemovalSubfolder(JoinPath(CString(level.pszSource), pszName),
                                 JoinPath(CString(level.pszMirror), pszName),
                                 JoinPath(CString(level.pszHistoryName), pszName), level.pszHere);
            continue;
        }
        if (level.state == SOURCE_READABLE && level.sources.Find(pszName))
            continue; // still there
        CString strSource = JoinPath(CString(level.pszSource), pszName);
        if (HasLeftTheSource(strSource, level.pszHere)) // else still there, or unknown: kept
            RemoveGoneFile(JoinPath(CString(level.pszMirror), pszName), level.pszHistoryName,
                           pszName);
    }
}

void CBackupJob::RemovalSubfolder(const char* pszSource, const char* pszMirror,
                                  const char* pszHistoryName, const char* pszAnchor) {
    EndRemovalSubfolder(RemovalLevel(pszSource, pszMirror, pszHistoryName, pszAnchor), pszSource,
                        pszMirror, pszAnchor);
}

void CBackupJob::EndRemovalSubfolder(SourceFolderState state, const char* pszSource,
                                     const char* pszMirror, const char* pszAnchor) {
    if (state == SOURCE_NOT_LISTED) {
        CFolderListing unused;
        state = ListSourceFolder(unused, pszSource, pszAnchor);
    }
    // A source subfolder found gone stays gone for this run; one that goes
    // while its mirror is walked is left to the next run.
    if (state == SOURCE_GONE)
        RemoveFolderAt(pszMirror); // only succeeds once it is empty
}

void CBackupJob::RemoveGoneFile(const char* pszMirror, const char* pszHistoryName,
                                const char* pszName) {
    if (IsStagingName(pszName)) {
        // A copy a killed run left unfinished: not the user's, never
        // counted, listed or kept in the history.
        ForceDeleteFileAt(pszMirror);
        return;
    }
    if (m_bSurvey) {
        // Counted as deleted either way: it leaves the mirror. Kept in the
        // history it frees nothing.
        ++m_nDeleted;
        if (m_spec.bKeepDeleted && m_nHistoryLimit > 0) {
            AddToKeptList(pszMirror, pszHistoryName);
            return;
        }
        AccumulateSize(m_nBytesToFree, pszMirror);
        AddToDeleteList(pszMirror);
    } else if (m_nHistoryLimit > 0) {
        ShiftHistory(pszHistoryName, pszName, pszMirror);
    } else {
        ForceDeleteFileAt(pszMirror);
    }
}

namespace {

// The lines of a list that belong to entries whose deletions the guard
// left undone, read in order: nFirst and nEnd of each entry are ranges of
// the list (RemovalGuard.h).
class CSkippedLines {
public:
    CSkippedLines(const std::vector<CEntryRemovals>& removals, bool bKeptList)
        : m_removals(removals), m_bKeptList(bKeptList) {}
    bool Skips(INT_PTR nLine) const {
        for (const CEntryRemovals& entry : m_removals) {
            INT_PTR nFirst = m_bKeptList ? entry.nFirstKept : entry.nFirstDelete;
            INT_PTR nEnd = m_bKeptList ? entry.nEndKept : entry.nEndDelete;
            if (entry.bSkipped && nLine >= nFirst && nLine < nEnd)
                return true;
        }
        return false;
    }

private:
    const std::vector<CEntryRemovals>& m_removals;
    bool m_bKeptList;
};

} // namespace

void CBackupJob::AddToKeptList(const char* pszMirror, const char* pszHistoryName) {
    if (!m_bDeleteListOk)
        return;
    try {
        m_keptList.Add(pszMirror, pszMirror, pszHistoryName, m_nHistoryLimit);
    } catch (const std::bad_alloc&) {
        m_bDeleteListOk = 0;
    }
}

void CBackupJob::DeleteListed() {
    m_bSurvey = 0;
    CSkippedLines skipped(m_removals, false);
    CDeleteList::CReader reader(m_deleteList);
    CString strPath;
    for (INT_PTR nLine = 0; reader.Next(strPath); ++nLine) {
        if (!skipped.Skips(nLine))
            DeleteFileAt(strPath);
        if (m_bAbort)
            break;
    }
}

void CBackupJob::KeepListed() {
    m_bSurvey = 0;
    CSkippedLines skipped(m_removals, true);
    CCopyList::CReader reader(m_keptList);
    CCopyItem item;
    for (INT_PTR nLine = 0; reader.Next(item); ++nLine) {
        if (!skipped.Skips(nLine)) {
            // As the direct phase keeps a gone file: a shift that fails
            // leaves it in the mirror, for the next run to find again.
            SetHistoryLimit(item.nHistoryLimit);
            CString strName = item.strMirror.Mid(FindBackslash(item.strMirror, false) + 1);
            ShiftHistory(item.strHistoryName, strName, item.strMirror);
        }
        if (m_bAbort)
            break;
    }
}
