#include "RunLog.h"

#include <cstdio>
#include <cstring>

#include "FileFind.h"
#include "FileOps.h"
#include "Handle.h"
#include "PathText.h"

const char* const RUN_LOG_FOLDER_NAME = "mrq Log";

namespace {

const char TIME_FORMAT[] = "%Y/%m/%d %H:%M:%S";

// Line feeds as CR LF.
CString WithCrLf(const CString& str) {
    CString strOut;
    for (const char* p = str; *p; ++p) {
        if (*p == '\n')
            strOut += '\r';
        strOut += *p;
    }
    return strOut;
}

int MonthNumber(int nYear, int nMonth) {
    return nYear * 12 + nMonth - 1;
}

// The month of a log file's name "YYYY-MM.txt", or -1.
int MonthOfName(const char* pszName) {
    int nYear = 0, nMonth = 0;
    char chEnd = 0;
    if (std::sscanf(pszName, "%4d-%2d.tx%c", &nYear, &nMonth, &chEnd) != 3 || chEnd != 't' ||
        std::strlen(pszName) != 11 || nMonth < 1 || nMonth > 12)
        return -1;
    return MonthNumber(nYear, nMonth);
}

void RemoveOldMonths(const CString& strFolder, CTime now) {
    int nOldestKept = MonthNumber(now.GetYear(), now.GetMonth()) - (RUN_LOG_MONTHS - 1);
    CFileFind finder;
    bool bMore = finder.FindFile(JoinPath(strFolder, "*.txt"));
    while (bMore) {
        bMore = finder.FindNextFile();
        int nMonth = MonthOfName(finder.GetFileName());
        if (finder.IsNameExact() && !finder.IsDirectory() && nMonth >= 0 && nMonth < nOldestKept)
            DeleteFileA(JoinPath(strFolder, finder.GetFileName()));
    }
}

// Appends the text in one write; a write that does not go through whole is
// taken back, so the file never ends in half a record.
bool AppendWhole(const char* pszPath, const CString& strText) {
    CHandle hFile(CreateFileA(pszPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile.IsValid())
        return false;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(hFile, &size) || !SetFilePointerEx(hFile, size, nullptr, FILE_BEGIN))
        return false;
    DWORD dwWritten = 0;
    DWORD dwLength = static_cast<DWORD>(strText.GetLength());
    bool bWhole =
        WriteFile(hFile, static_cast<const char*>(strText), dwLength, &dwWritten, nullptr) &&
        dwWritten == dwLength && FlushFileBuffers(hFile);
    if (!bWhole && SetFilePointerEx(hFile, size, nullptr, FILE_BEGIN))
        SetEndOfFile(hFile);
    return bWhole;
}

} // namespace

CString FormatRunRecord(const CRunRecord& record) {
    CString str = "==== " + record.strTitle + "  " + record.start.Format(TIME_FORMAT) + " - " +
                  record.end.Format(TIME_FORMAT) + "\n";
    str += "データファイル : " + record.strDataFile + "\n";
    str += "バックアップ先 : " + record.strDestination + "\n";
    str += "結果 : " + Decimal(record.nStatus) + " " + record.strMessage + "\n";
    str += record.strCounts;
    str += record.strWarnings;
    if (!record.strWarnings.IsEmpty() && record.strWarnings.Right(1) != "\n")
        str += "\n";
    str += "\n";
    return WithCrLf(str);
}

CString RunLogPath(const char* pszDestination, CTime when) {
    char szName[16];
    std::snprintf(szName, sizeof szName, "%04d-%02d.txt", when.GetYear(), when.GetMonth());
    return JoinPath(JoinPath(CString(pszDestination), RUN_LOG_FOLDER_NAME), szName);
}

CString NewestRunLog(const char* pszDestination) {
    CString strFolder = JoinPath(CString(pszDestination), RUN_LOG_FOLDER_NAME);
    CString strNewest;
    int nNewest = -1;
    CFileFind finder;
    bool bMore = finder.FindFile(JoinPath(strFolder, "*.txt"));
    while (bMore) {
        bMore = finder.FindNextFile();
        int nMonth = MonthOfName(finder.GetFileName());
        if (finder.IsNameExact() && !finder.IsDirectory() && nMonth > nNewest) {
            nNewest = nMonth;
            strNewest = JoinPath(strFolder, finder.GetFileName());
        }
    }
    return strNewest;
}

bool AppendRunRecord(const CRunRecord& record) {
    CString strPath = RunLogPath(record.strDestination, record.end);
    if (strPath.GetLength() >= MAX_PATH)
        return false;
    CString strFolder = strPath.Left(FindBackslash(strPath, false));
    if (!IsExistingFolder(strFolder) && !CreateDirectoryA(strFolder, nullptr))
        return false;
    // Old months go only once this one holds its record: a log that
    // cannot take records keeps what it has.
    if (!AppendWhole(strPath, FormatRunRecord(record)))
        return false;
    RemoveOldMonths(strFolder, record.end);
    return true;
}
