// The folder tree of the source and destination pages: the local drives
// under "マイ コンピュータ", and with the extended functions the network
// under "ネットワークコンピュータ", read down to the shares at its first
// opening.
#pragma once

#include "BrowseTree.h"

#include <winnetwk.h>

class CFolderTree : public CBrowseTree {
public:
    // Fills the empty tree: the drives, opened, and the network root when
    // the extended functions are on and the network can be listed.
    void Build(HIMAGELIST hImages, bool bExtended);

    // The drives of the system, in its order: removable and fixed drives
    // always, remote and CD-ROM drives only with the extended functions.
    void AddDrives(HTREEITEM hParent, bool bExtended);
    // A child per subfolder, hidden and system folders too.
    void AddSubfolders(HTREEITEM hParent, const CString& strFolder);
    // The network below pContainer (null: from the top), every container
    // read at once. NO_ERROR, or the error that ended the listing.
    DWORD AddNetworkResources(HTREEITEM hParent, NETRESOURCEA* pContainer);

protected:
    bool HasChildFolders(const CTreeNode& node) const override;

private:
    DWORD AddNetworkLevel(HTREEITEM hParent, NETRESOURCEA* pContainer, int nDepth);
    // The item of one listed resource; null for a kind that is not shown.
    HTREEITEM InsertNetResource(HTREEITEM hParent, const NETRESOURCEA& resource);
};

// True when the network can be listed from the top.
bool IsNetworkAvailable();
