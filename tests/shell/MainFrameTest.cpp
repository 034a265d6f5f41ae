// The main frame on the program's own menu, tool bar and strings, made by a
// document template around a plain form view, with a profile root of the
// test's own. The frame stays hidden; the message loop runs until idle
// processing has refreshed the panes.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "CommandLineInfo.h"
#include "DocTemplate.h"
#include "FormView.h"
#include "MainFrame.h"
#include "MrqDoc.h"
#include "Profile.h"
#include "RegistryTestSupport.h"
#include "ShellOpen.h"
#include "Time.h"
#include "WinApp.h"
#include "resource.h"

namespace {

const char kTitle[] = "mrq BackupTool";
const char kNeverBackedUp[] = "バックアップされてません";

// The loop of CTestApp ends at the first idle processing after which this
// holds.
std::function<bool()> g_quitWhen;

class CPlainView : public CFormView {
public:
    CPlainView() : CFormView(IDD_MRQ_FORM) {}
};

class CTestApp : public CWinApp {
public:
    explicit CTestApp(const CString& strCompany) : m_strCompany(strCompany) {}

    bool InitInstance() override {
        SetRegistryKey(m_strCompany);
        AddDocTemplate(new CSingleDocTemplate(
            IDR_MAINFRAME, [] { return new CMrqDoc; }, [] { return new CMainFrame; },
            [] { return new CPlainView; }));
        CCommandLineInfo info;
        ParseCommandLine(info);
        return ProcessShellCommand(info);
    }
    bool OnIdle(LONG lCount) override {
        bool bMore = CWinApp::OnIdle(lCount);
        if (lCount == 0 && (!g_quitWhen || g_quitWhen()))
            ::PostQuitMessage(0);
        return bMore;
    }

private:
    CString m_strCompany;
};

// Ends a message loop that nothing else would wake.
void CALLBACK QuitLoop(HWND, UINT, UINT_PTR, DWORD) {
    ::PostQuitMessage(0);
}

class CMainFrameTest : public testing::Test {
protected:
    void SetUp() override {
        m_strCompany = UniqueCompany("mainframe");
        g_quitWhen = nullptr;
    }
    void TearDown() override {
        m_pApp.reset();
        DrainMessages();
        g_quitWhen = nullptr;
        DeleteCompany(m_strCompany);
    }

    void Start(const char* pszCmdLine = "") {
        m_pApp = std::make_unique<CTestApp>(m_strCompany);
        m_pApp->SetStartupState(::GetModuleHandleA(nullptr), pszCmdLine, SW_HIDE);
        ASSERT_TRUE(m_pApp->InitInstance());
        ASSERT_NE(nullptr, Frame());
    }
    // Closes the frame as the user would; the document is unmodified.
    void Close() {
        ::SendMessageA(Frame()->GetSafeHwnd(), WM_CLOSE, 0, 0);
        m_pApp.reset();
        DrainMessages(); // the quit message of the main window's end
    }
    static void DrainMessages() {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_pApp->m_pMainWnd); }
    CMrqDoc* Doc() const { return static_cast<CMrqDoc*>(m_pApp->GetDocTemplate()->GetDocument()); }
    CStatusBar& Bar() const { return Frame()->m_wndStatusBar; }
    void RunUntilIdle() { m_pApp->Run(); }
    RECT WindowRect() const {
        RECT rc;
        Frame()->GetWindowRect(&rc);
        return rc;
    }
    int Stored(const char* pszEntry) const {
        CProfile profile(kTitle);
        profile.SetRegistryKey(m_strCompany);
        return profile.GetProfileInt("Settings\\Window", pszEntry, -1);
    }
    CString WindowKey() const {
        return CString("Software\\") + m_strCompany + "\\" + kTitle + "\\Settings\\Window";
    }
    int PaneWidth(int nIndex) const {
        UINT nID, nStyle;
        int cxWidth;
        Bar().GetPaneInfo(nIndex, nID, nStyle, cxWidth);
        return cxWidth;
    }
    static CString DataFile(const char* pszName) {
        return CString("Z:") + MRQ_TEST_DATA + "/" + pszName;
    }

    CString m_strCompany;
    std::unique_ptr<CTestApp> m_pApp;
};

