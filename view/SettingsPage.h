// The settings page ("設 定"): the options that belong to the user rather
// than to a backup set (automatic backup of a data file opened from the
// shell and exit after it, the log panel, the extended functions, the run
// log and the button that opens it, what a run does with files that left a
// source) and the extensions never backed up. Read from the profile on the
// view's first update and written back when it goes.
#pragma once

#include "Button.h"
#include "ListBox.h"
#include "Settings.h"
#include "ViewPage.h"

class CFolderTreePane;

class CSettingsPage : public CViewPage {
public:
    CSettingsPage(CPageHost& host, CFolderTreePane& folders);

    void Attach(const CWnd& form);
    // The check boxes from the profile and back.
    void Load(const CProfile& profile);
    void Save(CProfile& profile);
    void LoadNoCopyList(const CProfile& profile);
    void SaveNoCopyList(CProfile& profile) const;

    // True while "拡張機能を有効にする。" is checked.
    bool IsExtendedEnabled() const { return m_extended.IsChecked(); }
    // True while "ログビューを表示する。" is checked: the log panel comes
    // with the next page shown.
    bool IsLogShown() const { return m_logView.IsChecked(); }
    // "ソースから削除されたファイルも履歴に残す": a file gone from a source
    // moves into the history instead of being deleted from its mirror.
    bool KeepsDeletedFiles() const { return m_keepDeleted.IsChecked(); }
    // "大量に削除する前に確認する": a run that would take most of a mirror
    // away asks first, or leaves those deletions undone.
    bool GuardsRemovals() const { return m_removalGuard.IsChecked(); }
    // True while "ログファイルを作成する。。" is checked: every run leaves
    // its record beside the backup.
    bool KeepsRunLog() const { return m_runLog.IsChecked(); }
    // The extensions never copied, joined by ",".
    CString GetNoCopyText() const;
    // The values the profile gave for the first update: back up a data
    // file opened from the shell at once, and close after that backup.
    bool BacksUpOnOpen() const { return m_read.m_nStartBackup == 1; }
    bool ExitsAfterBackup() const { return m_read.m_nStartBackupExit == 1; }

    bool HasLogAndSplitter() const override { return false; }

protected:
    const CMessageMap* GetMessageMap() const override;

private:
    void ExchangeButtons(CButtonSettings& settings, bool bSaveAndValidate);
    void OnStartBackupCheck();
    void OnExtendedCheck();
    void OnAddNoCopy();
    void OnRemoveNoCopy();
    // Opens the newest month of the run log in the set's destination.
    void OnOpenLog();

    CFolderTreePane& m_folders;
    CButtonSettings m_read;
    CButton m_startBackup;
    CButton m_startBackupExit;
    CButton m_logView;
    CButton m_extended;
    CButton m_runLog;
    CListBox m_noCopyList;
    CButton m_keepDeleted;
    CButton m_removalGuard;
};
