// The synchronised copy: walks a source folder and copies every new or
// changed file into the same place of the mirror folder. In survey mode it
// only counts and lists; in execute mode it copies.
//
// The walk compares each file by the facts of the two folder listings
// (source and mirror), so an unchanged file is never opened. Only a file
// that needs work is opened: in the survey a changed one, to learn whether
// another program holds it (it is then left to the copy attempt, as the
// comparison of opened files left it), and in execute mode every one,
// once: the handle of the comparison that precedes its copy is the one the
// copy reads.
#include <cstring>

#include "BackupJob.h"
#include "FileFind.h"
#include "FileOps.h"
#include "FolderListing.h"
#include "PathText.h"
#include "SourceFile.h"

namespace {

const char* const SEARCHING = "検索中 : ";

// Text for the status line: the path shortened to fit one label.
void ShownName(const char* pszPath, char* pszShown) {
    std::strcpy(pszShown, pszPath);
    ShortenPath(pszShown, 30);
}

bool IsFileEntry(const CFileFacts* pFacts) {
    return pFacts && !(pFacts->dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CompareListed(const CFileFacts& source, const CFileFacts* pMirror) {
    if (!IsFileEntry(pMirror))
        return COMPARE_NEW;
    return FactsMatch(source, *pMirror) ? COMPARE_EQUAL : COMPARE_CHANGED;
}

// The comparison of the execution, on the handle the copy then reads: the
// source opened without sharing, the mirror looked up by name. A source
// another program holds stays closed; its copy opens it by itself.
int OpenAndCompare(CSourceFile& source, const char* pszSource, const char* pszMirror) {
    if (!source.Open(pszSource, 0))
        return COMPARE_SOURCE_UNREADABLE;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(pszMirror, GetFileExInfoStandard, &data))
        return COMPARE_NEW;
    CFileFacts mirror = FactsOf(data);
    return CompareListed(source.Facts(), &mirror);
}

// Moves the progress bar as the blocks of one file are written. The bar
// counts each file with the size the comparison read (0 for a source it
// could not open), never more, and all of it once the copy is over,
// whether it succeeded or not, as it counted every file before. An abort
// stops the copy between two blocks; the staged copy then goes and the
// mirror keeps its old version.
class CFileCopyProgress : public CCopyProgress {
public:
    CFileCopyProgress(CBackupJob& job, ULONGLONG nFileSize) : m_job(job), m_nLeft(nFileSize) {}
    bool OnBlockCopied(ULONGLONG nBytes) override {
        Count(nBytes < m_nLeft ? nBytes : m_nLeft);
        if (!m_job.m_bAbort)
            return true;
        SetLastError(ERROR_OPERATION_ABORTED);
        return false;
    }
    void Finish() { Count(m_nLeft); }

private:
    void Count(ULONGLONG nBytes) {
        m_nLeft -= nBytes;
        m_job.AddToTotal(m_job.m_nBytesToCopy, nBytes);
    }

    CBackupJob& m_job;
    ULONGLONG m_nLeft;
};

} // namespace

void CBackupJob::CopyWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                          const char* pszHistoryName) {
    char szPattern[MAX_PATH];
    if (!JoinPath(szPattern, pszSourceFolder, "*.*")) {
        // A folder of 256 to 259 bytes fits, its pattern does not: nothing
        // in it can be copied, and the user must hear so (once; the direct
        // phase walks again after the survey).
        if (m_bSurvey)
            AddWarning(pszSourceFolder, NOT_COPIED_WARNING);
        return;
    }
    CFileFind finder;
    bool bMore = finder.FindFile(szPattern);
    CFolderListing mirror;
    bool bMirrorListed = false; // listed when the first file needs it
    while (bMore && !m_bAbort) {
        bMore = finder.FindNextFile();
        CString strName = finder.GetFileName();
        bool bDirectory = finder.IsDirectory();
        if (bDirectory && (finder.IsDots() || !m_bSubfolders))
            continue;
        if (!finder.IsNameExact()) {
            // Joined to the folders, the name would lead to another file,
            // or out of both (a yen sign stands for a backslash): the file
            // (or the whole subfolder) is reported, once, and left alone.
            if (m_bSurvey && (bDirectory || PassesFilters(strName)))
                AddWarning(JoinPath(CString(pszSourceFolder), strName), SOURCE_NAME_WARNING);
            continue;
        }

        char szSource[MAX_PATH], szMirror[MAX_PATH];
        if (!JoinPath(szSource, pszSourceFolder, strName) ||
            !JoinPath(szMirror, pszMirrorFolder, strName)) {
            // Too long for a path: this file (or every file of this
            // subfolder) fails like a file that could not be copied, unless
            // the filters would have left it out anyway.
            if (bDirectory || PassesFilters(strName))
                AddWarning(JoinPath(CString(pszSourceFolder), strName), NOT_COPIED_WARNING);
            continue;
        }
        if (bDirectory) {
            CopySubfolder(szSource, szMirror, pszHistoryName, strName, finder.IsFolderLink());
        } else if (PassesFilters(szSource)) {
            if (!bMirrorListed) {
                mirror.List(pszMirrorFolder);
                bMirrorListed = true;
            }
            BackupListedFile(szSource, szMirror, pszHistoryName, FactsOf(finder),
                             mirror.Find(strName));
        }
    }
}

