// The main view inside the program's own frame and document, made by a
// document template as at start-up, with a profile root of the test's own.
// The frame stays hidden, so a control's WS_VISIBLE style (not
// IsWindowVisible) tells whether its page shows it. Message boxes are
// answered with OK and remembered.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CommandLineInfo.h"
#include "Edit.h"
#include "ListBox.h"
#include "ListCtrl.h"
#include "MainDocTemplate.h"
#include "MainFrame.h"
#include "Menu.h"
#include "MenuItems.h"
#include "MessageBox.h"
#include "MrqDoc.h"
#include "MrqView.h"
#include "Profile.h"
#include "ScrollBar.h"
#include "TabCtrl.h"
#include "RegistryTestSupport.h"
#include "WinApp.h"
#include "resource.h"

// While it lives, no window can be made on this thread (a CBT hook refuses
// every creation), as when the system has run out of window resources.
class CRefusedWindows {
public:
    CRefusedWindows()
        : m_hHook(::SetWindowsHookExA(WH_CBT, &Refuse, nullptr, ::GetCurrentThreadId())) {}
    ~CRefusedWindows() {
        if (m_hHook)
            ::UnhookWindowsHookEx(m_hHook);
    }
    CRefusedWindows(const CRefusedWindows&) = delete;
    CRefusedWindows& operator=(const CRefusedWindows&) = delete;
    bool IsSet() const { return m_hHook != nullptr; }

private:
    static LRESULT CALLBACK Refuse(int nCode, WPARAM wParam, LPARAM lParam) {
        if (nCode == HCBT_CREATEWND)
            return 1;
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    HHOOK m_hHook;
};

struct CShownBox {
    CString strText;
    CString strCaption;
    UINT nType;
};

class CViewTestApp : public CWinApp {
public:
    explicit CViewTestApp(const CString& strCompany) : m_strCompany(strCompany) {}

    bool InitInstance() override {
        SetRegistryKey(m_strCompany);
        AddDocTemplate(NewMainDocTemplate());
        CCommandLineInfo info;
        ParseCommandLine(info);
        return ProcessShellCommand(info);
    }

private:
    CString m_strCompany;
};

class CMrqViewTest : public testing::Test {
protected:
    void SetUp() override {
        m_strCompany = UniqueCompany("view");
        s_boxes.clear();
        AfxSetMessageBoxHandler(&RememberBox);
    }
    void TearDown() override {
        if (m_pApp)
            Close();
        AfxSetMessageBoxHandler(nullptr);
        AfxSetModalDialogHandler(nullptr);
        AfxSetPopupMenuHandler(nullptr);
        DeleteCompany(m_strCompany);
    }

    // Starts as the program does: a new backup set, or the named file.
    void Start(const char* pszCmdLine = "") {
        m_pApp = std::make_unique<CViewTestApp>(m_strCompany);
        m_pApp->SetStartupState(::GetModuleHandleA(nullptr), pszCmdLine, SW_HIDE);
        ASSERT_TRUE(m_pApp->InitInstance());
        ASSERT_NE(nullptr, View());
    }
    // Closes the frame as the user would; the view writes its settings.
    void Close() {
        Doc()->SetModifiedFlag(false);
        ::SendMessageA(m_pApp->m_pMainWnd->GetSafeHwnd(), WM_CLOSE, 0, 0);
        m_pApp.reset();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }

