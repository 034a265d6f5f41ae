#include "StandInInstance.h"

#include "RunningProgram.h"

namespace {

const char* const STAND_IN_CLASS = "MrqStandInInstance";

void RegisterStandInClass(WNDPROC pfnWindowProc) {
    // Registering again fails harmlessly: the class stays as it was.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = pfnWindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = STAND_IN_CLASS;
    ::RegisterClassA(&wc);
}

void DispatchPendingMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

} // namespace

CStandInInstance::CStandInInstance(bool bWithWindow) {
    m_hMutex = ::CreateMutexA(nullptr, FALSE, PROGRAM_TITLE);
    if (!bWithWindow)
        return;
    RegisterStandInClass(WindowProc);
    m_hWnd = ::CreateWindowExA(0, STAND_IN_CLASS, PROGRAM_TITLE, WS_OVERLAPPEDWINDOW, 100, 100, 400,
                               300, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CStandInInstance::~CStandInInstance() {
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    DispatchPendingMessages();
    if (m_hMutex)
        ::CloseHandle(m_hMutex);
}

bool CStandInInstance::RunUntilExit(HANDLE hProcess, DWORD dwTimeoutMs) {
    DWORD dwStart = ::GetTickCount();
    for (;;) {
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= dwTimeoutMs)
            return false;
        DWORD dwWait =
            ::MsgWaitForMultipleObjects(1, &hProcess, FALSE, dwTimeoutMs - dwElapsed, QS_ALLINPUT);
        if (dwWait == WAIT_OBJECT_0) {
            DispatchPendingMessages();
            return true;
        }
        DispatchPendingMessages();
    }
}

LRESULT CALLBACK CStandInInstance::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* pThis = reinterpret_cast<CStandInInstance*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (nMsg == WM_COPYDATA && pThis) {
        const auto* pData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const char* pBytes = static_cast<const char*>(pData->lpData);
        pThis->m_received.push_back(
            {pData->dwData, pData->cbData,
             pBytes ? std::string(pBytes, pBytes + pData->cbData) : std::string()});
        return TRUE;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}
