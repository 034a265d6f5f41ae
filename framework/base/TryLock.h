// Holds a named mutex for one scope if it was free; never waits. The status
// texts of the workers pass through such a mutex: both sides only try it,
// so neither ever blocks the other, and an update that meets a busy mutex
// is dropped for the next one.
#pragma once

#include "Types.h"

class CTryLock {
public:
    explicit CTryLock(HANDLE hMutex)
        : m_hMutex(hMutex), m_bLocked(hMutex && WaitForSingleObject(hMutex, 0) == WAIT_OBJECT_0) {}
    ~CTryLock() {
        if (m_bLocked)
            ReleaseMutex(m_hMutex);
    }
    CTryLock(const CTryLock&) = delete;
    CTryLock& operator=(const CTryLock&) = delete;

    bool IsLocked() const { return m_bLocked; }

private:
    HANDLE m_hMutex;
    bool m_bLocked;
};
