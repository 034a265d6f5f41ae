// The restore page: the restore list (control 1013) of items picked in the
// synchronised-folder tree, and the restore of those items to the source
// folders they came from. The list is not part of the backup set: each row
// owns its RestoreItem, and nothing of it is ever saved.
#include "MrqView.h"

#include <memory>
#include <vector>

#include "FileOps.h"
#include "FolderRelation.h"
#include "MainWindowAside.h"
#include "MrqDoc.h"
#include "RestoreDlg.h"
#include "RestorePair.h"
#include "RestoreResultDlg.h"
#include "RestoreTarget.h"

namespace {

enum RestoreColumn { COLUMN_PATH = 0, COLUMN_SIZE = 1, COLUMN_TIME = 2 };

// Drive roots (their drive type, below 100) first, then folders, then files.
int CALLBACK CompareKinds(LPARAM lItem1, LPARAM lItem2, LPARAM) {
    int nKind1 = reinterpret_cast<const RestoreItem*>(lItem1)->m_nKind;
    int nKind2 = reinterpret_cast<const RestoreItem*>(lItem2)->m_nKind;
    return nKind1 < nKind2 ? -1 : nKind1 > nKind2 ? 1 : 0;
}

} // namespace

RestoreItem* CMrqView::GetRestoreItem(int nRow) const {
    return reinterpret_cast<RestoreItem*>(m_restoreList.GetItemData(nRow));
}

int CMrqView::AddRestoreItem(const char* pszPath) {
    // The same item twice, or a folder around a listed item, would restore
    // the same files twice.
    if (FindListRelation(m_restoreList, pszPath) != RELATION_NONE)
        return 0;
    RestoreItem* pItem = new RestoreItem;
    pItem->m_nKind = GetPathKind(pszPath);
    int nImage = IMAGE_FOLDER_CLOSED;
    if (pItem->m_nKind == PATH_FILE) {
        pItem->m_pIcon = GetFileIcon(pszPath);
        if (pItem->m_pIcon)
            nImage = pItem->m_pIcon->m_nImage;
    }
    int nRow = m_restoreList.InsertItem(m_restoreList.GetItemCount(), pszPath, nImage);
    if (nRow < 0) {
        delete pItem;
        return 0;
    }
    m_restoreList.SetItemData(nRow, reinterpret_cast<DWORD_PTR>(pItem));
    m_restoreList.SetItemText(nRow, COLUMN_SIZE, FormatFileSize(pszPath));
    m_restoreList.SetItemText(nRow, COLUMN_TIME, FormatWriteTime(pszPath));
    m_restoreList.SortItems(CompareKinds, 0);
    AppendLog(pszPath, " を復元に登録しました。");
    return 1;
}

void CMrqView::RemoveSelectedRestoreItem() {
    int nRow = m_restoreList.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    CString strPath = m_restoreList.GetItemText(nRow, COLUMN_PATH);
    delete GetRestoreItem(nRow);
    AppendLog("復元のリストから ", strPath, " を削除しました。");
    m_restoreList.DeleteItem(nRow);
}

void CMrqView::ClearRestoreList(bool bLog) {
    int nRows = m_restoreList.GetItemCount();
    if (nRows == 0)
        return;
    for (int nRow = 0; nRow < nRows; ++nRow)
        delete GetRestoreItem(nRow);
    if (bLog)
        AppendLog("復元のリストを初期化しました。");
    m_restoreList.DeleteAllItems();
}

void CMrqView::StartRestore() {
    int nRows = m_restoreList.GetItemCount();
    if (nRows == 0) {
        ShowWarning("復元するフォルダまたはファイルが指定されていません。");
        return;
    }
    CMainWindowAside aside(true);
    std::vector<std::unique_ptr<CRestorePair>> pairs;
    CRestoreDlg dlg;
    for (int nRow = 0; nRow < nRows; ++nRow) {
        CString strFrom = m_restoreList.GetItemText(nRow, COLUMN_PATH);
        CString strSourceFolder;
        CString strTo = MapRestoreTarget(*GetDocument(), strFrom, &strSourceFolder);
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
    ReportRestore(dlg, bNotRun);
}

void CMrqView::ReportRestore(const CRestoreDlg& dlg, bool bNotRun) {
    CString strCount = Decimal(dlg.m_status.m_nCount);
    CString strText = RestoreResultText(dlg.m_status, dlg.m_bAborted);
    if (bNotRun) {
        ShowError(strText);
        AppendLog(strText);
    } else {
        CRestoreResultDlg result;
        result.m_strCount = strCount;
        result.m_strMessage = strText;
        result.DoModal();
    }
    AppendLog("復元ファイル数 : ", strCount);
    // One line for each path that did not come back (the worker collected
    // them; only this thread writes the log).
    for (POSITION pos = dlg.m_status.m_failures.GetHeadPosition(); pos;)
        AppendLog("Warning : ", dlg.m_status.m_failures.GetNext(pos), " が復元されませんでした。");
    CString strStop = RestoreStopText(dlg.m_status, " ");
    if (!strStop.IsEmpty())
        AppendLog("Warning : ", strStop);
}