void ExpectRect(const RECT& rc, int x, int y, int cx, int cy) {
    EXPECT_EQ(x, rc.left);
    EXPECT_EQ(y, rc.top);
    EXPECT_EQ(cx, rc.right - rc.left);
    EXPECT_EQ(cy, rc.bottom - rc.top);
}

TEST_F(CMainFrameTest, WithoutProfileOpensAtDefaultsWithBarsAndPanes) {
    Start();
    ExpectRect(WindowRect(), 80, 80, 550, 360);
    EXPECT_EQ(CString(kTitle), Frame()->GetWindowText());
    EXPECT_FALSE(Frame()->GetStyle() & WS_VISIBLE);
    // Reading the placement wrote nothing.
    EXPECT_EQ(0, CountValues(HKEY_CURRENT_USER, WindowKey()));

    // New, open, save, a gap, about, context help.
    EXPECT_EQ(6, Frame()->m_wndToolBar.GetButtonCount());
    EXPECT_EQ(UINT{ID_CONTEXT_HELP}, Frame()->m_wndToolBar.GetItemID(5));

    // Before the first refresh the panes show their string resources.
    ASSERT_EQ(3, Bar().GetCount());
    EXPECT_EQ(1, Frame()->m_nLastBackupPane);
    EXPECT_EQ(2, Frame()->m_nClockPane);
    EXPECT_EQ(UINT{ID_SEPARATOR}, Bar().GetItemID(0));
    EXPECT_EQ(UINT{ID_INDICATOR_LAST_BACKUP}, Bar().GetItemID(1));
    EXPECT_EQ(UINT{ID_INDICATOR_CLOCK}, Bar().GetItemID(2));
    EXPECT_EQ(CString("ﾍﾙﾌﾟを表示するには [F1] を押してください。"), Bar().GetPaneText(0));
    EXPECT_EQ(CString("前回のバックアップ時刻"), Bar().GetPaneText(1));
    EXPECT_EQ(CString("現在時刻"), Bar().GetPaneText(2));
    EXPECT_TRUE(Frame()->m_strLastBackupShown.IsEmpty());
}

