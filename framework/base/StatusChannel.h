// The status line a worker thread shows through the dialog that owns it
// ("Backup中 : 表.txt").
//
// Thread contract: the workers call SetText and Flush, the dialog TakeText.
// The text and its changed flag are guarded by a named mutex that both
// sides only try and never wait on, so neither ever blocks the other.
// Several workers of one run take turns through a lock of their own (the
// copies of a run go on side by side): the newest text is the one offered. A
// text that meets a busy mutex, or comes within the interval of the last
// one offered, waits (replaced by any later one) for the next SetText or
// Flush. The owner opens the channel before the worker starts and closes
// it after the worker has ended.
#pragma once

#include "Handle.h"
#include "SlimLock.h"
#include "String.h"

class CStatusChannel {
public:
    // Longest status line, in bytes; a longer one is cut at a character.
    static const int TEXT_LIMIT = 279;

    // nIntervalMs: the least time between two texts offered (0: each one).
    explicit CStatusChannel(ULONGLONG nIntervalMs = 0) : m_nIntervalMs(nIntervalMs) {}
    CStatusChannel(const CStatusChannel&) = delete;
    CStatusChannel& operator=(const CStatusChannel&) = delete;

    // Owner: the mutex for the time of a run (pszName may be null).
    bool Open(const char* pszMutexName);
    void Close() { m_hMutex.Close(); }
    HANDLE GetMutex() const { return m_hMutex; }

    // Worker side: prefix and name (either may be null) as the new line.
    void SetText(const char* pszPrefix, const char* pszName = nullptr);
    // Worker side: offers a waiting text whatever the interval, before a
    // long step or at the end.
    void Flush();
    // Dialog side: the line offered since the last call, if any.
    bool TakeText(CString& strOut);

    // The clock of the interval, in ms; tests replace it.
    ULONGLONG (*m_pfnTickCount)() = &GetTickCount64;

private:
    void Offer(ULONGLONG nNow);

    const ULONGLONG m_nIntervalMs;
    CHandle m_hMutex;
    // Shared, under the mutex.
    CString m_strText;
    bool m_bChanged = false;
    // Workers only, under m_workers.
    CSlimLock m_workers;
    char m_szPending[TEXT_LIMIT + 1] = {};
    bool m_bPending = false;
    bool m_bOffered = false;
    ULONGLONG m_nOfferedAt = 0;
};
