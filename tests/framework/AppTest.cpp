// The application layer: a test application with a frame, a form view and
// a document of text lines, all from the tests' own resources. Commands are
// sent as the menu would send them; the message loop runs until the
// application's idle handler has run once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestIds.h"
#include "Archive.h"
#include "CmdUI.h"
#include "CommandLineInfo.h"
#include "DataExchange.h"
#include "DocTemplate.h"
#include "Document.h"
#include "FileDialog.h"
#include "FormView.h"
#include "FrameWnd.h"
#include "Profile.h"
#include "RecentFileList.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "WinApp.h"
#include "WindowTestSupport.h"

namespace {

const char kCompany[] = "MrqAppTest";
const char kAppName[] = "十能表ソ Tool";

// Who handled what, in order.
std::vector<std::string> g_calls;
bool g_bToggleEnabled = true;
CString g_strPaneText;

class CLinesDoc : public CDocument {
public:
    std::vector<CString> m_lines;

    void DeleteContents() override { m_lines.clear(); }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            for (const CString& strLine : m_lines)
                ar.WriteString(strLine + "\n");
            return;
        }
        CString strLine;
        while (ar.ReadString(strLine))
            m_lines.push_back(strLine);
    }

protected:
    const CMessageMap* GetMessageMap() const override {
        static const CMessageMapEntry kEntries[] = {
            MapCommand(ID_TEST_DOC, &CLinesDoc::OnTestDoc),
        };
        static const CMessageMap s_map(CDocument::GetMessageMap(), kEntries);
        return &s_map;
    }
    void OnTestDoc() { g_calls.push_back("doc"); }
};

class CTestView : public CFormView {
public:
    CTestView() : CFormView(IDD_TEST_FORM) {}
    CString m_strName = "表示";
    int m_nInitialUpdates = 0;

    void OnInitialUpdate() override {
        ++m_nInitialUpdates;
        CFormView::OnInitialUpdate();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_FORM_EDIT, m_strName); }
    const CMessageMap* GetMessageMap() const override {
        static const CMessageMapEntry kEntries[] = {
            MapCommand(ID_TEST_SHADOWED, &CTestView::OnShadowed),
            MapControl(IDC_FORM_BUTTON, BN_CLICKED, &CTestView::OnFormButton),
        };
        static const CMessageMap s_map(CFormView::GetMessageMap(), kEntries);
        return &s_map;
    }
    void OnShadowed() { g_calls.push_back("view"); }
    void OnFormButton() { g_calls.push_back("button"); }
};

class CTestFrame : public CFrameWnd {
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;

protected:
    int OnCreate(CREATESTRUCTA* pCreateStruct) override {
        static const UINT kIndicators[] = {ID_SEPARATOR, IDS_TEST_PANE};
        if (CFrameWnd::OnCreate(pCreateStruct) != 0 || !m_wndToolBar.Create(this) ||
            !m_wndToolBar.LoadToolBar(IDR_TEST_FRAME) || !m_wndStatusBar.Create(this) ||
            !m_wndStatusBar.SetIndicators(kIndicators, 2))
            return -1;
        return 0;
    }
    void OnGetMinMaxInfo(MINMAXINFO* pInfo) override {
        pInfo->ptMinTrackSize.x = 550;
        pInfo->ptMinTrackSize.y = 360;
    }
    const CMessageMap* GetMessageMap() const override {
        static const CMessageMapEntry kEntries[] = {
            MapCommand(ID_TEST_SHADOWED, &CTestFrame::OnShadowed),
            MapCommand(ID_TEST_DOC, &CTestFrame::OnDocInFrame),
            MapCommand(ID_TEST_FRAME, &CTestFrame::OnTestFrame),
            MapCommand(ID_TEST_TOGGLE, &CTestFrame::OnToggle),
            MapUpdateCommandUI(ID_TEST_TOGGLE, &CTestFrame::OnUpdateToggle),
            MapUpdateCommandUI(IDS_TEST_PANE, &CTestFrame::OnUpdatePane),
        };
        static const CMessageMap s_map(CFrameWnd::GetMessageMap(), kEntries);
        return &s_map;
    }
    void OnShadowed() { g_calls.push_back("frame-shadowed"); }
    void OnDocInFrame() { g_calls.push_back("frame-doc"); }
    void OnTestFrame() { g_calls.push_back("frame"); }
    void OnToggle() { g_calls.push_back("toggle"); }
    void OnUpdateToggle(CCmdUI* pCmdUI) { pCmdUI->Enable(g_bToggleEnabled); }
    void OnUpdatePane(CCmdUI* pCmdUI) {
        if (!g_strPaneText.IsEmpty())
            pCmdUI->SetText(g_strPaneText);
    }
};

