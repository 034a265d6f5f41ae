// The restore page ("復 元"): the synchronised-folder tree of the mirror
// folders (control 1011) and the restore list (control 1013) of the items
// picked in it, which Start copies back to the source folders they came
// from. The list is not part of the backup set: each row owns its
// RestoreItem, and nothing of it is ever saved.
#pragma once

#include "ListBox.h"
#include "ListCtrl.h"
#include "SyncTree.h"
#include "ViewPage.h"

class CBackupCommand;
class CProfile;
class CRestoreDlg;
class CSettingsPage;
struct RestoreItem;

class CRestorePage : public CViewPage {
public:
    // The settings page says whether a restore leaves a record in the run
    // log.
    CRestorePage(CPageHost& host, CBackupCommand& backup, const CSettingsPage& settings);

    // The synchronised tree puts folder names in order through the folder
    // tree's sorter, and file names through its own.
    void Attach(const CWnd& form, CListBox& folderSorter);
    void SetImages(HIMAGELIST hImages);
    void SetUpColumns(const CProfile& profile);
    void SaveColumns(CProfile& profile) const;

    // The tree of the set's mirror folders, emptied and filled again.
    void RebuildTree();
    void ClearTree() { m_tree.Clear(); }
    CSyncTree& GetSyncTree() { return m_tree; }

    // 1 when the path was listed; 0 when it is listed already or lies
    // around a listed item (it would restore the same files twice).
    int AddRestoreItem(const char* pszPath);
    // Every row goes, with a log line when bLog and there were rows.
    void ClearRestoreList(bool bLog);

    CBrowseTree* GetTree() override { return &m_tree; }
    void OnDelete() override { RemoveSelectedItem(); }
    void OnClear() override { ClearRestoreList(true); }
    void OnStart() override;

protected:
    void RegisterFolder(const CString& strPath) override { AddRestoreItem(strPath); }
    const CMessageMap* GetMessageMap() const override;

private:
    void RemoveSelectedItem();
    void OnItemInfo();
    void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    // The restore of every listed item, and its end: its record in the run
    // log, the result window, or an error when the progress window never
    // opened (bNotRun), then the log panel. strLogFailure: "" or the
    // sentence that the record is missing.
    void StartRestore();
    void ReportRestore(const CRestoreDlg& dlg, bool bNotRun, const CString& strLogFailure);
    RestoreItem* GetItem(int nRow) const;

    // The tree's notifications (RestorePageTree.cpp).
    void OnTreeExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);

    CBackupCommand& m_backup;
    const CSettingsPage& m_settings;
    CListCtrl m_list;
    CSyncTree m_tree;
    CListBox m_fileSorter;
};
