// The synchronised copy: walks a source folder and copies every new or
// changed file into the same place of the mirror folder. In survey mode it
// only counts and lists; in execute mode it copies.
#include <cstring>

#include "BackupJob.h"
#include "FileFind.h"
#include "FileOps.h"
#include "PathText.h"

void CBackupJob::CopyWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                          const char* pszHistoryName) {
    char szPattern[MAX_PATH];
    if (!JoinPath(szPattern, pszSourceFolder, "*.*")) {
        // A folder of 256 to 259 bytes fits, its pattern does not: nothing
        // in it can be copied, and the user must hear so (once; the direct
        // phase walks again after the survey).
        if (m_bSurvey)
            AddWarning(pszSourceFolder, " がコピーされませんでした。\n");
        return;
    }
    CFileFind finder;
    bool bMore = finder.FindFile(szPattern);
    while (bMore && !m_bAbort) {
        bMore = finder.FindNextFile();
        CString strName = finder.GetFileName();
        bool bDirectory = finder.IsDirectory();
        if (bDirectory && (finder.IsDots() || !m_bSubfolders))
            continue;

        char szSource[MAX_PATH], szMirror[MAX_PATH];
        if (!JoinPath(szSource, pszSourceFolder, strName) ||
            !JoinPath(szMirror, pszMirrorFolder, strName)) {
            // Too long for a path: this file (or every file of this
            // subfolder) fails like a file that could not be copied, unless
            // the filters would have left it out anyway.
            if (bDirectory || PassesFilters(strName))
                AddWarning(JoinPath(CString(pszSourceFolder), strName),
                           " がコピーされませんでした。\n");
            continue;
        }
        if (bDirectory) {
            // Links are not followed: one may lead back above itself, or
            // out of the source. A mirror folder that is a link (the
            // removal pass has reported it) is not written through.
            if (finder.IsFolderLink()) {
                AddWarning(szSource, LINK_WARNING);
                continue;
            }
            if (IsFolderLinkAt(szMirror))
                continue;
            char szSubHistory[MAX_PATH];
            if (!JoinPath(szSubHistory, pszHistoryName, strName)) {
                AddWarning(szSource, " がコピーされませんでした。\n");
                continue;
            }
            if (!IsExistingFolder(szMirror))
                CreateDirectoryA(szMirror, nullptr);
            CopyWalk(szSource, szMirror, szSubHistory);
        } else if (PassesFilters(szSource)) {
            BackupFile(szSource, szMirror, pszHistoryName);
        }
    }
}

bool CBackupJob::PassesFilters(const char* pszPath) const {
    if (HasListedExtension(pszPath, m_strNoCopy))
        return false;
    if (m_nFilterMode == 0)
        return !HasListedExtension(pszPath, m_strExtensions);
    if (m_nFilterMode == 1)
        return HasListedExtension(pszPath, m_strExtensions);
    return true;
}

void CBackupJob::BackupFile(const char* pszSource, const char* pszMirror,
                            const char* pszHistoryName) {
    char szFileName[MAX_PATH], szShown[MAX_PATH];
    std::strcpy(szFileName, pszSource);
    GetLastComponent(szFileName);
    std::strcpy(szShown, pszSource);
    ShortenPath(szShown, 30);
    SetStatusText("検索中 : ", szShown);

    ULONGLONG nSourceSize = 0;
    int nKind = CompareFiles(pszSource, pszMirror, &nSourceSize);
    if (m_bSurvey)
        ++m_nTotal;
    bool bOk = true;
    if (nKind == COMPARE_NEW && m_bSurvey)
        ++m_nNew;
    if (nKind == COMPARE_CHANGED && m_bSurvey) {
        ++m_nUpdated;
        bOk = ShiftHistory(pszHistoryName, szFileName, pszMirror); // plans the oldest's deletion
    }
    if (nKind != COMPARE_EQUAL && bOk) {
        // The size read by the comparison (0 for a source that could not be
        // opened), so the file is not opened a third time.
        AddToTotal(m_nBytesToCopy, nSourceSize);
        if (m_bSurvey) {
            AddToCopyList(pszSource, pszMirror, pszHistoryName);
        } else {
            SetStatusText("Backup中 : ", szShown);
            bOk = ReplaceMirrorFile(pszSource, pszMirror, pszHistoryName, szFileName,
                                    nKind == COMPARE_CHANGED);
        }
    }
    if (bOk)
        return;
    if (m_bSurvey)
        // Only a history path too long to build fails here; the file would
        // never be listed, so it is reported now.
        AddWarning(pszSource, " がコピーされませんでした。\n");
    else
        ReportCopyFailure(pszSource);
}

// The new copy is staged first; only then does the old mirror copy move
// into the history and the staged copy take its place. A copy that fails
// (a full disk, a source that vanished) leaves the mirror copy and every
// generation as they were, and a kill at any point leaves the real name
// with the old copy, the new one, or (between the two renames) none, the
// old one being safe in generation 1.
bool CBackupJob::ReplaceMirrorFile(const char* pszSource, const char* pszMirror,
                                   const char* pszHistoryName, const char* pszFileName,
                                   bool bChanged) {
    CStagedCopy copy;
    if (!copy.Stage(pszSource, pszMirror, m_strHistoryRoot))
        return false;
    if (bChanged && !ShiftHistory(pszHistoryName, pszFileName, pszMirror))
        return false;
    return copy.Commit();
}

void CBackupJob::ReportCopyFailure(const char* pszSource) {
    DWORD dwError = GetLastError();
    switch (dwError) {
    case ERROR_SUCCESS:
        AddWarning(pszSource, " がコピーされませんでした。\n");
        break;
    case ERROR_FILE_NOT_FOUND:
        AddWarning(pszSource, " コピー前にファイルが無くなりました。\n");
        break;
    case ERROR_SHARING_VIOLATION:
        AddWarning(pszSource, " 排他的処理中の為コピーできません。\n");
        break;
    default:
        // Anything else (a full disk, a lost drive) stops the whole run.
        m_nStatus = static_cast<int>(dwError);
        m_bAbort = 1;
        return;
    }
    // A warning leaves the status alone: resetting it to 0 would hide an
    // earlier missing source or a user's abort.
}
