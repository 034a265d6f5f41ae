#include "MrqApp.h"

#include <cstring>

#include <shellapi.h>

#include "AppText.h"
#include "CommandLineInfo.h"
#include "MainDocTemplate.h"
#include "Installation.h"
#include "MainFrame.h"
#include "MessageBox.h"
#include "MessageMap.h"
#include "MrqDoc.h"
#include "MrqView.h"
#include "Settings.h"
#include "ShellDialogs.h"
#include "StdIds.h"
#include "resource.h"

CString g_strAppTitle;
HWND g_hwndRunning = nullptr;
const char* const INSTANCE_NAME = "mrq BackupTool";

namespace {

// GetWindowTextA's limit, terminating zero included.
const int TITLE_BUFFER = 127;

} // namespace

BOOL CALLBACK FindRunningWindowProc(HWND hWnd, LPARAM) {
    char szTitle[TITLE_BUFFER] = "";
    CWnd(hWnd).GetWindowText(szTitle, TITLE_BUFFER);
    // No early stop: the last match in enumeration order wins.
    if (std::strcmp(szTitle, INSTANCE_NAME) == 0)
        g_hwndRunning = hWnd;
    return TRUE;
}

LRESULT SendCommandLine(HWND hWndTarget, const char* pszText) {
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(std::strlen(pszText) + 1);
    data.lpData = const_cast<char*>(pszText);
    return CWnd(hWndTarget).SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

const CMessageMap* CMrqApp::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapCommand(ID_APP_ABOUT, &CMrqApp::OnAppAbout),
        MapCommand(ID_FILE_NEW, &CWinApp::OnFileNew),
        MapCommand(ID_FILE_OPEN, &CWinApp::OnFileOpen),
    };
    static const CMessageMap s_map(CWinApp::GetMessageMap(), kEntries);
    return &s_map;
}

bool CMrqApp::InitInstance() {
    // Only the name's existence matters: nobody waits on the mutex. Any
    // failure other than "already exists" lets this start go on as the
    // first instance.
    m_hInstanceMutex.Reset(::CreateMutexA(nullptr, FALSE, INSTANCE_NAME));
    if (m_hInstanceMutex.IsValid() && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (IsUninstallCommand(m_strCmdLine)) {
            ShowMessageBox(nullptr,
                           "mrq BackupToolが起動していますのでアンインストールできません。",
                           "Warning", MB_OK | MB_ICONEXCLAMATION);
        } else {
            HandOverToRunningInstance();
        }
        return false;
    }

    g_strAppTitle = AfxLoadString(AFX_IDS_APP_TITLE);

    if (IsUninstallCommand(m_strCmdLine)) {
        RunUninstall();
        return false;
    }
    return StartNormally();
}

void CMrqApp::HandOverToRunningInstance() {
    ::EnumWindows(FindRunningWindowProc, 0);
    if (!g_hwndRunning)
        return;
    if (!m_strCmdLine.IsEmpty())
        SendCommandLine(g_hwndRunning, m_strCmdLine);
    CWnd running(g_hwndRunning);
    running.SetForegroundWindow();
    running.ShowWindow(SW_SHOWNORMAL);
}

void CMrqApp::RunUninstall() {
    // No profile root is set, so nothing is written on the way out.
    CUninstallDlg dlg;
    m_pMainWnd = &dlg;
    int nResult = dlg.DoModal();
    m_pMainWnd = nullptr;
    if (nResult == IDOK)
        RemoveInstallation(g_strAppTitle);
}

bool CMrqApp::StartNormally() {
    // The notice comes before anything is written.
    bool bFirstStart = IsFirstStart(g_strAppTitle);
    if (bFirstStart) {
        CInstallDlg dlg;
        dlg.DoModal();
    }
    OpenProfile(*CreateProfile(), bFirstStart);
    LoadStdProfileSettings(RECENT_FILE_COUNT);
    RenewShellRegistration(g_strAppTitle);

    AddDocTemplate(NewMainDocTemplate());

    if (!m_strCmdLine.IsEmpty() && IsUnattendedBackup(*GetProfile()))
        m_nCmdShow = SW_SHOWMINNOACTIVE;

    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!ProcessShellCommand(info))
        return false;

    // The first show used m_nCmdShow already; showing again would
    // activate a window that must stay minimised and in the background.
    if (!m_pMainWnd->IsWindowVisible())
        m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    ::DragAcceptFiles(m_pMainWnd->GetSafeHwnd(), TRUE);
    return true;
}

int CMrqApp::ExitInstance() {
    // Nobody ever owns the mutex, so only the close matters: from here on
    // a new start is a first start again.
    m_hInstanceMutex.Close();
    return CWinApp::ExitInstance();
}

void CMrqApp::OnAppAbout() {
    ShowAboutBox(m_pMainWnd);
}
