// The execution's step for one file to copy: the file is compared with its
// mirror again on the handle the copy then reads, staged, the mirror copy
// shifted into the history, and the staged copy put in place.
//
// The step keeps nothing in the job between two files and writes only what
// the job shares safely (atomic counts and totals, the status channel), so
// the copy workers run it for several lines at once (CopyWorkers.h). It
// takes every path from the line it is given.
#include <cstring>

#include "BackupJob.h"
#include "FileOps.h"
#include "PathCalls.h"
#include "PathText.h"
#include "SourceFile.h"

namespace {

// The comparison of the execution, on the handle the copy then reads: the
// source opened without sharing, the mirror looked up by name. A source
// another program holds stays closed; its copy opens it by itself.
// dwMirror gets the mirror file's attributes (INVALID_FILE_ATTRIBUTES when
// there is none) for the staged copy, which needs them too.
int OpenAndCompare(CSourceFile& source, const char* pszSource, const char* pszMirror,
                   DWORD& dwMirror) {
    dwMirror = INVALID_FILE_ATTRIBUTES;
    if (!source.Open(pszSource, 0))
        return COMPARE_SOURCE_UNREADABLE;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetAttributeDataAt(pszMirror, data))
        return COMPARE_NEW;
    dwMirror = data.dwFileAttributes;
    CFileFacts mirror = FactsOf(data);
    if (mirror.dwAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return COMPARE_NEW;
    return FactsMatch(source.Facts(), mirror) ? COMPARE_EQUAL : COMPARE_CHANGED;
}

// A source the comparison could not open that is still there: another
// program holds it (or it cannot be read), as the survey's open of it
// would have found. One that has gone was there for the survey.
bool IsHeldOrUnreadable(DWORD dwOpenError) {
    return dwOpenError != ERROR_FILE_NOT_FOUND && dwOpenError != ERROR_PATH_NOT_FOUND;
}

// Moves the progress bar as the blocks of one file are written. The bar
// counts each file with the bytes the survey counted for it, never more,
// and all of them once the copy is over, whether it succeeded, failed or
// found nothing to do, so the bar ends where its range does. An abort (or
// the cancel of this one copy) stops the copy between two blocks; the
// staged copy then goes and the mirror keeps its old version.
class CFileCopyProgress : public CCopyProgress {
public:
    CFileCopyProgress(CBackupJob& job, ULONGLONG nBytes, const std::atomic<bool>* pbCancel)
        : m_job(job), m_nLeft(nBytes), m_pbCancel(pbCancel) {}
    bool OnBlockCopied(ULONGLONG nBytes) override {
        Count(nBytes < m_nLeft ? nBytes : m_nLeft);
        if (!m_job.m_bAbort && !(m_pbCancel && *m_pbCancel))
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
    const std::atomic<bool>* m_pbCancel;
};

} // namespace

void CBackupJob::BackupFile(const CCopyItem& item) {
    DWORD dwError = ERROR_SUCCESS;
    if (!CopyItem(item, nullptr, dwError))
        ReportCopyFailure(item.strSource, dwError);
}

bool CBackupJob::CopyItem(const CCopyItem& item, const std::atomic<bool>* pbCancel,
                          DWORD& dwError) {
    dwError = ERROR_SUCCESS;
    ShowFile(SEARCHING_TEXT, item.strSource);
    CFileCopyProgress progress(*this, item.nSize, pbCancel);
    CSourceFile source;
    DWORD dwMirror;
    int nKind = OpenAndCompare(source, item.strSource, item.strMirror, dwMirror);
    if (nKind == COMPARE_EQUAL) {
        progress.Finish();
        return true;
    }
    if (nKind == COMPARE_SOURCE_UNREADABLE && IsHeldOrUnreadable(GetLastError()))
        CountBack(item);
    ShowFile(COPYING_TEXT, item.strSource);
    // A copy this long must show its own name, not wait for the next
    // file's text to carry it out.
    if (item.nSize >= LONG_COPY_SIZE)
        m_status.Flush();
    CString strFileName = GetLastComponent(item.strSource);
    // A source another program reads cannot be compared, but it is in the
    // copy list only because its listing differs from the mirror's: the
    // mirror copy it replaces is an older version and goes to the history
    // like any changed file's.
    bool bShiftHistory =
        nKind == COMPARE_CHANGED || (nKind == COMPARE_SOURCE_UNREADABLE &&
                                     GetAttributesAt(item.strMirror) != INVALID_FILE_ATTRIBUTES);
    bool bOk = ReplaceMirrorFile(source, item, strFileName, bShiftHistory, dwMirror, &progress);
    dwError = GetLastError();
    progress.Finish();
    return bOk;
}

void CBackupJob::CountBack(const CCopyItem& item) {
    if (item.bChanged)
        --m_nUpdated;
    else
        --m_nNew;
}

// The new copy is staged first; only then does the old mirror copy move
// into the history and the staged copy take its place. A copy that fails
// (a full disk, a source that vanished) leaves the mirror copy and every
// generation as they were, and a kill at any point leaves the real name
// with the old copy, the new one, or (between the two renames) none, the
// old one being safe in generation 1.
bool CBackupJob::ReplaceMirrorFile(CSourceFile& source, const CCopyItem& item,
                                   const char* pszFileName, bool bShiftHistory, DWORD dwMirror,
                                   CCopyProgress* pProgress) {
    CStagedCopy copy;
    // A source the comparison could not open is opened by the copy with
    // read sharing, as a copy always opened it: one that another program
    // only reads is copied, any other fails with the copy's own error.
    bool bStaged = source.IsOpen()
                       ? copy.Stage(source, item.strMirror, m_strHistoryRoot, pProgress, &dwMirror)
                       : copy.Stage(item.strSource, item.strMirror, m_strHistoryRoot);
    if (!bStaged)
        return false;
    source.Close();
    if (bShiftHistory &&
        !ShiftHistory(item.strHistoryName, pszFileName, item.strMirror, item.nHistoryLimit))
        return false;
    return copy.Commit();
}

// A warning leaves the status alone: resetting it to 0 would hide an
// earlier missing source or a user's abort.
bool CBackupJob::ReportCopyFailure(const char* pszSource, DWORD dwError) {
    switch (dwError) {
    case ERROR_SUCCESS:
        AddWarning(pszSource, NOT_COPIED_WARNING);
        return false;
    case ERROR_FILE_NOT_FOUND:
        AddWarning(pszSource, " コピー前にファイルが無くなりました。\n");
        return false;
    case ERROR_SHARING_VIOLATION:
        AddWarning(pszSource, " 排他的処理中の為コピーできません。\n");
        return false;
    case ERROR_OPERATION_ABORTED:
        if (m_bAbort)
            return false; // a copy the user stopped leaves the status to the abort
        break;
    default:
        break;
    }
    // Anything else (a full disk, a lost drive) stops the whole run.
    m_nStatus = static_cast<int>(dwError);
    m_bAbort = 1;
    return true;
}
