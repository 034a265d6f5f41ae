#include "BackupSource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const SUBFOLDERS_YES = "する";
const char* const SUBFOLDERS_NO = "しない";

namespace {

// The number a reader's decimal conversion takes from the text, held at
// the limits of long long instead of overflowing.
long long ReadNumber(const char* pszValue) {
    return std::strtoll(pszValue, nullptr, 10);
}

// The number's plain decimal text when it fits in a fixed field, else
// pszTooLong.
void StoreNumber(char (&szField)[OPTION_FIELD_SIZE], long long nValue, const char* pszTooLong) {
    char sz[32];
    std::snprintf(sz, sizeof sz, "%lld", nValue);
    if (!CBackupSource::SetOption(szField, sz))
        CBackupSource::SetOption(szField, pszTooLong);
}

} // namespace

CBackupSource::CBackupSource(const CString& strFolder) : m_strFolder(strFolder) {
    SetOption(m_szHistory, "1");
    SetOption(m_szSubfolders, SUBFOLDERS_YES);
    SetOption(m_szFilterMode, "-1");
}

bool CBackupSource::SetOption(char (&szField)[OPTION_FIELD_SIZE], const char* pszValue) {
    size_t nLength = std::strlen(pszValue);
    if (nLength >= OPTION_FIELD_SIZE)
        return false;
    std::memcpy(szField, pszValue, nLength + 1);
    return true;
}

bool CBackupSource::SetHistory(const char* pszValue) {
    if (SetOption(m_szHistory, pszValue))
        return true;
    long long nValue = ReadNumber(pszValue);
    StoreNumber(m_szHistory, nValue, nValue < 0 ? "0" : "99");
    return false;
}

bool CBackupSource::SetSubfolders(const char* pszValue) {
    if (SetOption(m_szSubfolders, pszValue))
        return true;
    SetOption(m_szSubfolders, SUBFOLDERS_NO);
    return false;
}

bool CBackupSource::SetFilterMode(const char* pszValue) {
    if (SetOption(m_szFilterMode, pszValue))
        return true;
    StoreNumber(m_szFilterMode, ReadNumber(pszValue), "-1");
    return false;
}