class CTestApp : public CWinApp {
public:
    int m_nIdle = 0;
    bool m_bInitResult = true;

    bool InitInstance() override {
        SetRegistryKey(kCompany);
        LoadStdProfileSettings(4);
        AddDocTemplate(new CSingleDocTemplate(
            IDR_TEST_FRAME, [] { return new CLinesDoc; }, [] { return new CTestFrame; },
            [] { return new CTestView; }));
        CCommandLineInfo info;
        ParseCommandLine(info);
        return m_bInitResult && ProcessShellCommand(info);
    }
    // The loop ends once idle processing has run.
    bool OnIdle(LONG lCount) override {
        bool bMore = CWinApp::OnIdle(lCount);
        if (lCount == 0 && ++m_nIdle > 0)
            ::PostQuitMessage(0);
        return bMore;
    }

protected:
    const CMessageMap* GetMessageMap() const override {
        static const CMessageMapEntry kEntries[] = {
            MapCommand(ID_FILE_NEW, &CTestApp::OnFileNew),
            MapCommand(ID_FILE_OPEN, &CTestApp::OnFileOpen),
            MapCommand(ID_TEST_FRAME, &CTestApp::OnFrameInApp),
            MapCommand(ID_TEST_APP, &CTestApp::OnTestApp),
        };
        static const CMessageMap s_map(CWinApp::GetMessageMap(), kEntries);
        return &s_map;
    }
    void OnFrameInApp() { g_calls.push_back("app-frame"); }
    void OnTestApp() { g_calls.push_back("app"); }
};

CString TempFolder() {
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    CString strFolder = CString(szTemp) + "十能表ソ";
    ::CreateDirectoryA(strFolder, nullptr);
    return strFolder;
}

CString WriteFile(const char* pszName, const char* pszText) {
    CString strPath = TempFolder() + "\\" + pszName;
    HANDLE hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD dwWritten = 0;
    ::WriteFile(hFile, pszText, lstrlenA(pszText), &dwWritten, nullptr);
    ::CloseHandle(hFile);
    return strPath;
}

CString ReadFile(const char* pszPath) {
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char szBuffer[256] = {};
    DWORD dwRead = 0;
    ::ReadFile(hFile, szBuffer, sizeof(szBuffer) - 1, &dwRead, nullptr);
    ::CloseHandle(hFile);
    return szBuffer;
}

class CAppTest : public CWindowTest {
protected:
    void SetUp() override {
        CWindowTest::SetUp();
        g_calls.clear();
        g_bToggleEnabled = true;
        g_strPaneText.Empty();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, (CString("Software\\") + kCompany).str().c_str());
        AfxSetFileDialogHandler([](CString&, bool) {
            ADD_FAILURE() << "a file dialog opened that the test did not expect";
            return false;
        });
    }
    void TearDown() override {
        m_pApp.reset();
        PumpPending(); // the main window's quit message
        AfxSetFileDialogHandler(nullptr);
        CWindowTest::TearDown();
    }

    // Starts the application as AfxWinMain would, without its loop.
    bool Start(const char* pszCmdLine = "") {
        m_pApp = std::make_unique<CTestApp>();
        m_pApp->SetStartupState(::GetModuleHandleA(nullptr), pszCmdLine, SW_HIDE);
        return m_pApp->InitInstance();
    }
    CTestFrame* Frame() const { return dynamic_cast<CTestFrame*>(m_pApp->m_pMainWnd); }
    CLinesDoc* Doc() const {
        return static_cast<CLinesDoc*>(m_pApp->GetDocTemplate()->GetDocument());
    }
    CTestView* View() const { return static_cast<CTestView*>(Frame()->GetActiveView()); }
    void Command(UINT nID) { Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); }
    // One turn of the message loop: what is queued, then idle processing.
    int RunUntilIdle() { return m_pApp->Run(); }
    static RECT ChildRect(CWnd& parent, HWND hWnd) {
        RECT rect;
        ::GetWindowRect(hWnd, &rect);
        parent.ScreenToClient(&rect);
        return rect;
    }

    std::unique_ptr<CTestApp> m_pApp;
};

