// Totals of the files and folders below one or more folders, counted on a
// worker thread while a dialog polls the record.
#pragma once

#include <vector>
#include "String.h"

struct CFolderTotals {
    // Written by the worker, polled by the dialog: plain integers.
    volatile LONG m_nFiles = 0;
    volatile LONG m_nFolders = 0;
    volatile DWORD m_nBytes = 0; // low 32 bits of each size, summed modulo 2^32
    volatile LONG m_bFinished = 0;
    // Written by the dialog, polled by the worker.
    volatile LONG m_bAbort = 0;

    struct CRequest {
        CString m_strFolder;
        bool m_bRecurse;
    };
    std::vector<CRequest> m_requests; // set before the worker starts
};

// Adds the files of pszFolder to the totals; with bRecurse also its
// subfolders, each counted once its own subtree is done.
void SumFolder(CFolderTotals& totals, const char* pszFolder, bool bRecurse);

// Thread procedure: sums every request in order, then sets m_bFinished.
UINT FolderTotalsThreadProc(LPVOID pTotals);