    CMrqView* View() const {
        auto* pFrame = dynamic_cast<CFrameWnd*>(m_pApp->m_pMainWnd);
        return pFrame ? dynamic_cast<CMrqView*>(pFrame->GetActiveView()) : nullptr;
    }
    CMrqDoc* Doc() const { return static_cast<CMrqDoc*>(m_pApp->GetDocTemplate()->GetDocument()); }
    HWND Control(int nID) const { return View()->GetDlgItem(nID); }
    bool Shown(int nID) const {
        return (::GetWindowLongA(Control(nID), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    std::set<int> ShownControls() const {
        std::set<int> ids;
        for (HWND h = ::GetWindow(View()->GetSafeHwnd(), GW_CHILD); h;
             h = ::GetWindow(h, GW_HWNDNEXT)) {
            if (::GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE)
                ids.insert(::GetDlgCtrlID(h));
        }
        return ids;
    }
    // The view's controls as the user works them: wrappers of their handles.
    CListCtrl& SourceList() const { return Wrap(m_sourceList, IDC_SOURCE_LIST); }
    CListCtrl& RestoreList() const { return Wrap(m_restoreList, IDC_RESTORE_LIST); }
    CListBox& NoCopyList() const { return Wrap(m_noCopyList, IDC_NOCOPY_LIST); }
    CScrollBar& LogScroll() const { return Wrap(m_logScroll, IDC_LOG_SCROLL); }
    // Types into the destination box: the text replaces what it holds.
    void TypeDestination(const char* pszText) {
        CEdit& box = Wrap(m_destinationBox, IDC_DESTINATION);
        box.SetSel(0, -1);
        box.ReplaceSel(pszText);
    }
    const CLogBuffer& LogBuffer() const { return View()->GetLog().GetBuffer(); }
    CString ControlText(int nID) const {
        char sz[1024] = "";
        ::GetWindowTextA(Control(nID), sz, sizeof sz);
        return sz;
    }

    // Selects the tab as a click would: the tab control's selection, then
    // its notification to the view.
    void SelectTab(int nIndex) {
        Wrap(m_tab, IDC_TAB).SetCurSel(nIndex);
        NMHDR nmhdr = {Control(IDC_TAB), IDC_TAB, TCN_SELCHANGE};
        View()->SendMessage(WM_NOTIFY, IDC_TAB, reinterpret_cast<LPARAM>(&nmhdr));
    }
    void Click(int nID) { ::SendMessageA(Control(nID), BM_CLICK, 0, 0); }

    // The profile the program would use, for values stored before a start
    // or read back after a close.
    std::unique_ptr<CProfile> Profile() const {
        auto pProfile = std::make_unique<CProfile>("mrq BackupTool");
        pProfile->SetRegistryKey(m_strCompany);
        return pProfile;
    }

    // Rows of the source list as "folder|note|history|subfolders".
    std::vector<std::string> SourceRows() const {
        std::vector<std::string> rows;
        CListCtrl list(Control(IDC_SOURCE_LIST));
        for (int i = 0; i < list.GetItemCount(); i++) {
            std::string row;
            for (int nColumn = 0; nColumn < 4; nColumn++) {
                if (nColumn)
                    row += "|";
                row += static_cast<const char*>(list.GetItemText(i, nColumn));
            }
            rows.push_back(row);
        }
        return rows;
    }

    // Delivers what a chosen menu command posted.
    static void PumpMessages() {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    // Every menu shown from now on: its items as "text" (disabled ones
    // "text (disabled)") into m_menus, then the command pressed.
    void ChooseFromMenus(UINT nCommand) {
        AfxSetPopupMenuHandler([this, nCommand](HMENU hMenu) {
            m_menus.push_back(MenuItems(hMenu));
            return nCommand;
        });
    }

    static int RememberBox(HWND, const char* pszText, const char* pszCaption, UINT nType) {
        s_boxes.push_back({pszText, pszCaption, nType});
        return IDOK;
    }

    template <class TWnd> TWnd& Wrap(TWnd& wrapper, int nID) const {
        wrapper.Detach();
        wrapper.Attach(Control(nID));
        return wrapper;
    }

    CString m_strCompany;
    std::unique_ptr<CViewTestApp> m_pApp;
    // Wrappers only: attached afresh at each use, they own nothing.
    mutable CListCtrl m_sourceList;
    mutable CListCtrl m_restoreList;
    mutable CListBox m_noCopyList;
    mutable CScrollBar m_logScroll;
    mutable CEdit m_destinationBox;
    mutable CTabCtrl m_tab;
    std::vector<std::vector<std::string>> m_menus;
    inline static std::vector<CShownBox> s_boxes;
};
