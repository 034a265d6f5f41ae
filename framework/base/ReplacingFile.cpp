#include "ReplacingFile.h"

bool CReplacingFile::Fail(DWORD dwError) {
    m_dwError = dwError != 0 ? dwError : ERROR_GEN_FAILURE;
    Abandon();
    return false;
}

bool CReplacingFile::Open(const char* pszTarget) {
    Abandon();
    m_dwError = 0;
    char szFull[MAX_PATH];
    char* pszName = nullptr;
    DWORD n = GetFullPathNameA(pszTarget, MAX_PATH, szFull, &pszName);
    if (n == 0)
        return Fail(GetLastError());
    if (n >= MAX_PATH)
        return Fail(ERROR_FILENAME_EXCED_RANGE);
    if (!pszName || !*pszName)
        return Fail(ERROR_INVALID_NAME);
    m_strTarget = szFull;

    // Windows will not replace a read-only file, but wine run by root
    // would: refuse it here so the rule holds everywhere.
    m_dwTargetAttributes = GetFileAttributesA(szFull);
    if (m_dwTargetAttributes != INVALID_FILE_ATTRIBUTES &&
        (m_dwTargetAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return Fail(ERROR_ACCESS_DENIED);

    // The temporary file lives in the target's folder, so the final move is
    // a rename on one volume and cannot fail for lack of space.
    CString strFolder(szFull, static_cast<int>(pszName - szFull));
    char szTemp[MAX_PATH];
    if (GetTempFileNameA(strFolder, "mrq", 0, szTemp) == 0)
        return Fail(GetLastError());
    m_strTemp = szTemp;
    if (!m_file.Open(m_strTemp, CFile::modeCreate | CFile::modeWrite))
        return Fail(m_file.GetError());
    return true;
}

bool CReplacingFile::Commit() {
    if (!m_file.IsOpen())
        return Fail(m_dwError);
    if (!m_file.Flush() || !m_file.Close())
        return Fail(m_file.GetError());
    // A hidden or system data file stays so.
    if (m_dwTargetAttributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(m_strTemp, m_dwTargetAttributes);
    if (!MoveFileExA(m_strTemp, m_strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail(GetLastError());
    m_strTemp.Empty();
    return true;
}

void CReplacingFile::Abandon() {
    m_file.Close();
    if (!m_strTemp.IsEmpty()) {
        SetFileAttributesA(m_strTemp, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(m_strTemp);
        m_strTemp.Empty();
    }
}
