#include "SourcePage.h"

#include <cstdlib>
#include <cstring>

#include "BackupCommand.h"
#include "BackupSource.h"
#include "ContextMenu.h"
#include "DestinationPage.h"
#include "FolderTreePane.h"
#include "ListColumns.h"
#include "LogPanel.h"
#include "MessageMap.h"
#include "MrqDoc.h"
#include "MultiByte.h"
#include "PageHost.h"
#include "PathInfoDlg.h"
#include "PathText.h"
#include "SourcePropertiesDlg.h"
#include "ViewImages.h"
#include "ViewMessages.h"
#include "resource.h"

namespace {

enum SourceColumn { COLUMN_FOLDER = 0, COLUMN_NOTE = 1, COLUMN_HISTORY = 2, COLUMN_SUBFOLDERS = 3 };

// The size of the buffers through which an entry reaches its row: paths of
// up to 259 bytes and notes of up to 47 bytes.
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

// The note as the list shows it: its first 47 bytes, never cut inside a
// character. The entry keeps the whole note.
CString ListedNote(const CString& strNote) {
    return FitBuffer(strNote, NOTE_BUFFER);
}

// The history count as the list and the properties show it: the number the
// entry's text reads as.
CString HistoryText(const CBackupSource& entry) {
    return Decimal(std::atoi(entry.m_szHistory));
}

bool CoversSubfolders(const CBackupSource& entry) {
    return std::strcmp(entry.m_szSubfolders, SUBFOLDERS_YES) == 0;
}

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

const char* FilterModeText(const CSourcePropertiesDlg& dlg) {
    if (!dlg.m_bUseFilter)
        return "-1";
    return dlg.m_nFilterMode == FILTER_INDEX_ONLY ? "1" : "0";
}

} // namespace

CSourcePage::CSourcePage(CPageHost& host, CFolderTreePane& folders,
                         const CDestinationPage& destination, CBackupCommand& backup)
    : CViewPage(host, {IDC_REGISTER, IDC_DELETE, IDC_INIT_LIST, IDC_START, IDC_SPLITTER,
                       IDC_FOLDER_TREE, IDC_SOURCE_LIST}),
      m_folders(folders), m_destination(destination), m_backup(backup) {}

const CMessageMap* CSourcePage::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapCommand(ID_SOURCE_DELETE, &CSourcePage::DeleteSource),
        MapCommand(ID_SOURCE_EDIT, &CSourcePage::OnEditSource),
        MapCommand(ID_SOURCE_INFO, &CSourcePage::OnSourceInfo),
        MapNotify(IDC_SOURCE_LIST, NM_DBLCLK, &CSourcePage::OnDoubleClick),
        MapNotify(IDC_SOURCE_LIST, NM_RCLICK, &CSourcePage::OnRightClick),
    };
    static const CMessageMap s_map(CViewPage::GetMessageMap(), kEntries);
    return &s_map;
}

void CSourcePage::Attach(const CWnd& form) {
    m_list.Attach(form.GetDlgItem(IDC_SOURCE_LIST));
}

void CSourcePage::SetImages(HIMAGELIST hImages) {
    m_list.SetImageList(hImages, LVSIL_SMALL);
}

void CSourcePage::SetUpColumns(const CProfile& profile) {
    SetUpSourceListColumns(m_list, profile);
}

void CSourcePage::SaveColumns(CProfile& profile) const {
    SaveSourceListColumns(m_list, profile);
}

CBrowseTree* CSourcePage::GetTree() {
    return &m_folders.GetTree();
}

CBackupSource* CSourcePage::GetEntry(int nItem) const {
    return reinterpret_cast<CBackupSource*>(m_list.GetItemData(nItem));
}

void CSourcePage::ShowEntries() {
    CMrqDoc* pDoc = m_host.GetBackupSet();
    for (POSITION pos = pDoc->m_sources.GetHeadPosition(); pos;)
        AddRow(GetNextSource(pDoc->m_sources, pos));
}

void CSourcePage::AddRow(CBackupSource* pEntry) {
    // The list sorts the row into place; the index it returns is where.
    int nItem =
        m_list.InsertItem(0, FitBuffer(pEntry->m_strFolder, FOLDER_BUFFER), IMAGE_FOLDER_CLOSED);
    if (nItem < 0)
        return;
    m_list.SetItemData(nItem, reinterpret_cast<DWORD_PTR>(pEntry));
    m_list.SetItemText(nItem, COLUMN_NOTE, ListedNote(pEntry->m_strNote));
    m_list.SetItemText(nItem, COLUMN_HISTORY, HistoryText(*pEntry));
    m_list.SetItemText(nItem, COLUMN_SUBFOLDERS, pEntry->m_szSubfolders);
}

std::vector<CRegisteredFolder> CSourcePage::GetRegisteredFolders() const {
    // In the list's order: where several sources would refuse a folder for
    // different reasons, the user is told of the first one shown.
    std::vector<CRegisteredFolder> folders;
    for (int i = 0; i < m_list.GetItemCount(); i++) {
        const CBackupSource* pEntry = GetEntry(i);
        folders.push_back({pEntry->m_strFolder, CoversSubfolders(*pEntry)});
    }
    return folders;
}

FolderRelation CSourcePage::RelateToSources(const char* pszPath) const {
    return FindRelation(GetRegisteredFolders(), pszPath);
}

