// CWinApp: the application object, one per process (AfxGetApp). A program
// derives, makes one static instance, and lets AfxWinMain drive it:
//
//     CMyApp theApp;
//     int WINAPI WinMain(HINSTANCE h, HINSTANCE p, LPSTR pszCmdLine, int nCmdShow) {
//         return AfxWinMain(h, p, pszCmdLine, nCmdShow);
//     }
//
// AfxWinMain fills in the start-up state, calls InitInstance, and when that
// succeeds runs the message loop (Run) until the main window is gone; then
// ExitInstance writes the recent-file list and gives the exit code.
//
// The application is the last command target of a frame's route; it
// handles Save, Save As, Exit and the recent-file commands (the saves
// through the template, which asks the user), and offers OnFileNew and
// OnFileOpen for a derived map to name.
#pragma once

#include <memory>

#include "CmdTarget.h"
#include "String.h"

class CCommandLineInfo;
class CDocument;
class CProfile;
class CRecentFileList;
class CSingleDocTemplate;
class CWnd;

class CWinApp : public CCmdTarget {
public:
    // pszAppName null: the name is string AFX_IDS_APP_TITLE, loaded at
    // start-up. The object becomes the process's application.
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    // The start-up state of AfxWinMain: instance, command line (the text
    // after the program name, exactly as given), first show state, name.
    void SetStartupState(HINSTANCE hInstance, const char* pszCmdLine, int nCmdShow);

    virtual bool InitInstance();
    // Writes the recent-file list; returns the exit code.
    virtual int ExitInstance();
    // The message loop: returns ExitInstance's code once WM_QUIT arrives.
    virtual int Run();
    // Idle-time work when the queue is empty; lCount counts the calls
    // since the last message. True asks for another call.
    virtual bool OnIdle(LONG lCount);
    // Before a message is dispatched: the main frame's accelerators and
    // view keys. True when taken.
    virtual bool PreTranslateMessage(MSG* pMsg);

    // Profile: HKEY_CURRENT_USER\Software\<company>\<application name>.
    void SetRegistryKey(const char* pszCompany);
    // A new profile of the application's name whose root the caller sets
    // (CProfile::SetRegistryKey), for a program that opens its profile in a
    // function of its own.
    CProfile* CreateProfile();
    CProfile* GetProfile() const { return m_pProfile.get(); }
    int GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) const;
    CString GetProfileString(const char* pszSection, const char* pszEntry,
                             const char* pszDefault = "") const;
    bool WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue);
    bool WriteProfileString(const char* pszSection, const char* pszEntry, const char* pszValue);

    // The recent-file list of nMaxMRU files, read from the profile now and
    // written back by ExitInstance.
    void LoadStdProfileSettings(int nMaxMRU = 4);
    virtual void AddToRecentFileList(const char* pszPathName);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

    // The application owns its template.
    void AddDocTemplate(CSingleDocTemplate* pTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    virtual CDocument* OpenDocumentFile(const char* pszPathName);

    // Splits m_strCmdLine into rInfo (CommandLineInfo.h).
    void ParseCommandLine(CCommandLineInfo& rInfo) const;
    // Carries the command out: a new document, or the named file. False
    // when that failed and there is no main window.
    bool ProcessShellCommand(CCommandLineInfo& rInfo);

    void OnFileNew();
    // Asks for a file through the file dialog seam (FileDialog.h).
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnAppExit();

    bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly = false) override;

    HINSTANCE m_hInstance = nullptr;
    CString m_strCmdLine;
    int m_nCmdShow = SW_SHOWNORMAL; // the main window's first show; -1 once used
    CWnd* m_pMainWnd = nullptr;
    const char* m_pszAppName;

protected:
    const CMessageMap* GetMessageMap() const override;

private:
    bool PumpMessage();
    void OnRecentFile(UINT nID);

    CString m_strAppName;
    std::unique_ptr<CProfile> m_pProfile;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    MSG m_msgCur = {}; // the message the loop handles
    int m_nExitCode = 0;
};

// The process's application object, or null.
CWinApp* AfxGetApp();

// Start-up, message loop and exit of the application object.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, const char* pszCmdLine, int nCmdShow);
