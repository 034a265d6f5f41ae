#include "WindowTestSupport.h"

std::vector<CShownBox> CWindowTest::s_boxes;
int CWindowTest::s_nBoxAnswer = IDOK;

int CWindowTest::RecordBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType) {
    s_boxes.push_back({hOwner, pszText, pszCaption, nType});
    return s_nBoxAnswer;
}

void CWindowTest::SetUp() {
    s_boxes.clear();
    s_nBoxAnswer = IDOK;
    AfxSetMessageBoxHandler(RecordBox);
    AfxSetModalDialogHandler([](CDialog&) {
        ADD_FAILURE() << "a modal dialog opened that the test did not expect";
        return IDCANCEL;
    });
}

void CWindowTest::TearDown() {
    // The recording handlers stay: a real box under the test display
    // would wait for a click forever.
    AfxSetModalDialogHandler([](CDialog&) { return IDCANCEL; });
}

void CWindowTest::PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool CWindowTest::PumpUntil(const std::function<bool()>& done, DWORD dwTimeoutMs) {
    DWORD dwStart = ::GetTickCount();
    while (!done()) {
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= dwTimeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, dwTimeoutMs - dwElapsed, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}