int CSourcePage::RegisterSource(const char* pszPath) {
    const CWnd& form = m_host.GetForm();
    if (RefuseUnplainPath(form, pszPath))
        return 0;
    if (m_destination.IsRelated(pszPath)) {
        ShowWarning(form, "バックアップ先のフォルダは登録できません。");
        return 0;
    }
    FolderRelation relation = RelateToSources(pszPath);
    if (relation != RELATION_NONE) {
        ShowWarning(form, RefusalText(relation));
        return 0;
    }
    CBackupSource* pEntry = new CBackupSource(pszPath);
    CMrqDoc* pDoc = m_host.GetBackupSet();
    pDoc->m_sources.AddTail(pEntry);
    AddRow(pEntry);
    pDoc->SetModifiedFlag();
    m_host.GetLog().Append(pszPath, " をバックアップ元に登録しました。");
    return 1;
}

void CSourcePage::OnStart() {
    m_backup.Start();
}

bool CSourcePage::OnDropFolder(const char* pszPath) {
    // A refused folder has had its message; the drop goes on.
    RegisterSource(pszPath);
    return true;
}

void CSourcePage::DeleteSource() {
    int nItem = GetSelected();
    if (nItem < 0)
        return;
    CString strFolder = m_list.GetItemText(nItem, COLUMN_FOLDER);
    CMrqDoc* pDoc = m_host.GetBackupSet();
    pDoc->RemoveSource(GetEntry(nItem));
    pDoc->SetModifiedFlag();
    m_host.GetLog().Append("バックアップ元のリストから ", strFolder, " を削除しました。");
    m_list.DeleteItem(nItem);
}

void CSourcePage::ClearSources() {
    CMrqDoc* pDoc = m_host.GetBackupSet();
    if (pDoc->m_sources.IsEmpty())
        return;
    pDoc->DestroySources();
    pDoc->SetModifiedFlag();
    m_list.DeleteAllItems();
    m_host.GetLog().Append("バックアップ元のリストを初期化しました。");
}

void CSourcePage::OnDoubleClick(NMHDR*, LRESULT*) {
    OnEditSource();
}

void CSourcePage::OnRightClick(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    ShowRowMenu(m_host.GetForm(), pNMHDR, CONTEXT_MENU_SOURCE);
}

void CSourcePage::OnSourceInfo() {
    int nItem = GetSelected();
    if (nItem < 0)
        return;
    // Subfolders are counted when the source backs them up.
    const CBackupSource* pEntry = GetEntry(nItem);
    ShowPathInfo(m_list.GetItemText(nItem, COLUMN_FOLDER), CoversSubfolders(*pEntry),
                 &m_host.GetForm());
}

bool CSourcePage::HasSourceInside(const CString& strFolder) const {
    const CObList& sources = m_host.GetBackupSet()->m_sources;
    for (POSITION pos = sources.GetHeadPosition(); pos;) {
        if (ComparePaths(strFolder, GetNextSource(sources, pos)->m_strFolder) == RELATION_CONTAINS)
            return true;
    }
    return false;
}

void CSourcePage::OnEditSource() {
    int nItem = GetSelected();
    if (nItem < 0)
        return;
    const CBackupSource* pEntry = GetEntry(nItem);
    CSourcePropertiesDlg dlg(&m_host.GetForm());
    dlg.m_strFolderName = GetLastComponent(m_list.GetItemText(nItem, COLUMN_FOLDER));
    // The row shows at most 47 bytes of the note; the dialog edits the
    // whole note, so a long one is never cut by opening and confirming.
    dlg.m_strNote = pEntry->m_strNote;
    dlg.m_strHistory = HistoryText(*pEntry);
    dlg.m_nSubfolders = CoversSubfolders(*pEntry) ? SUBFOLDERS_INDEX_YES : SUBFOLDERS_INDEX_NO;
    dlg.m_bUseFilter = std::strcmp(pEntry->m_szFilterMode, "-1") != 0;
    dlg.m_nFilterMode =
        std::strcmp(pEntry->m_szFilterMode, "1") == 0 ? FILTER_INDEX_ONLY : FILTER_INDEX_EXCLUDE;
    dlg.m_strExtensions = pEntry->m_strExtensions;
    if (dlg.DoModal() == IDOK)
        WriteBack(nItem, dlg);
}

void CSourcePage::WriteBack(int nItem, CSourcePropertiesDlg& dlg) {
    CBackupSource* pEntry = GetEntry(nItem);
    // A folder with a registered subfolder of its own cannot back up its
    // subfolders: that subfolder would be copied twice. Every source is
    // looked at, since the list's order need not put the subfolder next.
    if (dlg.m_nSubfolders == SUBFOLDERS_INDEX_YES && HasSourceInside(pEntry->m_strFolder)) {
        dlg.m_nSubfolders = SUBFOLDERS_INDEX_NO;
        ShowWarning(m_host.GetForm(), "サブフォルダの設定は変更できません。");
    }
    const char* pszSubfolders =
        dlg.m_nSubfolders == SUBFOLDERS_INDEX_YES ? SUBFOLDERS_YES : SUBFOLDERS_NO;

    m_list.SetItemText(nItem, COLUMN_NOTE, ListedNote(dlg.m_strNote));
    m_list.SetItemText(nItem, COLUMN_HISTORY, dlg.m_strHistory);
    m_list.SetItemText(nItem, COLUMN_SUBFOLDERS, pszSubfolders);

    pEntry->m_strNote = dlg.m_strNote;
    pEntry->SetHistory(dlg.m_strHistory);
    pEntry->SetSubfolders(pszSubfolders);
    pEntry->SetFilterMode(FilterModeText(dlg));
    pEntry->m_strExtensions = dlg.m_strExtensions;
    m_host.GetBackupSet()->SetModifiedFlag();
}
