// The test process posing as the running program: it holds the
// single-instance mutex and owns a top-level window with the program's
// caption, which records what a second start sends it. The window's
// thread must answer the second start's messages, so waiting for that
// start goes through RunUntilExit, which keeps the messages flowing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One WM_COPYDATA as it arrived.
struct CReceivedCopyData {
    ULONG_PTR dwData;
    DWORD cbData;
    std::string bytes; // all cbData bytes, the terminating zero included
};

class CStandInInstance {
public:
    // bWithWindow false: only the mutex, as while the running program is
    // still starting and has no window yet.
    explicit CStandInInstance(bool bWithWindow = true);
    ~CStandInInstance();
    CStandInInstance(const CStandInInstance&) = delete;
    CStandInInstance& operator=(const CStandInInstance&) = delete;

    HWND Window() const { return m_hWnd; }
    const std::vector<CReceivedCopyData>& Received() const { return m_received; }

    // Dispatches this thread's messages until the process ends; false when
    // it is still running after dwTimeoutMs.
    bool RunUntilExit(HANDLE hProcess, DWORD dwTimeoutMs);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    HANDLE m_hMutex = nullptr;
    HWND m_hWnd = nullptr;
    std::vector<CReceivedCopyData> m_received;
};
