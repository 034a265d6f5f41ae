#include "SourceFile.h"

#include "PathCalls.h"

namespace {

FILETIME ToFileTime(const LARGE_INTEGER& time) {
    FILETIME ft;
    ft.dwLowDateTime = time.LowPart;
    ft.dwHighDateTime = static_cast<DWORD>(time.HighPart);
    return ft;
}

} // namespace

// FileBasicInfo is far cheaper than the full file information under wine,
// which looks up the volume for the latter.
bool CSourceFile::Open(const char* pszPath, DWORD dwShare) {
    m_hFile.Reset(OpenFileAt(pszPath, GENERIC_READ, dwShare, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN));
    if (!m_hFile.IsValid())
        return false;
    LARGE_INTEGER size;
    if (GetFileInformationByHandleEx(m_hFile, FileBasicInfo, &m_basic, sizeof m_basic) &&
        GetFileSizeEx(m_hFile, &size)) {
        m_nSize = static_cast<ULONGLONG>(size.QuadPart);
        return true;
    }
    m_hFile.Reset(); // keeps the last error
    return false;
}

CFileFacts CSourceFile::Facts() const {
    CFileFacts facts;
    facts.ftCreation = ToFileTime(m_basic.CreationTime);
    facts.ftLastWrite = ToFileTime(m_basic.LastWriteTime);
    facts.nSize = m_nSize;
    facts.dwAttributes = m_basic.FileAttributes;
    return facts;
}
