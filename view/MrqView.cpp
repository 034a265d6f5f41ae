#include "MrqView.h"

#include <cstdlib>

#include "ListColumns.h"
#include "LogBuffer.h"
#include "MessageMap.h"
#include "MultiByte.h"
#include "MrqDoc.h"
#include "SizeText.h"
#include "WinApp.h"
#include "resource.h"

namespace {

// The size of the buffers through which a loaded entry reaches its row:
// paths of up to 259 bytes and notes of up to 47 bytes.
const int FOLDER_BUFFER = 260;
const int NOTE_BUFFER = 48;

// The first nBuffer - 1 bytes of the text, never ending inside a
// double-byte character.
CString FitBuffer(const CString& str, int nBuffer) {
    const char* p = str;
    int nFit = 0;
    while (p[nFit]) {
        int nStep = CharLengthAt(p + nFit);
        if (nFit + nStep > nBuffer - 1)
            break;
        nFit += nStep;
    }
    return str.Left(nFit);
}

} // namespace

CString ListedNote(const CString& strNote) {
    return FitBuffer(strNote, NOTE_BUFFER);
}

CMrqView::CMrqView() : CFormView(IDD_MRQ_FORM), m_splitter(*this, IDCUR_SPLITTER) {
    g_pLog = new CLogBuffer;
}

CMrqView::~CMrqView() {
    delete m_pImageList;
    delete g_pLog;
    g_pLog = nullptr;
}

CMrqDoc* CMrqView::GetDocument() const {
    return static_cast<CMrqDoc*>(CFormView::GetDocument());
}

const CMessageMap* CMrqView::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapMessage(WM_SIZE, &CMrqView::OnSize),
        MapMouse(WM_LBUTTONDOWN, &CMrqView::OnLButtonDown),
        MapMouse(WM_LBUTTONUP, &CMrqView::OnLButtonUp),
        MapMouse(WM_MOUSEMOVE, &CMrqView::OnMouseMove),
        MapNotify(IDC_TAB, TCN_SELCHANGE, &CMrqView::OnSelChangeTab),
        MapEvent(WM_DESTROY, &CMrqView::OnDestroy),
        MapControl(IDC_DESTINATION, EN_CHANGE, &CMrqView::OnChangeDestination),
        MapNotify(IDC_FOLDER_TREE, TVN_ITEMEXPANDINGA, &CMrqView::OnFolderTreeExpanding),
        MapNotify(IDC_FOLDER_TREE, TVN_GETDISPINFOA, &CMrqView::OnTreeGetDispInfo),
        MapNotify(IDC_SYNC_TREE, TVN_ITEMEXPANDINGA, &CMrqView::OnSyncTreeExpanding),
        MapNotify(IDC_SYNC_TREE, TVN_GETDISPINFOA, &CMrqView::OnTreeGetDispInfo),
        MapNotify(IDC_FOLDER_TREE, NM_RCLICK, &CMrqView::OnTreeMenu),
        MapNotify(IDC_SYNC_TREE, NM_RCLICK, &CMrqView::OnTreeMenu),
        MapCommand(IDC_REGISTER, &CMrqView::OnRegister),
        MapCommand(ID_TREE_REGISTER, &CMrqView::OnRegister),
        MapCommand(IDC_START_BACKUP, &CMrqView::OnStartBackupCheck),
        MapCommand(IDC_EXTENDED, &CMrqView::OnExtendedCheck),
        MapCommand(IDC_NOCOPY_ADD, &CMrqView::OnAddNoCopy),
        MapCommand(IDC_NOCOPY_REMOVE, &CMrqView::OnRemoveNoCopy),
        MapMessage(WM_VSCROLL, &CMrqView::OnVScroll),
        MapCommand(IDC_START, &CMrqView::OnStart),
        MapCommand(IDC_DELETE, &CMrqView::OnDelete),
        MapCommand(IDC_INIT_LIST, &CMrqView::OnInitList),
        MapCommand(ID_LIST_INIT, &CMrqView::OnInitList),
        MapCommand(ID_SOURCE_DELETE, &CMrqView::DeleteSource),
        MapCommand(ID_SOURCE_EDIT, &CMrqView::OnEditSource),
        MapNotify(IDC_SOURCE_LIST, NM_DBLCLK, &CMrqView::OnSourceListDblClk),
        MapNotify(IDC_SOURCE_LIST, NM_RCLICK, &CMrqView::OnSourceListMenu),
        MapMessage(WM_DROPFILES, &CMrqView::OnDropFiles),
        MapCommand(ID_RESTORE_ITEM_DELETE, &CMrqView::RemoveSelectedRestoreItem),
        MapNotify(IDC_RESTORE_LIST, NM_RCLICK, &CMrqView::OnRestoreListMenu),
        MapCommand(ID_SOURCE_INFO, &CMrqView::OnSourceInfo),
        MapCommand(ID_RESTORE_ITEM_INFO, &CMrqView::OnRestoreItemInfo),
        MapCommand(ID_TREE_ITEM_INFO, &CMrqView::OnTreeItemInfo),
    };
    static const CMessageMap s_map(CFormView::GetMessageMap(), kEntries);
    return &s_map;
}