TEST_F(CMainFrameTest, PlacementSavedAtCloseAndRestoredAtNextCreation) {
    Start();
    ::SetWindowPos(Frame()->GetSafeHwnd(), nullptr, 123, 45, 700, 500,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    Close();
    EXPECT_EQ(123, Stored("x"));
    EXPECT_EQ(45, Stored("y"));
    EXPECT_EQ(700, Stored("cx"));
    EXPECT_EQ(500, Stored("cy"));

    Start();
    ExpectRect(WindowRect(), 123, 45, 700, 500);

    // Closed minimised: the restored rectangle is kept, not the icon's.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    placement.showCmd = SW_SHOWMINNOACTIVE;
    placement.rcNormalPosition = {200, 150, 800, 560};
    ASSERT_TRUE(Frame()->SetWindowPlacement(placement));
    ASSERT_TRUE(::IsIconic(Frame()->GetSafeHwnd()));
    Close();
    EXPECT_EQ(200, Stored("x"));
    EXPECT_EQ(600, Stored("cx"));

    Start();
    EXPECT_FALSE(::IsIconic(Frame()->GetSafeHwnd()));
    ExpectRect(WindowRect(), 200, 150, 600, 410);
}

TEST_F(CMainFrameTest, StoredPlacementIsUsedAsItIsEvenOffScreen) {
    CProfile profile(kTitle);
    profile.SetRegistryKey(m_strCompany);
    profile.WriteProfileInt("Settings\\Window", "x", -2000);
    profile.WriteProfileInt("Settings\\Window", "y", 3000);
    profile.WriteProfileInt("Settings\\Window", "cx", 640);
    profile.WriteProfileInt("Settings\\Window", "cy", 480);
    Start();
    ExpectRect(WindowRect(), -2000, 3000, 640, 480);
}

TEST_F(CMainFrameTest, CannotBeMadeSmallerThanTheMinimum) {
    Start();
    HWND hFrame = Frame()->GetSafeHwnd();
    MINMAXINFO info = {};
    ::SendMessageA(hFrame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(550, info.ptMinTrackSize.x);
    EXPECT_EQ(360, info.ptMinTrackSize.y);

    ::SetWindowPos(hFrame, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectRect(WindowRect(), 80, 80, 550, 360);
    ::SetWindowPos(hFrame, nullptr, 0, 0, 549, 361, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectRect(WindowRect(), 80, 80, 550, 361);
    ::SetWindowPos(hFrame, nullptr, 0, 0, 551, 359, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectRect(WindowRect(), 80, 80, 551, 360);
}

TEST_F(CMainFrameTest, LastBackupPaneFollowsTheDocumentAtIdleTime) {
    Start();
    RunUntilIdle();
    EXPECT_EQ(CString(kNeverBackedUp), Bar().GetPaneText(1));
    EXPECT_EQ(Bar().GetTextWidth(kNeverBackedUp), PaneWidth(1));

    Doc()->m_strLastBackup = "2000/03/16 21:05:09";
    RunUntilIdle();
    EXPECT_EQ(CString("2000/03/16 21:05:09"), Bar().GetPaneText(1));
    EXPECT_EQ(Bar().GetTextWidth("2000/03/16 21:05:09"), PaneWidth(1));

    // Whatever a data file holds is shown byte for byte.
    Doc()->m_strLastBackup = "表ソ十能\\";
    RunUntilIdle();
    EXPECT_EQ(CString("表ソ十能\\"), Bar().GetPaneText(1));
    EXPECT_EQ(CString("表ソ十能\\"), Frame()->m_strLastBackupShown);

    // An unchanged text leaves the pane alone, even one changed behind
    // the frame's back.
    Bar().SetPaneText(1, "x");
    RunUntilIdle();
    EXPECT_EQ(CString("x"), Bar().GetPaneText(1));

    // Emptied again (a new document): back to the never-backed-up text.
    ASSERT_EQ(Doc(), m_pApp->OpenDocumentFile(nullptr));
    RunUntilIdle();
    EXPECT_EQ(CString(kNeverBackedUp), Bar().GetPaneText(1));
}

TEST_F(CMainFrameTest, FrameWithoutDocumentLeavesTheLastBackupPane) {
    Start();
    auto* pFrame = new CMainFrame; // deletes itself with its window
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAINFRAME));
    pFrame->OnIdleUpdateCmdUI();
    EXPECT_EQ(CString("前回のバックアップ時刻"), pFrame->m_wndStatusBar.GetPaneText(1));
    EXPECT_NE(CString("現在時刻"), pFrame->m_wndStatusBar.GetPaneText(2));
    pFrame->DestroyWindow();
}

TEST_F(CMainFrameTest, ClockPaneShowsTheTimeAndTheTimerWakesTheLoop) {
    Start();
    RunUntilIdle();
    CString strFirst = Bar().GetPaneText(2);
    int nYear = 0, nMonth = 0, nDay = 0, nHour = 0, nMinute = 0, nSecond = 0;
    char chEnd = 0;
    ASSERT_EQ(19, strFirst.GetLength()) << strFirst;
    ASSERT_EQ(6, sscanf(strFirst, "%4d/%2d/%2d %2d:%2d:%2d%c", &nYear, &nMonth, &nDay, &nHour,
                        &nMinute, &nSecond, &chEnd));
    EXPECT_EQ('/', strFirst[4]);
    EXPECT_EQ('/', strFirst[7]);
    EXPECT_EQ(':', strFirst[13]);
    CTime shown(nYear, nMonth, nDay, nHour, nMinute, nSecond);
    long long nSkew = (CTime::GetCurrentTime() - shown).GetTotalSeconds();
    EXPECT_GE(nSkew, 0);
    EXPECT_LE(nSkew, 2);
    EXPECT_EQ(Bar().GetTextWidth(strFirst), PaneWidth(2));

    // Nothing but the status bar's timer wakes the loop; a watchdog ends
    // it should the timer be missing.
    g_quitWhen = [&] { return Bar().GetPaneText(2) != strFirst; };
    UINT_PTR nWatchdog = ::SetTimer(nullptr, 0, 4000, QuitLoop);
    DWORD dwStart = ::GetTickCount();
    RunUntilIdle();
    ::KillTimer(nullptr, nWatchdog);
    EXPECT_NE(strFirst, Bar().GetPaneText(2));
    EXPECT_LT(::GetTickCount() - dwStart, 2500u);
}

TEST_F(CMainFrameTest, TitleStaysTheApplicationTitleAndCopyDataIsIgnored) {
    Start();
    CString strPath = DataFile("no_sources.mrd");
    ASSERT_EQ(Doc(), m_pApp->OpenDocumentFile(strPath));
    RunUntilIdle();
    EXPECT_EQ(CString(kTitle), Frame()->GetWindowText());
    EXPECT_EQ(CString("2000/03/16 21:05:09"), Bar().GetPaneText(1));

    // A second start's command line changes nothing.
    CString strOther = DataFile("fresh.mrd");
    COPYDATASTRUCT data = {};
    data.cbData = static_cast<DWORD>(strOther.GetLength() + 1);
    data.lpData = const_cast<char*>(static_cast<const char*>(strOther));
    EXPECT_EQ(
        0, ::SendMessageA(Frame()->GetSafeHwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
    RunUntilIdle();
    EXPECT_EQ(CString("2000/03/16 21:05:09"), Doc()->m_strLastBackup);
    EXPECT_EQ(CString(kTitle), Frame()->GetWindowText());
}

TEST_F(CMainFrameTest, HelpCommandsAreTakenAndNeedNoHelpFile) {
    static int s_nOpens;
    s_nOpens = 0;
    AfxSetShellOpenHandler([](HWND, const char*) {
        ++s_nOpens;
        return true;
    });
    Start();
    RunUntilIdle();
    HMENU hMenu = ::GetMenu(Frame()->GetSafeHwnd());
    EXPECT_FALSE(::GetMenuState(hMenu, ID_HELP, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(Frame()->m_wndToolBar.IsButtonEnabled(ID_CONTEXT_HELP));
    // Neither a guide nor a help file lies next to the test program: the
    // commands open nothing.
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
    Frame()->SendMessage(WM_COMMAND, MAKEWPARAM(ID_CONTEXT_HELP, 0), 0);
    AfxSetShellOpenHandler(nullptr);
    EXPECT_EQ(0, s_nOpens);
    EXPECT_TRUE(::IsWindow(Frame()->GetSafeHwnd()));
    EXPECT_EQ(CString(kTitle), Frame()->GetWindowText());
}

} // namespace

TEST_F(CMainFrameTest, ToolBarButtonsGiveTheirTipsAndPromptsFromTheStringTable) {
    Start();
    CToolBar& toolBar = Frame()->m_wndToolBar;
    HWND hToolBar = toolBar.GetSafeHwnd();
    // The tool bar's own tool tip control asks for each button's text, as
    // it does when the mouse rests on the button.
    HWND hTips = reinterpret_cast<HWND>(toolBar.SendMessage(TB_GETTOOLTIPS));
    ASSERT_NE(nullptr, hTips);
    auto tip = [&](UINT nID) {
        char szText[80] = "";
        TTTOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.hwnd = hToolBar;
        info.uId = nID;
        info.lpszText = szText;
        ::SendMessageA(hTips, TTM_GETTEXTA, sizeof szText, reinterpret_cast<LPARAM>(&info));
        return CString(szText);
    };
    EXPECT_EQ(CString("新規ﾌｧｲﾙ"), tip(ID_FILE_NEW));
    EXPECT_EQ(CString("開く"), tip(ID_FILE_OPEN));
    EXPECT_EQ(CString("上書き保存"), tip(ID_FILE_SAVE));
    EXPECT_EQ(CString("ﾊﾞｰｼﾞｮﾝ情報"), tip(ID_APP_ABOUT));
    EXPECT_EQ(CString("ﾍﾙﾌﾟ"), tip(ID_CONTEXT_HELP));

    // The mouse on a button puts the button's prompt into the status bar;
    // leaving the bar brings the idle message back.
    RECT rc = {};
    toolBar.SendMessage(TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rc));
    toolBar.SendMessage(WM_MOUSEMOVE, 0,
                        MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
    EXPECT_EQ(CString("既存のデータファイルを開く"), Bar().GetPaneText(0));
    toolBar.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(CString("ﾍﾙﾌﾟを表示するには [F1] を押してください。"), Bar().GetPaneText(0));
}
