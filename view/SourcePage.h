// The source page ("バックアップ元"): the folder tree and the list of the
// backup set's source folders (control 1002), one row per entry of the
// document, sorted by folder. Its commands register a folder under the
// rules (none twice, none inside or around one that covers it, none near
// the destination), delete one source or all of them, edit a source's
// options in the properties dialog, and start the backup.
#pragma once

#include <vector>

#include "FolderRelation.h"
#include "ListCtrl.h"
#include "ViewPage.h"

class CBackupCommand;
class CBackupSource;
class CDestinationPage;
class CFolderTreePane;
class CProfile;
class CSourcePropertiesDlg;

class CSourcePage : public CViewPage {
public:
    CSourcePage(CPageHost& host, CFolderTreePane& folders, const CDestinationPage& destination,
                CBackupCommand& backup);

    void Attach(const CWnd& form);
    void SetImages(HIMAGELIST hImages);
    void SetUpColumns(const CProfile& profile);
    void SaveColumns(CProfile& profile) const;

    // A row for every entry of the backup set, in its order; the list sorts
    // them.
    void ShowEntries();
    // A row for the entry: its folder (at most 259 bytes of it), its note
    // as the list shows it, its history count and subfolder setting.
    void AddRow(CBackupSource* pEntry);
    // Every row goes; the entries are the document's.
    void RemoveRows() { m_list.DeleteAllItems(); }
    int GetCount() const { return m_list.GetItemCount(); }

    // 1 when the folder was registered: an entry in the set, its row, the
    // set modified and a log line; 0 when a rule refused it, with a warning.
    int RegisterSource(const char* pszPath);
    // The relation of the path to the registered sources, in the order the
    // list shows them.
    FolderRelation RelateToSources(const char* pszPath) const;

    CBrowseTree* GetTree() override;
    void OnDelete() override { DeleteSource(); }
    void OnClear() override { ClearSources(); }
    void OnStart() override;
    bool OnDropFolder(const char* pszPath) override;

protected:
    void RegisterFolder(const CString& strPath) override { RegisterSource(strPath); }
    const CMessageMap* GetMessageMap() const override;

private:
    void DeleteSource();
    void ClearSources();
    void OnEditSource();
    void OnSourceInfo();
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);

    // The selected row (-1 none) and the entry behind a row.
    int GetSelected() const { return m_list.GetNextItem(-1, LVNI_SELECTED); }
    CBackupSource* GetEntry(int nItem) const;
    std::vector<CRegisteredFolder> GetRegisteredFolders() const;
    // True when some registered source lies inside the folder.
    bool HasSourceInside(const CString& strFolder) const;
    void WriteBack(int nItem, CSourcePropertiesDlg& dlg);

    CFolderTreePane& m_folders;
    const CDestinationPage& m_destination;
    CBackupCommand& m_backup;
    CListCtrl m_list;
};
