#include "FileOps.h"

#include <cstring>

#include "File.h"
#include "FileFind.h"
#include "Handle.h"
#include "PathText.h"
#include "SizeText.h"

namespace {

// Opens a file for reading; nShare 0 fails while another program holds it.
CHandle OpenForReading(const char* pszPath, DWORD dwShare) {
    return CHandle(CreateFileA(pszPath, GENERIC_READ, dwShare, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
}

// What the comparison and the copy need of a file, read through one open
// handle. FileBasicInfo is far cheaper than the full file information under
// wine, which looks up the volume for the latter.
struct CFileFacts {
    FILE_BASIC_INFO basic;
    ULONGLONG nSize;
};

bool ReadFileFacts(const char* pszPath, DWORD dwShare, CFileFacts& facts) {
    CHandle hFile = OpenForReading(pszPath, dwShare);
    if (!hFile.IsValid())
        return false;
    LARGE_INTEGER size;
    bool bOk =
        GetFileInformationByHandleEx(hFile, FileBasicInfo, &facts.basic, sizeof facts.basic) &&
        GetFileSizeEx(hFile, &size);
    // The handle closes on return and leaves the last error as it is.
    facts.nSize = bOk ? static_cast<ULONGLONG>(size.QuadPart) : 0;
    return bOk;
}

FILETIME ToFileTime(const LARGE_INTEGER& time) {
    FILETIME ft;
    ft.dwLowDateTime = time.LowPart;
    ft.dwHighDateTime = static_cast<DWORD>(time.HighPart);
    return ft;
}

// Gives the copy the source's times and attributes: one call on one handle
// where it works, else the attributes cleared, the times set, the
// attributes set.
void ApplyTimesAndAttributes(const char* pszTarget, const FILE_BASIC_INFO& source) {
    FILE_BASIC_INFO wanted = source;
    wanted.ChangeTime.QuadPart = 0; // 0 leaves it to the file system
    CHandle hFile(CreateFileA(pszTarget, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (hFile.IsValid()) {
        bool bOk =
            SetFileInformationByHandle(hFile, FileBasicInfo, &wanted, sizeof wanted) != FALSE;
        hFile.Close();
        if (bOk)
            return;
    }
    FILETIME ftCreated = ToFileTime(source.CreationTime);
    FILETIME ftAccessed = ToFileTime(source.LastAccessTime);
    FILETIME ftWritten = ToFileTime(source.LastWriteTime);
    SetFileAttributesA(pszTarget, FILE_ATTRIBUTE_NORMAL);
    hFile.Reset(CreateFileA(pszTarget, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (hFile.IsValid()) {
        SetFileTime(hFile, &ftCreated, &ftAccessed, &ftWritten);
        hFile.Close();
    }
    SetFileAttributesA(pszTarget, source.FileAttributes);
}

bool FindAnyEntry(const char* pszFolder, bool bFoldersOnly) {
    char szPattern[MAX_PATH];
    if (!JoinPath(szPattern, pszFolder, "*.*"))
        return false;
    CFileFind finder;
    bool bMore = finder.FindFile(szPattern);
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        if (!bFoldersOnly || finder.IsDirectory())
            return true;
    }
    return false;
}

} // namespace

int GetPathKind(const char* pszPath) {
    CFileFind finder;
    if (finder.FindFile(pszPath)) {
        finder.FindNextFile();
        return finder.IsDirectory() ? PATH_FOLDER : PATH_FILE;
    }
    if (std::strlen(pszPath) == 3)
        return static_cast<int>(GetDriveTypeA(pszPath));
    return PATH_MISSING;
}

bool HasEntries(const char* pszFolder) {
    return FindAnyEntry(pszFolder, false);
}
bool HasSubfolders(const char* pszFolder) {
    return FindAnyEntry(pszFolder, true);
}

// The folder tests look at the attributes instead of making each folder the
// current directory: that is far cheaper per folder, and it leaves the
// process's current directory alone (a current directory cannot be removed).
bool IsExistingFolder(const char* pszPath) {
    DWORD dwAttributes = GetFileAttributesA(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolderLinkAt(const char* pszPath) {
    const DWORD dwLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    DWORD dwAttributes = GetFileAttributesA(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & dwLink) == dwLink;
}

bool MakeFolderChain(const char* pszPath, bool bIncludeLast) {
    size_t nLength = std::strlen(pszPath);
    if (nLength >= MAX_PATH)
        return false;
    int nStart;
    if (nLength >= 2 && pszPath[1] == ':') {
        nStart = 2;
    } else if (pszPath[0] == '\\' && pszPath[1] == '\\') {
        int nServerEnd = FindBackslash(pszPath + 2, true);
        if (nServerEnd < 0)
            return true;
        nStart = 2 + nServerEnd;
    } else {
        return false;
    }
    // pszPath[nStart] is the separator after the root; each later backslash
    // (and the end, with bIncludeLast) closes one folder to make.
    char szFolder[MAX_PATH];
    bool bAfterBackslash = true; // the last character seen was a separator
    for (int i = nStart + 1; i <= static_cast<int>(nLength);) {
        bool bEnd = pszPath[i] == '\0';
        if ((bEnd && bIncludeLast && !bAfterBackslash) || (!bEnd && pszPath[i] == '\\')) {
            std::memcpy(szFolder, pszPath, static_cast<size_t>(i));
            szFolder[i] = '\0';
            if (!IsExistingFolder(szFolder) && !CreateDirectoryA(szFolder, nullptr))
                return false;
        }
        if (bEnd)
            break;
        bAfterBackslash = pszPath[i] == '\\';
        i += CharLengthAt(pszPath + i);
    }
    return true;
}

bool HasLeftTheSource(const char* pszPath, const char* pszFolder) {
    if (GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES)
        return false;
    DWORD dwError = GetLastError();
    if (dwError != ERROR_FILE_NOT_FOUND && dwError != ERROR_PATH_NOT_FOUND)
        return false;
    // Asked after the miss: a drive gone before it is gone for this too.
    return IsExistingFolder(pszFolder);
}

// File systems round creation times differently: a mirror copy whose
// creation time is one second off, within the same minute, still matches.
bool CreationTimesMatch(CTime source, CTime mirror) {
    int nSourceSecond = source.GetSecond(), nMirrorSecond = mirror.GetSecond();
    if (nSourceSecond == nMirrorSecond + 1)
        mirror = mirror + CTimeSpan(1);
    else if (nSourceSecond == nMirrorSecond - 1)
        mirror = mirror - CTimeSpan(1);
    return source == mirror;
}

int CompareFiles(const char* pszSource, const char* pszMirror, ULONGLONG* pnSourceSize) {
    CFileFacts source, mirror;
    if (pnSourceSize)
        *pnSourceSize = 0;
    if (!ReadFileFacts(pszSource, 0, source))
        return COMPARE_SOURCE_UNREADABLE;
    if (pnSourceSize)
        *pnSourceSize = source.nSize;
    if (!ReadFileFacts(pszMirror, 0, mirror))
        return COMPARE_NEW;

    CTime sourceCreated(ToFileTime(source.basic.CreationTime));
    CTime mirrorCreated(ToFileTime(mirror.basic.CreationTime));
    CTime sourceWritten(ToFileTime(source.basic.LastWriteTime));
    CTime mirrorWritten(ToFileTime(mirror.basic.LastWriteTime));
    if (!CreationTimesMatch(sourceCreated, mirrorCreated) || sourceWritten != mirrorWritten)
        return COMPARE_CHANGED;
    if (source.basic.FileAttributes != mirror.basic.FileAttributes)
        return COMPARE_CHANGED;
    if (source.nSize != mirror.nSize)
        return COMPARE_CHANGED;
    return COMPARE_EQUAL;
}

bool CopyToNewFile(const char* pszSource, const char* pszNew) {
    CFileFacts source;
    if (!ReadFileFacts(pszSource, FILE_SHARE_READ, source))
        return false;
    if (!CopyFileA(pszSource, pszNew, TRUE)) {
        // Never leave a partly written copy behind.
        DWORD dwError = GetLastError();
        if (dwError != ERROR_FILE_EXISTS) {
            SetFileAttributesA(pszNew, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(pszNew);
        }
        SetLastError(dwError);
        return false;
    }
    ApplyTimesAndAttributes(pszNew, source.basic);
    return true;
}

bool CopyFileWithTimes(const char* pszSource, const char* pszTarget) {
    CStagedCopy copy;
    if (copy.Stage(pszSource, pszTarget))
        return copy.Commit();
    if (GetLastError() != ERROR_SUCCESS)
        return false;
    // No staging name fits beside the target: the old way, in place.
    DWORD dwOldTarget = GetFileAttributesA(pszTarget);
    if (dwOldTarget != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesA(pszTarget, FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(pszTarget)) {
            DWORD dwError = GetLastError();
            SetFileAttributesA(pszTarget, dwOldTarget);
            SetLastError(dwError);
            return false;
        }
    }
    return CopyToNewFile(pszSource, pszTarget);
}

bool CanOpenExclusively(const char* pszPath) {
    return OpenForReading(pszPath, 0).IsValid();
}

ULONGLONG AddFileSize(ULONGLONG nSum, const char* pszPath) {
    CHandle hFile = OpenForReading(pszPath, 0);
    if (!hFile.IsValid())
        return nSum;
    DWORD dwHigh = 0;
    DWORD dwLow = GetFileSize(hFile, &dwHigh);
    return nSum + ((static_cast<ULONGLONG>(dwHigh) << 32) | dwLow);
}

CString FormatFileSize(const char* pszPath) {
    CHandle hFile = OpenForReading(pszPath, 0);
    if (!hFile.IsValid())
        return CString();
    DWORD dwHigh = 0;
    DWORD dwLow = GetFileSize(hFile, &dwHigh);
    return FormatSize((static_cast<ULONGLONG>(dwHigh) << 32) | dwLow);
}

CString FormatCreationTime(const char* pszPath) {
    CFileStatus status;
    if (!CFile::GetStatus(pszPath, status))
        return CString();
    return status.m_ctime.Format("%Y/%m/%d %H:%M:%S");
}

CString FormatWriteTime(const char* pszPath) {
    CFileStatus status;
    if (!CFile::GetStatus(pszPath, status))
        return CString();
    return status.m_mtime.Format("%Y/%m/%d %H:%M:%S");
}
