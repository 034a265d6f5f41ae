#include "ThreadHold.h"

#include <tlhelp32.h>

CThreadHold::CThreadHold(HWND hWnd) {
    DWORD dwProcessId = 0;
    DWORD dwWindowThread = ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore;
         bMore = ::Thread32Next(hSnapshot, &entry)) {
        if (entry.th32OwnerProcessID != dwProcessId || entry.th32ThreadID == dwWindowThread)
            continue;
        HANDLE hThread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
        if (!hThread)
            continue;
        if (::SuspendThread(hThread) == static_cast<DWORD>(-1)) {
            ::CloseHandle(hThread);
            continue;
        }
        m_threads.push_back(hThread);
    }
    ::CloseHandle(hSnapshot);
}

CThreadHold::~CThreadHold() {
    Release();
}

void CThreadHold::Release() {
    for (HANDLE hThread : m_threads) {
        ::ResumeThread(hThread);
        ::CloseHandle(hThread);
    }
    m_threads.clear();
}
