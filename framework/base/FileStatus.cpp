#include "File.h"

#include <cstring>

#include "MultiByte.h"

namespace {

// The file search never found an entry for a path ending in its separator;
// the look-up by name keeps that.
bool EndsInSeparator(const char* psz) {
    int nLast = -1;
    for (int i = 0; psz[i]; i += CharLengthAt(psz + i))
        nLast = i;
    return nLast >= 0 && psz[nLast] == '\\';
}

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
    // Looked up as a name: "?" or "*" would make the path a search pattern
    // that matches other entries.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (std::strpbrk(pszFileName, "?*") || EndsInSeparator(pszFileName) ||
        !GetFileAttributesExA(pszFileName, GetFileExInfoStandard, &data))
        return false;

    rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes);
    rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rStatus.m_ctime = FromFileTime(data.ftCreationTime);
    rStatus.m_atime = FromFileTime(data.ftLastAccessTime);
    rStatus.m_mtime = FromFileTime(data.ftLastWriteTime);
    return true;
}
