#include "SettingsPage.h"

#include "DataExchange.h"
#include "ExtensionEntryDlg.h"
#include "FolderTreePane.h"
#include "ListBoxText.h"
#include "MessageMap.h"
#include "MrqDoc.h"
#include "PageHost.h"
#include "PathText.h"
#include "RunLog.h"
#include "ShellOpen.h"
#include "StringList.h"
#include "ViewMessages.h"
#include "resource.h"

CSettingsPage::CSettingsPage(CPageHost& host, CFolderTreePane& folders)
    : CViewPage(host, {IDC_START_BACKUP, IDC_START_BACKUP_EXIT, IDC_DATAFILE_GROUP, IDC_NOCOPY_ADD,
                       IDC_NOCOPY_REMOVE, IDC_NOCOPY_GROUP, IDC_NOCOPY_LIST, IDC_OPTIONS_GROUP,
                       IDC_LOG_VIEW, IDC_EXTENDED, IDC_EXTENDED_TAB, IDC_LOG_FILE, IDC_OPEN_LOG,
                       IDC_CHECK_SPACE, IDC_EXTENDED_GROUP, IDC_REMOVAL_GROUP, IDC_KEEP_DELETED,
                       IDC_REMOVAL_GUARD}),
      m_folders(folders) {}

const CMessageMap* CSettingsPage::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapCommand(IDC_START_BACKUP, &CSettingsPage::OnStartBackupCheck),
        MapCommand(IDC_EXTENDED, &CSettingsPage::OnExtendedCheck),
        MapCommand(IDC_NOCOPY_ADD, &CSettingsPage::OnAddNoCopy),
        MapCommand(IDC_NOCOPY_REMOVE, &CSettingsPage::OnRemoveNoCopy),
        MapCommand(IDC_OPEN_LOG, &CSettingsPage::OnOpenLog),
    };
    static const CMessageMap s_map(CViewPage::GetMessageMap(), kEntries);
    return &s_map;
}

void CSettingsPage::Attach(const CWnd& form) {
    m_startBackup.Attach(form.GetDlgItem(IDC_START_BACKUP));
    m_startBackupExit.Attach(form.GetDlgItem(IDC_START_BACKUP_EXIT));
    m_logView.Attach(form.GetDlgItem(IDC_LOG_VIEW));
    m_extended.Attach(form.GetDlgItem(IDC_EXTENDED));
    m_runLog.Attach(form.GetDlgItem(IDC_LOG_FILE));
    m_noCopyList.Attach(form.GetDlgItem(IDC_NOCOPY_LIST));
    m_keepDeleted.Attach(form.GetDlgItem(IDC_KEEP_DELETED));
    m_removalGuard.Attach(form.GetDlgItem(IDC_REMOVAL_GUARD));
}

void CSettingsPage::ExchangeButtons(CButtonSettings& settings, bool bSaveAndValidate) {
    // One list for both directions, as a dialog exchanges its members.
    CDataExchange dx(&m_host.GetForm(), bSaveAndValidate);
    DDX_Check(&dx, IDC_START_BACKUP, settings.m_nStartBackup);
    DDX_Check(&dx, IDC_START_BACKUP_EXIT, settings.m_nStartBackupExit);
    DDX_Check(&dx, IDC_LOG_VIEW, settings.m_nLogView);
    DDX_Check(&dx, IDC_EXTENDED, settings.m_nExtended);
    DDX_Check(&dx, IDC_KEEP_DELETED, settings.m_nKeepDeleted);
    DDX_Check(&dx, IDC_REMOVAL_GUARD, settings.m_nRemovalGuard);
    DDX_Check(&dx, IDC_LOG_FILE, settings.m_nRunLog);
}

void CSettingsPage::Load(const CProfile& profile) {
    m_read.Load(profile);
    CButtonSettings settings = m_read;
    ExchangeButtons(settings, false);
    OnStartBackupCheck();
}

void CSettingsPage::Save(CProfile& profile) {
    CButtonSettings settings;
    ExchangeButtons(settings, true);
    settings.Save(profile);
}

void CSettingsPage::OnStartBackupCheck() {
    // The exit box keeps its check while disabled; that state is saved.
    m_startBackupExit.EnableWindow(m_startBackup.IsChecked());
}

void CSettingsPage::OnExtendedCheck() {
    // Remote and CD-ROM drives and the network come and go with the box.
    m_folders.Clear();
    m_folders.Build(IsExtendedEnabled());
}

void CSettingsPage::OnAddNoCopy() {
    AddEnteredExtension(&m_host.GetForm(), m_noCopyList);
}

void CSettingsPage::OnRemoveNoCopy() {
    int nSelected = m_noCopyList.GetCurSel();
    if (nSelected >= 0)
        m_noCopyList.DeleteString(nSelected);
}

void CSettingsPage::OnOpenLog() {
    CWnd& form = m_host.GetForm();
    const CMrqDoc* pDoc = m_host.GetBackupSet();
    CString strDestination = pDoc ? pDoc->m_strDestination : CString();
    if (GetFolderTitle(strDestination).IsEmpty()) {
        ShowWarning(form, "バックアップ先のフォルダが指定されていません。");
        return;
    }
    // The month of the last run, which need not be this month.
    CString strLog = NewestRunLog(strDestination);
    if (strLog.IsEmpty())
        ShowWarning(form, "このバックアップ先にはまだログがありません。");
    else if (!AfxShellOpen(form.GetSafeHwnd(), strLog))
        ShowWarning(form, "ログファイル " + strLog + " を開けませんでした。");
}

CString CSettingsPage::GetNoCopyText() const {
    return JoinListBoxItems(m_noCopyList, ",");
}

void CSettingsPage::LoadNoCopyList(const CProfile& profile) {
    CStringList extensions;
    ::LoadNoCopyList(profile, extensions);
    for (POSITION pos = extensions.GetHeadPosition(); pos;)
        m_noCopyList.AddString(extensions.GetNext(pos));
}

void CSettingsPage::SaveNoCopyList(CProfile& profile) const {
    CStringList extensions;
    CString strItem;
    for (int i = 0; i < m_noCopyList.GetCount(); i++) {
        m_noCopyList.GetText(i, strItem);
        extensions.AddTail(strItem);
    }
    ::SaveNoCopyList(profile, extensions);
}
