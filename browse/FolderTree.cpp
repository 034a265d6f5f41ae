#include "FolderTree.h"

#include <memory>

#include "FileOps.h"
#include "NetworkCalls.h"
#include "PathText.h"

namespace {

// GetLogicalDriveStringsA's buffer: 26 roots of 4 bytes and the final NUL.
const int DRIVE_BUFFER = 1024;
const DWORD NET_BUFFER_SIZE = 16384;
// Domains, servers and shares lie a few levels deep; a provider that lists
// containers without end must not take the program down with it.
const int MAX_NET_DEPTH = 16;

struct CDriveImages {
    int nImage;
    int nSelected;
};

// The pictures of a drive type; false for a drive that is not shown.
bool GetDriveImages(UINT nDriveType, bool bExtended, CDriveImages* pImages) {
    switch (nDriveType) {
    case DRIVE_REMOVABLE:
        *pImages = {IMAGE_REMOVABLE, IMAGE_REMOVABLE_SELECTED};
        return true;
    case DRIVE_FIXED:
        *pImages = {IMAGE_FIXED, IMAGE_FIXED_SELECTED};
        return true;
    case DRIVE_REMOTE:
        *pImages = {IMAGE_REMOTE, IMAGE_REMOTE_SELECTED};
        return bExtended;
    case DRIVE_CDROM:
        *pImages = {IMAGE_CDROM, IMAGE_CDROM_SELECTED};
        return bExtended;
    default:
        return false;
    }
}

const char* TextOrEmpty(const char* psz) {
    return psz ? psz : "";
}

} // namespace

bool IsNetworkAvailable() {
    CNetEnum netEnum;
    return netEnum.Open(nullptr) == NO_ERROR;
}

void CFolderTree::Build(HIMAGELIST hImages, bool bExtended) {
    SetImageList(hImages);
    HTREEITEM hRoot = InsertTreeItem(nullptr, NewNode(NODE_ROOT, ""), "マイ コンピュータ",
                                     CHILDREN_AUTO, IMAGE_COMPUTER, IMAGE_COMPUTER);
    AddDrives(hRoot, bExtended);
    Expand(hRoot, TVE_EXPAND);
    if (bExtended && IsNetworkAvailable())
        InsertTreeItem(nullptr, NewNode(NODE_NETWORK, ""), "ネットワークコンピュータ",
                       CHILDREN_SOME, IMAGE_NETWORK, IMAGE_NETWORK);
}

void CFolderTree::AddDrives(HTREEITEM hParent, bool bExtended) {
    char szRoots[DRIVE_BUFFER] = "";
    DWORD nLength = ::GetLogicalDriveStringsA(sizeof szRoots, szRoots);
    if (nLength == 0 || nLength >= sizeof szRoots)
        return;
    for (const char* pszRoot = szRoots; *pszRoot; pszRoot += lstrlenA(pszRoot) + 1) {
        CDriveImages images;
        if (!GetDriveImages(::GetDriveTypeA(pszRoot), bExtended, &images))
            continue;
        CString strRoot = pszRoot;
        strRoot.MakeUpper();
        InsertTreeItem(hParent, NewNode(NODE_DRIVE, strRoot), strRoot, CHILDREN_SOME, images.nImage,
                       images.nSelected);
    }
}

void CFolderTree::AddSubfolders(HTREEITEM hParent, const CString& strFolder) {
    ReadFolder(strFolder);
    InsertSorted(*m_pFolderSorter, hParent, strFolder, NODE_FOLDER, CHILDREN_ASK, IMAGE_ASK);
}

bool CFolderTree::HasChildFolders(const CTreeNode& node) const {
    return HasSubfolders(node.m_strPath);
}

DWORD CFolderTree::AddNetworkResources(HTREEITEM hParent, NETRESOURCEA* pContainer) {
    return AddNetworkLevel(hParent, pContainer, 0);
}

DWORD CFolderTree::AddNetworkLevel(HTREEITEM hParent, NETRESOURCEA* pContainer, int nDepth) {
    if (nDepth >= MAX_NET_DEPTH)
        return NO_ERROR;
    CNetEnum netEnum;
    DWORD dwResult = netEnum.Open(pContainer);
    if (dwResult != NO_ERROR)
        return dwResult;
    // NETRESOURCEA records first, their strings after them.
    auto pBuffer = std::make_unique<NETRESOURCEA[]>(NET_BUFFER_SIZE / sizeof(NETRESOURCEA) + 1);
    for (;;) {
        DWORD nCount = static_cast<DWORD>(-1);
        DWORD cbBuffer = NET_BUFFER_SIZE;
        dwResult = netEnum.Next(&nCount, pBuffer.get(), &cbBuffer);
        // A provider that answers success with no entries would be asked
        // again for ever: that answer ends the level as "no more" would.
        if (dwResult == NO_ERROR && nCount == 0)
            dwResult = ERROR_NO_MORE_ITEMS;
        if (dwResult != NO_ERROR)
            break;
        for (DWORD i = 0; i < nCount; i++) {
            NETRESOURCEA& resource = pBuffer[i];
            HTREEITEM hItem = InsertNetResource(hParent, resource);
            if (!(resource.dwUsage & RESOURCEUSAGE_CONTAINER))
                continue;
            // The contents of a kind that is not shown go where it would
            // have been: under this level's parent.
            if (AddNetworkLevel(hItem ? hItem : hParent, &resource, nDepth + 1) != NO_ERROR)
                break;
        }
    }
    DWORD dwClose = netEnum.Close();
    return dwResult == ERROR_NO_MORE_ITEMS ? dwClose : dwResult;
}

HTREEITEM CFolderTree::InsertNetResource(HTREEITEM hParent, const NETRESOURCEA& resource) {
    const char* pszRemote = TextOrEmpty(resource.lpRemoteName);
    switch (resource.dwDisplayType) {
    case RESOURCEDISPLAYTYPE_DOMAIN:
        return InsertTreeItem(hParent, NewNode(NODE_NETRESOURCE, ""), pszRemote, CHILDREN_AUTO,
                              IMAGE_COMPUTER, IMAGE_COMPUTER);
    case RESOURCEDISPLAYTYPE_SERVER: {
        // \\server shows as server.
        const char* pszServer = pszRemote[0] && pszRemote[1] ? pszRemote + 2 : pszRemote;
        return InsertTreeItem(hParent, NewNode(NODE_NETRESOURCE, ""), pszServer, CHILDREN_AUTO,
                              IMAGE_COMPUTER, IMAGE_COMPUTER);
    }
    case RESOURCEDISPLAYTYPE_SHARE:
        return InsertTreeItem(hParent, NewNode(NODE_NETRESOURCE, pszRemote),
                              GetLastComponent(CString(pszRemote)), CHILDREN_SOME, IMAGE_ASK,
                              IMAGE_ASK);
    case RESOURCEDISPLAYTYPE_NETWORK:
        return InsertTreeItem(hParent, NewNode(NODE_NETRESOURCE, ""),
                              TextOrEmpty(resource.lpProvider), CHILDREN_AUTO, IMAGE_PROVIDER,
                              IMAGE_PROVIDER);
    default:
        return nullptr;
    }
}
