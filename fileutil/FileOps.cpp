#include "FileOps.h"

#include <cstring>
#include <memory>
#include <new>

#include "File.h"
#include "FileFind.h"
#include "Handle.h"
#include "PathCalls.h"
#include "PathText.h"
#include "SizeText.h"
#include "SourceFile.h"

namespace {

// Opens a file for reading; nShare 0 fails while another program holds it.
CHandle OpenForReading(const char* pszPath, DWORD dwShare) {
    return CHandle(
        OpenFileAt(pszPath, GENERIC_READ, dwShare, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
}

FILETIME ToFileTime(const LARGE_INTEGER& time) {
    FILETIME ft;
    ft.dwLowDateTime = time.LowPart;
    ft.dwHighDateTime = static_cast<DWORD>(time.HighPart);
    return ft;
}

// Small files get a buffer of their own size, large ones read in blocks.
DWORD BufferSizeFor(ULONGLONG nFileSize) {
    const DWORD MIN_BUFFER = 4096;
    if (nFileSize < MIN_BUFFER)
        return MIN_BUFFER;
    return nFileSize < COPY_BLOCK_SIZE ? static_cast<DWORD>(nFileSize) : COPY_BLOCK_SIZE;
}

bool WriteAll(HANDLE hFile, const char* p, DWORD nBytes) {
    while (nBytes) {
        DWORD dwWritten = 0;
        if (!WriteFile(hFile, p, nBytes, &dwWritten, nullptr))
            return false;
        if (!dwWritten) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        p += dwWritten;
        nBytes -= dwWritten;
    }
    return true;
}

// Reads the source from where its handle stands (the start, once opened)
// to its end into the new file, telling pProgress of every block.
bool CopyBlocks(CSourceFile& source, HANDLE hNew, CCopyProgress* pProgress) {
    DWORD nBuffer = BufferSizeFor(source.GetSize());
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[nBuffer]);
    if (!buffer) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    for (;;) {
        DWORD dwRead = 0;
        if (!ReadFile(source.Handle(), buffer.get(), nBuffer, &dwRead, nullptr))
            return false;
        if (!dwRead)
            return true;
        if (!WriteAll(hNew, buffer.get(), dwRead))
            return false;
        if (pProgress && !pProgress->OnBlockCopied(dwRead))
            return false;
    }
}

// The source's times and attributes, given through the handle that wrote
// the copy: one call where the file system takes it, else the times alone
// (the attributes then follow by name, once the handle is closed).
bool SetTimesAndAttributes(HANDLE hNew, const FILE_BASIC_INFO& source) {
    FILE_BASIC_INFO wanted = source;
    wanted.ChangeTime.QuadPart = 0; // 0 leaves it to the file system
    if (SetFileInformationByHandle(hNew, FileBasicInfo, &wanted, sizeof wanted))
        return true;
    FILETIME ftCreated = ToFileTime(source.CreationTime);
    FILETIME ftAccessed = ToFileTime(source.LastAccessTime);
    FILETIME ftWritten = ToFileTime(source.LastWriteTime);
    SetFileTime(hNew, &ftCreated, &ftAccessed, &ftWritten);
    return false;
}

// Never leave a partly written copy behind.
void RemovePartialCopy(const char* pszNew) {
    DWORD dwError = GetLastError();
    ForceDeleteFileAt(pszNew);
    SetLastError(dwError);
}

// Folders count only by names the code page holds (only those can be
// registered); entries of any name a path can reach (a mirror's, to
// restore).
bool FindAnyEntry(const char* pszFolder, bool bFoldersOnly) {
    CFileFind finder;
    bool bMore = finder.FindFile(JoinPath(CString(pszFolder), "*.*"));
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || !(bFoldersOnly ? finder.IsNameExact() : finder.IsNameReachable()))
            continue;
        if (!bFoldersOnly || finder.IsDirectory())
            return true;
    }
    return false;
}

} // namespace

