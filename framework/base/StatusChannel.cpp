#include "StatusChannel.h"

#include <new>

#include "MultiByte.h"
#include "TryLock.h"

namespace {

// Appends psz to the buffer as far as whole characters fit.
int AppendFitting(char* pszOut, int nLength, int nLimit, const char* psz) {
    for (int i = 0; psz && psz[i];) {
        int nChar = CharLengthAt(psz + i);
        if (nLength + nChar > nLimit)
            break;
        for (int k = 0; k < nChar; ++k)
            pszOut[nLength++] = psz[i++];
    }
    return nLength;
}

} // namespace

bool CStatusChannel::Open(const char* pszMutexName) {
    m_hMutex.Reset(CreateMutexA(nullptr, FALSE, pszMutexName));
    m_bChanged = false;
    m_bPending = false;
    m_bOffered = false;
    return m_hMutex.IsValid();
}

void CStatusChannel::SetText(const char* pszPrefix, const char* pszName) {
    CSlimLock::CHold hold(m_workers);
    // Built in a fixed buffer: the worker's status line never needs memory.
    int nLength = AppendFitting(m_szPending, 0, TEXT_LIMIT, pszPrefix);
    nLength = AppendFitting(m_szPending, nLength, TEXT_LIMIT, pszName);
    m_szPending[nLength] = '\0';
    m_bPending = true;
    ULONGLONG nNow = m_pfnTickCount();
    if (!m_bOffered || nNow - m_nOfferedAt >= m_nIntervalMs)
        Offer(nNow);
}

void CStatusChannel::Flush() {
    CSlimLock::CHold hold(m_workers);
    if (m_bPending)
        Offer(m_pfnTickCount());
}

void CStatusChannel::Offer(ULONGLONG nNow) {
    CTryLock lock(m_hMutex);
    if (!lock.IsLocked())
        return; // the dialog is reading: the text waits for the next offer
    try {
        m_strText = m_szPending;
    } catch (const std::bad_alloc&) {
        // The dialog keeps the text it shows and the worker goes on.
        return;
    }
    m_bChanged = true;
    m_bPending = false;
    m_bOffered = true;
    m_nOfferedAt = nNow;
}

bool CStatusChannel::TakeText(CString& strOut) {
    CTryLock lock(m_hMutex);
    if (!lock.IsLocked() || !m_bChanged)
        return false;
    m_bChanged = false;
    strOut = m_strText;
    return true;
}
