#include "EntryPlan.h"

#include "FileOps.h"
#include "HistoryFolder.h"
#include "PathText.h"
#include "RunLog.h"
#include "RunSpec.h"

namespace {

// The folder as the file system spells it (long names for 8.3 ones), so
// that two spellings of one folder compare equal; as given when it does
// not exist.
CString LongForm(const CString& strFolder) {
    char sz[MAX_PATH];
    DWORD n = GetLongPathNameA(strFolder, sz, MAX_PATH);
    return n > 0 && n < MAX_PATH ? CString(sz) : strFolder;
}

} // namespace

CEntryPlanner::CEntryPlanner(const char* pszDestination) {
    NormalizeFolderPath(pszDestination, m_strDestination);
}

bool CEntryPlanner::Plan(const CSourceSpec& source, CEntryPlan& plan) {
    if (m_strDestination.IsEmpty() || !NormalizeFolderPath(source.strFolder, plan.strFolder) ||
        !NormalizeFolderPath(source.strMirror, plan.strMirror) || !IsOwnMirror(plan.strMirror) ||
        OverlapsDestination(plan.strFolder) || IsFolderLinkAt(plan.strMirror))
        return false;

    // The history name: the folder's stored name, or its last component
    // when the file system gives none (a share root); never "" or "..",
    // which would put old versions outside the entry's history tree.
    plan.strTitle = GetFolderTitle(plan.strFolder);
    if (!IsRealName(plan.strTitle))
        plan.strTitle = GetLastComponent(plan.strFolder);
    if (!IsRealName(plan.strTitle))
        return false;
    return m_mirrors.insert(FoldCase(plan.strMirror)).second;
}

// destination\name with a real name that is neither the history folder's
// nor the run log's.
bool CEntryPlanner::IsOwnMirror(const CString& strMirror) const {
    int nCut = FindBackslash(strMirror, false);
    if (nCut < 0)
        return false;
    CString strName = strMirror.Mid(nCut + 1);
    return IsRealName(strName) && FoldCase(strName) != FoldCase(HISTORY_FOLDER_NAME) &&
           FoldCase(strName) != FoldCase(RUN_LOG_FOLDER_NAME) &&
           FoldCase(JoinPath(m_strDestination, strName)) == FoldCase(strMirror);
}

bool CEntryPlanner::OverlapsDestination(const CString& strFolder) const {
    return FoldersOverlap(strFolder, m_strDestination) ||
           FoldersOverlap(LongForm(strFolder), LongForm(m_strDestination));
}