bool CMrqView::OnInitDialog() {
    AttachControls();
    return CFormView::OnInitDialog();
}

bool CMrqView::IsMainWindowDisabled() const {
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->m_pMainWnd && !pApp->m_pMainWnd->IsWindowEnabled();
}

bool CMrqView::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (IsMainWindowDisabled())
        return true;
    return CFormView::OnCommand(wParam, lParam);
}

void CMrqView::AttachControls() {
    m_tab.Attach(GetDlgItem(IDC_TAB));
    m_folderTree.Attach(GetDlgItem(IDC_FOLDER_TREE));
    m_syncTree.Attach(GetDlgItem(IDC_SYNC_TREE));
    m_folderSorter.Attach(GetDlgItem(IDC_FOLDER_SORTER));
    m_fileSorter.Attach(GetDlgItem(IDC_FILE_SORTER));
    m_folderTree.SetFolderSorter(&m_folderSorter);
    m_syncTree.SetFolderSorter(&m_folderSorter);
    m_syncTree.SetFileSorter(&m_fileSorter);
    m_destination.Attach(GetDlgItem(IDC_DESTINATION));
    m_sourceList.Attach(GetDlgItem(IDC_SOURCE_LIST));
    m_restoreList.Attach(GetDlgItem(IDC_RESTORE_LIST));
    m_fileName.Attach(GetDlgItem(IDC_FILE_NAME));
    m_startBackup.Attach(GetDlgItem(IDC_START_BACKUP));
    m_startBackupExit.Attach(GetDlgItem(IDC_START_BACKUP_EXIT));
    m_logView.Attach(GetDlgItem(IDC_LOG_VIEW));
    m_extended.Attach(GetDlgItem(IDC_EXTENDED));
    m_noCopyList.Attach(GetDlgItem(IDC_NOCOPY_LIST));
    m_logText.Attach(GetDlgItem(IDC_LOG_TEXT));
    m_logScroll.Attach(GetDlgItem(IDC_LOG_SCROLL));
}

CProfile* CMrqView::GetProfile() const {
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->GetProfile() : nullptr;
}

