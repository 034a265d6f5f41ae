#include "PathInfoDlg.h"

#include <cstring>

#include <shellapi.h>

#include "DataExchange.h"
#include "FileOps.h"
#include "FileTypes.h"
#include "FolderTotals.h"
#include "IconHandle.h"
#include "MessageMap.h"
#include "PaintDC.h"
#include "PathText.h"
#include "SizeText.h"
#include "resource.h"

namespace {

const UINT_PTR POLL_TIMER = 1;
const UINT POLL_INTERVAL_MS = 10;
// Where the icon goes in the client area.
const int ICON_X = 5;
const int ICON_Y = 5;

CString Shortened(const CString& strPath) {
    return ShownShortPath(strPath, INFO_PATH_LENGTH);
}

// The extension the type name is looked up by: the text after the last
// "." of the path, or the whole path when it has none.
// A dot is never the second byte of a double-byte character.
CString TypeKey(const CString& strPath) {
    const char* pszDot = std::strrchr(strPath, '.');
    return pszDot ? CString(pszDot + 1) : strPath;
}

// The shell's large icon of the path (null when it has none).
HICON LargeShellIcon(const char* pszPath) {
    SHFILEINFOA info = {};
    return ::SHGetFileInfoA(pszPath, 0, &info, sizeof info, SHGFI_ICON) ? info.hIcon : nullptr;
}

} // namespace

const CMessageMap* CPathInfoDlg::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapEvent(WM_PAINT, &CPathInfoDlg::OnPaint),
    };
    static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
    return &s_map;
}

void CPathInfoDlg::OnPaint() {
    CPaintDC dc(this);
    CIconHandle icon(LargeShellIcon(GetIconPath()));
    if (icon.Get())
        dc.DrawIcon(ICON_X, ICON_Y, icon.Get());
}

CFolderInfoDlg::CFolderInfoDlg(CWnd* pParentWnd) : CPathInfoDlg(IDD_FOLDER_INFO, pParentWnd) {}

const CMessageMap* CFolderInfoDlg::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapTimer(&CFolderInfoDlg::OnTimer),
        MapEvent(WM_DESTROY, &CFolderInfoDlg::OnDestroy),
    };
    static const CMessageMap s_map(CPathInfoDlg::GetMessageMap(), kEntries);
    return &s_map;
}

void CFolderInfoDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_INFO_NAME, m_strFolder);
    DDX_Text(pDX, IDC_INFO_CREATED, m_strCreated);
}

bool CFolderInfoDlg::OnInitDialog() {
    CPathInfoDlg::OnInitDialog();
    m_status.m_text.Open("mrq Folder Execute");
    if (!m_worker.Start(FolderThreadProc, &m_status))
        m_status.m_bFinished = 1; // nothing counted: the totals stay 0
    SetTimer(POLL_TIMER, POLL_INTERVAL_MS);
    SetDlgItemText(IDC_INFO_NAME, Shortened(m_strFolder));
    return true;
}

void CFolderInfoDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != POLL_TIMER)
        return;
    // Read the finished flag first: the totals shown are then at least
    // those it finished with.
    bool bFinished = m_status.m_bFinished != 0;
    ShowTotals();
    if (bFinished)
        KillTimer(POLL_TIMER);
}

void CFolderInfoDlg::ShowTotals() {
    SetDlgItemText(IDC_INFO_TOTAL_SIZE, FormatSize(m_status.m_nBytes));
    SetDlgItemText(IDC_INFO_FILES, Decimal(m_status.m_nCount));
    SetDlgItemText(IDC_INFO_FOLDERS, Decimal(m_status.m_nCount2));
}

void CFolderInfoDlg::EndWorker() {
    m_worker.End(); // closed during the count: stop it
    m_status.m_text.Close();
}

void CFolderInfoDlg::OnDestroy() {
    KillTimer(POLL_TIMER);
    EndWorker();
}

CFileInfoDlg::CFileInfoDlg(CWnd* pParentWnd) : CPathInfoDlg(IDD_FILE_INFO, pParentWnd) {}

void CFileInfoDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_INFO_NAME, m_strFile);
}

bool CFileInfoDlg::OnInitDialog() {
    CPathInfoDlg::OnInitDialog();
    SetDlgItemText(IDC_INFO_CREATED, FormatCreationTime(m_strFile));
    SetDlgItemText(IDC_INFO_MODIFIED, FormatWriteTime(m_strFile));
    SetDlgItemText(IDC_INFO_FILE_SIZE, FormatFileSize(m_strFile));
    SetDlgItemText(IDC_INFO_TYPE, GetFileTypeName(TypeKey(m_strFile)));
    SetDlgItemText(IDC_INFO_NAME, Shortened(m_strFile));
    return true;
}

void ShowPathInfo(const char* pszPath, bool bRecurse, CWnd* pParentWnd) {
    int nKind = GetPathKind(pszPath);
    if (nKind == PATH_MISSING)
        return;
    if (nKind == PATH_FILE) {
        CFileInfoDlg dlg(pParentWnd);
        dlg.m_strFile = pszPath;
        dlg.DoModal();
        return;
    }
    CFolderInfoDlg dlg(pParentWnd);
    dlg.m_strFolder = pszPath;
    // A drive root has no creation date of its own.
    dlg.m_strCreated = nKind == PATH_FOLDER ? FormatCreationTime(pszPath) : CString();
    CSumItem item(pszPath, bRecurse);
    dlg.m_status.m_items.AddTail(&item);
    dlg.DoModal();
    dlg.m_status.m_items.RemoveAll();
}
