#include "FolderTotals.h"

#include "FileFind.h"
#include "FileOps.h"
#include "PathText.h"

namespace {

// An entry whose name no path can reach (IsReachableName): a file
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
    CFileFind finder;
    bool bMore = finder.FindFile(JoinPath(CString(pszFolder), "*.*"));
    while (bMore && !status.m_bStop) {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        if (!finder.IsNameReachable()) {
            CountUnreachable(status, finder, bRecurse);
            continue;
        }
        CString strPath = JoinPath(CString(pszFolder), finder.GetFileName());
        const char* szPath = strPath;
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
