#include "RestorePage.h"

#include <memory>
#include <vector>

#include "BackupCommand.h"
#include "ContextMenu.h"
#include "ExactText.h"
#include "FileOps.h"
#include "FolderRelation.h"
#include "ListColumns.h"
#include "LogPanel.h"
#include "MainWindowAside.h"
#include "MessageMap.h"
#include "MrqDoc.h"
#include "PageHost.h"
#include "PathInfoDlg.h"
#include "RestoreDlg.h"
#include "RestorePair.h"
#include "RestoreResultDlg.h"
#include "RestoreTarget.h"
#include "RunRecords.h"
#include "SettingsPage.h"
#include "SizeText.h"
#include "ViewImages.h"
#include "ViewMessages.h"
#include "resource.h"

namespace {

enum RestoreColumn { COLUMN_PATH = 0, COLUMN_SIZE = 1, COLUMN_TIME = 2 };

// Drive roots (their drive type, below 100) first, then folders, then files.
int CALLBACK CompareKinds(LPARAM lItem1, LPARAM lItem2, LPARAM) {
    int nKind1 = reinterpret_cast<const RestoreItem*>(lItem1)->m_nKind;
    int nKind2 = reinterpret_cast<const RestoreItem*>(lItem2)->m_nKind;
    return nKind1 < nKind2 ? -1 : nKind1 > nKind2 ? 1 : 0;
}

} // namespace

CRestorePage::CRestorePage(CPageHost& host, CBackupCommand& backup, const CSettingsPage& settings)
    : CViewPage(host, {IDC_REGISTER, IDC_DELETE, IDC_INIT_LIST, IDC_START, IDC_SPLITTER,
                       IDC_SYNC_TREE, IDC_RESTORE_LIST}),
      m_backup(backup), m_settings(settings) {}

const CMessageMap* CRestorePage::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapCommand(ID_RESTORE_ITEM_DELETE, &CRestorePage::RemoveSelectedItem),
        MapCommand(ID_RESTORE_ITEM_INFO, &CRestorePage::OnItemInfo),
        MapNotify(IDC_RESTORE_LIST, NM_RCLICK, &CRestorePage::OnRightClick),
        MapNotify(IDC_SYNC_TREE, TVN_ITEMEXPANDINGA, &CRestorePage::OnTreeExpanding),
        MapNotify(IDC_SYNC_TREE, TVN_GETDISPINFOA, &CRestorePage::OnTreeGetDispInfo),
        MapNotify(IDC_SYNC_TREE, NM_RCLICK, &CRestorePage::OnTreeRightClick),
    };
    static const CMessageMap s_map(CViewPage::GetMessageMap(), kEntries);
    return &s_map;
}

void CRestorePage::Attach(const CWnd& form, CListBox& folderSorter) {
    m_list.Attach(form.GetDlgItem(IDC_RESTORE_LIST));
    m_tree.Attach(form.GetDlgItem(IDC_SYNC_TREE));
    m_fileSorter.Attach(form.GetDlgItem(IDC_FILE_SORTER));
    m_tree.SetFolderSorter(&folderSorter);
    m_tree.SetFileSorter(&m_fileSorter);
}

void CRestorePage::SetImages(HIMAGELIST hImages) {
    m_tree.SetImageList(hImages);
    m_list.SetImageList(hImages, LVSIL_SMALL);
}

void CRestorePage::SetUpColumns(const CProfile& profile) {
    SetUpRestoreListColumns(m_list, profile);
}

void CRestorePage::SaveColumns(CProfile& profile) const {
    SaveRestoreListColumns(m_list, profile);
}

RestoreItem* CRestorePage::GetItem(int nRow) const {
    return reinterpret_cast<RestoreItem*>(m_list.GetItemData(nRow));
}

int CRestorePage::AddRestoreItem(const char* pszPath) {
    // The restore list's items never cover what lies inside them.
    std::vector<CRegisteredFolder> listed;
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
        listed.push_back({GetItem(nRow)->m_strPath, false});
    if (FindRelation(listed, pszPath) != RELATION_NONE)
        return 0;
    RestoreItem* pItem = new RestoreItem;
    pItem->m_strPath = pszPath;
    pItem->m_nKind = GetPathKind(pszPath);
    int nImage = IMAGE_FOLDER_CLOSED;
    if (pItem->m_nKind == PATH_FILE) {
        pItem->m_pIcon = m_host.GetImages().GetFileIcon(pszPath);
        if (pItem->m_pIcon)
            nImage = pItem->m_pIcon->m_nImage;
    }
    // The row shows the path as the user reads it; the item keeps it exact.
    int nRow = m_list.InsertItem(m_list.GetItemCount(), ShownText(pszPath), nImage);
    if (nRow < 0) {
        delete pItem;
        return 0;
    }
    m_list.SetItemData(nRow, reinterpret_cast<DWORD_PTR>(pItem));
    m_list.SetItemText(nRow, COLUMN_SIZE, FormatFileSize(pszPath));
    m_list.SetItemText(nRow, COLUMN_TIME, FormatWriteTime(pszPath));
    m_list.SortItems(CompareKinds, 0);
    m_host.GetLog().Append(ShownText(pszPath), " を復元に登録しました。");
    return 1;
}

