// Registration of backup sources and of the destination: no folder twice,
// no source inside or around a source that already covers it, and the
// destination apart from every source.
#include "MrqView.h"

#include "BackupSource.h"
#include "FolderRelation.h"
#include "MrqDoc.h"
#include "PathText.h"

namespace {

// The edit box's text is read through a 260-byte buffer.
const int DESTINATION_BUFFER = 260;

const char* RefusalText(FolderRelation relation) {
    switch (relation) {
    case RELATION_SAME:
        return "すでにバックアップされるフォルダになっています。";
    case RELATION_CONTAINS:
        return "子フォルダが登録されていますので登録できません。";
    default:
        return "親フォルダが登録されていますのでバックアップされます。";
    }
}

} // namespace

CString CMrqView::GetDestinationText() const {
    char szText[DESTINATION_BUFFER] = "";
    m_destination.GetWindowText(szText, sizeof szText);
    return szText;
}

void CMrqView::ReplaceDestinationText(const char* pszText) {
    // Replacing the selection (not setting the text) marks the box
    // modified, so the change rule copies the text into the document.
    m_destination.SetSel(0, -1);
    m_destination.ScrollCaret();
    m_destination.ReplaceSel(pszText);
}

bool CMrqView::IsDestinationRelated(const char* pszPath) const {
    CString strDestination = GetDestinationText();
    return !strDestination.IsEmpty() && ComparePaths(pszPath, strDestination) != RELATION_NONE;
}

bool CMrqView::RefuseUnplainPath(const char* pszPath) {
    if (IsPlainPathText(pszPath))
        return false;
    CString strText = pszPath;
    strText +=
        "\nこの名前にはプログラムで扱えない文字(? * など)が含まれているため、登録できません。";
    ShowWarning(strText);
    return true;
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
    ShowWarning(strText);
}

int CMrqView::RegisterSource(const char* pszPath) {
    if (RefuseUnplainPath(pszPath))
        return 0;
    if (IsDestinationRelated(pszPath)) {
        ShowWarning("バックアップ先のフォルダは登録できません。");
        return 0;
    }
    FolderRelation relation = FindListRelation(m_sourceList, pszPath);
    if (relation != RELATION_NONE) {
        ShowWarning(RefusalText(relation));
        return 0;
    }
    CBackupSource* pEntry = new CBackupSource(pszPath);
    CMrqDoc* pDoc = GetDocument();
    pDoc->m_sources.AddTail(pEntry);
    AddSourceRow(pszPath, pEntry, "", 1, SUBFOLDERS_YES);
    pDoc->SetModifiedFlag();
    AppendLog(pszPath, " をバックアップ元に登録しました。");
    return 1;
}

int CMrqView::SetDestination(const char* pszPath) {
    if (RefuseUnplainPath(pszPath))
        return 0;
    if (FindListRelation(m_sourceList, pszPath) != RELATION_NONE) {
        ShowWarning("バックアップ元に登録されているフォルダです。");
        return 0;
    }
    ReplaceDestinationText(pszPath);
    AppendLog(pszPath, " をバックアップ先に書き込みました。");
    RefreshFreeSpace();
    return 1;
}

void CMrqView::AddSourceRow(const char* pszPath, CBackupSource* pEntry, const char* pszNote,
                            int nHistory, const char* pszSubfolders) {
    // The list sorts the row into place; the index it returns is where.
    int nItem = m_sourceList.InsertItem(0, pszPath, IMAGE_FOLDER_CLOSED);
    if (nItem < 0)
        return;
    m_sourceList.SetItemData(nItem, reinterpret_cast<DWORD_PTR>(pEntry));
    m_sourceList.SetItemText(nItem, 1, pszNote);
    char szHistory[16];
    wsprintfA(szHistory, "%d", nHistory);
    m_sourceList.SetItemText(nItem, 2, szHistory);
    m_sourceList.SetItemText(nItem, 3, pszSubfolders);
}

void CMrqView::OnChangeDestination() {
    if (!m_destination.GetModify())
        return;
    CMrqDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    pDoc->m_strDestination = GetDestinationText();
    pDoc->SetModifiedFlag();
}

void CMrqView::OnRegister() {
    CTreeNode* pNode = GetCurrentTree().GetSelectedNode();
    // "マイ コンピュータ", servers and domains have no path.
    if (!pNode || pNode->m_strPath.IsEmpty())
        return;
    // The rules and the document take paths of at most 259 bytes; the trees
    // hold no longer ones, and a cut path would name another folder.
    const CString& strPath = pNode->m_strPath;
    if (strPath.GetLength() >= MAX_PATH)
        return;
    switch (m_nPage) {
    case PAGE_SOURCES:
        RegisterSource(strPath);
        break;
    case PAGE_DESTINATION:
        SetDestination(strPath);
        break;
    case PAGE_RESTORE:
        AddRestoreItem(strPath);
        break;
    default:
        // The settings page has no Register button.
        break;
    }
}