// The path is looked up as a name, never as a search pattern: D:\Caf?
// would match the folder Café, and pass for a folder that no path of the
// program can reach. A path ending in its separator names no entry, as the
// file search never found one for it; a drive root (D:\) then gives the
// type of its drive.
int GetPathKind(const char* pszPath) {
    if (HasWildcard(pszPath))
        return PATH_MISSING;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!EndsWithBackslash(pszPath) && GetAttributeDataAt(pszPath, data))
        return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PATH_FOLDER : PATH_FILE;
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
    DWORD dwAttributes = GetAttributesAt(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolderLinkAt(const char* pszPath) {
    const DWORD dwLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    DWORD dwAttributes = GetAttributesAt(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & dwLink) == dwLink;
}

namespace {

// Another copy of the same run may make the folder at the same moment: a
// folder that is there once the creation failed is no failure.
bool MakeFolder(const char* pszFolder) {
    if (CreateFolderAt(pszFolder))
        return true;
    DWORD dwError = GetLastError();
    if (dwError == ERROR_ALREADY_EXISTS && IsExistingFolder(pszFolder))
        return true;
    SetLastError(dwError);
    return false;
}

} // namespace

bool MakeFolderChain(const char* pszPath, bool bIncludeLast) {
    size_t nLength = std::strlen(pszPath);
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
    CString strFolder;
    bool bAfterBackslash = true; // the last character seen was a separator
    for (int i = nStart + 1; i <= static_cast<int>(nLength);) {
        bool bEnd = pszPath[i] == '\0';
        if ((bEnd && bIncludeLast && !bAfterBackslash) || (!bEnd && pszPath[i] == '\\')) {
            strFolder = CString(pszPath, i);
            if (!IsExistingFolder(strFolder) && !MakeFolder(strFolder))
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
    if (GetAttributesAt(pszPath) != INVALID_FILE_ATTRIBUTES)
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
    CSourceFile source, mirror;
    if (pnSourceSize)
        *pnSourceSize = 0;
    if (!source.Open(pszSource, 0))
        return COMPARE_SOURCE_UNREADABLE;
    if (pnSourceSize)
        *pnSourceSize = source.GetSize();
    if (!mirror.Open(pszMirror, 0))
        return COMPARE_NEW;
    return FactsMatch(source.Facts(), mirror.Facts()) ? COMPARE_EQUAL : COMPARE_CHANGED;
}

bool WriteNewCopy(CSourceFile& source, const char* pszNew, CCopyProgress* pProgress,
                  CHandle& hNew) {
    hNew.Reset(OpenFileAt(pszNew, GENERIC_WRITE | DELETE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL));
    if (!hNew.IsValid())
        return false; // one that exists is not ours to remove
    bool bCopied = CopyBlocks(source, hNew, pProgress);
    if (bCopied && SetTimesAndAttributes(hNew, source.Basic()))
        return true;
    DWORD dwError = GetLastError();
    bool bClosed = hNew.Close();
    if (!bCopied || !bClosed) {
        if (!bCopied)
            SetLastError(dwError);
        RemovePartialCopy(pszNew);
        return false;
    }
    SetAttributesAt(pszNew, source.Basic().FileAttributes);
    return true;
}

bool CopyToNewFile(CSourceFile& source, const char* pszNew, CCopyProgress* pProgress) {
    CHandle hNew;
    if (!WriteNewCopy(source, pszNew, pProgress, hNew))
        return false;
    if (hNew.IsValid() && !hNew.Close()) {
        RemovePartialCopy(pszNew);
        return false;
    }
    return true;
}

bool CopyToNewFile(const char* pszSource, const char* pszNew) {
    CSourceFile source;
    return source.Open(pszSource, FILE_SHARE_READ) && CopyToNewFile(source, pszNew);
}

bool CopyFileWithTimes(const char* pszSource, const char* pszTarget, const char* pszSpareFolder) {
    // The source is opened before anything touches the target: a source
    // that another program holds, or that cannot be read, leaves the target
    // as it was.
    CSourceFile source;
    if (!source.Open(pszSource, FILE_SHARE_READ))
        return false;
    CStagedCopy copy;
    if (copy.Stage(source, pszTarget, pszSpareFolder, nullptr))
        return copy.Commit();
    if (GetLastError() != ERROR_SUCCESS)
        return false;
    // No staging name fits beside the target or in the spare folder: the
    // old way, in place, from the source already open.
    DWORD dwOldTarget = GetAttributesAt(pszTarget);
    if (dwOldTarget != INVALID_FILE_ATTRIBUTES) {
        SetAttributesAt(pszTarget, FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileAt(pszTarget)) {
            DWORD dwError = GetLastError();
            SetAttributesAt(pszTarget, dwOldTarget);
            SetLastError(dwError);
            return false;
        }
    }
    return CopyToNewFile(source, pszTarget);
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

namespace {

// A time of the entry, looked up as a name (never as a pattern), through
// the wide call: a path of any name and length.
CString FormatTimeOf(const char* pszPath, FILETIME WIN32_FILE_ATTRIBUTE_DATA::*pTime) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!*pszPath || HasWildcard(pszPath) || EndsWithBackslash(pszPath) ||
        !GetAttributeDataAt(pszPath, data))
        return CString();
    const FILETIME& ft = data.*pTime;
    CTime time = ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0 ? CTime(0) : CTime(ft);
    return time.Format("%Y/%m/%d %H:%M:%S");
}

} // namespace

CString FormatCreationTime(const char* pszPath) {
    return FormatTimeOf(pszPath, &WIN32_FILE_ATTRIBUTE_DATA::ftCreationTime);
}

CString FormatWriteTime(const char* pszPath) {
    return FormatTimeOf(pszPath, &WIN32_FILE_ATTRIBUTE_DATA::ftLastWriteTime);
}
