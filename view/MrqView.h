// CMrqView: the main window's form (template 101). A tab control covers
// the whole view and four pages of controls lie over it: sources,
// destination, restore and settings. The view registers sources and the
// destination in its document, keeps the log panel at its foot, and reads
// its settings from the profile on the first update and writes them back
// when it goes.
//
// The class is split by concern:
//   MrqView.cpp          life cycle, document updates, image list
//   MrqViewLayout.cpp    placement, splitter, page switching
//   MrqViewRegister.cpp  registration of sources and the destination
//   MrqViewSettings.cpp  the settings page and the view's profile values
//   MrqViewLog.cpp       the log panel
//   MrqViewSourceList.cpp  the commands on the source list's rows
//   MrqViewTrees.cpp     the folder trees, file icons, network shares
//   MrqViewMenus.cpp     the context menus
//   MrqViewDrop.cpp      files dropped from the shell
//   MrqViewStart.cpp     the Start command: checks, the run, its report
//   MrqViewRestore.cpp   the restore list and the restore
//   MrqViewInfo.cpp      the information windows of rows and tree items
#pragma once

#include "Button.h"
#include "Edit.h"
#include "FolderTree.h"
#include "FormView.h"
#include "IconCache.h"
#include "ImageList.h"
#include "ListBox.h"
#include "ListCtrl.h"
#include "NetConnections.h"
#include "ScrollBar.h"
#include "Splitter.h"
#include "SyncTree.h"
#include "TabCtrl.h"

class CBackupSource;
class CMrqDoc;
class CProfile;
class CRestoreDlg;
struct CRunOutcome;
struct RestoreItem;

// Pages, as the tab items' data.
enum ViewPage {
    PAGE_SOURCES = 1,
    PAGE_DESTINATION = 2,
    PAGE_RESTORE = 3,
    PAGE_SETTINGS = 4,
};

// Image of a source row in the view's image list.
const int IMAGE_FOLDER_CLOSED = IMAGE_FOLDER;

// The drop-downs of the context menu resource, by position.
enum ContextMenu {
    CONTEXT_MENU_SOURCE = 0,
    CONTEXT_MENU_RESTORE = 1,
    CONTEXT_MENU_TREE = 2,
};

// The note as the source list shows it: its first 47 bytes, never cut
// inside a character. The entry keeps the whole note.
CString ListedNote(const CString& strNote);

class CMrqView : public CFormView {
public:
    CMrqView();
    ~CMrqView() override;

    CMrqDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // Registration (1 done, 0 refused with a message to the user).
    int RegisterSource(const char* pszPath);
    int SetDestination(const char* pszPath);
    // True when the destination box is not empty and the path is the
    // destination, lies inside it or contains it.
    bool IsDestinationRelated(const char* pszPath) const;
    // Refuses, with a message, a folder text that names no folder plainly:
    // one holding "?" or "*", or a name the code page cannot hold ("?" in
    // its place). True when it was refused.
    bool RefuseUnplainPath(const char* pszPath);
    // Tells the user, once, which folders the data file just opened held
    // that it did not take (ReadDataFile).
    void ReportRefusedFolders();
    void AddSourceRow(const char* pszPath, CBackupSource* pEntry, const char* pszNote, int nHistory,
                      const char* pszSubfolders);
    void RefreshFreeSpace();

    // The one way to write the log: the non-null parts joined into one
    // line; a null first part only refreshes the panel.
    void AppendLog(const char* pszPart1, const char* pszPart2 = nullptr,
                   const char* pszPart3 = nullptr);

    // The Start button: on the source and destination pages a backup of
    // the whole set, after its checks; a refusal is shown as "mrq Error".
    void OnStart();
    void RunBackup();

    // The source list's commands (MrqViewSourceList.cpp): the properties
    // of the selected source, its deletion, and the whole list emptied.
    void OnEditSource();
    void DeleteSource();
    void ClearSources();
    // The Delete and Initialise buttons act on the list of the page shown.
    void OnDelete();
    void OnInitList();

    // The restore page (MrqViewRestore.cpp): a path of the synchronised
    // tree listed (1, or 0 when it overlaps a listed one), the selected row
    // removed, every row removed (logged when bLog), and the restore of
    // every listed item to its source folder.
    int AddRestoreItem(const char* pszPath);
    void RemoveSelectedRestoreItem();
    void ClearRestoreList(bool bLog);
    void StartRestore();

    // The "ﾌﾟﾛﾊﾟﾃｨ" commands (MrqViewInfo.cpp): the information window of
    // the selected source, restore row or tree item.
    void OnSourceInfo();
    void OnRestoreItemInfo();
    void OnTreeItemInfo();

    // True while "拡張機能を有効にする。" is checked.
    bool IsExtendedEnabled() const;

