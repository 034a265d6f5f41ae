// CMrqView: the main window's form (template 101). A tab control covers
// the whole view and four pages of controls lie over it: sources,
// destination, restore and settings, each an object of its own that owns
// its controls and answers its commands. The view keeps the tabs, the
// placement of the controls with the splitter between the trees and the
// lists, and the routing: each control's events go to the part that owns
// it, the commands of the shared buttons and the dropped folders to the
// page shown. It also keeps what the pages share: the log panel, the
// pictures, the folder tree and the network connections.
//
//   MrqView.cpp          life cycle, document updates, what the pages share
//   MrqViewRouting.cpp   the message map, routing, dropped files
//   MrqViewLayout.cpp    placement, splitter, tabs and pages
#pragma once

#include <array>

#include "BackupCommand.h"
#include "DestinationPage.h"
#include "FolderTreePane.h"
#include "FormView.h"
#include "LogPanel.h"
#include "NetConnections.h"
#include "PageHost.h"
#include "RestorePage.h"
#include "SettingsPage.h"
#include "SourcePage.h"
#include "Splitter.h"
#include "TabCtrl.h"
#include "ViewImages.h"

class CMrqDoc;

// Pages, as the tab items' data.
enum ViewPage {
    PAGE_SOURCES = 1,
    PAGE_DESTINATION = 2,
    PAGE_RESTORE = 3,
    PAGE_SETTINGS = 4,
};

class CMrqView : public CFormView, private CPageHost {
public:
    CMrqView();
    ~CMrqView() override;

    CMrqDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    CSourcePage& GetSourcePage() { return m_sources; }
    CDestinationPage& GetDestinationPage() { return m_destination; }
    CRestorePage& GetRestorePage() { return m_restore; }
    CSettingsPage& GetSettingsPage() { return m_settings; }
    CFolderTreePane& GetFolderTree() { return m_folders; }
    CLogPanel& GetLog() override { return m_log; }
    CViewImages& GetImages() override { return m_images; }

    // The page shown (ViewPage), the width of the trees and the splitter.
    int GetPage() const { return m_nPage; }
    int GetTreeWidth() const { return m_nTreeWidth; }
    const CSplitter& GetSplitter() const { return m_splitter; }

protected:
    bool OnInitDialog() override;
    // While a modal dialog keeps the main window disabled, the view takes
    // no command: a click sent from outside must not start a second run or
    // free an entry the running backup reads.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly = false) override;
    const CMessageMap* GetMessageMap() const override;

private:
    // What the pages reach (CPageHost).
    CMrqDoc* GetBackupSet() const override { return GetDocument(); }
    CWnd& GetForm() override { return *this; }
    int ConnectShare(const char* pszRemote) override;
    bool IsShown() const override { return m_bInitialized; }

    // Life cycle (MrqView.cpp).
    void AttachControls();
    void SetUpOnce();
    void ShowDocument();
    void OnDestroy();
    void SaveViewSettings();
    CProfile* GetProfile() const;
    // Tells the user, once, which folders the data file just opened held
    // that it did not take (ReadDataFile).
    void ReportRefusedFolders();
    void PostMainWindowClose();

    // Routing (MrqViewRouting.cpp): the parts with maps of their own, and
    // the page objects by number.
    std::array<CCmdTarget*, 5> GetParts();
    CViewPage& PageOf(int nPage);
    CViewPage& GetPageShown();
    void OnRegister() { GetPageShown().OnRegister(); }
    void OnDelete() { GetPageShown().OnDelete(); }
    void OnClear() { GetPageShown().OnClear(); }
    void OnStart() { GetPageShown().OnStart(); }
    void OnTreeItemInfo() { GetPageShown().OnTreeItemInfo(); }
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    // True while a modal dialog (a run's progress, the source properties)
    // has the main window disabled: the view then changes nothing.
    bool IsMainWindowDisabled() const;

    // Placement and pages (MrqViewLayout.cpp).
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    void Layout();
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    void OnSelChangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    void InsertTabs();
    void ShowPage(int nPage, int nCmdShow);

    CTabCtrl m_tab;
    CWnd m_fileName;
    // The view's size less 5 pixels each way, and the trees' width.
    int m_nViewWidth = 0;
    int m_nViewHeight = 0;
    int m_nTreeWidth = 150;
    CSplitter m_splitter;
    int m_nPage = PAGE_SOURCES;
    bool m_bInitialized = false;

    CViewImages m_images;
    // The shares connected with a password, disconnected when the view goes.
    CNetConnections m_connections;
    CLogPanel m_log;
    CFolderTreePane m_folders;
    CSettingsPage m_settings;
    CSourcePage m_sources;
    CDestinationPage m_destination;
    CRestorePage m_restore;
    CBackupCommand m_backup;
};
