#include "DropHandle.h"

UINT CDropHandle::GetCount() const {
    return m_hDrop ? ::DragQueryFileA(m_hDrop, 0xFFFFFFFF, nullptr, 0) : 0;
}

UINT CDropHandle::GetPathLength(UINT nIndex) const {
    return m_hDrop ? ::DragQueryFileA(m_hDrop, nIndex, nullptr, 0) : 0;
}

UINT CDropHandle::GetPath(UINT nIndex, char* pszBuffer, UINT nBuffer) const {
    if (nBuffer > 0)
        pszBuffer[0] = '\0';
    return m_hDrop ? ::DragQueryFileA(m_hDrop, nIndex, pszBuffer, nBuffer) : 0;
}

void CDropHandle::Release() {
    if (m_hDrop)
        ::DragFinish(m_hDrop);
    m_hDrop = nullptr;
}
