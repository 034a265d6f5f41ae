// Worker threads. AfxBeginThread starts pfnThreadProc(pParam) on a new
// thread. By default the CWinThread deletes itself when the thread ends; an
// owner that must wait for the thread starts it with CREATE_SUSPENDED,
// clears m_bAutoDelete, calls ResumeThread, and later waits on m_hThread and
// deletes the object.
#pragma once

#include "Handle.h"

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
        : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    virtual ~CWinThread();

    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    // Waits until the thread has ended; true when it has.
    bool WaitForEnd(DWORD dwMilliseconds = INFINITE) const;

    CHandle m_hThread; // closed with the object
    DWORD m_nThreadID = 0;
    bool m_bAutoDelete = true;

private:
    friend CWinThread* AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD,
                                      LPSECURITY_ATTRIBUTES);
    static unsigned __stdcall ThreadEntry(void* pThis);

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

// Returns null when the thread cannot be created.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES pSecurityAttrs = nullptr);
