// History generations: before a mirror file is overwritten (or, in the
// direct phase, removed) it moves into generation 1, the file there moves to
// generation 2, and so on up to the entry's limit; the last one is dropped.
#include <cstdio>

#include "BackupJob.h"
#include "FileOps.h"
#include "HistoryFolder.h"
#include "PathCalls.h"
#include "PathText.h"

const char* const HISTORY_FOLDER_NAME = "mrq HistoryFolder";

bool CBackupJob::ShiftHistory(const char* pszHistoryName, const char* pszFileName,
                              const char* pszExistingPath) {
    return ShiftHistory(pszHistoryName, pszFileName, pszExistingPath, m_nHistoryLimit);
}

bool CBackupJob::ShiftHistory(const char* pszHistoryName, const char* pszFileName,
                              const char* pszExistingPath, int nLimit) {
    return ShiftInto(1, nLimit, pszHistoryName, pszFileName, pszExistingPath);
}

// Moves the file into generation nDepth, once the one there has moved one
// deeper. The depth travels with the call, so the copies of a run may each
// shift their own files at the same time.
bool CBackupJob::ShiftInto(int nDepth, int nLimit, const char* pszHistoryName,
                           const char* pszFileName, const char* pszExistingPath) {
    if (nDepth > nLimit)
        return true;

    bool bOk = true;
    char szGeneration[32];
    std::snprintf(szGeneration, sizeof szGeneration, "bk%d", nDepth);
    CString strFolder = JoinPath(JoinPath(m_strHistoryRoot, szGeneration), pszHistoryName);
    CString strTarget = JoinPath(strFolder, pszFileName);
    const char* szFolder = strFolder;
    const char* szTarget = strTarget;
    if (!m_bSurvey)
        bOk = MakeFolderChain(szFolder, true);
    if (bOk && GetAttributesAt(szTarget) != INVALID_FILE_ATTRIBUTES)
        bOk = ShiftInto(nDepth + 1, nLimit, pszHistoryName, pszFileName, szTarget);
    if (!bOk)
        return false;
    if (m_bSurvey) {
        if (nDepth == nLimit) {
            // Held while the survey walks both passes of an entry at once:
            // only a changed file's shift gets here in the survey.
            bool bHeld = m_bHoldCopyEffects != 0;
            AccumulateSize(bHeld ? m_nHeldBytesToFree : m_nBytesToFree, szTarget);
            AddToDeleteList(bHeld ? m_heldDrops : m_deleteList, szTarget);
        }
        return true;
    }
    if (GetAttributesAt(szTarget) != INVALID_FILE_ATTRIBUTES)
        ForceDeleteFileAt(szTarget);
    return MoveFileAt(pszExistingPath, szTarget, 0);
}
