// Totals of the files and folders below one or more folders, counted on a
// worker thread while the folder information dialog polls the record.
#pragma once

#include "Object.h"
#include "String.h"
#include "WorkerStatus.h"

// One folder to sum: a work item of the totals worker.
class CSumItem : public CObject {
public:
    CSumItem(const char* pszPath, bool bRecurse) : m_strPath(pszPath), m_bRecurse(bRecurse) {}

    CString m_strPath;
    int m_bRecurse; // whether subfolders are entered
};

// Adds the files of pszFolder to the totals (m_nCount files, m_nBytes their
// sizes); with bRecurse also its subfolders, each counted in m_nCount2 once
// its own subtree is done. Stops before the next entry once m_bStop is set.
void SumFolder(CWorkerStatus& status, const char* pszFolder, bool bRecurse);

// Thread procedure (pStatus: the CWorkerStatus): sums every CSumItem of
// m_items in order, then sets m_bFinished.
UINT FolderThreadProc(LPVOID pStatus);
