// The removal pass: mirror files whose source file has gone are deleted (or,
// in the direct phase with history, moved into the history generations), and
// mirror subfolders whose source subfolder has gone are removed once empty.
//
// A mirror file is only ever taken for gone when its source folder could be
// listed and the file itself is reported missing. The source folder is
// listed once per level, so a mirror file whose source is still there (the
// usual case) costs no question to the file system; one missing from that
// listing is asked about by name before it counts as gone. A source folder that
// cannot be read (a vanished drive, a drive without a medium, a folder that
// exists but refuses listing) protects its whole mirror subtree.
#include "BackupJob.h"
#include "FileFind.h"
#include "FileOps.h"
#include "FolderListing.h"
#include "Handle.h"
#include "PathText.h"

namespace {

enum SourceState { SOURCE_READABLE, SOURCE_GONE, SOURCE_UNREADABLE };

// pszAnchor: the deepest folder above known to be there, null at an entry's
// top; a source subfolder reported missing has only gone while the anchor
// is still there.
SourceState ProbeSourceFolder(const char* pszFolder, const char* pszAnchor) {
    char szPattern[MAX_PATH];
    if (!JoinPath(szPattern, pszFolder, "*.*"))
        return SOURCE_UNREADABLE;
    WIN32_FIND_DATAA data;
    if (CFindHandle(FindFirstFileA(szPattern, &data)).IsValid())
        return SOURCE_READABLE;
    DWORD dwListError = GetLastError();
    DWORD dwAttributes = GetFileAttributesA(pszFolder);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES) {
        if (!(dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return pszAnchor ? SOURCE_GONE : SOURCE_UNREADABLE; // now a file
        // An empty folder (a drive root has no "." entry) lists nothing.
        bool bEmpty = dwListError == ERROR_FILE_NOT_FOUND || dwListError == ERROR_NO_MORE_FILES;
        return bEmpty ? SOURCE_READABLE : SOURCE_UNREADABLE;
    }
    if (pszAnchor && HasLeftTheSource(pszFolder, pszAnchor))
        return SOURCE_GONE;
    return SOURCE_UNREADABLE;
}

} // namespace

void CBackupJob::RemovalWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                             const char* pszHistoryName) {
    RemovalLevel(pszSourceFolder, pszMirrorFolder, pszHistoryName, nullptr);
}

void CBackupJob::RemovalLevel(const char* pszSourceFolder, const char* pszMirrorFolder,
                              const char* pszHistoryName, const char* pszAnchor) {
    SetStatusText("削除ファイル検索中");
    char szPattern[MAX_PATH];
    if (!JoinPath(szPattern, pszMirrorFolder, "*.*"))
        return;
    CFileFind finder;
    if (!finder.FindFile(szPattern))
        return; // no mirror folder yet
    SourceState state = ProbeSourceFolder(pszSourceFolder, pszAnchor);
    if (state == SOURCE_UNREADABLE)
        return;
    // What is missing below has only gone while this folder is still there
    // (or, for a folder that has gone, the anchor above it).
    const char* pszHere = state == SOURCE_READABLE ? pszSourceFolder : pszAnchor;

    CFolderListing sources;
    bool bSourcesListed = false, bSourcesKnown = false;
    bool bMore = true;
    while (bMore && !m_bAbort) {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        CString strName = finder.GetFileName();
        char szSource[MAX_PATH], szMirror[MAX_PATH];
        if (!JoinPath(szSource, pszSourceFolder, strName) ||
            !JoinPath(szMirror, pszMirrorFolder, strName))
            continue; // cannot tell whether it has gone: keep it

        if (finder.IsFolderLink()) {
            // Never entered and never removed: under wine, removing a link
            // to a folder removes the folder it points to.
            if (m_bSubfolders)
                AddWarning(szMirror, LINK_WARNING);
            continue;
        }
        if (finder.IsDirectory()) {
            char szSubHistory[MAX_PATH];
            if (!m_bSubfolders || !JoinPath(szSubHistory, pszHistoryName, strName))
                continue;
            RemovalLevel(szSource, szMirror, szSubHistory, pszHere);
            if (ProbeSourceFolder(szSource, pszHere) == SOURCE_GONE)
                RemoveDirectoryA(szMirror); // only succeeds once it is empty
            continue;
        }

        if (!bSourcesListed) {
            bSourcesKnown = sources.List(pszSourceFolder);
            bSourcesListed = true;
        }
        if (bSourcesKnown && sources.Find(strName))
            continue; // still there
        if (!HasLeftTheSource(szSource, pszHere))
            continue; // still there, or unknown: keep it
        if (IsStagingName(strName)) {
            // A copy a killed run left unfinished: not the user's, never
            // counted, listed or kept in the history.
            SetFileAttributesA(szMirror, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(szMirror);
            continue;
        }
        if (m_bSurvey) {
            ++m_nDeleted;
            AccumulateSize(m_nBytesToFree, szMirror);
            AddToDeleteList(szMirror);
        } else if (m_nHistoryLimit > 0) {
            ShiftHistory(pszHistoryName, strName, szMirror);
        } else {
            SetFileAttributesA(szMirror, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(szMirror);
        }
    }
}

void CBackupJob::DeleteListed() {
    m_bSurvey = 0;
    CDeleteList::CReader reader(m_deleteList);
    CString strPath;
    while (reader.Next(strPath)) {
        DeleteFileA(strPath);
        if (m_bAbort)
            break;
    }
}
