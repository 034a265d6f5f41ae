#include "DestinationPage.h"

#include "BackupCommand.h"
#include "FolderTreePane.h"
#include "LogPanel.h"
#include "MessageMap.h"
#include "MrqDoc.h"
#include "PageHost.h"
#include "SizeText.h"
#include "SourcePage.h"
#include "ViewMessages.h"
#include "resource.h"

namespace {

// The box's text is read through a 260-byte buffer.
const int DESTINATION_BUFFER = 260;

} // namespace

CDestinationPage::CDestinationPage(CPageHost& host, CFolderTreePane& folders,
                                   const CSourcePage& sources, CBackupCommand& backup)
    : CViewPage(host, {IDC_REGISTER, IDC_START, IDC_DESTINATION, IDC_SPLITTER, IDC_FOLDER_TREE,
                       IDC_FREE_SPACE}),
      m_folders(folders), m_sources(sources), m_backup(backup) {}

const CMessageMap* CDestinationPage::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapControl(IDC_DESTINATION, EN_CHANGE, &CDestinationPage::OnChange),
    };
    static const CMessageMap s_map(CViewPage::GetMessageMap(), kEntries);
    return &s_map;
}

void CDestinationPage::Attach(const CWnd& form) {
    m_box.Attach(form.GetDlgItem(IDC_DESTINATION));
    m_freeSpace.Attach(form.GetDlgItem(IDC_FREE_SPACE));
}

CBrowseTree* CDestinationPage::GetTree() {
    return &m_folders.GetTree();
}

CString CDestinationPage::GetText() const {
    char szText[DESTINATION_BUFFER] = "";
    m_box.GetWindowText(szText, sizeof szText);
    return szText;
}

void CDestinationPage::ReplaceText(const char* pszText) {
    m_box.SetSel(0, -1);
    m_box.ScrollCaret();
    m_box.ReplaceSel(pszText);
}

bool CDestinationPage::IsRelated(const char* pszPath) const {
    CString strDestination = GetText();
    return !strDestination.IsEmpty() && ComparePaths(pszPath, strDestination) != RELATION_NONE;
}

int CDestinationPage::SetDestination(const char* pszPath) {
    const CWnd& form = m_host.GetForm();
    if (RefuseUnplainPath(form, pszPath))
        return 0;
    if (m_sources.RelateToSources(pszPath) != RELATION_NONE) {
        ShowWarning(form, "バックアップ元に登録されているフォルダです。");
        return 0;
    }
    ReplaceText(pszPath);
    m_host.GetLog().Append(pszPath, " をバックアップ先に書き込みました。");
    RefreshFreeSpace();
    return 1;
}

void CDestinationPage::RefreshFreeSpace() {
    CString strText = FREE_SPACE_LABEL;
    strText += FormatFreeSpace(GetText());
    m_freeSpace.SetWindowText(strText);
}

void CDestinationPage::OnStart() {
    m_backup.Start();
}

bool CDestinationPage::OnDropFolder(const char* pszPath) {
    // Whether it was taken or refused, the drop ends here.
    SetDestination(pszPath);
    return false;
}

void CDestinationPage::OnChange() {
    // Text typed by the user goes in as it is; the Start command checks it.
    if (!m_box.GetModify())
        return;
    CMrqDoc* pDoc = m_host.GetBackupSet();
    if (!pDoc)
        return;
    pDoc->m_strDestination = GetText();
    pDoc->SetModifiedFlag();
}
