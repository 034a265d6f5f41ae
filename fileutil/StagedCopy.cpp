// Copies are made under a staging name beside their target and renamed into
// place, so that a copy cut off half-way (a killed program, a lost drive, a
// full disk) never lies under the target's real name, where the next run
// would take it for a changed file and rotate it into the history.
#include <atomic>
#include <cstdio>
#include <cstring>

#include "FileFind.h"
#include "FileOps.h"
#include "Handle.h"
#include "PathText.h"

namespace {

const char STAGING_PREFIX[] = "~mrq";
const char STAGING_SUFFIX[] = ".tmp";
const size_t STAGING_NAME_LENGTH = 16; // ~mrq + 8 hex digits + .tmp
const int STAGING_ATTEMPTS = 16;

// The two check digits of a staging name's six leading ones.
unsigned CheckOf(unsigned nValue) {
    return ((nValue * 2654435761u) >> 24) & 0xFF;
}

// A fresh staging name: different names for the copies of this process and
// of others, so that a leftover of another run is never in the way.
void MakeStagingName(char (&szName)[STAGING_NAME_LENGTH + 1]) {
    static std::atomic<unsigned> s_nNext{GetTickCount() ^ (GetCurrentProcessId() << 12)};
    unsigned nValue = (s_nNext.fetch_add(0x9E3779B1u) >> 8) & 0xFFFFFF;
    std::snprintf(szName, sizeof szName, "%s%06X%02X%s", STAGING_PREFIX, nValue, CheckOf(nValue),
                  STAGING_SUFFIX);
}

bool IsUpperHex(const char* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] == '\0' || !std::strchr("0123456789ABCDEF", p[i]))
            return false;
    return true;
}

// The folder part of a path (without its last backslash).
bool FolderOf(const char* pszPath, char (&szFolder)[MAX_PATH]) {
    int nCut = FindBackslash(pszPath, false);
    if (nCut < 0)
        return false;
    std::memcpy(szFolder, pszPath, static_cast<size_t>(nCut));
    szFolder[nCut] = '\0';
    return true;
}

