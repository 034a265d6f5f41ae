#include "WorkerThread.h"

bool CWorkerThread::Start(AFX_THREADPROC pfnProc, LPVOID pParam) {
    End();
    m_pThread = AfxBeginThread(pfnProc, pParam, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pThread)
        return false;
    m_pThread->m_bAutoDelete = false;
    m_pThread->ResumeThread();
    return true;
}

void CWorkerThread::End() {
    if (IsRunning())
        Stop();
    Wait();
}

void CWorkerThread::Wait() {
    if (!m_pThread)
        return;
    m_pThread->WaitForEnd();
    delete m_pThread;
    m_pThread = nullptr;
}
