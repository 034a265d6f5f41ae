// The synchronised-folder tree of the restore page: the mirror folders of
// the backup set under "同期フォルダ", with their subfolders and files.
#pragma once

#include "BrowseTree.h"

class CStringList;

class CSyncTree : public CBrowseTree {
public:
    // The hidden sorted list box through which file names pass.
    void SetFileSorter(CListBox* pSorter) { m_pFileSorter = pSorter; }

    // Fills the empty tree: the root, not opened, and a child per mirror
    // folder in sorted order, named as the folder is stored ("" when it
    // does not exist).
    void Build(HIMAGELIST hImages, const CStringList& mirrors);
    // All subfolders, then all files, each group in sorted order. A file
    // shows its shell icon, which the tree asks the view for.
    void AddFolderEntries(HTREEITEM hParent, const CString& strFolder);

protected:
    bool HasChildFolders(const CTreeNode& node) const override;
    // Every entry a path can reach: the mirror holds names beyond the code
    // page and paths past 259 bytes, and each can be picked and restored.
    bool ShowsEntry(const CFileFind& finder, const CString& strFolderSlash) const override;

private:
    CListBox* m_pFileSorter = nullptr;
};
