#include "BackupSource.h"

#include <cstring>

#include "PathText.h"

const char* const SUBFOLDERS_YES = "する";
const char* const SUBFOLDERS_NO = "しない";

CBackupSource::CBackupSource(const CString& strFolder) : m_strFolder(strFolder) {
    SetOption(m_szHistory, "1");
    SetOption(m_szSubfolders, SUBFOLDERS_YES);
    SetOption(m_szFilterMode, "-1");
}

void CBackupSource::SetOption(char (&szField)[OPTION_FIELD_SIZE], const char* pszValue) {
    int nEnd = 0;
    for (int i = 0; pszValue[i];) {
        int nChar = IsDoubleByteAt(pszValue + i) ? 2 : 1;
        if (i + nChar > OPTION_FIELD_SIZE - 1)
            break;
        i += nChar;
        nEnd = i;
    }
    std::memcpy(szField, pszValue, static_cast<size_t>(nEnd));
    szField[nEnd] = '\0';
}
