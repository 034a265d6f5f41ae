// Holds the threads that a piece of code starts, so that a test can tell
// whether their owner really waits for them: every thread of this process
// started since the holder was made is suspended for a while, then goes on.
//
//     CHeldThreads held;              // before the dialog starts its worker
//     ... in the dialog's seam handler:
//     held.HoldFor(300);              // the worker stands still for 300 ms
//     ... after DoModal: the worker must have ended all the same.
#pragma once

#include <windows.h>

#include <set>
#include <vector>

class CHeldThreads {
public:
    // Remembers the threads of this process that run now; those are never
    // held.
    CHeldThreads();
    // Waits for the releasing thread, so that nothing stays held.
    ~CHeldThreads();
    CHeldThreads(const CHeldThreads&) = delete;
    CHeldThreads& operator=(const CHeldThreads&) = delete;

    // Suspends every thread started since the holder was made and lets them
    // go on after dwMs, from a thread of its own, whatever the calling
    // thread is doing then. Returns how many threads it holds.
    size_t HoldFor(DWORD dwMs);

private:
    static DWORD WINAPI Release(LPVOID pThis);
    std::set<DWORD> ThreadsNow() const;

    std::set<DWORD> m_known;
    std::vector<HANDLE> m_held;
    DWORD m_dwMs = 0;
    HANDLE m_hGo = nullptr;
    HANDLE m_hReleaser = nullptr;
};
