// The item data of the folder trees: what an item stands for (a drive, a
// folder, a file, a network resource) and its path. A tree's nodes live in
// one list that owns them until the tree is cleared.
#pragma once

#include "Object.h"
#include "PtrList.h"
#include "String.h"

class CIconEntry;

enum TreeNodeType {
    NODE_ROOT = 0,        // "マイ コンピュータ" and "同期フォルダ"
    NODE_DRIVE = 1,       // a drive root
    NODE_FOLDER = 2,      // a folder, also a mirror folder
    NODE_FILE = 3,        // a file (synchronised-folder tree only)
    NODE_NETWORK = 4,     // "ネットワークコンピュータ"
    NODE_NETRESOURCE = 5, // a network domain, server, share or provider
};

class CTreeNode : public CObject {
public:
    CTreeNode(int nType, const char* pszPath) : m_strPath(pszPath), m_nType(nType) {}

    // Full path: a drive root, folder, file or \\server\share; empty for
    // the roots, the network root, domains, servers and providers.
    CString m_strPath;
    int m_nType;
    // Files of the synchronised-folder tree: their shell icon once fetched.
    // Not owned; the view's icon cache owns the entries.
    CIconEntry* m_pIcon = nullptr;
    // Folders: whether the tree shows an expand button, looked up the
    // first time the tree draws the item; -1 until then.
    int m_nHasChildren = -1;
};

// Owns its nodes: RemoveAll and the destructor destroy them.
class CTreeNodeList : public CTypedList<CTreeNode*> {
public:
    CTreeNodeList() : CTypedList<CTreeNode*>(10) {}
    ~CTreeNodeList() { DeleteAll(); }

    void DeleteAll();
};

// A new node (icon null) appended to the list.
CTreeNode* NewTreeNode(CTreeNodeList& list, int nType, const char* pszPath);
