// The survey of an entry walks its removal pass and its copy walk at once:
// each folder of the source and of its mirror is listed once for both.
// Both passes still go through the entries in the order each lists them
// alone, and every list and the warnings come out as the passes give them
// one after the other: the removal pass first, then the copy walk.
//
// A subfolder the two passes enter (a folder in the source and in the
// mirror, of the same name) is walked once for both, where the two
// listings have it in the same order among such subfolders; a subfolder
// out of that order, or entered by one pass only, gets that pass's own
// walk. What the copy walk adds to the warnings, the delete list (the
// history generations its changed files push out) and the bytes to free
// is held until the entry is walked, then joins them after the removal
// pass's.
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "BackupJob.h"
#include "FolderListing.h"
#include "PathText.h"
#include "WalkLevel.h"

namespace {

bool IsWalkedFolder(const CFolderListing& listing, size_t nIndex) {
    return listing.IsDirectory(nIndex) && listing.IsNameReachable(nIndex) &&
           !listing.IsFolderLink(nIndex);
}

// The subfolders both passes enter, as (mirror entry, source entry) pairs
// in the order of both listings; a pair the listings order differently
// from the ones before it is left to the passes' own walks.
std::vector<std::pair<size_t, size_t>> SharedSubfolders(const CWalkLevel& level) {
    std::vector<std::pair<size_t, size_t>> shared;
    const CFolderListing& mirrors = level.mirrors;
    const CFolderListing& sources = level.sources;
    for (size_t nSource = 0; nSource < sources.GetCount(); ++nSource) {
        if (!IsWalkedFolder(sources, nSource))
            continue;
        const char* pszName = sources.GetName(nSource);
        size_t nMirror = mirrors.IndexOf(pszName);
        if (nMirror == CFolderListing::NONE || !IsWalkedFolder(mirrors, nMirror) ||
            std::strcmp(mirrors.GetName(nMirror), pszName) != 0)
            continue; // entered by the copy walk only, or under another name
        if (!shared.empty() && nMirror < shared.back().first)
            continue; // out of the mirror's order
        shared.emplace_back(nMirror, nSource);
    }
    return shared;
}

} // namespace

void CBackupJob::SurveyWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                            const char* pszHistoryName) {
    m_bHoldCopyEffects = 1;
    SurveyLevel(pszSourceFolder, pszMirrorFolder, pszHistoryName, nullptr);
    m_bHoldCopyEffects = 0;
}

SourceFolderState CBackupJob::SurveyLevel(const char* pszSourceFolder, const char* pszMirrorFolder,
                                          const char* pszHistoryName, const char* pszAnchor) {
    m_status.SetText(REMOVAL_SEARCH_TEXT);
    CWalkLevel level(pszSourceFolder, pszMirrorFolder, pszHistoryName);
    level.bMirrorListed = level.mirrors.List(pszMirrorFolder);
    level.bMirrorAsked = true;
    bool bSourceListed = level.sources.List(pszSourceFolder);
    // The removal pass asks about the source only once the mirror folder
    // has listed, and walks nothing below a source folder it cannot read.
    bool bRemovals = false;
    if (level.bMirrorListed) {
        level.state = bSourceListed ? SOURCE_READABLE : WhyNotListed(pszSourceFolder, pszAnchor);
        level.pszHere = level.state == SOURCE_READABLE ? pszSourceFolder : pszAnchor;
        bRemovals = level.state != SOURCE_UNREADABLE;
    }
    size_t nMirror = 0, nSource = 0;
    if (bRemovals && m_bSubfolders) {
        for (const auto& pair : SharedSubfolders(level)) {
            RemovalEntries(level, nMirror, pair.first);
            CopyEntries(level, nSource, pair.second);
            if (m_bAbort)
                return level.state;
            SurveySubfolder(level, level.sources.GetName(pair.second));
            nMirror = pair.first + 1;
            nSource = pair.second + 1;
        }
    }
    if (bRemovals)
        RemovalEntries(level, nMirror, level.mirrors.GetCount());
    CopyEntries(level, nSource, level.sources.GetCount());
    return level.state;
}

void CBackupJob::SurveySubfolder(const CWalkLevel& level, const char* pszName) {
    CString strSource = JoinPath(CString(level.pszSource), pszName);
    CString strMirror = JoinPath(CString(level.pszMirror), pszName);
    SourceFolderState state = SurveyLevel(
        strSource, strMirror, JoinPath(CString(level.pszHistoryName), pszName), level.pszHere);
    EndRemovalSubfolder(state, strSource, strMirror, level.pszHere);
}

void CBackupJob::AddCopyWarning(const char* pszPath, const char* pszText) {
    AppendWarning(m_bHoldCopyEffects ? m_strHeldWarnings : m_strWarnings, pszPath, pszText);
}

void CBackupJob::ReleaseHeldCopyEffects() {
    AddToTotal(m_nBytesToFree, m_nHeldBytesToFree.exchange(0));
    CDeleteList::CReader reader(m_heldDrops);
    CString strPath;
    while (reader.Next(strPath))
        AddToDeleteList(strPath);
    m_heldDrops.RemoveAll();
    try {
        m_strWarnings += m_strHeldWarnings;
    } catch (const std::bad_alloc&) {
        // The warnings are lost, the run goes on.
    }
    m_strHeldWarnings = CString();
}
