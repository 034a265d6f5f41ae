// Reading and working the tree and list controls of another process. Their
// item requests (TVM_GETITEM, TVM_GETITEMRECT, LVM_GETITEMTEXT) carry
// pointers, which the control reads and writes in its own memory: each
// request is written there, and the answer read back.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class CRemoteBuffer {
public:
    // cb bytes in the memory of the process that owns hWnd.
    CRemoteBuffer(HWND hWnd, SIZE_T cb);
    ~CRemoteBuffer();
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;

    char* Remote() const { return static_cast<char*>(m_pRemote); }
    bool Write(const void* pData, SIZE_T cb, SIZE_T nOffset = 0) const;
    bool Read(void* pData, SIZE_T cb, SIZE_T nOffset = 0) const;

private:
    HANDLE m_hProcess = nullptr;
    void* m_pRemote = nullptr;
};

std::string TreeItemText(HWND hTree, HTREEITEM hItem);
HTREEITEM NextTreeItem(HWND hTree, HTREEITEM hItem, UINT nCode);
// The item's text rectangle in the tree's client area.
bool TreeItemRect(HWND hTree, HTREEITEM hItem, RECT* pRect);
// A click of the mouse button (nDown, nUp: WM_LBUTTONDOWN/UP or
// WM_RBUTTONDOWN/UP) at the item's middle, with the cursor there too.
bool ClickTreeItem(HWND hTree, HTREEITEM hItem, UINT nDown, UINT nUp);
// Opens the items along the texts from a root item (each opening fills the
// next level), brings the last into sight and clicks it, as a user selects
// it; waits until it is the selection. pszMissing gets the first text with
// no item (or "" when the click did not select). Null on failure.
HTREEITEM SelectTreePath(HWND hTree, const std::vector<std::string>& texts,
                         std::string* pstrMissing = nullptr);

// The text of a list view's cell.
std::string ListItemText(HWND hList, int nRow, int nColumn);
int ListItemCount(HWND hList);
