#include "WinApp.h"

#include "CmdUI.h"
#include "CommandLineInfo.h"
#include "DocTemplate.h"
#include "FileDialog.h"
#include "FrameWnd.h"
#include "MessageBox.h"
#include "Profile.h"
#include "RecentFileList.h"
#include "StdIds.h"
#include "Wnd.h"

namespace {

CWinApp* g_pApp = nullptr;

// Messages that do not make the program idle again afterwards: the
// painting and blinking that idle updates themselves cause.
bool IsIdleMessage(const MSG& msg) {
    return msg.message != WM_PAINT && msg.message != 0x0118 /* caret blink */;
}

} // namespace

CWinApp* AfxGetApp() {
    return g_pApp;
}

CWinApp::CWinApp(const char* pszAppName) : m_strAppName(pszAppName) {
    m_pszAppName = m_strAppName;
    g_pApp = this;
}

CWinApp::~CWinApp() {
    m_pDocTemplate.reset(); // the frame may still ask for the application
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::SetStartupState(HINSTANCE hInstance, const char* pszCmdLine, int nCmdShow) {
    m_hInstance = hInstance;
    m_strCmdLine = pszCmdLine;
    m_nCmdShow = nCmdShow;
    if (m_strAppName.IsEmpty()) {
        char szName[256];
        int n = ::LoadStringA(hInstance, AFX_IDS_APP_TITLE, szName, sizeof(szName));
        m_strAppName = CString(szName, n > 0 ? n : 0);
        m_pszAppName = m_strAppName;
    }
    AfxSetAppTitle(m_strAppName);
}

const CMessageMap* CWinApp::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapCommand(ID_FILE_SAVE, &CWinApp::OnFileSave),
        MapCommand(ID_FILE_SAVE_AS, &CWinApp::OnFileSaveAs),
        MapCommand(ID_APP_EXIT, &CWinApp::OnAppExit),
    };
    static const CMessageMap s_map(CCmdTarget::GetMessageMap(), kEntries);
    return &s_map;
}

bool CWinApp::OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly) {
    if (CCmdTarget::OnCmdMsg(nID, pCmdUI, bCheckOnly))
        return true;
    // The recent files: commands for as many entries as the list holds.
    if (nID < ID_FILE_MRU_FILE1 || nID > ID_FILE_MRU_LAST || !m_pRecentFileList)
        return false;
    bool bPresent = static_cast<int>(nID - ID_FILE_MRU_FILE1) < m_pRecentFileList->GetCount();
    if (pCmdUI) {
        if (!bCheckOnly)
            pCmdUI->Enable(bPresent);
        return true;
    }
    if (bPresent && !bCheckOnly)
        OnRecentFile(nID);
    return bPresent;
}

void CWinApp::OnRecentFile(UINT nID) {
    int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    CString strPathName = m_pRecentFileList->GetAt(nIndex);
    // A file that cannot be opened any more leaves the list.
    if (!OpenDocumentFile(strPathName) && m_pRecentFileList->GetAt(nIndex) == strPathName)
        m_pRecentFileList->Remove(nIndex);
}

bool CWinApp::InitInstance() {
    return true;
}

int CWinApp::ExitInstance() {
    if (m_pRecentFileList && m_pProfile)
        m_pRecentFileList->WriteList(*m_pProfile);
    return m_nExitCode;
}

bool CWinApp::PumpMessage() {
    BOOL bGot = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
    if (bGot == 0 || bGot == -1) {
        m_nExitCode = bGot == 0 ? static_cast<int>(m_msgCur.wParam) : -1;
        return false;
    }
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return true;
}

int CWinApp::Run() {
    bool bIdle = true;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;) {
        while (bIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = false;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(m_msgCur)) {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

bool CWinApp::OnIdle(LONG lCount) {
    if (lCount != 0)
        return false;
    if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
        pFrame->OnIdleUpdateCmdUI();
    return false;
}

bool CWinApp::PreTranslateMessage(MSG* pMsg) {
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
    return pFrame && pFrame->PreTranslateMessage(pMsg);
}

void CWinApp::SetRegistryKey(const char* pszCompany) {
    CreateProfile()->SetRegistryKey(pszCompany);
}

CProfile* CWinApp::CreateProfile() {
    m_pProfile = std::make_unique<CProfile>(m_strAppName);
    return m_pProfile.get();
}

int CWinApp::GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) const {
    return m_pProfile ? m_pProfile->GetProfileInt(pszSection, pszEntry, nDefault) : nDefault;
}

CString CWinApp::GetProfileString(const char* pszSection, const char* pszEntry,
                                  const char* pszDefault) const {
    return m_pProfile ? m_pProfile->GetProfileString(pszSection, pszEntry, pszDefault)
                      : CString(pszDefault);
}

bool CWinApp::WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue) {
    return m_pProfile && m_pProfile->WriteProfileInt(pszSection, pszEntry, nValue);
}

bool CWinApp::WriteProfileString(const char* pszSection, const char* pszEntry,
                                 const char* pszValue) {
    return m_pProfile && m_pProfile->WriteProfileString(pszSection, pszEntry, pszValue);
}

void CWinApp::LoadStdProfileSettings(int nMaxMRU) {
    m_pRecentFileList = std::make_unique<CRecentFileList>("Recent File List", "File%d", nMaxMRU);
    if (m_pProfile)
        m_pRecentFileList->ReadList(*m_pProfile);
}

void CWinApp::AddToRecentFileList(const char* pszPathName) {
    if (m_pRecentFileList)
        m_pRecentFileList->Add(pszPathName);
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* pTemplate) {
    m_pDocTemplate.reset(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(const char* pszPathName) {
    return m_pDocTemplate ? m_pDocTemplate->OpenDocumentFile(pszPathName) : nullptr;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rInfo) const {
    std::vector<CString> args = SplitCommandLine(m_strCmdLine);
    for (size_t i = 0; i < args.size(); ++i) {
        const CString& strArg = args[i];
        bool bFlag = !strArg.IsEmpty() && (strArg[0] == '/' || strArg[0] == '-');
        rInfo.ParseParam(bFlag ? static_cast<const char*>(strArg) + 1
                               : static_cast<const char*>(strArg),
                         bFlag, i + 1 == args.size());
    }
}

bool CWinApp::ProcessShellCommand(CCommandLineInfo& rInfo) {
    switch (rInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // A derived map may have its own New.
        if (!OnCmdMsg(ID_FILE_NEW, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        return true;
    }
    return false;
}

void CWinApp::OnFileNew() {
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CString strPathName;
    CString strFilter, strExt;
    if (m_pDocTemplate) {
        strFilter = m_pDocTemplate->GetFileFilter();
        m_pDocTemplate->GetDocString(strExt, CSingleDocTemplate::filterExt);
    }
    if (AfxDoPromptFileName(strPathName, true, strFilter, strExt))
        OpenDocumentFile(strPathName);
}

void CWinApp::OnFileSave() {
    if (m_pDocTemplate)
        m_pDocTemplate->SaveDocument();
}

void CWinApp::OnFileSaveAs() {
    if (m_pDocTemplate)
        m_pDocTemplate->DoSave(nullptr);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, const char* pszCmdLine, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->SetStartupState(hInstance, pszCmdLine, nCmdShow);
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
