#include "FileFind.h"

#include <cstring>
#include <cwchar>

#include "ExactText.h"
#include "MultiByte.h"

namespace {

// Index just past the last backslash of a pattern, stepping over
// double-byte characters; 0 when there is none.
int FolderPartLength(const char* psz) {
    int nEnd = 0;
    for (int i = 0; psz[i]; i += CharLengthAt(psz + i)) {
        if (psz[i] == '\\' || psz[i] == ':')
            nEnd = i + 1;
    }
    return nEnd;
}

// The short (8.3) names are never read, and large folders come in fewer
// round trips (both since Windows 7, the program's oldest system).
HANDLE FindFirst(const wchar_t* pszPattern, WIN32_FIND_DATAW& data) {
    return FindFirstFileExW(pszPattern, FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                            FIND_FIRST_EX_LARGE_FETCH);
}

} // namespace

bool CFileFind::FindFile(const char* pszName) {
    Close();
    if (!pszName)
        pszName = "*.*";
    m_hFind.Reset(FindFirst(SystemPathOf(pszName).c_str(), m_next));
    if (!m_hFind.IsValid())
        return false;
    m_bHaveNext = true;
    m_strRoot = CString(pszName, FolderPartLength(pszName));
    return true;
}

bool CFileFind::FindNextFile() {
    if (!m_bHaveNext)
        return false;
    m_found = m_next;
    m_bExact = ToCodePage(m_found.cFileName, m_strBuffer);
    m_bReachable = IsReachableName(m_found.cFileName);
    // The escape byte is a control character: a name that holds one is
    // never reachable, and its text is escaped like any other it lacks.
    m_strName = m_bExact && m_bReachable ? CString(m_strBuffer) : ExactNameText(m_found.cFileName);
    m_bHaveNext = ::FindNextFileW(m_hFind, &m_next) != FALSE;
    return m_bHaveNext;
}

void CFileFind::Close() {
    m_hFind.Close();
    m_bHaveNext = false;
}

bool CFileFind::IsDots() const {
    return IsDirectory() && (std::wcscmp(m_found.cFileName, L".") == 0 ||
                             std::wcscmp(m_found.cFileName, L"..") == 0);
}

bool IsLinkReparsePoint(DWORD dwAttributes, DWORD dwReparseTag) {
    if (!(dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    return dwReparseTag == 0 || IsReparseTagNameSurrogate(dwReparseTag);
}

bool CFileFind::IsFolderLink() const {
    return IsDirectory() && IsLink();
}

bool CFileFind::IsLink() const {
    // The tag is in dwReserved0 when the entry is a reparse point.
    return IsLinkReparsePoint(m_found.dwFileAttributes, m_found.dwReserved0);
}

ULONGLONG CFileFind::GetLength() const {
    return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow;
}
