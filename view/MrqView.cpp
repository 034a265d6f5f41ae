#include "MrqView.h"

#include "MrqDoc.h"
#include "ViewMessages.h"
#include "WinApp.h"
#include "resource.h"

CMrqView::CMrqView()
    : CFormView(IDD_MRQ_FORM), m_splitter(*this, IDCUR_SPLITTER), m_folders(*this),
      m_settings(*this, m_folders), m_sources(*this, m_folders, m_destination, m_backup),
      m_destination(*this, m_folders, m_sources, m_backup), m_restore(*this, m_backup, m_settings),
      m_backup(*this, m_sources, m_destination, m_restore, m_settings) {}

CMrqView::~CMrqView() = default;

CMrqDoc* CMrqView::GetDocument() const {
    return static_cast<CMrqDoc*>(CFormView::GetDocument());
}

bool CMrqView::OnInitDialog() {
    AttachControls();
    return CFormView::OnInitDialog();
}

void CMrqView::AttachControls() {
    m_tab.Attach(GetDlgItem(IDC_TAB));
    m_fileName.Attach(GetDlgItem(IDC_FILE_NAME));
    m_log.Attach(*this);
    m_folders.Attach(*this);
    m_settings.Attach(*this);
    m_sources.Attach(*this);
    m_destination.Attach(*this);
    m_restore.Attach(*this, m_folders.GetFolderSorter());
}

CProfile* CMrqView::GetProfile() const {
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->GetProfile() : nullptr;
}

int CMrqView::ConnectShare(const char* pszRemote) {
    return m_connections.ConnectShare(pszRemote, this);
}

void CMrqView::OnInitialUpdate() {
    // Shows the document's file name and logs it; the first run's log
    // reset below drops that line again.
    CFormView::OnInitialUpdate();
    bool bFirstRun = !m_bInitialized;
    if (bFirstRun)
        SetUpOnce();
    ShowDocument();
    DragAcceptFiles();

    // A data file opened from the shell is backed up at once; with the exit
    // setting the program then closes, whatever the outcome, once the
    // result or the error has been shown.
    if (bFirstRun && m_settings.BacksUpOnOpen() && !GetDocument()->GetPathName().IsEmpty()) {
        m_backup.StartUnattended();
        if (m_settings.ExitsAfterBackup())
            PostMainWindowClose();
    }
    m_bInitialized = true;
    m_destination.RefreshFreeSpace();
}

void CMrqView::SetUpOnce() {
    CProfile* pProfile = GetProfile();
    if (pProfile) {
        m_nTreeWidth = LoadTreeWidth(*pProfile);
        m_settings.Load(*pProfile);
    }
    InsertTabs();
    m_images.Create();
    // One list serves both trees and both lists.
    HIMAGELIST hImages = m_images.GetSafeHandle();
    m_folders.GetTree().SetImageList(hImages);
    m_sources.SetImages(hImages);
    m_restore.SetImages(hImages);
    m_folders.Build(m_settings.IsExtendedEnabled());
    if (pProfile) {
        m_sources.SetUpColumns(*pProfile);
        m_restore.SetUpColumns(*pProfile);
    }
    m_log.Reset();
    if (pProfile)
        m_settings.LoadNoCopyList(*pProfile);
}

void CMrqView::ShowDocument() {
    CMrqDoc* pDoc = GetDocument();
    m_destination.ReplaceText(pDoc->m_strDestination);
    m_sources.ShowEntries();
    m_restore.RebuildTree();
    pDoc->SetModifiedFlag(false);
    ReportRefusedFolders();
}

void CMrqView::ReportRefusedFolders() {
    CStringList& refused = GetDocument()->m_refusedFolders;
    if (refused.IsEmpty())
        return;
    CString strText = "データファイルの次のフォルダは、名前にプログラムで扱えない文字(? * など)が"
                      "含まれているため読み込みませんでした。";
    for (POSITION pos = refused.GetHeadPosition(); pos;)
        strText += "\n" + refused.GetNext(pos);
    refused.RemoveAll();
    ShowWarning(*this, strText);
}

void CMrqView::OnUpdate(CView*, LPARAM lHint, CObject*) {
    if (lHint == HINT_CLEAR) {
        // The entries belong to the document, which is emptying itself.
        m_sources.RemoveRows();
        m_restore.ClearRestoreList(false);
        m_destination.ReplaceText("");
        m_restore.ClearTree();
        return;
    }
    const CString& strPath = GetDocument()->GetPathName();
    if (strPath == m_fileName.GetWindowText())
        return;
    if (strPath.IsEmpty()) {
        m_fileName.SetWindowText("New DataFile");
        m_log.Append("データファイルを初期化しました。");
    } else {
        m_fileName.SetWindowText(strPath);
        m_log.Append("データファイル ", strPath, " を読み込みました。");
    }
}

void CMrqView::OnDestroy() {
    // A view that never showed a document (its start failed) never loaded
    // the settings: saving its empty controls would wipe them.
    bool bLoaded = m_bInitialized;
    if (bLoaded)
        SaveViewSettings();
    m_folders.Clear();
    m_restore.ClearTree();
    // The rows point into the icon cache: they go first.
    m_restore.ClearRestoreList(false);
    m_images.DeleteIcons();
    m_connections.CancelConnections();
    CProfile* pProfile = GetProfile();
    if (bLoaded && pProfile)
        m_settings.SaveNoCopyList(*pProfile);
}

void CMrqView::SaveViewSettings() {
    CProfile* pProfile = GetProfile();
    if (!pProfile)
        return;
    SaveTreeWidth(*pProfile, m_nTreeWidth);
    m_sources.SaveColumns(*pProfile);
    m_restore.SaveColumns(*pProfile);
    m_settings.Save(*pProfile);
}

void CMrqView::PostMainWindowClose() {
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd)
        pApp->m_pMainWnd->PostMessage(WM_CLOSE);
}