void CBackupJob::CopySubfolder(const char* pszSource, const char* pszMirror,
                               const char* pszHistoryName, const char* pszName, bool bLink) {
    // Links are not followed: one may lead back above itself, or out of the
    // source. A mirror folder that is a link (the removal pass has reported
    // it) is not written through.
    if (bLink) {
        AddWarning(pszSource, LINK_WARNING);
        return;
    }
    if (IsFolderLinkAt(pszMirror))
        return;
    char szSubHistory[MAX_PATH];
    if (!JoinPath(szSubHistory, pszHistoryName, pszName)) {
        AddWarning(pszSource, NOT_COPIED_WARNING);
        return;
    }
    if (!IsExistingFolder(pszMirror))
        CreateDirectoryA(pszMirror, nullptr);
    CopyWalk(pszSource, pszMirror, szSubHistory);
}

bool CBackupJob::PassesFilters(const char* pszPath) const {
    if (HasListedExtension(pszPath, m_spec.strNoCopy))
        return false;
    if (m_nFilterMode == 0)
        return !HasListedExtension(pszPath, m_strExtensions);
    if (m_nFilterMode == 1)
        return HasListedExtension(pszPath, m_strExtensions);
    return true;
}

void CBackupJob::BackupListedFile(const char* pszSource, const char* pszMirror,
                                  const char* pszHistoryName, const CFileFacts& source,
                                  const CFileFacts* pMirror) {
    char szShown[MAX_PATH];
    ShownName(pszSource, szShown);
    m_status.SetText(SEARCHING, szShown);
    int nKind = CompareListed(source, pMirror);
    if (!m_bSurvey) {
        // The direct phase: the copy opens the file and compares again.
        if (nKind != COMPARE_EQUAL)
            BackupFile(pszSource, pszMirror, pszHistoryName);
        return;
    }
    // A file to copy that another program holds is counted as the
    // comparison of the opened files would count it: in the total only.
    // Unchanged files are never opened.
    if (nKind != COMPARE_EQUAL && !CanOpenExclusively(pszSource))
        nKind = COMPARE_SOURCE_UNREADABLE;
    SurveyFile(pszSource, pszMirror, pszHistoryName, nKind,
               nKind == COMPARE_SOURCE_UNREADABLE ? 0 : source.nSize);
}

void CBackupJob::SurveyFile(const char* pszSource, const char* pszMirror,
                            const char* pszHistoryName, int nKind, ULONGLONG nSourceSize) {
    ++m_nTotal;
    bool bOk = true;
    if (nKind == COMPARE_NEW)
        ++m_nNew;
    if (nKind == COMPARE_CHANGED) {
        ++m_nUpdated;
        char szFileName[MAX_PATH];
        std::strcpy(szFileName, pszSource);
        GetLastComponent(szFileName);
        bOk = ShiftHistory(pszHistoryName, szFileName, pszMirror); // plans the oldest's deletion
    }
    if (nKind != COMPARE_EQUAL && bOk) {
        AddToTotal(m_nBytesToCopy, nSourceSize);
        AddToCopyList(pszSource, pszMirror, pszHistoryName);
    }
    if (!bOk)
        // Only a history path too long to build fails here; the file would
        // never be listed, so it is reported now.
        AddWarning(pszSource, NOT_COPIED_WARNING);
}

