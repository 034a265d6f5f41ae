// The commands on the rows of the source list: the properties dialog, the
// deletion of one source and the initialisation of the whole list.
#include "MrqView.h"

#include <cstring>

#include "BackupSource.h"
#include "FolderRelation.h"
#include "MrqDoc.h"
#include "PathText.h"
#include "SourcePropertiesDlg.h"

namespace {

// Columns of the source list.
const int COLUMN_FOLDER = 0;
const int COLUMN_NOTE = 1;
const int COLUMN_HISTORY = 2;
const int COLUMN_SUBFOLDERS = 3;

const char* FilterModeText(const CSourcePropertiesDlg& dlg) {
    if (!dlg.m_bUseFilter)
        return "-1";
    return dlg.m_nFilterMode == FILTER_INDEX_ONLY ? "1" : "0";
}

} // namespace

int CMrqView::GetSelectedSource() const {
    return m_sourceList.GetNextItem(-1, LVNI_SELECTED);
}

CBackupSource* CMrqView::GetSourceEntry(int nItem) const {
    return reinterpret_cast<CBackupSource*>(m_sourceList.GetItemData(nItem));
}

void CMrqView::OnDelete() {
    if (m_nPage == PAGE_SOURCES)
        DeleteSource();
    else if (m_nPage == PAGE_RESTORE)
        RemoveSelectedRestoreItem();
}

void CMrqView::OnInitList() {
    if (m_nPage == PAGE_SOURCES)
        ClearSources();
    else if (m_nPage == PAGE_RESTORE)
        ClearRestoreList(true);
}

void CMrqView::DeleteSource() {
    int nItem = GetSelectedSource();
    if (nItem < 0)
        return;
    CString strFolder = m_sourceList.GetItemText(nItem, COLUMN_FOLDER);
    CMrqDoc* pDoc = GetDocument();
    pDoc->RemoveSource(GetSourceEntry(nItem));
    pDoc->SetModifiedFlag();
    AppendLog("バックアップ元のリストから ", strFolder, " を削除しました。");
    m_sourceList.DeleteItem(nItem);
}

void CMrqView::ClearSources() {
    CMrqDoc* pDoc = GetDocument();
    if (pDoc->m_sources.IsEmpty())
        return;
    pDoc->DestroySources();
    pDoc->SetModifiedFlag();
    m_sourceList.DeleteAllItems();
    AppendLog("バックアップ元のリストを初期化しました。");
}

void CMrqView::OnSourceListDblClk(NMHDR*, LRESULT*) {
    OnEditSource();
}

void CMrqView::OnSourceListMenu(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    if (reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem >= 0)
        ShowContextMenu(CONTEXT_MENU_SOURCE);
}

bool CMrqView::HasSourceInside(const char* pszFolder) const {
    for (int i = 0; i < m_sourceList.GetItemCount(); i++) {
        if (ComparePaths(pszFolder, m_sourceList.GetItemText(i, COLUMN_FOLDER)) ==
            RELATION_CONTAINS)
            return true;
    }
    return false;
}

void CMrqView::OnEditSource() {
    int nItem = GetSelectedSource();
    if (nItem < 0)
        return;
    CBackupSource* pEntry = GetSourceEntry(nItem);
    CString strFolder = m_sourceList.GetItemText(nItem, COLUMN_FOLDER);

    CSourcePropertiesDlg dlg(this);
    dlg.m_strFolderName = GetLastComponent(strFolder);
    // The row shows at most 47 bytes of the note; the dialog edits the
    // whole note, so a long one is never cut by opening and confirming.
    dlg.m_strNote = pEntry->m_strNote;
    dlg.m_strHistory = m_sourceList.GetItemText(nItem, COLUMN_HISTORY);
    dlg.m_nSubfolders = m_sourceList.GetItemText(nItem, COLUMN_SUBFOLDERS) == SUBFOLDERS_YES
                            ? SUBFOLDERS_INDEX_YES
                            : SUBFOLDERS_INDEX_NO;
    dlg.m_bUseFilter = std::strcmp(pEntry->m_szFilterMode, "-1") != 0;
    dlg.m_nFilterMode =
        std::strcmp(pEntry->m_szFilterMode, "1") == 0 ? FILTER_INDEX_ONLY : FILTER_INDEX_EXCLUDE;
    dlg.m_strExtensions = pEntry->m_strExtensions;
    if (dlg.DoModal() != IDOK)
        return;

    // A folder with a registered subfolder of its own cannot back up its
    // subfolders: that subfolder would be copied twice. Every row is looked
    // at, since the list's sort order need not put the subfolder next.
    if (dlg.m_nSubfolders == SUBFOLDERS_INDEX_YES && HasSourceInside(strFolder)) {
        dlg.m_nSubfolders = SUBFOLDERS_INDEX_NO;
        ShowWarning("サブフォルダの設定は変更できません。");
    }
    const char* pszSubfolders =
        dlg.m_nSubfolders == SUBFOLDERS_INDEX_YES ? SUBFOLDERS_YES : SUBFOLDERS_NO;

    m_sourceList.SetItemText(nItem, COLUMN_NOTE, ListedNote(dlg.m_strNote));
    m_sourceList.SetItemText(nItem, COLUMN_HISTORY, dlg.m_strHistory);
    m_sourceList.SetItemText(nItem, COLUMN_SUBFOLDERS, pszSubfolders);

    pEntry->m_strNote = dlg.m_strNote;
    pEntry->SetHistory(dlg.m_strHistory);
    pEntry->SetSubfolders(pszSubfolders);
    pEntry->SetFilterMode(FilterModeText(dlg));
    pEntry->m_strExtensions = dlg.m_strExtensions;
    GetDocument()->SetModifiedFlag();
}
