// Holds the work of another process while one of its windows is looked at:
// every thread of the process but the window's own is suspended, so the
// window still paints and answers while the run behind it stands still.
// The threads go on when the hold ends (Release or the destructor).
#pragma once

#include <windows.h>

#include <vector>

class CThreadHold {
public:
    // Suspends every thread of the process that owns hWnd except the
    // thread of hWnd itself.
    explicit CThreadHold(HWND hWnd);
    ~CThreadHold();
    CThreadHold(const CThreadHold&) = delete;
    CThreadHold& operator=(const CThreadHold&) = delete;

    size_t HeldCount() const { return m_threads.size(); }
    void Release();

private:
    std::vector<HANDLE> m_threads;
};
