#include "FolderTotals.h"

#include "FileFind.h"
#include "Handle.h"
#include "PathText.h"

namespace {

DWORD LowSizeOf(const char* pszPath) {
    CHandle hFile(CreateFileA(pszPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile.IsValid())
        return 0;
    // With the high half asked for, INVALID_FILE_SIZE is a failure only when
    // the last error says so: 0xFFFFFFFF is also the low half of real sizes
    // (4 GiB - 1 bytes, 8 GiB - 1 bytes, ...).
    DWORD dwHigh = 0;
    SetLastError(NO_ERROR);
    DWORD dwLow = GetFileSize(hFile, &dwHigh);
    bool bFailed = dwLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR;
    return bFailed ? 0 : dwLow;
}

} // namespace

void SumFolder(CFolderTotals& totals, const char* pszFolder, bool bRecurse) {
    char szPattern[MAX_PATH];
    if (!JoinPath(szPattern, pszFolder, "*.*"))
        return;
    CFileFind finder;
    bool bMore = finder.FindFile(szPattern);
    while (bMore && !totals.m_bAbort) {
        bMore = finder.FindNextFile();
        char szPath[MAX_PATH];
        if (finder.IsDots() || !JoinPath(szPath, pszFolder, finder.GetFileName()))
            continue;
        if (!finder.IsDirectory()) {
            totals.m_nFiles = totals.m_nFiles + 1;
            totals.m_nBytes = totals.m_nBytes + LowSizeOf(szPath);
        } else if (bRecurse) {
            // A link counts as a folder but is not entered: it may lead
            // back above itself.
            if (!finder.IsFolderLink())
                SumFolder(totals, szPath, true);
            totals.m_nFolders = totals.m_nFolders + 1;
        }
    }
}

UINT FolderTotalsThreadProc(LPVOID pParam) {
    CFolderTotals& totals = *static_cast<CFolderTotals*>(pParam);
    for (const CFolderTotals::CRequest& request : totals.m_requests)
        SumFolder(totals, request.m_strFolder, request.m_bRecurse);
    totals.m_bFinished = 1;
    return 0;
}
