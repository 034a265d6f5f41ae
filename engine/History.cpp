// History generations: before a mirror file is overwritten (or, in the
// direct phase, removed) it moves into generation 1, the file there moves to
// generation 2, and so on up to the entry's limit; the last one is dropped.
#include <cstdio>

#include "BackupJob.h"
#include "FileOps.h"
#include "HistoryFolder.h"
#include "PathText.h"

const char* const HISTORY_FOLDER_NAME = "mrq HistoryFolder";

bool CBackupJob::ShiftHistory(const char* pszHistoryName, const char* pszFileName,
                              const char* pszExistingPath) {
    if (m_nHistoryLimit <= m_nHistoryDepth)
        return true;

    bool bOk = true;
    int nDepth = ++m_nHistoryDepth;
    char szGeneration[32], szFolder[MAX_PATH], szTarget[MAX_PATH];
    std::snprintf(szGeneration, sizeof szGeneration, "bk%d", nDepth);
    char szRoot[MAX_PATH];
    if (!JoinPath(szRoot, m_strHistoryRoot, szGeneration) ||
        !JoinPath(szFolder, szRoot, pszHistoryName) || !JoinPath(szTarget, szFolder, pszFileName)) {
        // No room for the generation's path: nothing moves, and the caller
        // reports the file as not copied.
        SetLastError(ERROR_SUCCESS);
        --m_nHistoryDepth;
        return false;
    }
    if (!m_bSurvey)
        bOk = MakeFolderChain(szFolder, true);
    if (bOk && GetFileAttributesA(szTarget) != INVALID_FILE_ATTRIBUTES)
        bOk = ShiftHistory(pszHistoryName, pszFileName, szTarget);
    if (bOk) {
        if (m_bSurvey) {
            if (nDepth == m_nHistoryLimit) {
                AccumulateSize(m_nBytesToFree, szTarget);
                AddToDeleteList(szTarget);
            }
        } else {
            if (GetFileAttributesA(szTarget) != INVALID_FILE_ATTRIBUTES) {
                SetFileAttributesA(szTarget, FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(szTarget);
            }
            bOk = MoveFileA(pszExistingPath, szTarget) != FALSE;
        }
    }
    --m_nHistoryDepth;
    return bOk;
}
