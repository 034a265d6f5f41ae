#include "FolderTotals.h"

#include "FileFind.h"
#include "FileOps.h"
#include "PathText.h"

namespace {

// An entry whose name the code page cannot hold leads to no path: a file
// counts with the size its listing gives, a folder counts but cannot be
// entered.
void CountUnreachable(CWorkerStatus& status, const CFileFind& finder, bool bRecurse) {
    if (!finder.IsDirectory()) {
        status.m_nCount += 1;
        status.m_nBytes += finder.GetLength();
    } else if (bRecurse) {
        status.m_nCount2 += 1;
    }
}

} // namespace

void SumFolder(CWorkerStatus& status, const char* pszFolder, bool bRecurse) {
    char szPattern[MAX_PATH];
    if (!JoinPath(szPattern, pszFolder, "*.*"))
        return;
    CFileFind finder;
    bool bMore = finder.FindFile(szPattern);
    while (bMore && !status.m_bStop) {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        if (!finder.IsNameExact()) {
            CountUnreachable(status, finder, bRecurse);
            continue;
        }
        char szPath[MAX_PATH];
        if (!JoinPath(szPath, pszFolder, finder.GetFileName()))
            continue;
        if (!finder.IsDirectory()) {
            status.m_nCount += 1;
            // A file that cannot be opened (another program holds it) adds
            // nothing; the whole 64-bit size of the others is added.
            status.m_nBytes = AddFileSize(status.m_nBytes, szPath);
        } else if (bRecurse) {
            // A link counts as a folder but is not entered: it may lead
            // back above itself.
            if (!finder.IsFolderLink())
                SumFolder(status, szPath, true);
            status.m_nCount2 += 1;
        }
    }
}

UINT FolderThreadProc(LPVOID pParam) {
    CWorkerStatus& status = *static_cast<CWorkerStatus*>(pParam);
    for (POSITION pos = status.m_items.GetHeadPosition(); pos;) {
        const CSumItem& item = *static_cast<CSumItem*>(status.m_items.GetNext(pos));
        SumFolder(status, item.m_strPath, item.m_bRecurse != 0);
    }
    status.m_bFinished = 1;
    return 0;
}
