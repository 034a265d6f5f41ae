#include "FolderRelation.h"

#include <cstring>

#include "BackupSource.h"
#include "ListCtrl.h"
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

FolderRelation FindListRelation(const CListCtrl& list, const char* pszPath) {
    int nCount = list.GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        FolderRelation relation = ComparePaths(pszPath, list.GetItemText(i, 0));
        if (relation == RELATION_SAME || relation == RELATION_CONTAINS)
            return relation;
        if (relation == RELATION_INSIDE && list.GetItemText(i, 3) == SUBFOLDERS_YES)
            return RELATION_INSIDE;
    }
    return RELATION_NONE;
}