void CBackupJob::BackupFile(const char* pszSource, const char* pszMirror,
                            const char* pszHistoryName) {
    char szShown[MAX_PATH];
    ShownName(pszSource, szShown);
    m_status.SetText(SEARCHING, szShown);
    if (m_bSurvey) {
        ULONGLONG nSourceSize = 0;
        int nKind = CompareFiles(pszSource, pszMirror, &nSourceSize);
        SurveyFile(pszSource, pszMirror, pszHistoryName, nKind, nSourceSize);
        return;
    }
    CSourceFile source;
    int nKind = OpenAndCompare(source, pszSource, pszMirror);
    if (nKind == COMPARE_EQUAL)
        return;
    // A source that could not be opened without sharing counts 0 bytes.
    ULONGLONG nSourceSize = nKind == COMPARE_SOURCE_UNREADABLE ? 0 : source.GetSize();
    m_status.SetText("Backup中 : ", szShown);
    // A copy this long must show its own name, not wait for the next
    // file's text to carry it out.
    if (nSourceSize >= LONG_COPY_SIZE)
        m_status.Flush();
    char szFileName[MAX_PATH];
    std::strcpy(szFileName, pszSource);
    GetLastComponent(szFileName);
    CFileCopyProgress progress(*this, nSourceSize);
    // A source another program reads cannot be compared, but it is in the
    // copy list only because its listing differs from the mirror's: the
    // mirror copy it replaces is an older version and goes to the history
    // like any changed file's.
    bool bShiftHistory =
        nKind == COMPARE_CHANGED || (nKind == COMPARE_SOURCE_UNREADABLE &&
                                     GetFileAttributesA(pszMirror) != INVALID_FILE_ATTRIBUTES);
    bool bOk = ReplaceMirrorFile(source, pszSource, pszMirror, pszHistoryName, szFileName,
                                 bShiftHistory, &progress);
    DWORD dwError = GetLastError();
    progress.Finish();
    if (bOk || (dwError == ERROR_OPERATION_ABORTED && m_bAbort))
        return; // a copy the user stopped leaves the status to the abort
    SetLastError(dwError);
    ReportCopyFailure(pszSource);
}

// The new copy is staged first; only then does the old mirror copy move
// into the history and the staged copy take its place. A copy that fails
// (a full disk, a source that vanished) leaves the mirror copy and every
// generation as they were, and a kill at any point leaves the real name
// with the old copy, the new one, or (between the two renames) none, the
// old one being safe in generation 1.
bool CBackupJob::ReplaceMirrorFile(CSourceFile& source, const char* pszSource,
                                   const char* pszMirror, const char* pszHistoryName,
                                   const char* pszFileName, bool bChanged,
                                   CCopyProgress* pProgress) {
    CStagedCopy copy;
    // A source the comparison could not open is opened by the copy with
    // read sharing, as a copy always opened it: one that another program
    // only reads is copied, any other fails with the copy's own error.
    bool bStaged = source.IsOpen() ? copy.Stage(source, pszMirror, m_strHistoryRoot, pProgress)
                                   : copy.Stage(pszSource, pszMirror, m_strHistoryRoot);
    if (!bStaged)
        return false;
    source.Close();
    if (bChanged && !ShiftHistory(pszHistoryName, pszFileName, pszMirror))
        return false;
    return copy.Commit();
}

void CBackupJob::ReportCopyFailure(const char* pszSource) {
    DWORD dwError = GetLastError();
    switch (dwError) {
    case ERROR_SUCCESS:
        AddWarning(pszSource, NOT_COPIED_WARNING);
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
