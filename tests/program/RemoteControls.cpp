#include "RemoteControls.h"

#include <cstring>

#include "TopWindows.h"

CRemoteBuffer::CRemoteBuffer(HWND hWnd, SIZE_T cb) {
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    m_hProcess = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               dwProcessId);
    if (m_hProcess)
        m_pRemote = ::VirtualAllocEx(m_hProcess, nullptr, cb, MEM_COMMIT, PAGE_READWRITE);
}

CRemoteBuffer::~CRemoteBuffer() {
    if (m_pRemote)
        ::VirtualFreeEx(m_hProcess, m_pRemote, 0, MEM_RELEASE);
    if (m_hProcess)
        ::CloseHandle(m_hProcess);
}

bool CRemoteBuffer::Write(const void* pData, SIZE_T cb, SIZE_T nOffset) const {
    return m_pRemote && ::WriteProcessMemory(m_hProcess, Remote() + nOffset, pData, cb, nullptr);
}

bool CRemoteBuffer::Read(void* pData, SIZE_T cb, SIZE_T nOffset) const {
    return m_pRemote && ::ReadProcessMemory(m_hProcess, Remote() + nOffset, pData, cb, nullptr);
}

namespace {

const SIZE_T TEXT_BYTES = 1024;

} // namespace

std::string TreeItemText(HWND hTree, HTREEITEM hItem) {
    CRemoteBuffer buffer(hTree, sizeof(TVITEMA) + TEXT_BYTES);
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = buffer.Remote() + sizeof(TVITEMA);
    item.cchTextMax = TEXT_BYTES;
    char szText[TEXT_BYTES] = "";
    if (!buffer.Write(&item, sizeof item) ||
        !::SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.Remote())) ||
        !buffer.Read(szText, TEXT_BYTES, sizeof(TVITEMA)))
        return "";
    szText[TEXT_BYTES - 1] = '\0';
    return szText;
}

HTREEITEM NextTreeItem(HWND hTree, HTREEITEM hItem, UINT nCode) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hTree, TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

bool TreeItemRect(HWND hTree, HTREEITEM hItem, RECT* pRect) {
    RECT rc = {};
    std::memcpy(&rc, &hItem, sizeof hItem); // the item goes in, its rectangle comes out
    CRemoteBuffer buffer(hTree, sizeof rc);
    if (!hItem || !buffer.Write(&rc, sizeof rc) ||
        !::SendMessageA(hTree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.Remote())) ||
        !buffer.Read(&rc, sizeof rc))
        return false;
    *pRect = rc;
    return true;
}

bool ClickTreeItem(HWND hTree, HTREEITEM hItem, UINT nDown, UINT nUp) {
    RECT rc;
    if (!TreeItemRect(hTree, hItem, &rc))
        return false;
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    POINT ptScreen = pt;
    ::ClientToScreen(hTree, &ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    ::PostMessageA(hTree, nDown, nDown == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON,
                   MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hTree, nUp, 0, MAKELPARAM(pt.x, pt.y));
    return true;
}

HTREEITEM SelectTreePath(HWND hTree, const std::vector<std::string>& texts,
                         std::string* pstrMissing) {
    HTREEITEM hItem = nullptr;
    for (size_t i = 0; i < texts.size(); i++) {
        HTREEITEM hChild = NextTreeItem(hTree, hItem, hItem ? TVGN_CHILD : TVGN_ROOT);
        while (hChild && TreeItemText(hTree, hChild) != texts[i])
            hChild = NextTreeItem(hTree, hChild, TVGN_NEXT);
        if (!hChild) {
            if (pstrMissing)
                *pstrMissing = texts[i];
            return nullptr;
        }
        hItem = hChild;
        if (i + 1 < texts.size())
            ::SendMessageA(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hItem));
    }
    if (pstrMissing)
        pstrMissing->clear();
    if (!hItem)
        return nullptr;
    ::SendMessageA(hTree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem));
    // Clicked, the tree takes the focus and shows the selection as a user
    // sees it.
    if (!ClickTreeItem(hTree, hItem, WM_LBUTTONDOWN, WM_LBUTTONUP) ||
        !WaitUntil([&] { return NextTreeItem(hTree, nullptr, TVGN_CARET) == hItem; }))
        return nullptr;
    return hItem;
}

std::string ListItemText(HWND hList, int nRow, int nColumn) {
    CRemoteBuffer buffer(hList, sizeof(LVITEMA) + TEXT_BYTES);
    LVITEMA item = {};
    item.iSubItem = nColumn;
    item.pszText = buffer.Remote() + sizeof(LVITEMA);
    item.cchTextMax = TEXT_BYTES;
    char szText[TEXT_BYTES] = "";
    if (!buffer.Write(&item, sizeof item))
        return "";
    LRESULT nLength =
        ::SendMessageA(hList, LVM_GETITEMTEXTA, nRow, reinterpret_cast<LPARAM>(buffer.Remote()));
    if (nLength < 0 || !buffer.Read(szText, TEXT_BYTES, sizeof(LVITEMA)))
        return "";
    szText[TEXT_BYTES - 1] = '\0';
    return szText;
}

int ListItemCount(HWND hList) {
    return static_cast<int>(::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
}
