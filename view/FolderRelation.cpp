#include "FolderRelation.h"

#include <cstring>

#include "PathText.h"

namespace {

// Whether a folder boundary follows the shorter path in the longer one: the
// shorter ends in a real backslash (a root, or a path typed with one), or
// the longer continues with a backslash.
bool BoundaryFollows(const char* pszShorter, size_t nShorter, const char* pszLonger) {
    int nLast = -1;
    for (size_t i = 0; i < nShorter; i += CharLengthAt(pszShorter + i))
        nLast = static_cast<int>(i);
    bool bEndsInBackslash =
        nLast >= 0 && static_cast<size_t>(nLast) == nShorter - 1 && pszShorter[nLast] == '\\';
    return bEndsInBackslash || pszLonger[nShorter] == '\\';
}

// The path the file system means, in capitals; empty when it cannot be
// resolved. Capitals come through UTF-16, which knows every letter and
// never splits a double-byte character.
CString FoldedFullPath(const char* pszPath) {
    char szFull[MAX_PATH];
    DWORD n = ::GetFullPathNameA(pszPath, MAX_PATH, szFull, nullptr);
    if (!*pszPath || n == 0 || n >= MAX_PATH)
        return CString();
    char szLong[MAX_PATH];
    n = ::GetLongPathNameA(szFull, szLong, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        std::memcpy(szFull, szLong, n + 1);
    size_t nLength = std::strlen(szFull);
    // D:\ keeps its backslash; D:\src\ names the same folder as D:\src.
    if (nLength > 3 && FindBackslash(szFull, false) == static_cast<int>(nLength) - 1)
        szFull[nLength - 1] = '\0';

    wchar_t szWide[MAX_PATH];
    int nWide = ::MultiByteToWideChar(CP_ACP, 0, szFull, -1, szWide, MAX_PATH);
    if (nWide == 0)
        return CString();
    ::CharUpperBuffW(szWide, static_cast<DWORD>(nWide));
    char szFolded[MAX_PATH * 2];
    int nFolded =
        ::WideCharToMultiByte(CP_ACP, 0, szWide, -1, szFolded, sizeof szFolded, nullptr, nullptr);
    return nFolded > 0 ? CString(szFolded) : CString();
}

bool StartsWith(const char* pszLonger, const char* pszShorter, size_t nShorter) {
    return std::memcmp(pszLonger, pszShorter, nShorter) == 0;
}

} // namespace

FolderRelation ComparePaths(const char* pszA, const char* pszB) {
    size_t nA = std::strlen(pszA), nB = std::strlen(pszB);
    if (nA == nB)
        return std::memcmp(pszA, pszB, nA) == 0 ? RELATION_SAME : RELATION_NONE;
    if (nA < nB)
        return StartsWith(pszB, pszA, nA) && BoundaryFollows(pszA, nA, pszB) ? RELATION_CONTAINS
                                                                             : RELATION_NONE;
    return StartsWith(pszA, pszB, nB) && BoundaryFollows(pszB, nB, pszA) ? RELATION_INSIDE
                                                                         : RELATION_NONE;
}

FolderRelation FindRelation(const std::vector<CRegisteredFolder>& folders, const char* pszPath) {
    for (const CRegisteredFolder& folder : folders) {
        FolderRelation relation = ComparePaths(pszPath, folder.strFolder);
        if (relation == RELATION_SAME || relation == RELATION_CONTAINS)
            return relation;
        if (relation == RELATION_INSIDE && folder.bCoversSubfolders)
            return RELATION_INSIDE;
    }
    return RELATION_NONE;
}

FolderRelation CompareFolders(const char* pszA, const char* pszB) {
    CString strA = FoldedFullPath(pszA), strB = FoldedFullPath(pszB);
    if (strA.IsEmpty() || strB.IsEmpty())
        return RELATION_NONE;
    return ComparePaths(strA, strB);
}
