#include "DropHandle.h"

#include <string>

#include "MultiByte.h"

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

bool CDropHandle::GetExactPath(UINT nIndex, CString& strPath) const {
    strPath.Empty();
    UINT nLength = m_hDrop ? ::DragQueryFileW(m_hDrop, nIndex, nullptr, 0) : 0;
    if (!nLength)
        return true;
    std::wstring wide(nLength + 1, L'\0');
    ::DragQueryFileW(m_hDrop, nIndex, &wide[0], nLength + 1);
    std::string text;
    bool bExact = ToCodePage(wide.c_str(), text);
    strPath = CString(text);
    return bExact;
}

void CDropHandle::Release() {
    if (m_hDrop)
        ::DragFinish(m_hDrop);
    m_hDrop = nullptr;
}
