#include "HeldThreads.h"

#include <tlhelp32.h>

CHeldThreads::CHeldThreads() : m_known(ThreadsNow()) {}

CHeldThreads::~CHeldThreads() {
    if (m_hReleaser) {
        SetEvent(m_hGo);
        WaitForSingleObject(m_hReleaser, INFINITE);
        CloseHandle(m_hReleaser);
        CloseHandle(m_hGo);
    }
    for (HANDLE h : m_held)
        CloseHandle(h);
}

std::set<DWORD> CHeldThreads::ThreadsNow() const {
    std::set<DWORD> ids;
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return ids;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL bMore = Thread32First(hSnapshot, &entry); bMore;
         bMore = Thread32Next(hSnapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ids.insert(entry.th32ThreadID);
    }
    CloseHandle(hSnapshot);
    return ids;
}

DWORD WINAPI CHeldThreads::Release(LPVOID pThis) {
    auto* pHeld = static_cast<CHeldThreads*>(pThis);
    WaitForSingleObject(pHeld->m_hGo, INFINITE);
    Sleep(pHeld->m_dwMs);
    for (HANDLE h : pHeld->m_held)
        ResumeThread(h);
    return 0;
}

size_t CHeldThreads::HoldFor(DWORD dwMs) {
    if (m_hReleaser)
        return 0; // one hold per holder
    // The releaser starts before anything is held: a new thread needs
    // locks that a held thread may have taken.
    m_dwMs = dwMs;
    m_hGo = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD dwReleaser = 0;
    m_hReleaser = CreateThread(nullptr, 0, Release, this, 0, &dwReleaser);
    m_known.insert(dwReleaser);
    for (DWORD dwId : ThreadsNow()) {
        if (m_known.count(dwId))
            continue;
        HANDLE h = OpenThread(THREAD_SUSPEND_RESUME, FALSE, dwId);
        if (h && SuspendThread(h) != static_cast<DWORD>(-1))
            m_held.push_back(h);
        else if (h)
            CloseHandle(h);
    }
    SetEvent(m_hGo);
    return m_held.size();
}
