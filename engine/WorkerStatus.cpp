#include "WorkerStatus.h"

#include <new>

#include "PathText.h"
#include "TryLock.h"

void CWorkerStatus::SetText(const char* pszPrefix, const char* pszName) {
    // Built in a fixed buffer: the worker's status line never needs memory,
    // and a name is never cut inside a double-byte character.
    char szText[STATUS_TEXT_LIMIT + 1];
    int nLength = 0;
    bool bFull = false;
    for (const char* psz : {pszPrefix, pszName}) {
        for (int i = 0; psz && psz[i] && !bFull;) {
            int nChar = IsDoubleByteAt(psz + i) ? 2 : 1;
            bFull = nLength + nChar > STATUS_TEXT_LIMIT;
            for (int k = 0; k < nChar && !bFull; ++k)
                szText[nLength++] = psz[i++];
        }
    }
    szText[nLength] = '\0';
    CTryLock lock(m_hMutex);
    if (!lock.IsLocked())
        return; // the dialog is reading: this update is dropped
    try {
        m_strText = szText;
    } catch (const std::bad_alloc&) {
        return;
    }
    m_bChanged = 1;
}

bool CWorkerStatus::TakeText(CString& strOut) {
    CTryLock lock(m_hMutex);
    if (!lock.IsLocked() || !m_bChanged)
        return false;
    m_bChanged = 0;
    strOut = m_strText;
    return true;
}

void CWorkerStatus::AddFailure(const char* pszPath) {
    m_nFailed += 1;
    try {
        m_failures.AddTail(CString(pszPath));
    } catch (const std::bad_alloc&) {
        // Counted all the same: the result still says files are missing.
    }
}
