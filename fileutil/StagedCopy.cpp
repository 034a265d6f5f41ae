// Copies are made under a staging name beside their target and renamed into
// place, so that a copy cut off half-way (a killed program, a lost drive, a
// full disk) never lies under the target's real name, where the next run
// would take it for a changed file and rotate it into the history.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

#include "FileFind.h"
#include "FileOps.h"
#include "ExactText.h"
#include "Handle.h"
#include "PathCalls.h"
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
bool FolderOf(const char* pszPath, CString& strFolder) {
    int nCut = FindBackslash(pszPath, false);
    if (nCut < 0)
        return false;
    strFolder = CString(pszPath, nCut);
    return true;
}

// Whether a path of this folder and a staging name is one the file system
// takes (its length in UTF-16 units, the long form's prefix counted).
bool HasRoomForStagingName(const char* pszFolder) {
    return SystemPathOf(pszFolder).size() + 1 + STAGING_NAME_LENGTH < LONGEST_PATH;
}

// Opening the target for deletion fails exactly when deleting it would:
// another program holds it without sharing (32), or it is a folder (5).
bool CanReplace(const char* pszTarget, DWORD dwAttributes) {
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return true;
    CHandle hTarget(OpenFileAt(pszTarget, DELETE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
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
    CFileFind finder;
    bool bMore = finder.FindFile(JoinPath(CString(pszFolder), "~mrq*.tmp"));
    while (bMore) {
        bMore = finder.FindNextFile();
        // A staging name is plain ASCII: a name the code page cannot hold
        // is never one.
        if (!finder.IsDirectory() && finder.IsNameExact() && IsStagingName(finder.GetFileName()))
            ForceDeleteFileAt(JoinPath(CString(pszFolder), finder.GetFileName()));
    }
}

bool CStagedCopy::PickFolder(const char* pszTarget, const char* pszSpareFolder,
                             CString& strFolder) {
    if (!FolderOf(pszTarget, strFolder)) {
        SetLastError(ERROR_SUCCESS);
        return false;
    }
    m_strTarget = pszTarget;
    if (!HasRoomForStagingName(strFolder)) {
        if (!pszSpareFolder || !HasRoomForStagingName(pszSpareFolder)) {
            SetLastError(ERROR_SUCCESS);
            return false;
        }
        MakeFolderChain(pszSpareFolder, true);
        strFolder = pszSpareFolder;
    }
    return true;
}

bool CStagedCopy::Stage(const char* pszSource, const char* pszTarget, const char* pszSpareFolder) {
    Discard();
    m_bTargetKnown = false;
    CString strFolder;
    if (!PickFolder(pszTarget, pszSpareFolder, strFolder))
        return false;
    CSourceFile source;
    return source.Open(pszSource, FILE_SHARE_READ) && StageIn(source, strFolder, nullptr);
}

bool CStagedCopy::Stage(CSourceFile& source, const char* pszTarget, const char* pszSpareFolder,
                        CCopyProgress* pProgress, const DWORD* pdwTargetAttributes) {
    Discard();
    m_bTargetKnown = pdwTargetAttributes != nullptr;
    if (m_bTargetKnown)
        m_dwTargetAttributes = *pdwTargetAttributes;
    CString strFolder;
    return PickFolder(pszTarget, pszSpareFolder, strFolder) &&
           StageIn(source, strFolder, pProgress);
}

// A name taken by another copy fails before anything is read, so the next
// attempt still copies the source from its start.
bool CStagedCopy::StageIn(CSourceFile& source, const char* pszFolder, CCopyProgress* pProgress) {
    for (int nAttempt = 0; nAttempt < STAGING_ATTEMPTS; ++nAttempt) {
        char szName[STAGING_NAME_LENGTH + 1];
        MakeStagingName(szName);
        m_strStaging = JoinPath(CString(pszFolder), szName);
        if (WriteNewCopy(source, m_strStaging, pProgress, m_hStaging))
            break;
        DWORD dwError = GetLastError();
        m_strStaging = CString();
        if (dwError != ERROR_FILE_EXISTS && dwError != ERROR_ALREADY_EXISTS)
            return false;
    }
    if (m_strStaging.IsEmpty())
        return false;
    // Checked once the source was read, so a source that cannot be read
    // reports its own error, as it always did.
    if (!m_bTargetKnown) {
        m_dwTargetAttributes = GetAttributesAt(m_strTarget);
        m_bTargetKnown = true;
    }
    if (!CanReplace(m_strTarget, m_dwTargetAttributes)) {
        Discard();
        return false;
    }
    return true;
}

bool CStagedCopy::Commit() {
    if (m_strStaging.IsEmpty())
        return false;
    // A read-only target cannot be replaced. Between the stage and now the
    // old target may have moved into the history: clearing its bit then
    // fails, and so does nothing.
    DWORD dwOld = m_dwTargetAttributes;
    bool bReadOnly = dwOld != INVALID_FILE_ATTRIBUTES && (dwOld & FILE_ATTRIBUTE_READONLY);
    if (bReadOnly)
        SetAttributesAt(m_strTarget, FILE_ATTRIBUTE_NORMAL);
    bool bPlaced = m_bThroughHandle && m_hStaging.IsValid() && RenameThroughHandle();
    if (!bPlaced) {
        // Closed first: the copy's own handle shares nothing, not even the
        // rename by name.
        bool bClosed = !m_hStaging.IsValid() || m_hStaging.Close();
        bPlaced = bClosed && MoveFileAt(m_strStaging, m_strTarget, MOVEFILE_REPLACE_EXISTING);
    }
    if (!bPlaced) {
        DWORD dwError = GetLastError();
        if (bReadOnly)
            SetAttributesAt(m_strTarget, dwOld);
        SetLastError(dwError);
        return false;
    }
    m_strStaging = CString();
    return !m_hStaging.IsValid() || m_hStaging.Close();
}

bool CStagedCopy::RenameThroughHandle() {
    // The target as the wide calls take it; the structure ends in the name,
    // so it is made as long as the name needs.
    std::wstring target = SystemPathOf(m_strTarget);
    size_t nBytes = sizeof(FILE_RENAME_INFO) + target.size() * sizeof(WCHAR);
    std::vector<char> buffer(nBytes, '\0');
    FILE_RENAME_INFO& info = *reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info.ReplaceIfExists = TRUE;
    info.FileNameLength = static_cast<DWORD>(target.size() * sizeof(WCHAR));
    std::memcpy(info.FileName, target.c_str(), (target.size() + 1) * sizeof(WCHAR));
    return SetFileInformationByHandle(m_hStaging, FileRenameInfo, &info,
                                      static_cast<DWORD>(nBytes)) != FALSE;
}

void CStagedCopy::Discard() {
    if (m_strStaging.IsEmpty())
        return;
    DWORD dwError = GetLastError();
    m_hStaging.Close(); // its own handle would keep the name from going
    ForceDeleteFileAt(m_strStaging);
    m_strStaging = CString();
    SetLastError(dwError);
}
