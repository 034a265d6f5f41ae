#include "WinThread.h"

#include <process.h>

CWinThread::~CWinThread() = default;

bool CWinThread::WaitForEnd(DWORD dwMilliseconds) const {
    return m_hThread.IsValid() && WaitForSingleObject(m_hThread, dwMilliseconds) == WAIT_OBJECT_0;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pThis) {
    CWinThread* pThread = static_cast<CWinThread*>(pThis);
    UINT nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    if (pThread->m_bAutoDelete)
        delete pThread;
    return nResult;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES pSecurityAttrs) {
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    unsigned nThreadId = 0;
    // Always created suspended so the object is complete before it runs.
    uintptr_t h = _beginthreadex(pSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, pThread,
                                 CREATE_SUSPENDED, &nThreadId);
    if (h == 0) {
        delete pThread;
        return nullptr;
    }
    pThread->m_hThread.Reset(reinterpret_cast<HANDLE>(h));
    pThread->m_nThreadID = nThreadId;
    SetThreadPriority(pThread->m_hThread, nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}
