// The restore worker: copies items of the mirror back to their source
// folders, always overwriting, with the mirror files' times and attributes.
#pragma once

#include "Types.h"

class CWorkerStatus;

// Restores one item: a file, or a folder with everything below it. A failed
// copy or folder stops every folder walk (m_bStop); each path that is not
// restored is added to the status's failures.
void RestorePath(CWorkerStatus& status, const char* pszFrom, const char* pszTo);

// Thread procedure (pStatus: the CWorkerStatus): restores every
// CRestorePair of m_items in order, then sets m_bFinished.
UINT RestoreThreadProc(LPVOID pStatus);