// Opening the target for deletion fails exactly when deleting it would:
// another program holds it without sharing (32), or it is a folder (5).
bool CanReplace(const char* pszTarget, DWORD dwAttributes) {
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return true;
    CHandle hTarget(CreateFileA(pszTarget, DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return hTarget.IsValid();
}

} // namespace

bool IsStagingName(const char* pszName) {
    if (std::strlen(pszName) != STAGING_NAME_LENGTH ||
        std::strncmp(pszName, STAGING_PREFIX, 4) != 0 ||
        std::strcmp(pszName + 12, STAGING_SUFFIX) != 0 || !IsUpperHex(pszName + 4, 8))
        return false;
    unsigned nValue = 0, nCheck = 0;
    std::sscanf(pszName + 4, "%6X%2X", &nValue, &nCheck);
    return CheckOf(nValue) == nCheck;
}

void RemoveStagingFiles(const char* pszFolder) {
    char szPattern[MAX_PATH];
    if (!JoinPath(szPattern, pszFolder, "~mrq*.tmp"))
        return;
    CFileFind finder;
    bool bMore = finder.FindFile(szPattern);
    while (bMore) {
        bMore = finder.FindNextFile();
        char szPath[MAX_PATH];
        // A staging name is plain ASCII: a name the code page cannot hold
        // is never one, and its "?" text would be a pattern.
        if (!finder.IsDirectory() && finder.IsNameExact() && IsStagingName(finder.GetFileName()) &&
            JoinPath(szPath, pszFolder, finder.GetFileName())) {
            SetFileAttributesA(szPath, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(szPath);
        }
    }
}

bool CStagedCopy::PickFolder(const char* pszTarget, const char* pszSpareFolder,
                             char (&szFolder)[MAX_PATH]) {
    if (std::strlen(pszTarget) >= MAX_PATH || !FolderOf(pszTarget, szFolder)) {
        SetLastError(ERROR_SUCCESS);
        return false;
    }
    std::strcpy(m_szTarget, pszTarget);
    if (std::strlen(szFolder) + 1 + STAGING_NAME_LENGTH >= MAX_PATH) {
        if (!pszSpareFolder || std::strlen(pszSpareFolder) + 1 + STAGING_NAME_LENGTH >= MAX_PATH) {
            SetLastError(ERROR_SUCCESS);
            return false;
        }
        MakeFolderChain(pszSpareFolder, true);
        std::strcpy(szFolder, pszSpareFolder);
    }
    return true;
}

bool CStagedCopy::Stage(const char* pszSource, const char* pszTarget, const char* pszSpareFolder) {
    Discard();
    m_bTargetKnown = false;
    char szFolder[MAX_PATH];
    if (!PickFolder(pszTarget, pszSpareFolder, szFolder))
        return false;
    CSourceFile source;
    return source.Open(pszSource, FILE_SHARE_READ) && StageIn(source, szFolder, nullptr);
}

bool CStagedCopy::Stage(CSourceFile& source, const char* pszTarget, const char* pszSpareFolder,
                        CCopyProgress* pProgress, const DWORD* pdwTargetAttributes) {
    Discard();
    m_bTargetKnown = pdwTargetAttributes != nullptr;
    if (m_bTargetKnown)
        m_dwTargetAttributes = *pdwTargetAttributes;
    char szFolder[MAX_PATH];
    return PickFolder(pszTarget, pszSpareFolder, szFolder) && StageIn(source, szFolder, pProgress);
}

// A name taken by another copy fails before anything is read, so the next
// attempt still copies the source from its start.
bool CStagedCopy::StageIn(CSourceFile& source, const char* pszFolder, CCopyProgress* pProgress) {
    for (int nAttempt = 0; nAttempt < STAGING_ATTEMPTS; ++nAttempt) {
        char szName[STAGING_NAME_LENGTH + 1];
        MakeStagingName(szName);
        JoinPath(m_szStaging, pszFolder, szName);
        if (WriteNewCopy(source, m_szStaging, pProgress, m_hStaging))
            break;
        DWORD dwError = GetLastError();
        m_szStaging[0] = '\0';
        if (dwError != ERROR_FILE_EXISTS && dwError != ERROR_ALREADY_EXISTS)
            return false;
    }
    if (!m_szStaging[0])
        return false;
    // Checked once the source was read, so a source that cannot be read
    // reports its own error, as it always did.
    if (!m_bTargetKnown) {
        m_dwTargetAttributes = GetFileAttributesA(m_szTarget);
        m_bTargetKnown = true;
    }
    if (!CanReplace(m_szTarget, m_dwTargetAttributes)) {
        Discard();
        return false;
    }
    return true;
}

bool CStagedCopy::Commit() {
    if (!m_szStaging[0])
        return false;
    // A read-only target cannot be replaced. Between the stage and now the
    // old target may have moved into the history: clearing its bit then
    // fails, and so does nothing.
    DWORD dwOld = m_dwTargetAttributes;
    bool bReadOnly = dwOld != INVALID_FILE_ATTRIBUTES && (dwOld & FILE_ATTRIBUTE_READONLY);
    if (bReadOnly)
        SetFileAttributesA(m_szTarget, FILE_ATTRIBUTE_NORMAL);
    bool bPlaced = m_bThroughHandle && m_hStaging.IsValid() && RenameThroughHandle();
    if (!bPlaced) {
        // Closed first: the copy's own handle shares nothing, not even the
        // rename by name.
        bool bClosed = !m_hStaging.IsValid() || m_hStaging.Close();
        bPlaced = bClosed && MoveFileExA(m_szStaging, m_szTarget, MOVEFILE_REPLACE_EXISTING);
    }
    if (!bPlaced) {
        DWORD dwError = GetLastError();
        if (bReadOnly)
            SetFileAttributesA(m_szTarget, dwOld);
        SetLastError(dwError);
        return false;
    }
    m_szStaging[0] = '\0';
    return !m_hStaging.IsValid() || m_hStaging.Close();
}

bool CStagedCopy::RenameThroughHandle() {
    // The name as the file system takes it: the code page's text in UTF-16.
    union {
        FILE_RENAME_INFO info;
        char bytes[sizeof(FILE_RENAME_INFO) + MAX_PATH * sizeof(WCHAR)];
    } rename;
    std::memset(&rename, 0, sizeof rename);
    int nLength = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, m_szTarget, -1,
                                      rename.info.FileName, MAX_PATH);
    if (nLength <= 1)
        return false;
    rename.info.ReplaceIfExists = TRUE;
    rename.info.FileNameLength = static_cast<DWORD>(nLength - 1) * sizeof(WCHAR);
    return SetFileInformationByHandle(m_hStaging, FileRenameInfo, &rename.info, sizeof rename) !=
           FALSE;
}

void CStagedCopy::Discard() {
    if (!m_szStaging[0])
        return;
    DWORD dwError = GetLastError();
    m_hStaging.Close(); // its own handle would keep the name from going
    SetFileAttributesA(m_szStaging, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(m_szStaging);
    m_szStaging[0] = '\0';
    SetLastError(dwError);
}
