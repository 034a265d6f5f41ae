// The restore worker: copies items of the mirror back to their source
// folders, always overwriting, with the mirror files' times and attributes.
#pragma once

#include "Types.h"

class CWorkerStatus;

// Restores one item: a file, or a folder with everything below it. A failed
// copy or folder stops every folder walk (m_bStop); each path that is not
// restored is added to the status's failures, and a folder item met once
// the walks have stopped is counted as not tried. pszSpare: a folder on the
// target's drive for copies that cannot be staged beside their target
// (CopyFileWithTimes); what a killed restore left there is removed first.
void RestorePath(CWorkerStatus& status, const char* pszFrom, const char* pszTo,
                 const char* pszSpare = "");

// Thread procedure (pStatus: the CWorkerStatus): restores every
// CRestorePair of m_items in order, then sets m_bFinished.
UINT RestoreThreadProc(LPVOID pStatus);
