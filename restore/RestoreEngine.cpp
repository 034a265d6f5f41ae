#include "RestoreEngine.h"

#include <cstring>
#include <new>

#include "FileFind.h"
#include "ExactText.h"
#include "FileOps.h"
#include "PathCalls.h"
#include "PathText.h"
#include "RestorePair.h"
#include "RestoreTarget.h"
#include "WorkerStatus.h"

namespace {

const char* const STATUS_RESTORING = "復元中";
const char* const STATUS_RESTORING_NAME = "復元中 : ";

// A copy or a folder that failed: reported, and every walk stops before its
// next entry (a full disk or a lost drive fails every later copy too).
void Fail(CWorkerStatus& status, const char* pszPath) {
    status.AddFailure(pszPath);
    status.m_bFailedStop = 1;
    status.m_bStop = 1;
}

// One file: shown, counted as tried, copied. bMakeFolders: the folders
// above the target may be missing (a file item of the list).
void CopyOne(CWorkerStatus& status, const char* pszFrom, const char* pszTo, const char* pszName,
             bool bMakeFolders, const char* pszSpare) {
    status.m_text.SetText(STATUS_RESTORING_NAME, ShownText(pszName));
    status.m_nCount += 1;
    if ((bMakeFolders && !MakeFolderChain(pszTo, false)) ||
        !CopyFileWithTimes(pszFrom, pszTo, *pszSpare ? pszSpare : nullptr))
        Fail(status, pszFrom);
}

void RestoreEntries(CWorkerStatus& status, const char* pszFrom, const char* pszTo,
                    const char* pszSpare);

// One entry of a folder walk.
void RestoreEntry(CWorkerStatus& status, const char* pszFrom, const char* pszTo,
                  const char* pszSpare, const CFileFind& finder) {
    CString strName = finder.GetFileName();
    // A name no path can reach would join into a path that leads to
    // another file, or out of both folders: reported, and the walk goes on.
    if (!finder.IsNameReachable()) {
        status.AddFailure(JoinPath(CString(pszFrom), strName));
        return;
    }
    CString strSource = JoinPath(CString(pszFrom), strName);
    CString strTarget = JoinPath(CString(pszTo), strName);
    const char* szSource = strSource;
    const char* szTarget = strTarget;
    if (finder.IsLink() || IsLinkPath(szTarget)) {
        status.AddFailure(szSource);
        return;
    }
    if (!finder.IsDirectory()) {
        CopyOne(status, szSource, szTarget, strName, false, pszSpare);
        return;
    }
    if (!IsExistingFolder(szTarget) && !CreateFolderAt(szTarget)) {
        Fail(status, szSource);
        return;
    }
    RestoreEntries(status, szSource, szTarget, pszSpare);
}

void RestoreEntries(CWorkerStatus& status, const char* pszFrom, const char* pszTo,
                    const char* pszSpare) {
    CFileFind finder;
    bool bMore = finder.FindFile(JoinPath(CString(pszFrom), "*.*"));
    while (bMore && !status.m_bStop) {
        bMore = finder.FindNextFile();
        if (!finder.IsDots())
            RestoreEntry(status, pszFrom, pszTo, pszSpare, finder);
    }
}

} // namespace

void RestorePath(CWorkerStatus& status, const char* pszFrom, const char* pszTo,
                 const char* pszSpare) {
    status.m_text.SetText(STATUS_RESTORING);
    // No target (no source folder takes the item), a link: nothing is
    // copied, nothing is counted, and the item is reported.
    if (!*pszTo || IsLinkPath(pszFrom)) {
        status.AddFailure(pszFrom);
        return;
    }
    int nKind = GetPathKind(pszFrom);
    // Copies staged in the spare folder by a restore that was killed.
    if (*pszSpare)
        RemoveStagingFiles(pszSpare);
    if (nKind == PATH_FILE) {
        CopyOne(status, pszFrom, pszTo, GetLastComponent(CString(pszTo)), true, pszSpare);
        return;
    }
    if (nKind == PATH_MISSING) {
        status.AddFailure(pszFrom); // gone from the mirror since it was listed
        return;
    }
    if (status.m_bStop) {
        status.m_nNotTried += 1; // its walk would stop before its first entry
        return;
    }
    if (!MakeFolderChain(pszTo, true)) {
        Fail(status, pszFrom);
        return;
    }
    RestoreEntries(status, pszFrom, pszTo, pszSpare);
}

UINT RestoreThreadProc(LPVOID pParam) {
    CWorkerStatus& status = *static_cast<CWorkerStatus*>(pParam);
    for (POSITION pos = status.m_items.GetHeadPosition(); pos;) {
        const CRestorePair& pair = *static_cast<CRestorePair*>(status.m_items.GetNext(pos));
        try {
            RestorePath(status, pair.m_strFrom, pair.m_strTo, pair.m_strSpare);
        } catch (const std::bad_alloc&) {
            Fail(status, pair.m_strFrom); // out of memory: this item is not complete
        }
    }
    status.m_text.Flush();
    status.m_bFinished = 1;
    return 0;
}
