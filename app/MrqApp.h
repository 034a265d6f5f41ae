// CMrqApp: starts and ends the program. Only one instance runs at a time; a
// second start hands its command line to the running one and ends. The
// program's own uninstall command ("/uninstall") runs here too, as does the
// install notice of the first start.
#pragma once

#include "Handle.h"
#include "String.h"
#include "WinApp.h"

// The application title, string AFX_IDS_APP_TITLE ("mrq BackupTool"): also
// the name of the settings key and of the uninstall entry.
extern CString g_strAppTitle;
// The running instance's main window, as a second start found it.
extern HWND g_hwndRunning;

// The single-instance mutex, and the exact caption a second start looks
// for.
extern const char* const INSTANCE_NAME; // "mrq BackupTool"

class CMrqApp : public CWinApp {
public:
    CMrqApp() = default;

    bool InitInstance() override;
    int ExitInstance() override;

    // Held from the start until ExitInstance; a second start's handle goes
    // with its ExitInstance too.
    CHandle m_hInstanceMutex;

protected:
    const CMessageMap* GetMessageMap() const override;
    void OnAppAbout();

private:
    void HandOverToRunningInstance();
    void RunUninstall();
    bool StartNormally();
};

// EnumWindows callback: remembers in g_hwndRunning the last top-level
// window whose caption is exactly INSTANCE_NAME. Visits every window.
BOOL CALLBACK FindRunningWindowProc(HWND hWnd, LPARAM lParam);
// Sends the text to the window as WM_COPYDATA (dwData 0, the text with its
// terminating zero); returns SendMessageA's answer.
LRESULT SendCommandLine(HWND hWndTarget, const char* pszText);
