// A lock for the threads of one process, and a condition its holders wait
// on. Both live in the process's own memory: taking a free lock, or waking
// nobody, never asks the system for anything, where a named mutex costs two
// round trips to it.
//
//   CSlimLock lock;
//   CWakeCondition changed;
//   { CSlimLock::CHold hold(lock); ... changed.WakeAll(); }
//   { CSlimLock::CHold hold(lock); while (!ready) changed.Wait(lock, 10); }
#pragma once

#include "Types.h"

class CSlimLock {
public:
    CSlimLock() = default;
    CSlimLock(const CSlimLock&) = delete;
    CSlimLock& operator=(const CSlimLock&) = delete;

    void Take() { AcquireSRWLockExclusive(&m_lock); }
    void Give() { ReleaseSRWLockExclusive(&m_lock); }

    // Holds the lock for one scope.
    class CHold {
    public:
        explicit CHold(CSlimLock& lock) : m_lock(lock) { m_lock.Take(); }
        ~CHold() { m_lock.Give(); }
        CHold(const CHold&) = delete;
        CHold& operator=(const CHold&) = delete;

    private:
        CSlimLock& m_lock;
    };

private:
    friend class CWakeCondition;
    SRWLOCK m_lock = SRWLOCK_INIT;
};

class CWakeCondition {
public:
    CWakeCondition() = default;
    CWakeCondition(const CWakeCondition&) = delete;
    CWakeCondition& operator=(const CWakeCondition&) = delete;

    // Gives the lock back while it waits (at most dwMilliseconds) and
    // takes it again before it returns; a waiter checks what it waits for
    // again after each return.
    void Wait(CSlimLock& lock, DWORD dwMilliseconds) {
        SleepConditionVariableSRW(&m_condition, &lock.m_lock, dwMilliseconds, 0);
    }
    void WakeAll() { WakeAllConditionVariable(&m_condition); }

private:
    CONDITION_VARIABLE m_condition = CONDITION_VARIABLE_INIT;
};