void CMrqView::OnInitialUpdate() {
    // Shows the document's file name and logs it; the first run's log
    // reset below drops that line again.
    CFormView::OnInitialUpdate();

    bool bFirstRun = !m_bInitialized;
    if (bFirstRun) {
        LoadViewSettings();
        InsertTabs();
        CreateImageList();
        BuildFolderTree();
        if (CProfile* pProfile = GetProfile()) {
            SetUpSourceListColumns(m_sourceList, *pProfile);
            SetUpRestoreListColumns(m_restoreList, *pProfile);
        }
        InitLogView();
        LoadNoCopyList();
    }

    CMrqDoc* pDoc = GetDocument();
    ReplaceDestinationText(pDoc->m_strDestination);
    for (POSITION pos = pDoc->m_sources.GetHeadPosition(); pos;) {
        CBackupSource* pEntry = GetNextSource(pDoc->m_sources, pos);
        CString strFolder = FitBuffer(pEntry->m_strFolder, FOLDER_BUFFER);
        AddSourceRow(strFolder, pEntry, ListedNote(pEntry->m_strNote),
                     std::atoi(pEntry->m_szHistory), pEntry->m_szSubfolders);
    }
    ClearSyncTree();
    BuildSyncTree();
    pDoc->SetModifiedFlag(false);
    ReportRefusedFolders();

    DragAcceptFiles();

    // A data file opened from the shell is backed up at once; with the exit
    // setting the program then closes, whatever the outcome, once the
    // result or the error has been shown.
    if (bFirstRun && m_nStartBackupRead == 1 && !pDoc->GetPathName().IsEmpty()) {
        OnStart();
        if (m_nStartBackupExitRead == 1)
            PostMainWindowClose();
    }

    m_bInitialized = 1;
    RefreshFreeSpace();
}

void CMrqView::OnUpdate(CView*, LPARAM lHint, CObject*) {
    if (lHint == HINT_CLEAR) {
        // The entries belong to the document, which is emptying itself.
        m_sourceList.DeleteAllItems();
        ClearRestoreList(false);
        ReplaceDestinationText("");
        ClearSyncTree();
        return;
    }
    const CString& strPath = GetDocument()->GetPathName();
    if (strPath == m_fileName.GetWindowText())
        return;
    if (strPath.IsEmpty()) {
        m_fileName.SetWindowText("New DataFile");
        AppendLog("データファイルを初期化しました。");
    } else {
        m_fileName.SetWindowText(strPath);
        AppendLog("データファイル ", strPath, " を読み込みました。");
    }
}

void CMrqView::OnDestroy() {
    // A view that never showed a document (its start failed) never loaded
    // the settings: saving its empty controls would wipe them.
    bool bLoaded = m_bInitialized != 0;
    if (bLoaded)
        SaveViewSettings();
    ClearFolderTree();
    ClearSyncTree();
    // The rows point into the icon cache: they go first.
    ClearRestoreList(false);
    m_iconCache.DeleteAll();
    CancelConnections();
    if (bLoaded)
        SaveNoCopyList();
}

void CMrqView::CreateImageList() {
    m_bImageBusy = 1;
    m_pImageList = new CImageList;
    m_pImageList->Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    for (int i = 0; i < IDB_IMAGE_COUNT; i++) {
        HBITMAP hBitmap = static_cast<HBITMAP>(
            ::LoadImageA(hInstance, MAKEINTRESOURCEA(IDB_IMAGE_FIRST + i), IMAGE_BITMAP, 0, 0, 0));
        m_pImageList->Add(hBitmap, RGB(0, 0, 255));
        ::DeleteObject(hBitmap);
    }
    // One list serves both trees and both lists; the lists share it
    // (LVS_SHAREIMAGELISTS), so only the view destroys it.
    HIMAGELIST hImages = m_pImageList->GetSafeHandle();
    m_folderTree.SetImageList(hImages);
    m_syncTree.SetImageList(hImages);
    m_sourceList.SetImageList(hImages, LVSIL_SMALL);
    m_restoreList.SetImageList(hImages, LVSIL_SMALL);
    m_bImageBusy = 0;
}

void CMrqView::RefreshFreeSpace() {
    CString strText = FREE_SPACE_LABEL;
    strText += FormatFreeSpace(GetDestinationText());
    SetDlgItemText(IDC_FREE_SPACE, strText);
}

void CMrqView::PostMainWindowClose() {
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd)
        pApp->m_pMainWnd->PostMessage(WM_CLOSE);
}

void CMrqView::ShowWarning(const char* pszText) {
    ShowMessageBox(m_hWnd, pszText, "mrq Warning", MB_OK | MB_ICONEXCLAMATION);
}