    // The folder trees (MrqViewTrees.cpp): built and cleared as a whole.
    void BuildFolderTree();
    void ClearFolderTree();
    void BuildSyncTree();
    void ClearSyncTree();
    // The folder tree on the source and destination pages, the
    // synchronised-folder tree on the restore page and beyond.
    CBrowseTree& GetCurrentTree();
    // The file's shell icon in the view's image list (null when the shell
    // has none for it).
    CIconEntry* GetFileIcon(const char* pszPath);
    // Connects a network share before it is read, asking for a password
    // when the share wants one: 1 go on, 0 the password was refused.
    int ConnectShare(const char* pszRemote);
    // Disconnects the shares connected with a password.
    void CancelConnections();

    // Page switching and placement, public for the tests that drive them.
    void ShowPage(int nPage, int nCmdShow);
    void Layout();

    int m_nViewWidth = 0;
    int m_nViewHeight = 0;
    // The bar between the trees and the lists; the view keeps its numbers.
    CSplitter m_splitter;
    int m_nTreeWidth = 150;
    int m_nPage = PAGE_SOURCES;
    int m_bInitialized = 0;
    int m_bImageBusy = 0;
    CImageList* m_pImageList = nullptr;

    // The controls, attached once the form exists.
    CTabCtrl m_tab;
    CFolderTree m_folderTree;
    CSyncTree m_syncTree;
    CListBox m_folderSorter;
    CListBox m_fileSorter;
    CEdit m_destination;
    CListCtrl m_sourceList;
    CListCtrl m_restoreList;
    CWnd m_fileName;
    CButton m_startBackup;
    CButton m_startBackupExit;
    CButton m_logView;
    CButton m_extended;
    CListBox m_noCopyList;
    CWnd m_logText;
    CScrollBar m_logScroll;

    // Shell icons already in the image list, and the shares connected with
    // a password (disconnected when the view goes).
    CIconCache m_iconCache;
    CNetConnections m_connections;

protected:
    bool OnInitDialog() override;
    // While a modal dialog keeps the main window disabled, the view takes
    // no command: a click sent from outside must not start a second run or
    // free an entry the running backup reads.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    const CMessageMap* GetMessageMap() const override;

    // Life cycle (MrqView.cpp).
    void OnDestroy();
    void CreateImageList();

    // Placement and pages (MrqViewLayout.cpp).
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    void OnSelChangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    void InsertTabs();

    // Registration (MrqViewRegister.cpp).
    void OnChangeDestination();
    void OnRegister();

    // The trees (MrqViewTrees.cpp).
    void OnFolderTreeExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSyncTreeExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeMenu(NMHDR* pNMHDR, LRESULT* pResult);

    // Context menus (MrqViewMenus.cpp): the drop-down at nPosition of the
    // context menu resource, at the cursor.
    void ShowContextMenu(int nPosition);

    // Drops (MrqViewDrop.cpp).
    LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);

    // Settings page (MrqViewSettings.cpp).
    void LoadViewSettings();
    void SaveViewSettings();
    void OnStartBackupCheck();
    void OnExtendedCheck();
    void OnAddNoCopy();
    void OnRemoveNoCopy();
    void LoadNoCopyList();
    void SaveNoCopyList();

    // Restore list (MrqViewRestore.cpp): its menu on a row.
    void OnRestoreListMenu(NMHDR* pNMHDR, LRESULT* pResult);

    // Source list (MrqViewSourceList.cpp).
    void OnSourceListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    // A right click on a row opens the source list's menu; the list has
    // already selected that row, which the menu's commands act on.
    void OnSourceListMenu(NMHDR* pNMHDR, LRESULT* pResult);

    // Log panel (MrqViewLog.cpp).
    void InitLogView();
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);

private:
    void AttachControls();
    void ShowWarning(const char* pszText);
    void ShowError(const char* pszText);
    void PostMainWindowClose();
    // True while a modal dialog (a run's progress, the source properties)
    // has the main window disabled: the view then changes nothing.
    bool IsMainWindowDisabled() const;

    // Source list rows: the selected one (-1 none) and the entry behind one.
    int GetSelectedSource() const;
    CBackupSource* GetSourceEntry(int nItem) const;
    RestoreItem* GetRestoreItem(int nRow) const;
    // True when some row lies inside the folder.
    bool HasSourceInside(const char* pszFolder) const;

    // The steps of the Start command (MrqViewStart.cpp).
    bool RefuseBackupIntoItself();
    bool ConnectSetShares();
    void SaveBeforeRun();
    void ReportFailedRun(int nStatus);
    void ReportFinishedRun(const CRunOutcome& outcome);
    // The restore's end (MrqViewRestore.cpp): the result window, or an
    // error when the progress window never opened (bNotRun), then the log.
    void ReportRestore(const CRestoreDlg& dlg, bool bNotRun);
    CProfile* GetProfile() const;
    // The box's text the way the rules read it, at most 259 bytes.
    CString GetDestinationText() const;
    void ReplaceDestinationText(const char* pszText);
    void ShowLogText();

    // Values read from the profile for the automatic backup of the first
    // update.
    int m_nStartBackupRead = 0;
    int m_nStartBackupExitRead = 0;
};