void CRestorePage::RemoveSelectedItem() {
    int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    CString strPath = m_list.GetItemText(nRow, COLUMN_PATH); // as shown
    delete GetItem(nRow);
    m_host.GetLog().Append("復元のリストから ", strPath, " を削除しました。");
    m_list.DeleteItem(nRow);
}

void CRestorePage::ClearRestoreList(bool bLog) {
    int nRows = m_list.GetItemCount();
    if (nRows == 0)
        return;
    for (int nRow = 0; nRow < nRows; ++nRow)
        delete GetItem(nRow);
    if (bLog)
        m_host.GetLog().Append("復元のリストを初期化しました。");
    m_list.DeleteAllItems();
}

void CRestorePage::OnItemInfo() {
    int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow >= 0)
        ShowPathInfo(GetItem(nRow)->m_strPath, true, &m_host.GetForm());
}

void CRestorePage::OnRightClick(NMHDR* pNMHDR, LRESULT*) {
    ShowRowMenu(m_host.GetForm(), pNMHDR, CONTEXT_MENU_RESTORE);
}

void CRestorePage::OnStart() {
    if (!m_backup.RefusesStart(false))
        StartRestore();
}

void CRestorePage::StartRestore() {
    int nRows = m_list.GetItemCount();
    if (nRows == 0) {
        ShowWarning(m_host.GetForm(), "復元するフォルダまたはファイルが指定されていません。");
        return;
    }
    CMainWindowAside aside(true);
    CTime start = CTime::GetCurrentTime();
    std::vector<std::unique_ptr<CRestorePair>> pairs;
    CRestoreDlg dlg;
    for (int nRow = 0; nRow < nRows; ++nRow) {
        CString strFrom = GetItem(nRow)->m_strPath;
        CString strSourceFolder;
        CString strTo = MapRestoreTarget(*m_host.GetBackupSet(), strFrom, &strSourceFolder);
        pairs.push_back(std::make_unique<CRestorePair>(strFrom, strTo, strSourceFolder));
        dlg.m_status.m_items.AddTail(pairs.back().get());
    }
    // DoModal returns only once the worker has ended: the pairs may go.
    bool bNotRun = dlg.DoModal() == -1 && !dlg.m_status.m_bFinished;
    if (bNotRun) {
        // No window could be made, so the worker never ran: nothing came
        // back, and every item says so.
        for (const auto& pair : pairs)
            dlg.m_status.AddFailure(pair->m_strFrom);
    }
    dlg.m_status.m_items.RemoveAll();
    pairs.clear();
    CRunRecord record = StartRunRecord("復元", *m_host.GetBackupSet(), start);
    SetRestoreOutcome(record, dlg.m_status, dlg.m_bAborted);
    ReportRestore(dlg, bNotRun, KeepRunRecord(m_settings.KeepsRunLog(), record));
}

void CRestorePage::ReportRestore(const CRestoreDlg& dlg, bool bNotRun,
                                 const CString& strLogFailure) {
    CLogPanel& log = m_host.GetLog();
    CString strCount = Decimal(dlg.m_status.m_nCount);
    CString strText = RestoreResultText(dlg.m_status, dlg.m_bAborted);
    if (!strLogFailure.IsEmpty())
        strText += "\n" + strLogFailure;
    if (bNotRun) {
        ShowError(m_host.GetForm(), strText);
        log.Append(strText);
    } else {
        CRestoreResultDlg result;
        result.m_strCount = strCount;
        result.m_strMessage = strText;
        result.DoModal();
    }
    log.Append("復元ファイル数 : ", strCount);
    // The worker collected the paths that did not come back; only this
    // thread writes the log.
    log.AppendLines(RestoreWarningLines(dlg.m_status));
    if (!strLogFailure.IsEmpty())
        log.Append(strLogFailure);
}
