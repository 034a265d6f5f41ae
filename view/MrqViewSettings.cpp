// The settings page and the view's values in the profile: read on the
// first update, written when the view goes.
#include "MrqView.h"

#include "DataExchange.h"
#include "ExtensionEntryDlg.h"
#include "ListColumns.h"
#include "Settings.h"
#include "StringList.h"
#include "resource.h"

namespace {

const int SOURCE_COLUMNS = 4;
const int RESTORE_COLUMNS = 3;

// The settings page's check boxes and their profile values: one list for
// both directions, as a dialog exchanges its members.
void ExchangeButtonSettings(CWnd* pView, CButtonSettings& settings, bool bSaveAndValidate) {
    CDataExchange dx(pView, bSaveAndValidate);
    DDX_Check(&dx, IDC_START_BACKUP, settings.m_nStartBackup);
    DDX_Check(&dx, IDC_START_BACKUP_EXIT, settings.m_nStartBackupExit);
    DDX_Check(&dx, IDC_LOG_VIEW, settings.m_nLogView);
    DDX_Check(&dx, IDC_EXTENDED, settings.m_nExtended);
}

} // namespace

void CMrqView::LoadViewSettings() {
    CProfile* pProfile = GetProfile();
    if (!pProfile)
        return;
    m_nTreeWidth = LoadTreeWidth(*pProfile);
    CButtonSettings settings;
    settings.Load(*pProfile);
    m_nStartBackupRead = settings.m_nStartBackup;
    m_nStartBackupExitRead = settings.m_nStartBackupExit;
    ExchangeButtonSettings(this, settings, false);
    OnStartBackupCheck();
}

void CMrqView::SaveViewSettings() {
    CProfile* pProfile = GetProfile();
    if (!pProfile)
        return;
    SaveTreeWidth(*pProfile, m_nTreeWidth);
    for (int i = 0; i < SOURCE_COLUMNS; i++)
        SaveColumnWidth(*pProfile, SOURCE_LIST, i, m_sourceList.GetColumnWidth(i));
    for (int i = 0; i < RESTORE_COLUMNS; i++)
        SaveColumnWidth(*pProfile, RESTORE_LIST, i, m_restoreList.GetColumnWidth(i));
    CButtonSettings settings;
    ExchangeButtonSettings(this, settings, true);
    settings.Save(*pProfile);
}

void CMrqView::OnStartBackupCheck() {
    // The exit box keeps its check while disabled; that state is saved.
    m_startBackupExit.EnableWindow(m_startBackup.IsChecked());
}

void CMrqView::OnExtendedCheck() {
    // Remote and CD-ROM drives and the network come and go with the box.
    ClearFolderTree();
    BuildFolderTree();
}

bool CMrqView::IsExtendedEnabled() const {
    return m_extended.IsChecked();
}

void CMrqView::OnAddNoCopy() {
    AddEnteredExtension(this, m_noCopyList);
}

void CMrqView::OnRemoveNoCopy() {
    int nSelected = m_noCopyList.GetCurSel();
    if (nSelected >= 0)
        m_noCopyList.DeleteString(nSelected);
}

void CMrqView::LoadNoCopyList() {
    CProfile* pProfile = GetProfile();
    if (!pProfile)
        return;
    CStringList extensions;
    ::LoadNoCopyList(*pProfile, extensions);
    for (POSITION pos = extensions.GetHeadPosition(); pos;)
        m_noCopyList.AddString(extensions.GetNext(pos));
}

void CMrqView::SaveNoCopyList() {
    CProfile* pProfile = GetProfile();
    if (!pProfile)
        return;
    CStringList extensions;
    CString strItem;
    for (int i = 0; i < m_noCopyList.GetCount(); i++) {
        m_noCopyList.GetText(i, strItem);
        extensions.AddTail(strItem);
    }
    ::SaveNoCopyList(*pProfile, extensions);
}
