// The synchronised copy: walks a source folder and copies every new or
// changed file into the same place of the mirror folder. In survey mode it
// only counts and lists; in execute mode (the direct phase) it copies.
//
// The walk compares each file by the facts of the two folder listings
// (source and mirror), so the survey opens no file at all: a file to copy
// is listed with what the listings say of it, and the execution, which
// opens it anyway, counts back one that another program holds
// (MirrorCopy.cpp).
#include <cstring>

#include "BackupJob.h"
#include "FileOps.h"
#include "FolderListing.h"
#include "PathCalls.h"
#include "PathText.h"
#include "WalkLevel.h"

namespace {

bool IsFileEntry(const CFileFacts* pFacts) {
    return pFacts && !(pFacts->dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CompareListed(const CFileFacts& source, const CFileFacts* pMirror) {
    if (!IsFileEntry(pMirror))
        return COMPARE_NEW;
    return FactsMatch(source, *pMirror) ? COMPARE_EQUAL : COMPARE_CHANGED;
}

} // namespace

void CBackupJob::CopyWalk(const char* pszSourceFolder, const char* pszMirrorFolder,
                          const char* pszHistoryName) {
    CWalkLevel level(pszSourceFolder, pszMirrorFolder, pszHistoryName);
    if (level.sources.List(pszSourceFolder))
        CopyEntries(level, 0, level.sources.GetCount());
}

void CBackupJob::CopyEntries(CWalkLevel& level, size_t nFirst, size_t nEnd) {
    const CFolderListing& sources = level.sources;
    for (size_t i = nFirst; i < nEnd && !m_bAbort; ++i) {
        const char* pszName = sources.GetName(i);
        bool bDirectory = sources.IsDirectory(i);
        if (bDirectory && !m_bSubfolders)
            continue;
        if (!sources.IsNameReachable(i)) {
            // Joined to the folders, the name would lead to another file, a
            // pattern, or out of both (a backslash in a name wine lists):
            // the file (or the whole subfolder) is reported, once, and left
            // alone.
            if (m_bSurvey && (bDirectory || PassesFilters(pszName)))
                AddCopyWarning(JoinPath(CString(level.pszSource), pszName), SOURCE_NAME_WARNING);
            continue;
        }
        // Names the code page lacks are joined as their exact texts, and
        // paths of any length go to the wide calls (ExactText.h).
        CString strSource = JoinPath(CString(level.pszSource), pszName);
        if (bDirectory) {
            CopySubfolder(strSource, JoinPath(CString(level.pszMirror), pszName),
                          level.pszHistoryName, pszName, sources.IsFolderLink(i));
        } else if (PassesFilters(strSource)) {
            BackupListedFile(strSource, JoinPath(CString(level.pszMirror), pszName),
                             level.pszHistoryName, sources.GetFacts(i),
                             level.FindInMirror(pszName));
        }
    }
}

void CBackupJob::CopySubfolder(const char* pszSource, const char* pszMirror,
                               const char* pszHistoryName, const char* pszName, bool bLink) {
    // Links are not followed: one may lead back above itself, or out of the
    // source. A mirror folder that is a link (the removal pass has reported
    // it) is not written through.
    if (bLink) {
        AddCopyWarning(pszSource, LINK_WARNING);
        return;
    }
    if (IsFolderLinkAt(pszMirror))
        return;
    if (!IsExistingFolder(pszMirror))
        CreateFolderAt(pszMirror);
    CopyWalk(pszSource, pszMirror, JoinPath(CString(pszHistoryName), pszName));
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
    ShowFile(SEARCHING_TEXT, pszSource);
    int nKind = CompareListed(source, pMirror);
    if (nKind == COMPARE_EQUAL && !m_bSurvey)
        return;
    if (!m_bSurvey) {
        // The direct phase: the copy opens the file and compares again.
        CCopyItem item;
        item.strSource = pszSource;
        item.strMirror = pszMirror;
        item.strHistoryName = pszHistoryName;
        item.nHistoryLimit = m_nHistoryLimit;
        item.bChanged = nKind == COMPARE_CHANGED;
        item.nSize = source.nSize;
        BackupFile(item);
        return;
    }
    SurveyFile(pszSource, pszMirror, pszHistoryName, nKind, source.nSize);
}

void CBackupJob::SurveyFile(const char* pszSource, const char* pszMirror,
                            const char* pszHistoryName, int nKind, ULONGLONG nSourceSize) {
    ++m_nTotal;
    bool bOk = true;
    if (nKind == COMPARE_NEW)
        ++m_nNew;
    if (nKind == COMPARE_CHANGED) {
        ++m_nUpdated;
        bOk = ShiftHistory(pszHistoryName, GetLastComponent(CString(pszSource)),
                           pszMirror); // plans the oldest's deletion
    }
    if (nKind != COMPARE_EQUAL && bOk) {
        AddToTotal(m_nBytesToCopy, nSourceSize);
        AddToCopyList(pszSource, pszMirror, pszHistoryName, nKind == COMPARE_CHANGED, nSourceSize);
    }
    if (!bOk)
        // Only a history path too long to build fails here; the file would
        // never be listed, so it is reported now.
        AddCopyWarning(pszSource, NOT_COPIED_WARNING);
}
