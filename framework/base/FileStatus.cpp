#include "File.h"

namespace {

CTime FromFileTime(const FILETIME& ft) {
    if (ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0)
        return CTime(0);
    return CTime(ft);
}

} // namespace

bool CFile::GetStatus(const char* pszFileName, CFileStatus& rStatus) {
    rStatus = CFileStatus();
    if (!pszFileName || !*pszFileName)
        return false;
    DWORD n = GetFullPathNameA(pszFileName, MAX_PATH, rStatus.m_szFullName, nullptr);
    if (n == 0 || n >= MAX_PATH) {
        rStatus.m_szFullName[0] = '\0';
        return false;
    }
    WIN32_FIND_DATAA data;
    // Only the first entry is wanted: the search ends with this statement.
    if (!CFindHandle(FindFirstFileA(pszFileName, &data)).IsValid())
        return false;

    rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes);
    rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rStatus.m_ctime = FromFileTime(data.ftCreationTime);
    rStatus.m_atime = FromFileTime(data.ftLastAccessTime);
    rStatus.m_mtime = FromFileTime(data.ftLastWriteTime);
    return true;
}
