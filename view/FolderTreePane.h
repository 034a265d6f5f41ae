// The folder tree of the source and destination pages: the drives and,
// with the extended functions, the network, each folder read the first
// time it is opened, and a share connected before it is read. The tree
// answers from its own map, on whatever page.
#pragma once

#include "CmdTarget.h"
#include "FolderTree.h"
#include "ListBox.h"

class CPageHost;

class CFolderTreePane : public CCmdTarget {
public:
    explicit CFolderTreePane(CPageHost& host) : m_host(host) {}

    void Attach(const CWnd& form);
    // Fills the empty tree; the network only when bExtended.
    void Build(bool bExtended);
    void Clear() { m_tree.Clear(); }
    CFolderTree& GetTree() { return m_tree; }
    // The hidden sorted list through which both trees put folder names in
    // the order the user knows.
    CListBox& GetFolderSorter() { return m_folderSorter; }

protected:
    const CMessageMap* GetMessageMap() const override;

private:
    void OnExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);

    CPageHost& m_host;
    CFolderTree m_tree;
    CListBox m_folderSorter;
    // The tree lists the network only with the extended functions.
    bool m_bExtended = false;
};