TEST_F(CAppTest, CommandsGoViewDocumentFrameApplicationInOrder) {
    ASSERT_TRUE(Start());
    Command(ID_TEST_SHADOWED);
    Command(ID_TEST_DOC);
    Command(ID_TEST_FRAME);
    Command(ID_TEST_APP);
    Command(ID_TEST_UNHANDLED);
    EXPECT_EQ((std::vector<std::string>{"view", "doc", "frame", "app"}), g_calls);

    // A control of the form view reports to the view's own map.
    g_calls.clear();
    HWND hButton = View()->GetDlgItem(IDC_FORM_BUTTON);
    View()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FORM_BUTTON, BN_CLICKED),
                        reinterpret_cast<LPARAM>(hButton));
    EXPECT_EQ(std::vector<std::string>{"button"}, g_calls);
}

TEST_F(CAppTest, IdleUpdatesMenuItemsAndToolBarButtons) {
    ASSERT_TRUE(Start());
    HMENU hMenu = ::GetMenu(Frame()->GetSafeHwnd());
    g_bToggleEnabled = false;
    EXPECT_EQ(0, RunUntilIdle());
    EXPECT_TRUE(::GetMenuState(hMenu, ID_TEST_TOGGLE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(Frame()->m_wndToolBar.IsButtonEnabled(ID_TEST_TOGGLE));
    // Without an update handler: enabled exactly when someone handles it.
    EXPECT_TRUE(::GetMenuState(hMenu, ID_TEST_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(hMenu, ID_TEST_APP, MF_BYCOMMAND) & MF_GRAYED);
    // The empty recent-file list's placeholder stays grey.
    EXPECT_TRUE(::GetMenuState(hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    // The tool bar's own entry is checked while the bar shows.
    EXPECT_TRUE(::GetMenuState(hMenu, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);

    // A disabled command does nothing, from the menu or the tool bar.
    Command(ID_TEST_TOGGLE);
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_TOGGLE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Frame()->m_wndToolBar.GetSafeHwnd()));
    EXPECT_TRUE(g_calls.empty());

    g_bToggleEnabled = true;
    RunUntilIdle();
    EXPECT_FALSE(::GetMenuState(hMenu, ID_TEST_TOGGLE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(Frame()->m_wndToolBar.IsButtonEnabled(ID_TEST_TOGGLE));
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_TOGGLE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Frame()->m_wndToolBar.GetSafeHwnd()));
    EXPECT_EQ(std::vector<std::string>{"toggle"}, g_calls);
}

TEST_F(CAppTest, AcceleratorBecomesItsCommandThroughTheLoop) {
    ASSERT_TRUE(Start());
    HWND hFrame = Frame()->GetSafeHwnd();
    ::PostMessageA(hFrame, WM_KEYDOWN, VK_F7, 1);
    RunUntilIdle();
    EXPECT_EQ(std::vector<std::string>{"view"}, g_calls); // the view's entry shadows the frame's

    // The accelerator of a disabled command is dropped.
    g_calls.clear();
    g_bToggleEnabled = false;
    RunUntilIdle();
    ::PostMessageA(hFrame, WM_KEYDOWN, VK_F6, 1);
    RunUntilIdle();
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(CAppTest, TemplateMakesNewDocumentThenOpensRealFile) {
    ASSERT_TRUE(Start());
    ASSERT_NE(nullptr, Frame());
    CLinesDoc* pDoc = Doc();
    EXPECT_EQ(CString("Backup"), pDoc->GetTitle());
    EXPECT_EQ(CString("Backup - 十能表ソ Tool"), Frame()->GetWindowText());
    EXPECT_EQ(1, View()->m_nInitialUpdates);
    EXPECT_EQ(CString("表示"), View()->GetDlgItemText(IDC_FORM_EDIT)); // the view's members shown
    EXPECT_FALSE(Frame()->GetStyle() & WS_VISIBLE); // the start-up show state, SW_HIDE
    EXPECT_EQ(-1, m_pApp->m_nCmdShow);
    // The view shows with its frame, whatever its template says.
    EXPECT_TRUE(View()->GetStyle() & WS_VISIBLE);

    CString strPath = WriteFile("データ表.tst", "十能\nソ表\n");
    ASSERT_EQ(pDoc, m_pApp->OpenDocumentFile(strPath));
    EXPECT_EQ((std::vector<CString>{"十能", "ソ表"}), pDoc->m_lines);
    EXPECT_EQ(CString("データ表.tst"), pDoc->GetTitle());
    EXPECT_EQ(CString("データ表.tst - 十能表ソ Tool"), Frame()->GetWindowText());
    EXPECT_EQ(2, View()->m_nInitialUpdates);
    EXPECT_EQ(strPath, m_pApp->GetRecentFileList()->GetAt(0));

    // Exit writes the list; a later start reads it back.
    m_pApp->ExitInstance();
    CProfile profile(kAppName);
    profile.SetRegistryKey(kCompany);
    EXPECT_EQ(strPath, profile.GetProfileString("Recent File List", "File1"));
    m_pApp.reset();
    ASSERT_TRUE(Start());
    EXPECT_EQ(strPath, m_pApp->GetRecentFileList()->GetAt(0));
    // The recent-file command opens it again.
    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(CString("データ表.tst"), Doc()->GetTitle());
}

TEST_F(CAppTest, FailedOpenKeepsTheOpenDocument) {
    CString strPath = WriteFile("表.tst", "十\n");
    ASSERT_TRUE(Start((CString("\"") + strPath + "\"").str().c_str()));
    CLinesDoc* pDoc = Doc();
    EXPECT_EQ(nullptr, m_pApp->OpenDocumentFile(TempFolder() + "\\無い表.tst"));
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(pDoc, Doc());
    EXPECT_EQ(CString("表.tst"), pDoc->GetTitle());
    EXPECT_EQ(std::vector<CString>{"十"}, pDoc->m_lines);
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(CAppTest, SaveModifiedAnsweredCancelNoYes) {
    CString strPath = WriteFile("ソ.tst", "能\n");
    ASSERT_TRUE(Start((CString("\"") + strPath + "\"").str().c_str()));
    CLinesDoc* pDoc = Doc();
    pDoc->m_lines.push_back("十");
    pDoc->SetModifiedFlag();

    s_nBoxAnswer = IDCANCEL;
    EXPECT_EQ(nullptr, m_pApp->OpenDocumentFile(nullptr));
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(UINT{MB_YESNOCANCEL | MB_ICONEXCLAMATION}, s_boxes[0].nType);
    EXPECT_NE(-1, s_boxes[0].strText.Find("ソ.tst"));
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(2u, pDoc->m_lines.size());

    s_nBoxAnswer = IDYES; // saved under its own name, then replaced
    EXPECT_EQ(pDoc, m_pApp->OpenDocumentFile(nullptr));
    EXPECT_EQ(CString("能\n十\n"), ReadFile(strPath));
    EXPECT_TRUE(pDoc->m_lines.empty());
    EXPECT_EQ(CString("Backup"), pDoc->GetTitle());

    // A new document has no name yet: Yes asks for one.
    pDoc->m_lines.push_back("表");
    pDoc->SetModifiedFlag();
    CString strSaveAs = TempFolder() + "\\新しい表.tst";
    ::DeleteFileA(strSaveAs);
    AfxSetFileDialogHandler([&](CString& rPath, bool bOpen) {
        EXPECT_FALSE(bOpen);
        EXPECT_EQ(CString("Backup"), rPath);
        rPath = strSaveAs;
        return true;
    });
    EXPECT_EQ(pDoc, m_pApp->OpenDocumentFile(strPath));
    EXPECT_EQ(CString("表\n"), ReadFile(strSaveAs));
    EXPECT_EQ(strSaveAs, m_pApp->GetRecentFileList()->GetAt(1));

    s_nBoxAnswer = IDNO; // changes dropped, nothing written
    pDoc->m_lines.push_back("ソ");
    pDoc->SetModifiedFlag();
    EXPECT_EQ(pDoc, m_pApp->OpenDocumentFile(strSaveAs));
    EXPECT_EQ(CString("表\n"), ReadFile(strSaveAs));
}

TEST_F(CAppTest, CloseAsksTheDocumentAndCancelKeepsTheFrame) {
    ASSERT_TRUE(Start());
    HWND hFrame = Frame()->GetSafeHwnd();
    Doc()->SetModifiedFlag();
    s_nBoxAnswer = IDCANCEL;
    Frame()->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(hFrame));
    ASSERT_NE(nullptr, Doc());

    s_nBoxAnswer = IDNO;
    ::SendMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(nullptr, m_pApp->m_pMainWnd);
    EXPECT_EQ(nullptr, m_pApp->GetDocTemplate()->GetDocument());
    EXPECT_EQ(0, m_pApp->Run()); // the main window's end ended the loop
}

struct CRecordingInfo : CCommandLineInfo {
    std::vector<std::string> m_params;
    void ParseParam(const char* pszParam, bool bFlag, bool bLast) override {
        m_params.push_back(std::string(bFlag ? "flag:" : "") + pszParam + (bLast ? "." : ""));
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
};

TEST_F(CAppTest, CommandLineGivesNothingOneFileOrAFlag) {
    CTestApp app;
    CRecordingInfo none;
    app.ParseCommandLine(none);
    EXPECT_EQ(CCommandLineInfo::FileNew, none.m_nShellCommand);
    EXPECT_TRUE(none.m_params.empty());

    // Trail bytes 0x5C are no separators and no escapes before a quote.
    const char* kPaths[] = {"D:\\表\\ソ能十.mrd", "D:\\十\\表", "D:\\ソ\\"};
    for (const char* pszPath : kPaths) {
        app.m_strCmdLine = CString("\"") + pszPath + "\"";
        CRecordingInfo info;
        app.ParseCommandLine(info);
        EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
        EXPECT_EQ(CString(pszPath), info.m_strFileName);
        EXPECT_EQ(1u, info.m_params.size());
    }
    app.m_strCmdLine = "D:\\能\\a.mrd";
    CRecordingInfo bare;
    app.ParseCommandLine(bare);
    EXPECT_EQ(CString("D:\\能\\a.mrd"), bare.m_strFileName);

    // A switch is handed over without its slash and opens nothing; the
    // raw command line stays for the program's own exact comparison.
    app.m_strCmdLine = "/uninstall";
    CRecordingInfo flag;
    app.ParseCommandLine(flag);
    EXPECT_EQ(CCommandLineInfo::FileNew, flag.m_nShellCommand);
    EXPECT_EQ(std::vector<std::string>{"flag:uninstall."}, flag.m_params);
    EXPECT_EQ(CString("/uninstall"), app.m_strCmdLine);

    app.m_strCmdLine = "  -x  \"D:\\表 ソ.mrd\"\tD:\\second.mrd ";
    CRecordingInfo two;
    app.ParseCommandLine(two);
    EXPECT_EQ((std::vector<std::string>{"flag:x", "D:\\表 ソ.mrd", "D:\\second.mrd."}),
              two.m_params);
    EXPECT_EQ(CString("D:\\表 ソ.mrd"), two.m_strFileName);
}

TEST_F(CAppTest, MissingFileOnTheCommandLineEndsWithoutMainWindow) {
    EXPECT_FALSE(Start((TempFolder() + "\\無い.tst").str().c_str()));
    EXPECT_EQ(nullptr, m_pApp->m_pMainWnd);
    EXPECT_EQ(1u, s_boxes.size());
}

TEST_F(CAppTest, StatusBarPanesTakeTextsFromResourcesAndHandlers) {
    ASSERT_TRUE(Start());
    CStatusBar& bar = Frame()->m_wndStatusBar;
    ASSERT_EQ(2, bar.GetCount());
    EXPECT_EQ(1, bar.CommandToIndex(IDS_TEST_PANE));
    EXPECT_EQ(-1, bar.CommandToIndex(ID_TEST_APP));
    EXPECT_EQ(CString("表示中のソフト"), bar.GetPaneText(1));
    UINT nID, nStyle;
    int cxWidth;
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ(bar.GetTextWidth("表示中のソフト"), cxWidth);
    EXPECT_GT(cxWidth, 0);

    g_strPaneText = "2000/03/16 21:05:09";
    RunUntilIdle();
    char szText[64] = {};
    bar.SendMessage(SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(szText));
    EXPECT_STREQ("2000/03/16 21:05:09", szText);
    bar.SetPaneInfo(1, nID, nStyle, 120);
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    EXPECT_EQ(120, cxWidth);

    // A pane whose string is missing fails, and the old panes stay.
    const UINT kBad[] = {ID_SEPARATOR, ID_TEST_UNHANDLED};
    EXPECT_FALSE(bar.SetIndicators(kBad, 2));
    EXPECT_EQ(IDS_TEST_PANE, bar.GetItemID(1));
    EXPECT_FALSE(bar.SetPaneText(2, "x"));
}

TEST_F(CAppTest, ViewLiesBetweenToolBarAndStatusBarWithinTheMinimum) {
    ASSERT_TRUE(Start());
    CTestFrame& frame = *Frame();
    frame.MoveWindow(10, 10, 700, 500);
    RECT client, tool, status, view;
    frame.GetClientRect(&client);
    tool = ChildRect(frame, frame.m_wndToolBar.GetSafeHwnd());
    status = ChildRect(frame, frame.m_wndStatusBar.GetSafeHwnd());
    view = ChildRect(frame, View()->GetSafeHwnd());
    EXPECT_EQ(0, tool.top);
    EXPECT_GT(tool.bottom, 0);
    EXPECT_EQ(tool.bottom, view.top);
    EXPECT_EQ(status.top, view.bottom);
    EXPECT_EQ(client.bottom, status.bottom);
    EXPECT_EQ(client.right, view.right);

    // Hiding the tool bar gives its room to the view.
    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame.m_wndToolBar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(0, ChildRect(frame, View()->GetSafeHwnd()).top);

    frame.MoveWindow(10, 10, 100, 100);
    RECT window;
    frame.GetWindowRect(&window);
    EXPECT_EQ(550, window.right - window.left);
    EXPECT_EQ(360, window.bottom - window.top);
}

TEST_F(CAppTest, WinMainRunsTheLoopOnlyAfterASuccessfulStart) {
    CTestApp app;
    app.m_bInitResult = false;
    EXPECT_EQ(0, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, "", SW_HIDE));
    EXPECT_EQ(0, app.m_nIdle);
    EXPECT_STREQ(kAppName, app.m_pszAppName);
    EXPECT_STREQ(kAppName, AfxGetAppTitle());
    EXPECT_EQ(&app, AfxGetApp());
    PumpPending();

    app.m_bInitResult = true;
    ::PostQuitMessage(3);
    EXPECT_EQ(3, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, "", SW_HIDE));
}

} // namespace
