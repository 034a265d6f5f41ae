// A worker thread that its owner can stop and must outlive: started
// suspended and kept after it ends, so the owner can always wait for it
// before the record the worker reads goes away.
//
// The stop flag belongs to that record (the worker polls it between two
// steps); the thread only sets it. Stop() asks, End() waits.
#pragma once

#include <atomic>

#include "WinThread.h"

class CWorkerThread {
public:
    explicit CWorkerThread(std::atomic<int>& bStop) : m_bStop(bStop) {}
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;
    // Stops the worker and waits for it.
    ~CWorkerThread() { End(); }

    // Starts pfnProc(pParam). False when no thread could be made; the
    // system's last error then says why, when it knows.
    bool Start(AFX_THREADPROC pfnProc, LPVOID pParam);
    void Stop() { m_bStop = 1; }
    bool IsRunning() const { return m_pThread && !m_pThread->WaitForEnd(0); }
    // Asks the worker to stop unless it has ended, and waits until it has;
    // safe to call more than once.
    void End();
    // Waits for a worker that is meant to run to its end.
    void Wait();

private:
    std::atomic<int>& m_bStop;
    CWinThread* m_pThread = nullptr;
};
