#include "File.h"

namespace {

LONGLONG g_nWriteLimit = -1;

} // namespace

void CFile::FailWritesAfter(LONGLONG nBytes) {
    g_nWriteLimit = nBytes;
}

bool CFile::Fail() {
    m_dwError = GetLastError();
    if (m_dwError == 0)
        m_dwError = ERROR_GEN_FAILURE;
    return false;
}

bool CFile::Open(const char* pszFileName, UINT nOpenFlags) {
    Close();
    m_dwError = 0;
    bool bWrite = (nOpenFlags & modeWrite) != 0;
    DWORD dwAccess = bWrite ? GENERIC_WRITE : GENERIC_READ;
    DWORD dwShare = bWrite ? 0 : FILE_SHARE_READ;
    DWORD dwCreation = (nOpenFlags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_hFile.Reset(CreateFileA(pszFileName, dwAccess, dwShare, nullptr, dwCreation,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_hFile.IsValid())
        return Fail();
    m_nWritesLeft = bWrite ? g_nWriteLimit : -1;
    return true;
}

int CFile::Read(void* pBuffer, UINT nCount) {
    DWORD dwRead = 0;
    if (!ReadFile(m_hFile, pBuffer, nCount, &dwRead, nullptr)) {
        Fail();
        return -1;
    }
    return static_cast<int>(dwRead);
}

bool CFile::Write(const void* pBuffer, UINT nCount) {
    UINT nAllowed = nCount;
    if (m_nWritesLeft >= 0 && nCount > m_nWritesLeft)
        nAllowed = static_cast<UINT>(m_nWritesLeft);
    DWORD dwWritten = 0;
    if (nAllowed > 0 && !WriteFile(m_hFile, pBuffer, nAllowed, &dwWritten, nullptr))
        return Fail();
    if (m_nWritesLeft >= 0)
        m_nWritesLeft -= dwWritten;
    if (dwWritten < nCount) {
        SetLastError(ERROR_DISK_FULL);
        return Fail();
    }
    return true;
}

bool CFile::Flush() {
    return FlushFileBuffers(m_hFile) ? true : Fail();
}

bool CFile::Close() {
    if (!m_hFile.IsValid())
        return true;
    return m_hFile.Close() ? true : Fail();
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!m_hFile.IsValid() || !GetFileSizeEx(m_hFile, &size))
        return 0;
    return static_cast<ULONGLONG>(size.QuadPart);
}
