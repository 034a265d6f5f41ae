// The "ﾌﾟﾛﾊﾟﾃｨ" commands of the three context menus: the information window
// of the selected source, restore item or tree item.
#include "MrqView.h"

#include "BackupSource.h"
#include "PathInfoDlg.h"

namespace {

// The source list's column that says whether subfolders are backed up.
const int SOURCE_COLUMN_SUBFOLDERS = 3;

} // namespace

void CMrqView::OnSourceInfo() {
    int nRow = GetSelectedSource();
    if (nRow < 0)
        return;
    // Subfolders are counted when the source backs them up.
    bool bRecurse = m_sourceList.GetItemText(nRow, SOURCE_COLUMN_SUBFOLDERS) == SUBFOLDERS_YES;
    ShowPathInfo(m_sourceList.GetItemText(nRow, 0), bRecurse, this);
}

void CMrqView::OnRestoreItemInfo() {
    int nRow = m_restoreList.GetNextItem(-1, LVNI_SELECTED);
    if (nRow >= 0)
        ShowPathInfo(m_restoreList.GetItemText(nRow, 0), true, this);
}

void CMrqView::OnTreeItemInfo() {
    CTreeNode* pNode = GetCurrentTree().GetSelectedNode();
    // "マイ コンピュータ", servers and domains have no path.
    if (pNode && !pNode->m_strPath.IsEmpty())
        ShowPathInfo(pNode->m_strPath, true, this);
}
